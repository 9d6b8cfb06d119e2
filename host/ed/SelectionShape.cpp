#include "host/ed/SelectionShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dh::ed {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double magnitude(Point2 p) { return std::max(std::fabs(p.x), std::fabs(p.y)); }

// Touching tolerance for coordinates around p: survey drawings sit at 10^5..10^6 units.
double toleranceAt(Point2 p) { return 1e-11 * (1.0 + magnitude(p)); }

double cross(Point2 o, Point2 a, Point2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

double distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

double pointSegmentDistance(Point2 p, const Segment2& s)
{
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    const double lengthSq = dx * dx + dy * dy;
    if (lengthSq == 0.0)
        return distance(p, s.start);
    const double t = std::clamp(((p.x - s.start.x) * dx + (p.y - s.start.y) * dy) / lengthSq, 0.0, 1.0);
    return distance(p, {s.start.x + t * dx, s.start.y + t * dy});
}

bool segmentsMeet(const Segment2& a, const Segment2& b)
{
    const double d1 = cross(a.start, a.end, b.start);
    const double d2 = cross(a.start, a.end, b.end);
    const double d3 = cross(b.start, b.end, a.start);
    const double d4 = cross(b.start, b.end, a.end);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    const double tol = toleranceAt(a.start);
    return pointSegmentDistance(a.start, b) <= tol || pointSegmentDistance(a.end, b) <= tol ||
           pointSegmentDistance(b.start, a) <= tol || pointSegmentDistance(b.end, a) <= tol;
}

double arcPointDistance(const Arc2& arc, Point2 p)
{
    const double angle = std::atan2(p.y - arc.centre.y, p.x - arc.centre.x);
    if (arc.coversAngle(angle))
        return std::fabs(distance(p, arc.centre) - arc.radius);
    return std::min(distance(p, arc.startPoint()), distance(p, arc.endPoint()));
}

bool arcMeetsSegment(const Arc2& arc, const Segment2& s)
{
    const double tol = toleranceAt(arc.centre) + 1e-11 * arc.radius;
    if (arcPointDistance(arc, s.start) <= tol || arcPointDistance(arc, s.end) <= tol)
        return true;
    if (pointSegmentDistance(arc.startPoint(), s) <= tol || pointSegmentDistance(arc.endPoint(), s) <= tol)
        return true;
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    const double fx = s.start.x - arc.centre.x;
    const double fy = s.start.y - arc.centre.y;
    const double a = dx * dx + dy * dy;
    if (a == 0.0)
        return false;
    const double b = 2.0 * (fx * dx + fy * dy);
    const double c = fx * fx + fy * fy - arc.radius * arc.radius;
    double disc = b * b - 4.0 * a * c;
    if (disc < 0.0) {
        // Tangent within tolerance: the line's distance from the centre equals the radius.
        const double lineDistance = std::fabs(fx * dy - fy * dx) / std::sqrt(a);
        if (lineDistance - arc.radius > tol)
            return false;
        disc = 0.0;
    }
    const double root = std::sqrt(disc);
    for (const double t : {(-b - root) / (2.0 * a), (-b + root) / (2.0 * a)}) {
        if (t < 0.0 || t > 1.0)
            continue;
        const double angle = std::atan2(fy + t * dy, fx + t * dx);
        if (arc.coversAngle(angle))
            return true;
    }
    return false;
}

// Liang–Barsky clipping: whether any part of the segment lies in the box.
bool segmentTouchesBox(const Segment2& s, const Box2& box)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = s.end.x - s.start.x;
    const double dy = s.end.y - s.start.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.start.x - box.minX, box.maxX - s.start.x, s.start.y - box.minY, box.maxY - s.start.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    return true;
}

std::vector<Segment2> edgesOf(const std::vector<Point2>& ring)
{
    std::vector<Segment2> edges;
    for (std::size_t i = 0; i < ring.size(); ++i)
        edges.push_back({ring[i], ring[(i + 1) % ring.size()]});
    return edges;
}

std::vector<Segment2> edgesOf(const Box2& box)
{
    return edgesOf(std::vector<Point2>{{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}});
}

Box2 grown(const Box2& box)
{
    const double tol = toleranceAt({box.minX, box.minY}) + toleranceAt({box.maxX, box.maxY});
    return {box.minX - tol, box.minY - tol, box.maxX + tol, box.maxY + tol};
}

// Whether any primitive of the shape meets any of the edges.
bool shapeMeetsEdges(const SelectionShape& shape, const std::vector<Segment2>& edges)
{
    for (const Segment2& edge : edges) {
        for (const Segment2& s : shape.segments)
            if (segmentsMeet(s, edge))
                return true;
        for (const Arc2& arc : shape.arcs)
            if (arcMeetsSegment(arc, edge))
                return true;
        for (const auto& region : shape.regions)
            for (const Segment2& side : edgesOf(region))
                if (segmentsMeet(side, edge))
                    return true;
    }
    return false;
}

// One point of every primitive, for containment tests.
std::vector<Point2> representativePoints(const SelectionShape& shape)
{
    std::vector<Point2> points;
    for (const Segment2& s : shape.segments) {
        points.push_back(s.start);
        points.push_back(s.end);
    }
    for (const Arc2& arc : shape.arcs) {
        points.push_back(arc.startPoint());
        points.push_back(arc.endPoint());
    }
    for (const auto& region : shape.regions)
        points.insert(points.end(), region.begin(), region.end());
    return points;
}

}  // namespace

Box2 Box2::of(Point2 a, Point2 b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void Box2::add(Point2 p)
{
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Box2::add(const Box2& other)
{
    if (other.isEmpty())
        return;
    add(Point2{other.minX, other.minY});
    add(Point2{other.maxX, other.maxY});
}

bool Box2::contains(Point2 p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }

bool Box2::contains(const Box2& other) const
{
    return other.minX >= minX && other.maxX <= maxX && other.minY >= minY && other.maxY <= maxY;
}

bool Box2::overlaps(const Box2& other) const
{
    return other.minX <= maxX && other.maxX >= minX && other.minY <= maxY && other.maxY >= minY;
}

Point2 Arc2::pointAt(double angle) const
{
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

bool Arc2::coversAngle(double angle) const
{
    if (sweep >= kTwoPi - 1e-12)
        return true;
    double offset = std::fmod(angle - startAngle, kTwoPi);
    if (offset < 0.0)
        offset += kTwoPi;
    return offset <= sweep + 1e-12 || offset >= kTwoPi - 1e-12;
}

Box2 Arc2::extents() const
{
    Box2 box = Box2::empty();
    box.add(startPoint());
    box.add(endPoint());
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double angle = quadrant * std::numbers::pi / 2.0;
        if (coversAngle(angle))
            box.add(pointAt(angle));
    }
    return box;
}

void SelectionShape::addPolyline(const std::vector<Point2>& points, bool closed)
{
    if (points.size() == 1)
        addPoint(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        segments.push_back({points[i], points[i + 1]});
    if (closed && points.size() > 2)
        segments.push_back({points.back(), points.front()});
}

void SelectionShape::addBulgeSegment(Point2 from, Point2 to, double bulge)
{
    const double chord = distance(from, to);
    if (bulge == 0.0 || chord == 0.0 || !std::isfinite(bulge)) {
        segments.push_back({from, to});
        return;
    }
    // The centre lies off the chord's midpoint along its left normal, by cot(θ/2)·c/2.
    const double offset = (chord / 2.0) * (1.0 - bulge * bulge) / (2.0 * bulge);
    const Point2 mid{(from.x + to.x) / 2.0, (from.y + to.y) / 2.0};
    const Point2 normal{-(to.y - from.y) / chord, (to.x - from.x) / chord};
    const Point2 centre{mid.x + normal.x * offset, mid.y + normal.y * offset};
    const double sweep = std::fabs(4.0 * std::atan(bulge));
    const Point2 first = bulge > 0.0 ? from : to;
    arcs.push_back({centre, distance(centre, from), std::atan2(first.y - centre.y, first.x - centre.x), sweep});
}

Box2 SelectionShape::extents() const
{
    Box2 box = Box2::empty();
    for (const Segment2& s : segments) {
        box.add(s.start);
        box.add(s.end);
    }
    for (const Arc2& arc : arcs)
        box.add(arc.extents());
    for (const auto& region : regions)
        for (const Point2& p : region)
            box.add(p);
    return box;
}

bool shapeInsideBox(const SelectionShape& shape, const Box2& box)
{
    return !shape.isEmpty() && grown(box).contains(shape.extents());
}

bool shapeTouchesBox(const SelectionShape& shape, const Box2& box)
{
    const Box2 area = grown(box);
    for (const Segment2& s : shape.segments)
        if (segmentTouchesBox(s, area))
            return true;
    for (const Arc2& arc : shape.arcs)
        if (area.contains(arc.startPoint()) || area.contains(arc.endPoint()))
            return true;
    for (const auto& region : shape.regions) {
        for (const Segment2& side : edgesOf(region))
            if (segmentTouchesBox(side, area))
                return true;
        if (pointInPolygon({(box.minX + box.maxX) / 2.0, (box.minY + box.maxY) / 2.0}, region))
            return true;
    }
    if (shape.arcs.empty())
        return false;
    SelectionShape arcsOnly;
    arcsOnly.arcs = shape.arcs;
    return shapeMeetsEdges(arcsOnly, edgesOf(area));
}

bool shapeMeetsFence(const SelectionShape& shape, const std::vector<Point2>& fence)
{
    std::vector<Segment2> edges;
    for (std::size_t i = 0; i + 1 < fence.size(); ++i)
        edges.push_back({fence[i], fence[i + 1]});
    if (fence.size() == 1)
        edges.push_back({fence[0], fence[0]});
    if (shapeMeetsEdges(shape, edges))
        return true;
    for (const auto& region : shape.regions)
        if (!fence.empty() && pointInPolygon(fence.front(), region))
            return true;
    return false;
}

bool shapeInsidePolygon(const SelectionShape& shape, const std::vector<Point2>& polygon)
{
    if (shape.isEmpty() || polygon.size() < 3)
        return false;
    for (const Point2& p : representativePoints(shape))
        if (!pointInPolygon(p, polygon))
            return false;
    return !shapeMeetsEdges(shape, edgesOf(polygon));
}

bool shapeTouchesPolygon(const SelectionShape& shape, const std::vector<Point2>& polygon)
{
    if (shape.isEmpty() || polygon.size() < 3)
        return false;
    for (const Point2& p : representativePoints(shape))
        if (pointInPolygon(p, polygon))
            return true;
    if (shapeMeetsEdges(shape, edgesOf(polygon)))
        return true;
    for (const auto& region : shape.regions)
        if (pointInPolygon(polygon.front(), region))
            return true;
    return false;
}

double distanceToShape(const SelectionShape& shape, Point2 p)
{
    double best = 1e300;
    for (const Segment2& s : shape.segments)
        best = std::min(best, pointSegmentDistance(p, s));
    for (const Arc2& arc : shape.arcs)
        best = std::min(best, arcPointDistance(arc, p));
    for (const auto& region : shape.regions) {
        if (pointInPolygon(p, region))
            return 0.0;
        for (const Segment2& side : edgesOf(region))
            best = std::min(best, pointSegmentDistance(p, side));
    }
    return best;
}

bool pointInPolygon(Point2 p, const std::vector<Point2>& polygon)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point2& a = polygon[i];
        const Point2& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

}  // namespace dh::ed
