#include "host/db/entities/EntityCurves.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbText.h>
#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeEllipArc3d.h>
#include <acge/AcGeKnotVector.h>
#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGeNurbCurve3d.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/PointChain.h"
#include "host/ge/CurveIntersector.h"

#include <algorithm>
#include <cmath>

namespace dh::db {

namespace {

// Nested blocks deeper than this are taken to be a reference cycle.
constexpr int kMaxDepth = 16;

void addComposite(EntityCurves& out, AcGeCurve3dPtrArray& parts)
{
    if (parts.isEmpty())
        return;
    for (AcGeCurve3d* part : parts)
        out.keep(part);
    out.add(new AcGeCompositeCurve3d(parts));
}

void addPolyline(const AcDbPolyline& pline, EntityCurves& out)
{
    AcGeCurve3dPtrArray parts;
    const unsigned int n = pline.numVerts();
    for (unsigned int i = 0; i < n; ++i) {
        AcGePoint3d p;
        pline.getPointAt(i, p);
        out.noteScale(p);
        if (pline.segType(i) == AcDbPolyline::kLine) {
            auto* seg = new AcGeLineSeg3d();
            pline.getLineSegAt(i, *seg);
            parts.append(seg);
        } else if (pline.segType(i) == AcDbPolyline::kArc) {
            auto* arc = new AcGeCircArc3d();
            pline.getArcSegAt(i, *arc);
            parts.append(arc);
        }
    }
    addComposite(out, parts);
}

void addChain(const PointChain& chain, EntityCurves& out)
{
    AcGeCurve3dPtrArray parts;
    const auto& points = chain.points();
    const size_t n = points.size() < 2 ? 0 : chain.isClosed() ? points.size() : points.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const AcGePoint3d& a = points[i];
        const AcGePoint3d& b = points[(i + 1) % points.size()];
        out.noteScale(a);
        if (!a.isEqualTo(b))
            parts.append(new AcGeLineSeg3d(a, b));
    }
    addComposite(out, parts);
}

void addOutline(const AcGePoint3dArray& corners, EntityCurves& out)
{
    AcGeCurve3dPtrArray parts;
    for (int i = 0; i < corners.length(); ++i) {
        out.noteScale(corners[i]);
        const AcGePoint3d& b = corners[(i + 1) % corners.length()];
        if (!corners[i].isEqualTo(b))
            parts.append(new AcGeLineSeg3d(corners[i], b));
    }
    addComposite(out, parts);
}

bool addSpline(const AcDbSpline& spline, EntityCurves& out)
{
    int degree;
    bool rational, closed, periodic;
    AcGePoint3dArray points;
    AcGeDoubleArray knots, weights;
    double cpTol, knotTol;
    if (spline.getNurbsData(degree, rational, closed, periodic, points, knots, weights, cpTol, knotTol) != Acad::eOk)
        return false;
    for (const AcGePoint3d& p : points)
        out.noteScale(p);
    const AcGeKnotVector kv(knots, std::max(knotTol, 1e-12));
    out.add(rational ? new AcGeNurbCurve3d(degree, kv, points, weights) : new AcGeNurbCurve3d(degree, kv, points));
    return true;
}

bool addCurve(const AcDbEntity& entity, EntityCurves& out)
{
    if (const auto* line = AcDbLine::cast(&entity)) {
        out.noteScale(line->startPoint());
        out.noteScale(line->endPoint());
        out.add(new AcGeLineSeg3d(line->startPoint(), line->endPoint()));
    } else if (const auto* arc = AcDbArc::cast(&entity)) {
        AcGeVector3d x, y;
        ecsAxes(arc->normal(), x, y);
        out.noteScale(arc->center());
        out.add(new AcGeCircArc3d(arc->center(), arc->normal(), x, arc->radius(), arc->startAngle(),
                                  arc->startAngle() + arc->totalAngle()));
    } else if (const auto* circle = AcDbCircle::cast(&entity)) {
        out.noteScale(circle->center());
        out.add(new AcGeCircArc3d(circle->center(), circle->normal(), circle->radius()));
    } else if (const auto* ellipse = AcDbEllipse::cast(&entity)) {
        const AcGeVector3d major = ellipse->majorAxis(), minor = ellipse->minorAxis();
        out.noteScale(ellipse->center());
        out.add(new AcGeEllipArc3d(ellipse->center(), major.normal(), minor.normal(), major.length(), minor.length(),
                                   ellipse->startParam(), ellipse->endParam()));
    } else if (const auto* spline = AcDbSpline::cast(&entity)) {
        addSpline(*spline, out);
    } else if (const auto* pline = AcDbPolyline::cast(&entity)) {
        addPolyline(*pline, out);
    } else if (const auto* pline2d = AcDb2dPolyline::cast(&entity)) {
        addPolyline(pline2d->shape(), out);
    } else if (const auto* pline3d = AcDb3dPolyline::cast(&entity)) {
        addChain(pline3d->shape(), out);
    } else if (const auto* curve = AcDbCurve::cast(&entity)) {
        // Any other curve (a leader) through its own spans, as a chain of its span ends.
        std::vector<AcDbCurve::Span> spans;
        curve->getSpans(spans);
        std::vector<AcGePoint3d> points;
        for (const AcDbCurve::Span& span : spans) {
            AcGePoint3d p;
            if (points.empty()) {
                curve->evaluate(span.start, p);
                points.push_back(p);
            }
            curve->evaluate(span.end, p);
            points.push_back(p);
        }
        addChain(PointChain(points, false), out);
    } else {
        return false;
    }
    return true;
}

// Points closer than tol count once (a crossing at a shared vertex of two segments is
// found by both); the first of each group is kept, in order. Sorting by x keeps this
// O(n log n) for the thousands of crossings of long contour lines.
std::vector<AcGePoint3d> withoutDuplicates(const std::vector<AcGePoint3d>& points, double tol)
{
    std::vector<size_t> order(points.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return points[a].x < points[b].x; });
    std::vector<bool> dropped(points.size(), false);
    for (size_t i = 0; i < order.size(); ++i) {
        if (dropped[order[i]])
            continue;
        for (size_t j = i + 1; j < order.size() && points[order[j]].x - points[order[i]].x <= tol; ++j)
            if (points[order[j]].distanceTo(points[order[i]]) <= tol)
                dropped[std::max(order[i], order[j])] = true;
    }
    std::vector<AcGePoint3d> out;
    for (size_t i = 0; i < points.size(); ++i)
        if (!dropped[i])
            out.push_back(points[i]);
    return out;
}

} // namespace

void EntityCurves::add(AcGeCurve3d* curve)
{
    m_owned.emplace_back(curve);
    m_top.push_back(curve);
}

void EntityCurves::keep(AcGeCurve3d* curve)
{
    m_owned.emplace_back(curve);
}

void EntityCurves::noteScale(const AcGePoint3d& p)
{
    m_scale = std::max({m_scale, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
}

void collectEntityCurves(const AcDbEntity& entity, EntityCurves& out, int depth)
{
    if (addCurve(entity, out))
        return;
    AcGePoint3dArray corners;
    if (const auto* text = AcDbText::cast(&entity)) {
        if (text->getBoundingPoints(corners) == Acad::eOk)
            addOutline(corners, out);
        return;
    }
    if (const auto* mtext = AcDbMText::cast(&entity)) {
        if (mtext->getBoundingPoints(corners) == Acad::eOk && corners.length() == 4) {
            // Corners come as top left, top right, bottom left, bottom right.
            AcGePoint3dArray ring;
            ring.append(corners[0]);
            ring.append(corners[1]);
            ring.append(corners[3]);
            ring.append(corners[2]);
            addOutline(ring, out);
        }
        return;
    }
    if (depth >= kMaxDepth)
        return;
    AcDbVoidPtrArray parts;
    entity.explode(parts);
    for (void* p : parts) {
        auto* part = static_cast<AcDbEntity*>(p);
        collectEntityCurves(*part, out, depth + 1);
        delete part;
    }
}

Acad::ErrorStatus intersectEntities(const AcDbEntity& a, const AcDbEntity& b, AcDb::Intersect mode,
                                    const AcGePlane* plane, AcGePoint3dArray& points)
{
    EntityCurves curvesA, curvesB;
    collectEntityCurves(a, curvesA);
    collectEntityCurves(b, curvesB);
    dh::ge::IntersectOptions options;
    options.extend1 = mode == AcDb::kExtendThis || mode == AcDb::kExtendBoth;
    options.extend2 = mode == AcDb::kExtendArg || mode == AcDb::kExtendBoth;
    // Survey drawings sit far from the origin: the tolerance grows with the coordinates.
    const double scale = std::max(curvesA.scale(), curvesB.scale());
    options.tol.setEqualPoint(std::max(AcGeContext::gTol.equalPoint(), 1e-12 * scale));
    std::vector<AcGePoint3d> found;
    for (const AcGeCurve3d* ca : curvesA.curves()) {
        for (const AcGeCurve3d* cb : curvesB.curves()) {
            const std::vector<dh::ge::CurveHit> hits = plane ? dh::ge::intersectCurvesInPlane(*ca, *cb, *plane, options)
                                                             : dh::ge::intersectCurvesInSpace(*ca, *cb, options);
            for (const dh::ge::CurveHit& hit : hits)
                found.push_back(ca->evalPoint(hit.param1));
        }
    }
    for (const AcGePoint3d& p : withoutDuplicates(found, options.tol.equalPoint()))
        points.append(p);
    return Acad::eOk;
}

} // namespace dh::db
