// The mode string of acedSSGet taken apart: the selection method and the options of an
// interactive selection. nullopt for a mode the host refuses (RTREJ).
//
// Methods: "" (interactive), "X", "A"/"ALL", "W", "C", "F", "WP", "CP", "L", "P", "I",
// each with or without a leading "_". Options, combinable after the method: ":S" one item
// ends the selection, "+." point picks only, ":D" duplicates kept, ":L" entities on locked
// layers refused, ":E" / ":N" / ":U" / ":V" / "+L" accepted without effect here.
#pragma once

#include <optional>
#include <string_view>

namespace dh::ed {

struct SelectionRequest {
    enum class Method { Interactive, Drawing, Space, Window, Crossing, Fence, WindowPolygon, CrossingPolygon,
                        Last, Previous, Implied };
    Method method = Method::Interactive;
    bool single = false;
    bool pointsOnly = false;
    bool duplicates = false;
    bool rejectLocked = false;

    static std::optional<SelectionRequest> parse(std::string_view mode);
};

}  // namespace dh::ed
