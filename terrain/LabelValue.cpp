#include "terrain/LabelValue.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace dh::terrain {

// Labels are digits, points and signs. On such texts from_chars reads the same prefix to
// the same double as atof, several times faster (see bench/terrain/ChgcdPassBench.cpp);
// anything else, a leading "+" or a value out of range included, goes to atof itself.
double labelValue(const char* text)
{
    if (!text)
        return 0.0;
    const size_t length = std::strlen(text);
    if (std::strspn(text, "0123456789.-") == length) {
        double value = 0.0;
        if (std::from_chars(text, text + length, value).ec == std::errc())
            return value;
    }
    return std::atof(text);
}

} // namespace dh::terrain
