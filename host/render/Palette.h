// The host's table of 256 indexed colours (ACI). Index 7 is the foreground colour: black on
// a white background, white on a black one; the caller decides that. Indices 0 and 256
// (by block, by layer) have no colour of their own and answer index 7's.
#pragma once

#include <cstdint>

namespace dh::render {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

Rgb aciColor(int index);

}  // namespace dh::render
