#include <acge/AcGeCurve3d.h>

#include "host/ge/ProjectedCurve2d.h"

#include "host/ge/CurveNumerics.h"

#include <algorithm>

std::vector<double> AcGeCurve3d::paramGrid(double from, double to) const
{
    return dh::ge::uniformGrid(from, to, 16);
}

void AcGeCurve3d::getBounds(double& lower, double& upper, double fallback) const
{
    AcGeInterval range;
    getInterval(range);
    lower = range.isBoundedBelow() ? range.lowerBound() : -fallback;
    upper = range.isBoundedAbove() ? range.upperBound() : fallback;
}

void AcGeCurve3d::getInterval(AcGeInterval& range, AcGePoint3d& startPoint, AcGePoint3d& endPoint) const
{
    getInterval(range);
    if (range.isBoundedBelow())
        startPoint = evalPoint(range.lowerBound());
    if (range.isBoundedAbove())
        endPoint = evalPoint(range.upperBound());
}

bool AcGeCurve3d::hasStartPoint(AcGePoint3d& startPoint) const
{
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedBelow())
        return false;
    startPoint = evalPoint(range.lowerBound());
    return true;
}

bool AcGeCurve3d::hasEndPoint(AcGePoint3d& endPoint) const
{
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedAbove())
        return false;
    endPoint = evalPoint(range.upperBound());
    return true;
}

bool AcGeCurve3d::isClosed(const AcGeTol& tol) const
{
    AcGePoint3d s, e;
    return hasStartPoint(s) && hasEndPoint(e) && s.isEqualTo(e, tol);
}

double AcGeCurve3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return closestParamTo(pnt, false);
}

bool AcGeCurve3d::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt, tol) <= tol.equalPoint();
}

bool AcGeCurve3d::isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol) const
{
    const double t = closestParamTo(pnt, false);
    if (evalPoint(t).distanceTo(pnt) > tol.equalPoint())
        return false;
    param = t;
    return true;
}

bool AcGeCurve3d::isOn(double param, const AcGeTol& tol) const
{
    AcGeInterval range;
    getInterval(range);
    range.setTolerance(tol.equalPoint());
    return range.contains(param);
}

AcGePoint3d AcGeCurve3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return evalPoint(closestParamTo(pnt, false));
}

AcGePoint3d AcGeCurve3d::projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                            const AcGeTol&) const
{
    return evalPoint(projClosestParamTo(pnt, projectDirection, false));
}

namespace {

// The curve seen along a direction: points and derivatives with their component along the
// direction removed.
struct ProjectedView {
    const AcGeCurve3d& curve;
    AcGeVector3d dir;

    AcGePoint3d flatten(const AcGePoint3d& p) const { return p - dir * p.asVector().dotProduct(dir); }
    AcGePoint3d evalPoint(double t) const { return flatten(curve.evalPoint(t)); }
    AcGePoint3d evalPoint(double t, int n, AcGeVector3dArray& d) const
    {
        const AcGePoint3d p = curve.evalPoint(t, n, d);
        for (AcGeVector3d& v : d)
            v = v.orthoProject(dir);
        return flatten(p);
    }
};

} // namespace

double AcGeCurve3d::projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection, bool) const
{
    double lo, hi;
    getBounds(lo, hi);
    return projClosestParamIn(pnt, projectDirection, lo, hi);
}

double AcGeCurve3d::projClosestParamIn(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection, double lo,
                                       double hi) const
{
    const AcGeVector3d dir = projectDirection.normal();
    if (dir.isZeroLength())
        return dh::ge::closestParam(*this, pnt, paramGrid(lo, hi));
    const ProjectedView view{*this, dir};
    return dh::ge::closestParam(view, view.flatten(pnt), paramGrid(lo, hi));
}

double AcGeCurve3d::closestParamTo(const AcGePoint3d& pnt, bool) const
{
    double lo, hi;
    getBounds(lo, hi);
    return dh::ge::closestParam(*this, pnt, paramGrid(lo, hi));
}

double AcGeCurve3d::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

bool AcGeCurve3d::getClosestPointTo(const AcGePoint3d& pnt, AcGePoint3d& result, bool extend) const
{
    AcGePoint3d end;
    if (!hasStartPoint(end) && !hasEndPoint(end) && !isKindOf(AcGe::kLinearEnt3d))
        return false;
    result = evalPoint(closestParamTo(pnt, extend));
    return true;
}

bool AcGeCurve3d::getClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& direction, AcGePoint3d& result,
                                    bool extend) const
{
    AcGePoint3d end;
    if (direction.isZeroLength() || (!hasStartPoint(end) && !hasEndPoint(end) && !isKindOf(AcGe::kLinearEnt3d)))
        return false;
    result = evalPoint(projClosestParamTo(pnt, direction, extend));
    return true;
}

void AcGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  AcGePoint3dArray& pointArray, AcGeDoubleArray& paramArray) const
{
    dh::ge::sampleCurve(*this, paramGrid(fromParam, toParam), approxEps, pointArray, paramArray);
}

void AcGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  AcGePoint3dArray& pointArray) const
{
    AcGeDoubleArray params;
    getSamplePoints(fromParam, toParam, approxEps, pointArray, params);
}

void AcGeCurve3d::getSamplePoints(int numSample, AcGePoint3dArray& pointArray) const
{
    pointArray.removeAll();
    if (numSample <= 0)
        return;
    double lo, hi;
    getBounds(lo, hi);
    if (numSample == 1) {
        pointArray.append(evalPoint(lo));
        return;
    }
    for (double t : dh::ge::uniformGrid(lo, hi, numSample - 1))
        pointArray.append(evalPoint(t));
}

double AcGeCurve3d::length(double fromParam, double toParam, double tol) const
{
    return dh::ge::curveLength(*this, paramGrid(std::min(fromParam, toParam), std::max(fromParam, toParam)), tol);
}

double AcGeCurve3d::paramAtLength(double datumParam, double length, bool posParamDir, double tol) const
{
    double lo, hi;
    getBounds(lo, hi);
    return dh::ge::paramAtCurveLength(*this, paramGrid(datumParam, posParamDir ? hi : lo), length, tol);
}

void AcGeCurve3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    double lo, hi;
    getBounds(lo, hi);
    minPoint = maxPoint = evalPoint(lo);
    auto grow = [&](const AcGePoint3d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y), std::min(minPoint.z, p.z));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y), std::max(maxPoint.z, p.z));
    };
    for (double t : paramGrid(lo, hi))
        grow(evalPoint(t));
    // Sample at a deviation small against the coarse box, then pad by that deviation, so
    // that the box holds the curve.
    const double eps = 1e-4 * (maxPoint - minPoint).length() + 1e-12;
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    getSamplePoints(lo, hi, eps, pts, params);
    for (const AcGePoint3d& p : pts)
        grow(p);
    minPoint -= AcGeVector3d(eps, eps, eps);
    maxPoint += AcGeVector3d(eps, eps, eps);
}

AcGeCurve2d* AcGeCurve3d::convertTo2d(const AcGePlanarEnt& plane) const
{
    return new dh::ge::ProjectedCurve2d(*this, plane);
}
