// cvunit's units: lengths, areas, volumes, angles, times, masses and temperatures, by
// their usual names, plurals and short forms ("m", "meter", "meters", "metre"; "ft",
// "foot", "feet"; "sq yard"; "degree"), matched without regard to case or repeated blanks.
#pragma once

#include <optional>
#include <string_view>

namespace dh::lisp {

// value in from expressed in to; nullopt when a name is unknown or the two units measure
// different things. Temperatures convert with their offsets.
std::optional<double> convertUnits(double value, std::string_view from, std::string_view to);

} // namespace dh::lisp
