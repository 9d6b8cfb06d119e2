// Distances as text in the host's linear unit modes, as rtos gives them:
// 1 scientific "1.2345E+03", 2 decimal "1234.5000", 3 engineering (feet and decimal
// inches) "102'-10.5000\"", 4 architectural "102'-10 1/2\"", 5 fractional "1234 1/2".
// Values are in drawing units (inches for modes 3 and 4). Precision is the number of
// decimals, or for modes 4 and 5 the power of two of the smallest fraction denominator.
#pragma once

#include <string>

namespace dh::lisp {

constexpr int kDefaultUnitMode = 2;  // LUNITS of a new drawing
constexpr int kDefaultPrecision = 4; // LUPREC of a new drawing

// Empty for a mode outside 1 to 5.
std::string formatDistance(double value, int mode, int precision);

} // namespace dh::lisp
