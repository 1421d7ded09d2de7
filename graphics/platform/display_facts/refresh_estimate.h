// The refresh rate a display really runs at, from the times of presentations that its vertical
// sync paces. Pure arithmetic on the timestamps, so that it is tested on made-up series.
#pragma once

#include <cstddef>
#include <span>

namespace orventa::platform {

struct RefreshEstimate {
  bool measurable = false;  // false: too few frames, or nothing paces the presentations
  double hz = 0;
  double spreadHz = 0;  // the standard deviation of single frames' rates
  int frames = 0;       // frame periods the estimate rests on
};

// How long a measurement presents: enough frames for the estimate with some to spare, or at most
// this long where the display paces slowly or not at all.
constexpr std::size_t MEASURED_FRAMES = 144;
constexpr double LONGEST_MEASUREMENT_SECONDS = 4;

// At least `minimumFrames` paced periods are needed. A missed frame counts as a whole number of
// periods; a stall, or an interval that is no whole number of periods, starts a new run.
RefreshEstimate estimateRefresh(std::span<const double> seconds, int minimumFrames = 120);

}  // namespace orventa::platform
