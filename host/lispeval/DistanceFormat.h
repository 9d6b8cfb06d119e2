// Distances as text in the host's linear unit modes, as rtos gives them and distof reads
// them: 1 scientific "2.925E+01", 2 decimal "29.250", 3 engineering (feet and decimal
// inches) "2'-5.25\"", 4 architectural "2'-5 1/4\"", 5 fractional "29 1/4". Values are in
// drawing units (inches for modes 3 and 4). Precision is the number of decimals, or for
// modes 4 and 5 the power of two of the smallest fraction's denominator; above 15 it is 15.
//
// DIMZIN: +4 drops a leading zero, +8 trailing zeros and a bare decimal point; for feet and
// inches its low bits say which zeros show (0 neither zero feet nor exactly zero inches,
// 1 both, 2 zero feet only, 3 zero inches only). UNITMODE 1 writes feet and inches as they
// are typed: no "-" after the feet, "1-1/2" for "1 1/2".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dh::lisp {

constexpr int kMaxPrecision = 15;

struct NumberStyle
{
    int dimzin = 0;
    int unitmode = 0;
};

// Empty for a mode outside 1 to 5.
std::string formatDistance(double value, int mode, int precision, NumberStyle style = {});

// A distance written in mode (3 and 4 read each other's forms); nullopt when the text is
// no distance.
std::optional<double> parseDistance(std::string_view text, int mode);

// A plain number "[+-]digits[.digits][E[+-]digits]" (".5" and "5." too) and the characters
// it took; nullopt when text does not start with one.
std::optional<double> parseNumberPrefix(std::string_view text, std::size_t& used);

// DIMZIN +4/+8 applied to a decimal number's text.
std::string suppressZeros(std::string text, int dimzin);

} // namespace dh::lisp
