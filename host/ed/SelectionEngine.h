// Which candidates a window, crossing, fence, window polygon, crossing polygon or point pick
// takes. Pure functions of the candidates' shapes (display coordinates of the current view);
// which entities are candidates at all (view, layers, space, filter) is the caller's choice.
#pragma once

#include "host/ed/SelectionShape.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace dh::ed {

enum class SelectionMode { Window, Crossing, Fence, WindowPolygon, CrossingPolygon };

struct SelectionQuery {
    SelectionMode mode = SelectionMode::Crossing;
    // Window and crossing: two corners; fence: the polyline; polygons: the outline.
    std::vector<Point2> points;

    // The box every candidate the query can take must overlap (a fast pre-filter).
    Box2 reach() const;
    // Whether the query has enough points to select anything.
    bool isUsable() const;
};

struct SelectionCandidate {
    SelectionShape shape;
    Box2 box;  // the shape's extents
    // Drawing order: the later drawn wins ties of a point pick.
    std::size_t order = 0;
};

bool queryTakes(const SelectionQuery& query, const SelectionCandidate& candidate);

// Indices of the candidates the query takes, in candidate order.
std::vector<std::size_t> runQuery(const SelectionQuery& query, const std::vector<SelectionCandidate>& candidates);

// The candidate nearest to p among those within the square pick box of half-size aperture;
// on equal distance the later drawn. nullopt when none is within the box.
std::optional<std::size_t> pickNearest(const std::vector<SelectionCandidate>& candidates, Point2 p, double aperture);

}  // namespace dh::ed
