// HairlineRaster: one-pixel lines drawn straight into a 32-bit image (cairo's RGB24 layout)
// with anti-aliasing (Wu's method), for the thin solid lines that make up most of a
// drawing. It covers the same pixels as a cairo stroke of width 1 to within the anti-
// aliasing, and is many times faster on dense drawings (see bench/host/render).
// Coordinates are device pixels, pixel centres at half units as in cairo.
#pragma once

#include "host/render/Palette.h"

#include <cstdint>

namespace dh::render {

class HairlineRaster {
public:
    HairlineRaster(unsigned char* data, int stride, int width, int height)
        : m_data(data), m_stride(stride), m_width(width), m_height(height)
    {
    }

    void line(double x0, double y0, double x1, double y1, Rgb color);

private:
    void plot(int x, int y, double coverage, Rgb color);

    unsigned char* m_data;
    int m_stride;
    int m_width;
    int m_height;
};

}  // namespace dh::render
