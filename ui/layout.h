// Screen positions: one extended-precision expression per position, rounded once, halves to even.
#pragma once

namespace orventa {

// A constant of a layout expression, widened from the double it names: wide(1.3) is the double
// nearest 1.3, not the long double nearest 1.3.
constexpr long double wide(double constant) { return constant; }

// The nearest integer, halves to the even neighbour. Saturates far outside the int range.
int position(long double value);

}  // namespace orventa
