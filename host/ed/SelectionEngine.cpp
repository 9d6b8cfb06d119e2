#include "host/ed/SelectionEngine.h"

#include <cmath>

namespace dh::ed {

Box2 SelectionQuery::reach() const
{
    Box2 box = Box2::empty();
    for (const Point2& p : points)
        box.add(p);
    return box;
}

bool SelectionQuery::isUsable() const
{
    switch (mode) {
    case SelectionMode::Window:
    case SelectionMode::Crossing:
        return points.size() == 2;
    case SelectionMode::Fence:
        return points.size() >= 2;
    case SelectionMode::WindowPolygon:
    case SelectionMode::CrossingPolygon:
        return points.size() >= 3;
    }
    return false;
}

bool queryTakes(const SelectionQuery& query, const SelectionCandidate& candidate)
{
    if (candidate.shape.isEmpty())
        return false;
    switch (query.mode) {
    case SelectionMode::Window:
        return shapeInsideBox(candidate.shape, Box2::of(query.points[0], query.points[1]));
    case SelectionMode::Crossing:
        return shapeTouchesBox(candidate.shape, Box2::of(query.points[0], query.points[1]));
    case SelectionMode::Fence:
        return shapeMeetsFence(candidate.shape, query.points);
    case SelectionMode::WindowPolygon:
        return shapeInsidePolygon(candidate.shape, query.points);
    case SelectionMode::CrossingPolygon:
        return shapeTouchesPolygon(candidate.shape, query.points);
    }
    return false;
}

std::vector<std::size_t> runQuery(const SelectionQuery& query, const std::vector<SelectionCandidate>& candidates)
{
    std::vector<std::size_t> taken;
    if (!query.isUsable())
        return taken;
    Box2 reach = query.reach();
    const double slack = 1e-9 * (1.0 + std::fabs(reach.maxX) + std::fabs(reach.maxY));
    reach = {reach.minX - slack, reach.minY - slack, reach.maxX + slack, reach.maxY + slack};
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (reach.overlaps(candidates[i].box) && queryTakes(query, candidates[i]))
            taken.push_back(i);
    return taken;
}

std::optional<std::size_t> pickNearest(const std::vector<SelectionCandidate>& candidates, Point2 p, double aperture)
{
    const Box2 pickBox{p.x - aperture, p.y - aperture, p.x + aperture, p.y + aperture};
    std::optional<std::size_t> best;
    double bestDistance = 0.0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const SelectionCandidate& c = candidates[i];
        if (!pickBox.overlaps(c.box) || !shapeTouchesBox(c.shape, pickBox))
            continue;
        const double d = distanceToShape(c.shape, p);
        // Distances equal to rounding count as a tie, which the later drawn wins.
        const double tie = 1e-12 * (1.0 + std::fabs(p.x) + std::fabs(p.y));
        if (!best || d < bestDistance - tie ||
            (std::fabs(d - bestDistance) <= tie && c.order > candidates[*best].order)) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace dh::ed
