#include <acdb/AcDbCurve.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/EntityCurves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

ACRX_DEFINE_MEMBERS(AcDbCurve, AcDbEntity)

using dh::db::gaussLength;

void AcDbCurve::getSpans(std::vector<Span>& spans) const
{
    spans.clear();
}

bool AcDbCurve::evaluate(double, AcGePoint3d&, AcGeVector3d*, AcGeVector3d*) const
{
    return false;
}

AcDbCurve* AcDbCurve::makePiece(double, double) const
{
    return nullptr;
}

Acad::ErrorStatus AcDbCurve::getStartParam(double& param) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty())
        return Acad::eDegenerateGeometry;
    param = spans.front().start;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double& param) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty())
        return Acad::eDegenerateGeometry;
    param = spans.back().end;
    return Acad::eOk;
}

double AcDbCurve::paramRange(double& start, double& end) const
{
    if (getStartParam(start) != Acad::eOk || getEndParam(end) != Acad::eOk) {
        start = end = 0.0;
        return -1.0;
    }
    return end - start;
}

bool AcDbCurve::normalizeParam(double& param) const
{
    double start, end;
    if (paramRange(start, end) < 0.0 || !std::isfinite(param))
        return false;
    const double tol = 1e-9 * std::max({1.0, std::fabs(start), std::fabs(end)});
    if (param < start - tol || param > end + tol)
        return false;
    param = std::clamp(param, start, end);
    return true;
}

double AcDbCurve::onCurveTolerance() const
{
    AcGePoint3d a, b;
    double size = 0.0;
    if (getStartPoint(a) == Acad::eOk)
        size = std::max({size, std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)});
    if (getEndPoint(b) == Acad::eOk)
        size = std::max({size, std::fabs(b.x), std::fabs(b.y), std::fabs(b.z)});
    return std::max(1e-7, 1e-10 * size);
}

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const
{
    double t;
    Acad::ErrorStatus es = getStartParam(t);
    if (es != Acad::eOk)
        return es;
    return evaluate(t, point) ? Acad::eOk : Acad::eDegenerateGeometry;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const
{
    double t;
    Acad::ErrorStatus es = getEndParam(t);
    if (es != Acad::eOk)
        return es;
    return evaluate(t, point) ? Acad::eOk : Acad::eDegenerateGeometry;
}

Acad::ErrorStatus AcDbCurve::getPointAtParam(double param, AcGePoint3d& point) const
{
    if (!normalizeParam(param))
        return Acad::eInvalidInput;
    return evaluate(param, point) ? Acad::eOk : Acad::eDegenerateGeometry;
}

Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    double t;
    if (!closestParam(point, nullptr, t))
        return Acad::eInvalidInput;
    AcGePoint3d onCurve;
    evaluate(t, onCurve);
    if (onCurve.distanceTo(point) > onCurveTolerance())
        return Acad::eInvalidInput;
    param = t;
    return Acad::eOk;
}

double AcDbCurve::lengthBetween(double t0, double t1) const
{
    std::vector<Span> spans;
    getSpans(spans);
    double length = 0.0;
    for (const Span& span : spans) {
        const double a = std::max(t0, span.start);
        const double b = std::min(t1, span.end);
        if (b <= a)
            continue;
        if (span.uniformSpeed) {
            AcGePoint3d p;
            AcGeVector3d d1;
            evaluate(0.5 * (a + b), p, &d1);
            length += d1.length() * (b - a);
        } else {
            length += gaussLength(*this, a, b);
        }
    }
    return length;
}

Acad::ErrorStatus AcDbCurve::getDistAtParam(double param, double& dist) const
{
    double start, end;
    if (!normalizeParam(param) || paramRange(start, end) < 0.0)
        return Acad::eInvalidInput;
    dist = lengthBetween(start, param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getParamAtDist(double dist, double& param) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty() || !std::isfinite(dist))
        return Acad::eInvalidInput;
    const double total = lengthBetween(spans.front().start, spans.back().end);
    const double tol = 1e-9 * std::max(1.0, total);
    if (dist < -tol || dist > total + tol)
        return Acad::eInvalidInput;
    dist = std::clamp(dist, 0.0, total);
    double done = 0.0;
    for (const Span& span : spans) {
        const double spanLength = lengthBetween(span.start, span.end);
        if (done + spanLength < dist && &span != &spans.back()) {
            done += spanLength;
            continue;
        }
        const double want = dist - done;
        if (spanLength <= 0.0) {
            param = span.start;
        } else if (span.uniformSpeed) {
            param = span.start + (span.end - span.start) * std::min(1.0, want / spanLength);
        } else {
            param = dh::db::solveLength(*this, span.start, span.end, want);
        }
        return Acad::eOk;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d& point, double& dist) const
{
    double param;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    if (es != Acad::eOk)
        return es;
    return getDistAtParam(param, dist);
}

Acad::ErrorStatus AcDbCurve::getPointAtDist(double dist, AcGePoint3d& point) const
{
    double param;
    Acad::ErrorStatus es = getParamAtDist(dist, param);
    if (es != Acad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(double param, AcGeVector3d& deriv) const
{
    AcGePoint3d p;
    if (!normalizeParam(param))
        return Acad::eInvalidInput;
    return evaluate(param, p, &deriv) ? Acad::eOk : Acad::eDegenerateGeometry;
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const
{
    double param;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    return es == Acad::eOk ? getFirstDeriv(param, deriv) : es;
}

Acad::ErrorStatus AcDbCurve::getSecondDeriv(double param, AcGeVector3d& deriv) const
{
    AcGePoint3d p;
    AcGeVector3d d1;
    if (!normalizeParam(param))
        return Acad::eInvalidInput;
    return evaluate(param, p, &d1, &deriv) ? Acad::eOk : Acad::eDegenerateGeometry;
}

Acad::ErrorStatus AcDbCurve::getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const
{
    double param;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    return es == Acad::eOk ? getSecondDeriv(param, deriv) : es;
}

bool AcDbCurve::closestParam(const AcGePoint3d& given, const AcGeVector3d* normal, double& param) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty())
        return false;
    AcGeVector3d n;
    if (normal) {
        if (normal->isZeroLength())
            return false;
        n = normal->normal();
    }
    return dh::db::closestParamOnSpans(*this, spans, given, normal ? &n : nullptr, param);
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                               bool) const
{
    double t;
    if (!closestParam(givenPoint, nullptr, t))
        return Acad::eDegenerateGeometry;
    evaluate(t, pointOnCurve);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPoint, const AcGeVector3d& normal,
                                               AcGePoint3d& pointOnCurve, bool) const
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    double t;
    if (!closestParam(givenPoint, &normal, t))
        return Acad::eDegenerateGeometry;
    evaluate(t, pointOnCurve);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    double start, end;
    const double range = paramRange(start, end);
    if (range < 0.0)
        return Acad::eDegenerateGeometry;
    std::vector<double> cuts;
    for (double p : params) {
        if (!normalizeParam(p))
            return Acad::eInvalidInput;
        cuts.push_back(p);
    }
    const double eps = 1e-10 * std::max({1.0, std::fabs(start), std::fabs(end)});
    const bool closed = isClosed();
    for (double& p : cuts)
        if (closed && end - p <= eps)
            p = start;
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end(), [eps](double a, double b) { return b - a <= eps; }),
               cuts.end());

    std::vector<std::pair<double, double>> pieces;
    if (closed) {
        if (static_cast<int>(cuts.size()) < splitValuesToOpen())
            return Acad::eInvalidInput;
        for (size_t i = 0; i < cuts.size(); ++i)
            pieces.emplace_back(cuts[i], i + 1 < cuts.size() ? cuts[i + 1] : cuts.front() + range);
    } else {
        std::vector<double> bounds{start};
        for (double p : cuts)
            if (p - start > eps && end - p > eps)
                bounds.push_back(p);
        bounds.push_back(end);
        for (size_t i = 0; i + 1 < bounds.size(); ++i)
            pieces.emplace_back(bounds[i], bounds[i + 1]);
    }

    AcDbVoidPtrArray made;
    for (const auto& [t0, t1] : pieces) {
        AcDbCurve* piece = makePiece(t0, t1);
        if (!piece) {
            for (void* p : made)
                delete static_cast<AcDbEntity*>(p);
            return Acad::eNotApplicable;
        }
        piece->setPropertiesFrom(this);
        made.append(piece);
    }
    curveSegments.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const
{
    AcGeDoubleArray params;
    for (const AcGePoint3d& point : points) {
        double param;
        if (getParamAtPoint(point, param) != Acad::eOk)
            return Acad::eInvalidInput;
        params.append(param);
    }
    return getSplitCurves(params, curveSegments);
}

Acad::ErrorStatus AcDbCurve::getSpline(AcDbSpline*&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::extend(double)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::extend(bool, const AcGePoint3d&)
{
    return Acad::eNotApplicable;
}

bool AcDbCurve::isPlanar() const
{
    AcGePlane plane;
    AcDb::Planarity planarity;
    return getPlane(plane, planarity) == Acad::eOk && planarity != AcDb::kNonPlanar;
}

Acad::ErrorStatus AcDbCurve::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    std::vector<AcGePoint3d> points;
    dh::db::sampleCurve(*this, 4, points);
    if (points.empty())
        return Acad::eDegenerateGeometry;
    planarity = dh::db::fitPlane(points, plane, onCurveTolerance());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getArea(double& area) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty())
        return Acad::eDegenerateGeometry;
    AcGePlane plane;
    AcDb::Planarity planarity;
    if (getPlane(plane, planarity) != Acad::eOk)
        return Acad::eDegenerateGeometry;
    if (planarity == AcDb::kLinear) {
        area = 0.0;
        return Acad::eOk;
    }
    area = std::fabs(dh::db::enclosedArea(*this, spans, plane.normal()));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getGeomExtents(AcDbExtents& extents) const
{
    std::vector<Span> spans;
    getSpans(spans);
    if (spans.empty())
        return Acad::eInvalidExtents;
    AcDbExtents box;
    dh::db::addCurveExtents(*this, spans, box);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                           Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, nullptr, points);
}

Acad::ErrorStatus AcDbCurve::intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                           AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, &projPlane, points);
}
