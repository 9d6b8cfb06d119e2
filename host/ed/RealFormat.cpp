// acdbRToS: a real as the host writes it in its five linear unit styles.
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdVariables.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string fixed(double value, int prec)
{
    char buf[64];
    if (std::fabs(value) >= 1e20)
        std::snprintf(buf, sizeof buf, "%.*E", prec, value);
    else
        std::snprintf(buf, sizeof buf, "%.*f", prec, value);
    std::string text = buf;
    // "-0.00" is written as "0.00".
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

// Inches as a whole number and a fraction of denominator 2^prec, reduced: "3 1/2", "3", "1/4".
std::string fraction(double inches, int prec)
{
    long denominator = 1L << prec;
    long total = std::lround(inches * static_cast<double>(denominator));
    long whole = total / denominator;
    long numerator = total % denominator;
    while (numerator != 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
    if (numerator == 0)
        return std::to_string(whole);
    std::string f = std::to_string(numerator) + "/" + std::to_string(denominator);
    return whole == 0 ? f : std::to_string(whole) + " " + f;
}

std::string format(double value, int unit, int prec)
{
    std::string sign = value < 0 ? "-" : "";
    double v = std::fabs(value);
    switch (unit) {
    case 1: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*E", prec, value);
        return buf;
    }
    case 2:
        return fixed(value, prec);
    case 3: {
        double feet = std::floor(v / 12.0);
        double inches = v - feet * 12.0;
        std::string in = fixed(inches, prec);
        if (std::stod(in) >= 12.0) {  // rounding reached the next foot
            feet += 1.0;
            in = fixed(0.0, prec);
        }
        if (feet == 0.0)
            return sign + in + "\"";
        return sign + fixed(feet, 0) + "'-" + in + "\"";
    }
    case 4: {
        long denominator = 1L << prec;
        double rounded = std::round(v * denominator) / denominator;
        double feet = std::floor(rounded / 12.0);
        double inches = rounded - feet * 12.0;
        std::string in = fraction(inches, prec) + "\"";
        if (feet == 0.0)
            return sign + in;
        return sign + fixed(feet, 0) + "'-" + in;
    }
    case 5:
        return sign + fraction(v, prec);
    default:
        return {};
    }
}

}  // namespace

int acdbRToS(ads_real val, int unit, int prec, char* str, std::size_t len)
{
    if (!str || len == 0 || !std::isfinite(val))
        return RTERROR;
    dh::ed::Session* s = dh::ed::Session::current();
    if (unit == -1)
        unit = s ? s->variables().getInt("LUNITS", 2) : 2;
    if (prec == -1)
        prec = s ? s->variables().getInt("LUPREC", 4) : 4;
    if (unit < 1 || unit > 5 || prec < 0 || prec > 8)
        return RTERROR;
    std::string text = format(val, unit, prec);
    if (text.size() >= len)
        return RTERROR;
    std::memcpy(str, text.c_str(), text.size() + 1);
    return RTNORM;
}

int acdbRToS(ads_real val, int unit, int prec, char* str)
{
    return acdbRToS(val, unit, prec, str, 132);
}
