#include "host/render/Palette.h"

#include <array>
#include <cmath>

namespace dh::render {

namespace {

// Indices 10..249 run through 24 hues 15° apart; within a hue, five brightness steps, each
// once saturated (even index) and once half-saturated (odd index).
Rgb hueColor(int index)
{
    constexpr double kBrightness[5] = {255.0, 165.0, 127.0, 76.0, 38.0};
    const int hue = (index - 10) / 10;
    const int step = (index % 10) / 2;
    const bool pale = index % 2 == 1;
    const double top = kBrightness[step];
    const double low = pale ? top / 2.0 : 0.0;
    const double degrees = hue * 15.0;
    // Distance of each channel's peak (red 0°, green 120°, blue 240°) from the hue.
    auto channel = [&](double peak) {
        double d = std::fabs(std::fmod(degrees - peak + 540.0, 360.0) - 180.0);
        double weight = d <= 60.0 ? 1.0 : d >= 120.0 ? 0.0 : (120.0 - d) / 60.0;
        return static_cast<std::uint8_t>(std::floor(low + (top - low) * weight + 1e-9));
    };
    return {channel(0.0), channel(120.0), channel(240.0)};
}

std::array<Rgb, 256> makeTable()
{
    std::array<Rgb, 256> table{};
    const Rgb basic[10] = {{0, 0, 0},       {255, 0, 0},   {255, 255, 0},   {0, 255, 0},
                           {0, 255, 255},   {0, 0, 255},   {255, 0, 255},   {255, 255, 255},
                           {128, 128, 128}, {192, 192, 192}};
    for (int i = 0; i < 10; ++i)
        table[i] = basic[i];
    for (int i = 10; i < 250; ++i)
        table[i] = hueColor(i);
    for (int i = 250; i < 256; ++i) {
        const auto grey = static_cast<std::uint8_t>(51 * (i - 250));
        table[i] = {grey, grey, grey};
    }
    return table;
}

}  // namespace

Rgb aciColor(int index)
{
    static const std::array<Rgb, 256> kTable = makeTable();
    if (index < 1 || index > 255)
        return kTable[7];
    return kTable[index];
}

}  // namespace dh::render
