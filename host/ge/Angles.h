// Angle constants and normalisation shared by the arc and ellipse classes.
#pragma once

#include <algorithm>
#include <cmath>

namespace dh::ge {

constexpr double kPi = 3.14159265358979323846264338327950288;
constexpr double kTwoPi = 2.0 * kPi;

// a reduced into [0, 2pi).
inline double normalizeAngle(double a)
{
    double r = std::fmod(a, kTwoPi);
    if (r < 0.0)
        r += kTwoPi;
    return r >= kTwoPi ? 0.0 : r;
}

// Parameter of angle a on an arc running from start to end (end >= start): a itself when it
// falls inside, otherwise the equivalent angle nearer to the arc (just before start or just
// after end).
inline double angleNearArc(double a, double start, double end)
{
    const double inFront = start + normalizeAngle(a - start);
    if (inFront <= end)
        return inFront;
    const double behind = inFront - kTwoPi;
    return (inFront - end) <= (start - behind) ? inFront : behind;
}

// Number of chords that keep an arc of the given sweep and radius within eps.
inline int arcChordCount(double sweep, double radius, double eps)
{
    if (radius <= 0.0 || sweep <= 0.0)
        return 1;
    const double c = 1.0 - eps / radius;
    const double step = c <= 0.0 ? kPi : std::fmin(2.0 * std::acos(c), kPi);
    if (step <= 0.0)
        return 1 << 20;
    return std::max(1, static_cast<int>(std::ceil(sweep / step - 1e-9)));
}

} // namespace dh::ge
