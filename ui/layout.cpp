#include "ui/layout.h"

#include <cmath>
#include <limits>

namespace orventa {

int position(long double value) {
  if (std::isnan(value)) return 0;
  constexpr long double low = std::numeric_limits<int>::min();
  constexpr long double high = std::numeric_limits<int>::max();
  if (value <= low) return std::numeric_limits<int>::min();
  if (value >= high) return std::numeric_limits<int>::max();
  // The default rounding mode rounds halves to the even neighbour.
  return static_cast<int>(std::nearbyintl(value));
}

}  // namespace orventa
