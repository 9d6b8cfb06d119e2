#include "host/ed/EntityShapes.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbCurve.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGeVector3d.h>
#include <acrx/AcRxClass.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace dh::ed {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Pieces of a span that is neither straight nor circular (ellipses, splines).
constexpr int kSamplesPerSpan = 48;
// Block references inside block references: deeper nesting is drawn as its extents.
constexpr int kMaxExplodeDepth = 4;

Point2 toDisplay(const AcGePoint3d& p, const View& view)
{
    const ViewPoint d = view.worldToDisplay({p.x, p.y, p.z});
    return {d.x, d.y};
}

bool isClass(const AcDbEntity& entity, const char* name)
{
    return std::strcmp(entity.isA()->name(), name) == 0;
}

bool isTextLike(const AcDbEntity& entity)
{
    return isClass(entity, "AcDbText") || isClass(entity, "AcDbMText") || isClass(entity, "AcDbAttribute") ||
           isClass(entity, "AcDbAttributeDefinition");
}

bool isCompound(const AcDbEntity& entity)
{
    for (const AcRxClass* c = entity.isA(); c != nullptr; c = c->myParent()) {
        const char* name = c->name();
        if (std::strcmp(name, "AcDbBlockReference") == 0 || std::strcmp(name, "AcDbDimension") == 0 ||
            std::strcmp(name, "AcDbLeader") == 0)
            return true;
    }
    return false;
}

double turn(Point2 a, Point2 b, Point2 c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

// The circle through three points; nullopt when they are (nearly) on a line.
std::optional<Arc2> circleThrough(Point2 a, Point2 b, Point2 c)
{
    // Relative to a, and straight below a turn of 1e-9: points evaluated on a straight span
    // at survey coordinates (10^5..10^6) stray by rounding, which must not make a circle of
    // radius 10^12 whose arc then meets what lies beyond the span.
    const double bx = b.x - a.x, by = b.y - a.y;
    const double cx = c.x - a.x, cy = c.y - a.y;
    const double d = 2.0 * (bx * cy - by * cx);
    const double scale = std::hypot(bx, by) + std::hypot(c.x - b.x, c.y - b.y);
    if (std::fabs(d) <= 1e-9 * scale * scale)
        return std::nullopt;
    const double b2 = bx * bx + by * by;
    const double c2 = cx * cx + cy * cy;
    Arc2 arc;
    const double ux = (cy * b2 - by * c2) / d;
    const double uy = (bx * c2 - cx * b2) / d;
    arc.centre = {a.x + ux, a.y + uy};
    arc.radius = std::hypot(ux, uy);
    return arc;
}

double angleOf(const Arc2& arc, Point2 p) { return std::atan2(p.y - arc.centre.y, p.x - arc.centre.x); }

double ccwFrom(double from, double to)
{
    double d = std::fmod(to - from, kTwoPi);
    return d < 0.0 ? d + kTwoPi : d;
}

void addSampled(SelectionShape& shape, const AcDbCurve& curve, const AcDbCurve::Span& span, const View& view)
{
    std::vector<Point2> points;
    for (int i = 0; i <= kSamplesPerSpan; ++i) {
        AcGePoint3d p;
        if (curve.evaluate(span.start + (span.end - span.start) * i / kSamplesPerSpan, p))
            points.push_back(toDisplay(p, view));
    }
    shape.addPolyline(points, false);
}

// A span of constant speed is straight or a circular arc; in a view that tilts its plane it
// shows as an ellipse, which the fourth point check catches.
void addSpan(SelectionShape& shape, const AcDbCurve& curve, const AcDbCurve::Span& span, const View& view)
{
    Point2 p[5];
    for (int i = 0; i < 5; ++i) {
        AcGePoint3d w;
        if (!curve.evaluate(span.start + (span.end - span.start) * i / 4.0, w))
            return;
        p[i] = toDisplay(w, view);
    }
    const double size = std::hypot(p[4].x - p[0].x, p[4].y - p[0].y) + std::hypot(p[2].x - p[0].x, p[2].y - p[0].y);
    const double tol = 1e-9 * (1.0 + size) + 1e-12 * (std::fabs(p[0].x) + std::fabs(p[0].y));
    if (!span.uniformSpeed) {
        addSampled(shape, curve, span, view);
        return;
    }
    const std::optional<Arc2> circle = circleThrough(p[0], p[1], p[3]);
    if (!circle) {
        shape.segments.push_back({p[0], p[4]});
        return;
    }
    Arc2 arc = *circle;
    if (std::fabs(std::hypot(p[2].x - arc.centre.x, p[2].y - arc.centre.y) - arc.radius) > tol ||
        std::fabs(std::hypot(p[4].x - arc.centre.x, p[4].y - arc.centre.y) - arc.radius) > tol) {
        addSampled(shape, curve, span, view);
        return;
    }
    const bool ccw = turn(p[0], p[1], p[3]) > 0.0;
    const double a0 = angleOf(arc, p[0]);
    const double aQuarter = angleOf(arc, p[1]);
    const double aEnd = angleOf(arc, p[4]);
    double sweep = ccw ? ccwFrom(a0, aEnd) : ccwFrom(aEnd, a0);
    const double toQuarter = ccw ? ccwFrom(a0, aQuarter) : ccwFrom(aQuarter, a0);
    if (sweep <= toQuarter)  // the span closes on itself
        sweep = kTwoPi;
    arc.startAngle = ccw ? a0 : aEnd;
    arc.sweep = std::min(sweep, kTwoPi);
    shape.arcs.push_back(arc);
}

void addCurve(SelectionShape& shape, const AcDbCurve& curve, const View& view)
{
    std::vector<AcDbCurve::Span> spans;
    curve.getSpans(spans);
    for (const AcDbCurve::Span& span : spans)
        addSpan(shape, curve, span, view);
}

void addExtentsOutline(SelectionShape& shape, const AcDbEntity& entity, const View& view, bool filled)
{
    AcDbExtents extents;
    if (entity.getGeomExtents(extents) != Acad::eOk || extents.isEmpty())
        return;
    const AcGePoint3d& lo = extents.minPoint();
    const AcGePoint3d& hi = extents.maxPoint();
    if (lo.x == hi.x && lo.y == hi.y) {
        shape.addPoint(toDisplay(lo, view));
        return;
    }
    const std::vector<Point2> corners{toDisplay({lo.x, lo.y, lo.z}, view), toDisplay({hi.x, lo.y, lo.z}, view),
                                      toDisplay({hi.x, hi.y, lo.z}, view), toDisplay({lo.x, hi.y, lo.z}, view)};
    if (filled)
        shape.regions.push_back(corners);
    else
        shape.addPolyline(corners, true);
}

bool isUpright(const AcGeVector3d& normal) { return normal.x == 0.0 && normal.y == 0.0 && normal.z > 0.0; }

// The common entities of a plan view, read directly: the curve interface evaluates a span
// at a time and finds extents by search, ten times slower on a drawing of arcs
// (ed_selection_bench). False for anything else.
bool addPlanShape(SelectionShape& shape, const AcDbEntity& entity, const View& view)
{
    if (!view.isPlan())
        return false;
    const double dx = -view.target.x;
    const double dy = -view.target.y;
    if (const AcDbLine* line = AcDbLine::cast(&entity)) {
        const AcGePoint3d a = line->startPoint();
        const AcGePoint3d b = line->endPoint();
        shape.segments.push_back({{a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}});
        return true;
    }
    if (const AcDbArc* arc = AcDbArc::cast(&entity)) {
        if (!isUpright(arc->normal()))
            return false;
        const AcGePoint3d c = arc->center();
        double sweep = std::fmod(arc->endAngle() - arc->startAngle(), kTwoPi);
        if (sweep <= 0.0)
            sweep += kTwoPi;
        shape.arcs.push_back({{c.x + dx, c.y + dy}, arc->radius(), arc->startAngle(), sweep});
        return true;
    }
    if (const AcDbCircle* circle = AcDbCircle::cast(&entity)) {
        if (!isUpright(circle->normal()))
            return false;
        const AcGePoint3d c = circle->center();
        shape.arcs.push_back({{c.x + dx, c.y + dy}, circle->radius(), 0.0, kTwoPi});
        return true;
    }
    if (const AcDbPolyline* polyline = AcDbPolyline::cast(&entity)) {
        if (!isUpright(polyline->normal()))
            return false;
        const unsigned n = polyline->numVerts();
        const unsigned segments = polyline->isClosed() ? n : (n == 0 ? 0 : n - 1);
        AcGePoint2d first;
        if (n == 1 && polyline->getPointAt(0, first) == Acad::eOk)
            shape.addPoint({first.x + dx, first.y + dy});
        for (unsigned i = 0; i < segments; ++i) {
            AcGePoint2d a, b;
            double bulge = 0.0;
            if (polyline->getPointAt(i, a) != Acad::eOk || polyline->getPointAt((i + 1) % n, b) != Acad::eOk)
                return false;
            polyline->getBulgeAt(i, bulge);
            shape.addBulgeSegment({a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}, bulge);
        }
        return true;
    }
    if (const AcDbPoint* point = AcDbPoint::cast(&entity)) {
        shape.addPoint({point->position().x + dx, point->position().y + dy});
        return true;
    }
    return false;
}

void addEntity(SelectionShape& shape, const AcDbEntity& entity, const View& view, int depth)
{
    if (addPlanShape(shape, entity, view))
        return;
    if (const AcDbCurve* curve = AcDbCurve::cast(&entity)) {
        addCurve(shape, *curve, view);
        return;
    }
    if (isTextLike(entity)) {
        addExtentsOutline(shape, entity, view, true);
        return;
    }
    if (isCompound(entity) && depth < kMaxExplodeDepth) {
        AcDbVoidPtrArray parts;
        if (entity.explode(parts) == Acad::eOk && parts.length() > 0) {
            for (int i = 0; i < parts.length(); ++i) {
                std::unique_ptr<AcDbEntity> part(static_cast<AcDbEntity*>(parts[i]));
                if (part)
                    addEntity(shape, *part, view, depth + 1);
            }
            return;
        }
    }
    // Points, solids, hatches, kept raw entities: their extents (a point for a point).
    addExtentsOutline(shape, entity, view, !isClass(entity, "AcDbPoint"));
}

}  // namespace

Box2 displayBoxOf(const AcDbExtents& extents, const View& view)
{
    const AcGePoint3d& lo = extents.minPoint();
    const AcGePoint3d& hi = extents.maxPoint();
    Box2 box = Box2::empty();
    if (view.isPlan() && view.target.x == 0.0 && view.target.y == 0.0) {
        box.add(Point2{lo.x, lo.y});
        box.add(Point2{hi.x, hi.y});
        return box;
    }
    for (int corner = 0; corner < 8; ++corner)
        box.add(toDisplay({(corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y, (corner & 4) ? hi.z : lo.z}, view));
    return box;
}

std::optional<Box2> displayExtents(const AcDbEntity& entity, const View& view)
{
    SelectionShape plan;
    if (addPlanShape(plan, entity, view)) {
        const Box2 box = plan.extents();
        return box.isEmpty() ? std::nullopt : std::optional<Box2>(box);
    }
    AcDbExtents extents;
    if (entity.getGeomExtents(extents) != Acad::eOk || extents.isEmpty())
        return std::nullopt;
    return displayBoxOf(extents, view);
}

SelectionShape shapeOfEntity(const AcDbEntity& entity, const View& view)
{
    SelectionShape shape;
    addEntity(shape, entity, view, 0);
    return shape;
}

}  // namespace dh::ed
