#include "host/lispeval/DistanceFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::string fractional(double value, int precision, bool typedForm)
{
    Fraction f = toFraction(value, precision);
    std::string fraction = std::to_string(f.numerator) + "/" + std::to_string(f.denominator);
    if (f.numerator == 0) {
        return printf1("%.*f", 0, f.whole);
    }
    if (f.whole == 0) {
        return fraction;
    }
    return printf1("%.*f", 0, f.whole) + (typedForm ? "-" : " ") + fraction;
}

// Feet and inches; inches that round up to 12 carry into the feet.
std::string feetInches(double value, int precision, bool architectural, NumberStyle style)
{
    double feet = std::floor(value / 12.0);
    double inches = value - feet * 12.0;
    double step =
        architectural ? 1.0 / static_cast<double>(1L << precision) : std::pow(10.0, -precision);
    double roundedInches = std::round(inches / step) * step;
    if (roundedInches >= 12.0) {
        feet += 1.0;
        inches = 0.0;
        roundedInches = 0.0;
    }
    const int zeros = style.dimzin & 3;
    const bool showZeroFeet = zeros == 1 || zeros == 2;
    const bool showZeroInches = zeros == 1 || zeros == 3;
    const bool zeroFeet = feet == 0.0;
    const bool zeroInches = roundedInches == 0.0;
    std::string feetText = printf1("%.*f", 0, feet) + "'";
    std::string inchText =
        (architectural ? fractional(inches, precision, style.unitmode == 1)
                       : suppressZeros(decimal(inches, precision), style.dimzin)) +
        "\"";
    bool withFeet = !zeroFeet || showZeroFeet;
    bool withInches = !zeroInches || showZeroInches;
    if (!withFeet && !withInches) {
        return zeroFeet ? inchText : feetText; // zero shows as 0", never as nothing
    }
    if (!withInches) {
        return feetText;
    }
    if (!withFeet) {
        return inchText;
    }
    return feetText + (style.unitmode == 1 ? "" : "-") + inchText;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// "n/d" at the start of text.
std::optional<double> parseFractionPrefix(std::string_view text, std::size_t& used)
{
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    if (i == 0 || i >= text.size() || text[i] != '/') {
        return std::nullopt;
    }
    std::size_t j = i + 1;
    while (j < text.size() && isDigit(text[j])) {
        ++j;
    }
    if (j == i + 1) {
        return std::nullopt;
    }
    double numerator = std::strtod(std::string(text.substr(0, i)).c_str(), nullptr);
    double denominator = std::strtod(std::string(text.substr(i + 1, j - i - 1)).c_str(), nullptr);
    if (denominator == 0.0) {
        return std::nullopt;
    }
    used = j;
    return numerator / denominator;
}

// "5", "5.25", "1/4", "5 1/4", "5-1/4": a whole number with a fraction, or a number
// (signs are the caller's).
std::optional<double> parseMixed(std::string_view text, std::size_t& used)
{
    std::size_t n = 0;
    if (auto fraction = parseFractionPrefix(text, n)) {
        used = n;
        return fraction;
    }
    auto number = parseNumberPrefix(text, n);
    if (!number) {
        return std::nullopt;
    }
    used = n;
    bool whole = text.substr(0, n).find_first_of(".eE") == std::string_view::npos;
    if (whole && n < text.size() && (text[n] == ' ' || text[n] == '-')) {
        std::size_t m = 0;
        if (auto fraction = parseFractionPrefix(text.substr(n + 1), m)) {
            used = n + 1 + m;
            return *number + *fraction;
        }
    }
    return number;
}

// Feet and inches in either form: 2'-5.25", 2'5-1/4", 3', 5 1/4", 29.25.
std::optional<double> parseFeetInches(std::string_view text)
{
    double sign = 1.0;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front() == '-' ? -1.0 : 1.0;
        text.remove_prefix(1);
    }
    double feet = 0.0;
    std::size_t used = 0;
    std::size_t quote = text.find('\'');
    if (quote != std::string_view::npos) {
        auto f = parseNumberPrefix(text, used);
        if (!f || used != quote || *f < 0) {
            return std::nullopt;
        }
        feet = *f;
        text.remove_prefix(quote + 1);
        if (!text.empty() && text.front() == '-') {
            text.remove_prefix(1);
        }
        if (text.empty()) {
            return sign * feet * 12.0;
        }
    }
    if (!text.empty() && text.back() == '"') {
        text.remove_suffix(1);
    }
    auto inches = parseMixed(text, used);
    if (!inches || used != text.size() || *inches < 0) {
        return std::nullopt;
    }
    return sign * (feet * 12.0 + *inches);
}

} // namespace

std::string suppressZeros(std::string text, int dimzin)
{
    if ((dimzin & 8) && text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    if (dimzin & 4) {
        std::size_t digits = text.front() == '-' ? 1 : 0;
        if (text.compare(digits, 2, "0.") == 0) {
            text.erase(digits, 1);
        }
    }
    return text.empty() || text == "-" ? "0" : text;
}

std::string formatDistance(double value, int mode, int precision, NumberStyle style)
{
    if (!std::isfinite(value)) {
        return value != value ? "NaN" : value > 0 ? "Inf" : "-Inf";
    }
    precision = std::clamp(precision, 0, kMaxPrecision);
    bool negative = value < 0;
    double magnitude = std::fabs(value);
    std::string sign = negative ? "-" : "";
    switch (mode) {
    case 1:
        return printf1("%.*E", precision, value);
    case 2:
        return suppressZeros(decimal(value, precision), style.dimzin);
    case 3:
        return sign + feetInches(magnitude, precision, false, style);
    case 4:
        return sign + feetInches(magnitude, precision, true, style);
    case 5: {
        std::string text = fractional(magnitude, precision, style.unitmode == 1);
        return text == "0" ? text : sign + text;
    }
    default:
        return std::string();
    }
}

std::optional<double> parseNumberPrefix(std::string_view text, std::size_t& used)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        std::size_t k = j;
        while (k < text.size() && isDigit(text[k])) {
            ++k;
        }
        if (k > j) {
            i = k;
        }
    }
    double value = std::strtod(std::string(text.substr(0, i)).c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    used = i;
    return value;
}

std::optional<double> parseDistance(std::string_view text, int mode)
{
    text = trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::size_t used = 0;
    switch (mode) {
    case 1:
    case 2: {
        auto value = parseNumberPrefix(text, used);
        return value && used == text.size() ? value : std::nullopt;
    }
    case 3:
    case 4:
        return parseFeetInches(text);
    case 5: {
        double sign = text.front() == '-' ? -1.0 : 1.0;
        if (text.front() == '-' || text.front() == '+') {
            text.remove_prefix(1);
        }
        auto value = parseMixed(text, used);
        return value && used == text.size() && *value >= 0 ? std::optional<double>(sign * *value)
                                                           : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace dh::lisp
