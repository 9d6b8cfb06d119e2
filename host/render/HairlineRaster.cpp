#include "host/render/HairlineRaster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dh::render {

namespace {

// Liang-Barsky: cuts the segment to the box; false when nothing of it is inside.
bool clip(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax, double ymax)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 += t0 * dx;
    y0 += t0 * dy;
    return true;
}

double fraction(double v) { return v - std::floor(v); }

}  // namespace

void HairlineRaster::plot(int x, int y, double coverage, Rgb c)
{
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_width) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(m_height))
        return;
    // Coverage in 1/256ths: integer blending is the hot loop of a dense picture.
    const int a = static_cast<int>(coverage * 256.0 + 0.5);
    if (a <= 0)
        return;
    auto* pixel = reinterpret_cast<std::uint32_t*>(m_data + static_cast<std::ptrdiff_t>(y) * m_stride) + x;
    const std::uint32_t want = (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
    if (a >= 256) {
        *pixel = want;
        return;
    }
    const std::uint32_t old = *pixel;
    auto mix = [a](std::uint32_t from, std::uint32_t to) {
        return static_cast<std::uint32_t>(static_cast<int>(from) + (((static_cast<int>(to) - static_cast<int>(from)) * a + 128) >> 8));
    };
    *pixel = (mix((old >> 16) & 0xFF, c.r) << 16) | (mix((old >> 8) & 0xFF, c.g) << 8) | mix(old & 0xFF, c.b);
}

void HairlineRaster::line(double x0, double y0, double x1, double y1, Rgb color)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    // Pixel centres to whole numbers.
    x0 -= 0.5;
    y0 -= 0.5;
    x1 -= 0.5;
    y1 -= 0.5;
    if (!clip(x0, y0, x1, y1, -2.0, -2.0, m_width + 1.0, m_height + 1.0))
        return;
    const bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double dx = x1 - x0;
    const double gradient = dx > 1e-12 ? (y1 - y0) / dx : 0.0;
    auto put = [&](int major, int minor, double coverage) {
        steep ? plot(minor, major, coverage, color) : plot(major, minor, coverage, color);
    };
    // End columns are covered by the part of the pixel the segment spans.
    const int xa = static_cast<int>(std::lround(x0)), xb = static_cast<int>(std::lround(x1));
    if (xa == xb) {
        const double y = y0 + gradient * (xa - x0);
        // A segment inside one pixel column shows by its length, a dot at least faintly.
        const double weight = std::clamp(dx, 0.25, 1.0);
        put(xa, static_cast<int>(std::floor(y)), (1.0 - fraction(y)) * weight);
        put(xa, static_cast<int>(std::floor(y)) + 1, fraction(y) * weight);
        return;
    }
    const double gapA = 1.0 - fraction(x0 + 0.5), gapB = fraction(x1 + 0.5);
    double y = y0 + gradient * (xa - x0);
    put(xa, static_cast<int>(std::floor(y)), (1.0 - fraction(y)) * gapA);
    put(xa, static_cast<int>(std::floor(y)) + 1, fraction(y) * gapA);
    y += gradient;
    for (int x = xa + 1; x < xb; ++x, y += gradient) {
        const int yi = static_cast<int>(std::floor(y));
        const double f = y - yi;
        put(x, yi, 1.0 - f);
        put(x, yi + 1, f);
    }
    put(xb, static_cast<int>(std::floor(y)), (1.0 - fraction(y)) * gapB);
    put(xb, static_cast<int>(std::floor(y)) + 1, fraction(y) * gapB);
}

}  // namespace dh::render
