#include <acge/AcGePointOnCurve2d.h>

#include "host/ge/CurveNumerics.h"

#include <algorithm>

std::vector<double> AcGeCurve2d::paramGrid(double from, double to) const
{
    return dh::ge::uniformGrid(from, to, 16);
}

void AcGeCurve2d::getBounds(double& lower, double& upper, double fallback) const
{
    AcGeInterval range;
    getInterval(range);
    lower = range.isBoundedBelow() ? range.lowerBound() : -fallback;
    upper = range.isBoundedAbove() ? range.upperBound() : fallback;
}

void AcGeCurve2d::getInterval(AcGeInterval& range, AcGePoint2d& startPoint, AcGePoint2d& endPoint) const
{
    getInterval(range);
    if (range.isBoundedBelow())
        startPoint = evalPoint(range.lowerBound());
    if (range.isBoundedAbove())
        endPoint = evalPoint(range.upperBound());
}

bool AcGeCurve2d::hasStartPoint(AcGePoint2d& startPoint) const
{
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedBelow())
        return false;
    startPoint = evalPoint(range.lowerBound());
    return true;
}

bool AcGeCurve2d::hasEndPoint(AcGePoint2d& endPoint) const
{
    AcGeInterval range;
    getInterval(range);
    if (!range.isBoundedAbove())
        return false;
    endPoint = evalPoint(range.upperBound());
    return true;
}

bool AcGeCurve2d::isClosed(const AcGeTol& tol) const
{
    AcGePoint2d s, e;
    return hasStartPoint(s) && hasEndPoint(e) && s.isEqualTo(e, tol);
}

double AcGeCurve2d::paramOf(const AcGePoint2d& pnt, const AcGeTol&) const
{
    return closestParamTo(pnt, false);
}

bool AcGeCurve2d::isOn(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt, tol) <= tol.equalPoint();
}

bool AcGeCurve2d::isOn(const AcGePoint2d& pnt, double& param, const AcGeTol& tol) const
{
    const double t = closestParamTo(pnt, false);
    if (evalPoint(t).distanceTo(pnt) > tol.equalPoint())
        return false;
    param = t;
    return true;
}

bool AcGeCurve2d::isOn(double param, const AcGeTol& tol) const
{
    AcGeInterval range;
    getInterval(range);
    range.setTolerance(tol.equalPoint());
    return range.contains(param);
}

AcGePoint2d AcGeCurve2d::closestPointTo(const AcGePoint2d& pnt, const AcGeTol&) const
{
    return evalPoint(closestParamTo(pnt, false));
}

void AcGeCurve2d::getClosestPointTo(const AcGePoint2d& pnt, AcGePointOnCurve2d& pntOnCrv, const AcGeTol&) const
{
    pntOnCrv.setCurve(*this);
    pntOnCrv.setParameter(closestParamTo(pnt, false));
}

double AcGeCurve2d::closestParamTo(const AcGePoint2d& pnt, bool) const
{
    double lo, hi;
    getBounds(lo, hi);
    return dh::ge::closestParam(*this, pnt, paramGrid(lo, hi));
}

double AcGeCurve2d::distanceTo(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

bool AcGeCurve2d::getClosestPointTo(const AcGePoint2d& pnt, AcGePoint2d& result, bool extend) const
{
    AcGePoint2d end;
    if (!hasStartPoint(end) && !hasEndPoint(end) && !isKindOf(AcGe::kLinearEnt2d))
        return false;
    result = evalPoint(closestParamTo(pnt, extend));
    return true;
}

void AcGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  AcGePoint2dArray& pointArray, AcGeDoubleArray& paramArray) const
{
    dh::ge::sampleCurve(*this, paramGrid(fromParam, toParam), approxEps, pointArray, paramArray);
}

void AcGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  AcGePoint2dArray& pointArray) const
{
    AcGeDoubleArray params;
    getSamplePoints(fromParam, toParam, approxEps, pointArray, params);
}

void AcGeCurve2d::getSamplePoints(int numSample, AcGePoint2dArray& pointArray) const
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

double AcGeCurve2d::length(double fromParam, double toParam, double tol) const
{
    return dh::ge::curveLength(*this, paramGrid(std::min(fromParam, toParam), std::max(fromParam, toParam)), tol);
}

double AcGeCurve2d::paramAtLength(double datumParam, double length, bool posParamDir, double tol) const
{
    double lo, hi;
    getBounds(lo, hi);
    return dh::ge::paramAtCurveLength(*this, paramGrid(datumParam, posParamDir ? hi : lo), length, tol);
}

void AcGeCurve2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    double lo, hi;
    getBounds(lo, hi);
    minPoint = maxPoint = evalPoint(lo);
    auto grow = [&](const AcGePoint2d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y));
    };
    for (double t : paramGrid(lo, hi))
        grow(evalPoint(t));
    // Sample at a deviation small against the coarse box, then pad by that deviation, so
    // that the box holds the curve.
    const double eps = 1e-4 * (maxPoint - minPoint).length() + 1e-12;
    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    getSamplePoints(lo, hi, eps, pts, params);
    for (const AcGePoint2d& p : pts)
        grow(p);
    minPoint -= AcGeVector2d(eps, eps);
    maxPoint += AcGeVector2d(eps, eps);
}
