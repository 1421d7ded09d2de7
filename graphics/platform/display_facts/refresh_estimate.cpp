#include "graphics/platform/display_facts/refresh_estimate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orventa::platform {
namespace {

// Presentations closer than this are not paced by any display.
constexpr double FASTEST_PERIOD = 1.0 / 1000;
// Up to this many periods between two presentations is a missed frame or a few, beyond a stall.
constexpr long LONGEST_GAP = 4;
// How far from a whole number of periods an interval may be and still count.
constexpr double TOLERANCE = 0.25;

struct Point {
  double index;  // frames since the start of its run
  double time;
};

}  // namespace

RefreshEstimate estimateRefresh(std::span<const double> seconds, int minimumFrames) {
  RefreshEstimate estimate;
  if (seconds.size() < 3) return estimate;
  std::vector<double> intervals;
  for (std::size_t i = 1; i < seconds.size(); ++i) intervals.push_back(seconds[i] - seconds[i - 1]);
  std::vector<double> sorted = intervals;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const double guess = sorted[sorted.size() / 2];  // missed frames and stalls are the few
  if (!(guess >= FASTEST_PERIOD)) return estimate;

  // Runs of presentations whose intervals are whole numbers of periods; the period is the slope
  // of time over frame index that all runs share (least squares), so jitter averages out.
  std::vector<std::vector<Point>> runs(1, {{0, seconds[0]}});
  std::vector<double> single;  // each counted interval's own period
  for (std::size_t i = 0; i < intervals.size(); ++i) {
    const long periods = std::lround(intervals[i] / guess);
    const double off = std::abs(intervals[i] - static_cast<double>(periods) * guess);
    if (periods < 1 || periods > LONGEST_GAP || off > TOLERANCE * guess) {
      runs.push_back({{0, seconds[i + 1]}});
      continue;
    }
    runs.back().push_back(
        {runs.back().back().index + static_cast<double>(periods), seconds[i + 1]});
    single.push_back(intervals[i] / static_cast<double>(periods));
    estimate.frames += static_cast<int>(periods);
  }
  double covariance = 0;
  double variance = 0;
  for (const std::vector<Point>& run : runs) {
    if (run.size() < 2) continue;
    double meanIndex = 0;
    double meanTime = 0;
    for (const Point& p : run) {
      meanIndex += p.index;
      meanTime += p.time;
    }
    meanIndex /= static_cast<double>(run.size());
    meanTime /= static_cast<double>(run.size());
    for (const Point& p : run) {
      covariance += (p.index - meanIndex) * (p.time - meanTime);
      variance += (p.index - meanIndex) * (p.index - meanIndex);
    }
  }
  if (estimate.frames < minimumFrames || variance <= 0 || covariance <= 0) return estimate;
  estimate.hz = variance / covariance;
  double sum = 0;
  for (double period : single) sum += (1 / period - estimate.hz) * (1 / period - estimate.hz);
  estimate.spreadHz = std::sqrt(sum / static_cast<double>(single.size()));
  estimate.measurable = true;
  return estimate;
}

}  // namespace orventa::platform
