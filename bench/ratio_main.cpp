// Runs the benchmarks (medians of repeated runs unless told otherwise) and prints each workload as
// a ratio to its baseline, with its target. Exit status 0 either way: the machines are shared and
// noisy, so the figures are for reading, not for failing a build.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/ratio.h"

namespace orventa::bench {
namespace {

struct Entry {
  std::string workload;
  std::string baseline;
  double limit;
};

std::vector<Entry>& targets() {
  static std::vector<Entry> all;
  return all;
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colour escapes only for a terminal: a file or a pipe gets plain text.
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // Prefer the median aggregate; a single run stands for itself.
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      if (run.run_type == Run::RT_Iteration && run.repetitions > 1) continue;
      times_[name] = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-44s %-22s %8s %8s\n", "workload", "baseline", "ratio", "target");
    int shown = 0;
    int over = 0;
    for (const Entry& e : targets()) {
      const auto w = times_.find(e.workload);
      if (w == times_.end()) continue;
      const auto b = times_.find(e.baseline);
      if (b == times_.end() || b->second <= 0) {
        std::printf("%-44s %-22s not run: add it to the filter\n", e.workload.c_str(),
                    e.baseline.c_str());
        continue;
      }
      const double ratio = w->second / b->second;
      ++shown;
      if (ratio > e.limit) ++over;
      std::printf("%-44s %-22s %8.3f %8.2f %s\n", e.workload.c_str(), e.baseline.c_str(), ratio,
                  e.limit, ratio <= e.limit ? "ok" : "OVER");
    }
    std::printf("\n%d of %d workloads over their target\n", over, shown);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

RatioTarget::RatioTarget(std::string workload, std::string baseline, double limit) {
  targets().push_back({std::move(workload), std::move(baseline), limit});
}

}  // namespace orventa::bench

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=7";
  bool repetitionsGiven = false;
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0) repetitionsGiven = true;
  if (!repetitionsGiven) args.push_back(reps.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  orventa::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
