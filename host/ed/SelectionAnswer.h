// One line typed at "Select objects: ": a point (pick), "#H1 #H2 …" (handles; a lone "#" for
// none, as an empty selection set is answered), ALL, W/C
// with two corners, F with fence points, WP/CP with polygon points, L (last), P (previous),
// R (remove mode), A (add mode), or the empty line that ends the selection. Words are
// case-insensitive and may carry the "_" prefix; points follow the word on the same line,
// separated by blanks (missing ones are asked for).
#pragma once

#include "host/ed/AnswerParser.h"

#include <string>
#include <string_view>
#include <vector>

namespace dh::ed {

struct SelectionAnswer {
    enum class Kind {
        End,
        Pick,
        Handles,
        All,
        Window,
        Crossing,
        Fence,
        WindowPolygon,
        CrossingPolygon,
        Last,
        Previous,
        Remove,
        Add,
        Invalid,
    };
    Kind kind = Kind::Invalid;
    std::vector<Point3> points;
    std::vector<std::string> handles;  // hex, without '#'
};

// last: LASTPOINT, for "@dx,dy" points.
SelectionAnswer parseSelectionAnswer(std::string_view line, const Point3& last);

// How many points a kind needs at least (0 for kinds without points).
std::size_t minimumPoints(SelectionAnswer::Kind kind);

}  // namespace dh::ed
