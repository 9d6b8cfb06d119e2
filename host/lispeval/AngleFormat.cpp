#include "host/lispeval/AngleFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dh::lisp {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string fixed(double value, int decimals)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// Degrees as d, d m' or d m' s" by precision, rounded at the last part shown.
std::string dms(double degrees, int precision)
{
    if (precision <= 0) {
        return fixed(std::round(degrees), 0) + "d";
    }
    if (precision <= 2) {
        double minutes = std::round(degrees * 60.0);
        return fixed(std::floor(minutes / 60.0), 0) + "d" +
               fixed(minutes - 60.0 * std::floor(minutes / 60.0), 0) + "'";
    }
    int decimals = std::max(0, precision - 4);
    double unit = std::pow(10.0, -decimals);
    double seconds = std::round(degrees * 3600.0 / unit) * unit;
    double wholeMinutes = std::floor(seconds / 60.0 + 1e-9);
    double d = std::floor(wholeMinutes / 60.0);
    double m = wholeMinutes - 60.0 * d;
    double s = std::max(0.0, seconds - 60.0 * wholeMinutes);
    return fixed(d, 0) + "d" + fixed(m, 0) + "'" + fixed(s, decimals) + "\"";
}

double normalized(double radians)
{
    double a = std::fmod(radians, 2.0 * kPi);
    return a < 0 ? a + 2.0 * kPi : a;
}

std::string bearing(double radians, int precision, NumberStyle style)
{
    double degrees = normalized(radians) * 180.0 / kPi;
    // The quarter and the angle within it, measured from north or south.
    const char* from = degrees <= 180.0 ? "N" : "S";
    double offset = degrees <= 180.0 ? 90.0 - degrees : degrees - 270.0;
    const char* toward = offset > 0 ? "E" : "W";
    offset = std::fabs(offset);
    std::string angle = dms(offset, precision);
    if (angle.rfind("90d", 0) == 0 && angle.find_first_not_of("90d'\".") == std::string::npos) {
        return toward; // due east or west
    }
    if (angle.find_first_not_of("0d'\".") == std::string::npos) {
        return from; // due north or south
    }
    const char* space = style.unitmode == 1 ? "" : " ";
    return std::string(from) + space + angle + space + toward;
}

// "45d30'15.5\"" and its shorter forms; also a plain number of degrees.
std::optional<double> parseDms(std::string_view text)
{
    double total = 0.0;
    std::size_t used = 0;
    auto degrees = parseNumberPrefix(text, used);
    if (!degrees) {
        return std::nullopt;
    }
    text.remove_prefix(used);
    if (text.empty()) {
        return degrees;
    }
    if (text.front() != 'd' && text.front() != 'D') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    total = *degrees;
    double sign = std::signbit(*degrees) ? -1.0 : 1.0;
    const char marks[] = {'\'', '"'};
    const double scale[] = {60.0, 3600.0};
    for (int part = 0; part < 2 && !text.empty(); ++part) {
        auto value = parseNumberPrefix(text, used);
        if (!value || *value < 0 || used >= text.size() || text[used] != marks[part]) {
            return std::nullopt;
        }
        total += sign * *value / scale[part];
        text.remove_prefix(used + 1);
    }
    return text.empty() ? std::optional<double>(total) : std::nullopt;
}

std::optional<double> parseBearing(std::string_view text)
{
    std::string compact;
    for (char c : text) {
        if (c != ' ') {
            compact += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        }
    }
    if (compact == "N" || compact == "E" || compact == "S" || compact == "W") {
        return compact == "E" ? 0.0 : compact == "N" ? 90.0 : compact == "W" ? 180.0 : 270.0;
    }
    if (compact.size() < 3 || (compact.front() != 'N' && compact.front() != 'S') ||
        (compact.back() != 'E' && compact.back() != 'W')) {
        return std::nullopt;
    }
    std::string middle = compact.substr(1, compact.size() - 2);
    for (char& c : middle) {
        c = c == 'D' ? 'd' : c;
    }
    auto angle = parseDms(middle);
    if (!angle || *angle < 0 || *angle > 90) {
        return std::nullopt;
    }
    bool north = compact.front() == 'N';
    bool east = compact.back() == 'E';
    return north ? (east ? 90.0 - *angle : 90.0 + *angle)
                 : (east ? 270.0 + *angle : 270.0 - *angle);
}

} // namespace

std::string formatAngle(double radians, int unit, int precision, NumberStyle style)
{
    if (!std::isfinite(radians)) {
        return radians != radians ? "NaN" : "Inf";
    }
    precision = std::clamp(precision, 0, 8);
    double a = normalized(radians);
    switch (unit) {
    case 0:
        return suppressZeros(fixed(a * 180.0 / kPi, precision), style.dimzin);
    case 1:
        return dms(a * 180.0 / kPi, precision);
    case 2:
        return suppressZeros(fixed(a * 200.0 / kPi, precision), style.dimzin) + "g";
    case 3:
        return suppressZeros(fixed(a, precision), style.dimzin) + "r";
    case 4:
        return bearing(radians, precision, style);
    default:
        return std::string();
    }
}

std::optional<double> parseAngle(std::string_view text, int unit)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::optional<double> degrees;
    char suffix = text.back();
    switch (unit) {
    case 0:
    case 1:
        degrees = parseDms(text);
        break;
    case 2:
    case 3: {
        std::string_view number = text;
        if ((unit == 2 && (suffix == 'g' || suffix == 'G')) ||
            (unit == 3 && (suffix == 'r' || suffix == 'R'))) {
            number.remove_suffix(1);
        }
        std::size_t used = 0;
        auto value = parseNumberPrefix(number, used);
        if (!value || used != number.size()) {
            return std::nullopt;
        }
        return unit == 2 ? *value * kPi / 200.0 : *value;
    }
    case 4:
        degrees = parseBearing(text);
        if (!degrees) {
            degrees = parseDms(text);
        }
        break;
    default:
        return std::nullopt;
    }
    if (!degrees) {
        return std::nullopt;
    }
    return *degrees * kPi / 180.0;
}

} // namespace dh::lisp
