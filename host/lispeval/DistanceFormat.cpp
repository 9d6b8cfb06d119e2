#include "host/lispeval/DistanceFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dh::lisp {

namespace {

std::string printf1(const char* format, int precision, double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

std::string decimal(double value, int precision)
{
    std::string text = printf1("%.*f", precision, value);
    // Rounding to zero must not leave a lone minus sign ("-0.00").
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

// Whole units and the fraction n/d rounded to 1/2^precision, reduced.
struct Fraction
{
    double whole = 0;
    long numerator = 0;
    long denominator = 1;
};

Fraction toFraction(double value, int precision)
{
    long denominator = 1L << precision;
    double scaled = std::round(value * static_cast<double>(denominator));
    Fraction f;
    f.whole = std::floor(scaled / static_cast<double>(denominator));
    f.numerator = static_cast<long>(scaled - f.whole * static_cast<double>(denominator));
    f.denominator = denominator;
    while (f.numerator != 0 && f.numerator % 2 == 0) {
        f.numerator /= 2;
        f.denominator /= 2;
    }
    return f;
}

std::string fractional(double value, int precision)
{
    Fraction f = toFraction(value, precision);
    std::string fraction = std::to_string(f.numerator) + "/" + std::to_string(f.denominator);
    if (f.numerator == 0) {
        return printf1("%.*f", 0, f.whole);
    }
    return f.whole == 0 ? fraction : printf1("%.*f", 0, f.whole) + " " + fraction;
}

// Feet and inches; inches that round up to 12 carry into the feet.
std::string feetInches(double value, int precision, bool architectural)
{
    double feet = std::floor(value / 12.0);
    double inches = value - feet * 12.0;
    double step =
        architectural ? 1.0 / static_cast<double>(1L << precision) : std::pow(10.0, -precision);
    if (std::round(inches / step) * step >= 12.0) {
        feet += 1.0;
        inches = 0.0;
    }
    std::string inchText =
        architectural ? fractional(inches, precision) : decimal(inches, precision);
    return printf1("%.*f", 0, feet) + "'-" + inchText + "\"";
}

} // namespace

std::string formatDistance(double value, int mode, int precision)
{
    if (!std::isfinite(value)) {
        return value != value ? "NaN" : value > 0 ? "Inf" : "-Inf";
    }
    precision = std::clamp(precision, 0, 8);
    bool negative = value < 0;
    double magnitude = std::fabs(value);
    std::string sign = negative ? "-" : "";
    switch (mode) {
    case 1:
        return printf1("%.*E", precision, value);
    case 2:
        return decimal(value, precision);
    case 3:
        return sign + feetInches(magnitude, precision, false);
    case 4:
        return sign + feetInches(magnitude, precision, true);
    case 5:
        return sign + fractional(magnitude, precision);
    default:
        return std::string();
    }
}

} // namespace dh::lisp
