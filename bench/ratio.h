// Every figure is reported beside a baseline measured in the same run: a workload registers the
// baseline it is compared with and the ratio it must stay within.
#pragma once

#include <string>

namespace orventa::bench {

struct RatioTarget {
  RatioTarget(std::string workload, std::string baseline, double limit);
};

}  // namespace orventa::bench
