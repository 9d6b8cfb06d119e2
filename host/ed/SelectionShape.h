// The plane geometry that selection tests an entity by: line segments, circular arcs and
// filled regions (text boxes), in display coordinates of the current view.
//
// Curves are exact (segments and arcs); curves that are neither (splines, ellipses) arrive
// sampled. Every predicate works with the absolute tolerance `kSelectionTolerance` scaled by
// the coordinates' size, so that an edge lying exactly on a window edge counts as touching.
#pragma once

#include <vector>

namespace dh::ed {

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

struct Box2 {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    static Box2 empty() { return {1e300, 1e300, -1e300, -1e300}; }
    static Box2 of(Point2 a, Point2 b);
    bool isEmpty() const { return minX > maxX || minY > maxY; }
    void add(Point2 p);
    void add(const Box2& other);
    bool contains(Point2 p) const;
    bool contains(const Box2& other) const;
    bool overlaps(const Box2& other) const;
};

struct Segment2 {
    Point2 start;
    Point2 end;
};

// A counter-clockwise arc from `startAngle` over `sweep` radians (0 < sweep <= 2π).
struct Arc2 {
    Point2 centre;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;

    Point2 pointAt(double angle) const;
    Point2 startPoint() const { return pointAt(startAngle); }
    Point2 endPoint() const { return pointAt(startAngle + sweep); }
    bool coversAngle(double angle) const;
    Box2 extents() const;
};

struct SelectionShape {
    std::vector<Segment2> segments;  // zero-length segments stand for points
    std::vector<Arc2> arcs;
    std::vector<std::vector<Point2>> regions;  // closed outlines whose inside belongs too

    void addPoint(Point2 p) { segments.push_back({p, p}); }
    void addPolyline(const std::vector<Point2>& points, bool closed);
    // A bulged polyline segment: bulge = tan(included angle / 4), negative clockwise.
    void addBulgeSegment(Point2 from, Point2 to, double bulge);
    bool isEmpty() const { return segments.empty() && arcs.empty() && regions.empty(); }
    Box2 extents() const;
};

// Window: the whole shape lies inside the box.
bool shapeInsideBox(const SelectionShape& shape, const Box2& box);
// Crossing: some part of the shape lies inside or on the box.
bool shapeTouchesBox(const SelectionShape& shape, const Box2& box);
// Fence: the shape meets the open polyline through `fence`.
bool shapeMeetsFence(const SelectionShape& shape, const std::vector<Point2>& fence);
// Window polygon: the whole shape lies inside the closed polygon (no edge crossed).
bool shapeInsidePolygon(const SelectionShape& shape, const std::vector<Point2>& polygon);
// Crossing polygon: some part of the shape lies inside or on the closed polygon.
bool shapeTouchesPolygon(const SelectionShape& shape, const std::vector<Point2>& polygon);
// The shortest distance from a point to the shape (0 inside a region).
double distanceToShape(const SelectionShape& shape, Point2 p);

bool pointInPolygon(Point2 p, const std::vector<Point2>& polygon);

}  // namespace dh::ed
