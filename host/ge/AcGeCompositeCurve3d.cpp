#include <acge/AcGeCompositeCurve3d.h>

#include "host/ge/LeafIntersections.h"

#include <algorithm>
#include <cmath>

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeVoidPointerArray& curveList)
{
    setCurveList(curveList);
}

AcGeCompositeCurve3d::AcGeCompositeCurve3d(const AcGeCurve3dPtrArray& curveList)
{
    setCurveList(curveList);
}

void AcGeCompositeCurve3d::getCurveList(AcGeVoidPointerArray& curveList) const
{
    curveList.removeAll();
    for (AcGeCurve3d* c : m_curves)
        curveList.append(c);
}

void AcGeCompositeCurve3d::getCurveList(AcGeCurve3dPtrArray& curveList) const
{
    curveList = m_curves;
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcGeVoidPointerArray& curveList)
{
    m_curves.removeAll();
    for (void* c : curveList)
        if (c)
            m_curves.append(static_cast<AcGeCurve3d*>(c));
    rebuild();
    return *this;
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::setCurveList(const AcGeCurve3dPtrArray& curveList)
{
    m_curves.removeAll();
    for (AcGeCurve3d* c : curveList)
        if (c)
            m_curves.append(c);
    rebuild();
    return *this;
}

void AcGeCompositeCurve3d::rebuild()
{
    m_projected.reset();
    m_lower.removeAll();
    m_upper.removeAll();
    for (const AcGeCurve3d* c : m_curves) {
        AcGeInterval range;
        c->getInterval(range);
        const double lo = range.isBoundedBelow() ? range.lowerBound() : 0.0;
        const double hi = range.isBoundedAbove() ? range.upperBound() : lo + 1.0;
        m_lower.append(lo);
        m_upper.append(hi);
    }
}

double AcGeCompositeCurve3d::globalToLocalParam(double param, int& segNum) const
{
    const int n = numCurves();
    if (n == 0) {
        segNum = 0;
        return param;
    }
    segNum = std::clamp(static_cast<int>(std::floor(param)), 0, n - 1);
    return m_lower[segNum] + (param - segNum) * (m_upper[segNum] - m_lower[segNum]);
}

double AcGeCompositeCurve3d::localToGlobalParam(double param, int segNum) const
{
    if (segNum < 0 || segNum >= numCurves())
        return param;
    const double span = m_upper[segNum] - m_lower[segNum];
    return segNum + (span != 0.0 ? (param - m_lower[segNum]) / span : 0.0);
}

AcGeCompositeCurve3d* AcGeCompositeCurve3d::copy() const
{
    AcGeCurve3dPtrArray copies;
    for (const AcGeCurve3d* c : m_curves)
        copies.append(c->copy());
    return new AcGeCompositeCurve3d(copies);
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::transformBy(const AcGeMatrix3d& xform)
{
    for (AcGeCurve3d* c : m_curves)
        c->transformBy(xform);
    rebuild();
    return *this;
}

void AcGeCompositeCurve3d::getInterval(AcGeInterval& range) const
{
    range = AcGeInterval(0.0, static_cast<double>(numCurves()));
}

AcGePoint3d AcGeCompositeCurve3d::evalPoint(double param) const
{
    if (m_curves.isEmpty())
        return AcGePoint3d();
    int i = 0;
    const double t = globalToLocalParam(param, i);
    return m_curves[i]->evalPoint(t);
}

AcGePoint3d AcGeCompositeCurve3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const
{
    derivs.removeAll();
    if (m_curves.isEmpty()) {
        for (int k = 0; k < numDeriv; ++k)
            derivs.append(AcGeVector3d());
        return AcGePoint3d();
    }
    int i = 0;
    const double t = globalToLocalParam(param, i);
    const AcGePoint3d p = m_curves[i]->evalPoint(t, numDeriv, derivs);
    // The local parameter runs span times faster than the global one.
    const double span = m_upper[i] - m_lower[i];
    double scale = 1.0;
    for (AcGeVector3d& d : derivs) {
        scale *= span;
        d *= scale;
    }
    return p;
}

AcGeCompositeCurve3d& AcGeCompositeCurve3d::reverseParam()
{
    m_curves.reverse();
    for (AcGeCurve3d* c : m_curves)
        c->reverseParam();
    rebuild();
    return *this;
}

bool AcGeCompositeCurve3d::hasStartPoint(AcGePoint3d& startPoint) const
{
    return !m_curves.isEmpty() && m_curves.first()->hasStartPoint(startPoint);
}

bool AcGeCompositeCurve3d::hasEndPoint(AcGePoint3d& endPoint) const
{
    return !m_curves.isEmpty() && m_curves.last()->hasEndPoint(endPoint);
}

double AcGeCompositeCurve3d::nearestOverComponents(const AcGePoint3d& pnt, const AcGeVector3d* dir,
                                                   bool extend) const
{
    const int n = numCurves();
    const AcGeVector3d along = dir ? dir->normal() : AcGeVector3d();
    auto distance = [&](const AcGePoint3d& q) {
        const AcGeVector3d d = q - pnt;
        return (along.isZeroLength() ? d : d.orthoProject(along)).length();
    };
    auto nearest = [&](const AcGeCurve3d* c, bool ext) {
        return dir ? c->projClosestParamTo(pnt, *dir, ext) : c->closestParamTo(pnt, ext);
    };
    double best = 0.0, bestDist = -1.0;
    for (int i = 0; i < n; ++i) {
        const AcGeCurve3d* c = m_curves[i];
        double t = nearest(c, false);
        if (extend && ((i == 0 && t <= m_lower[i]) || (i == n - 1 && t >= m_upper[i]))) {
            const double te = nearest(c, true);
            if ((i == 0 && te <= m_lower[i]) || (i == n - 1 && te >= m_upper[i]))
                t = te;
        }
        const double d = distance(c->evalPoint(t));
        if (bestDist < 0.0 || d < bestDist) {
            bestDist = d;
            best = localToGlobalParam(t, i);
        }
    }
    return best;
}

double AcGeCompositeCurve3d::closestParamTo(const AcGePoint3d& pnt, bool extend) const
{
    return nearestOverComponents(pnt, nullptr, extend);
}

double AcGeCompositeCurve3d::projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                                bool extend) const
{
    return nearestOverComponents(pnt, &projectDirection, extend);
}

void AcGeCompositeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                           AcGePoint3dArray& pointArray, AcGeDoubleArray& paramArray) const
{
    pointArray.removeAll();
    paramArray.removeAll();
    if (m_curves.isEmpty())
        return;
    const double lo = std::min(fromParam, toParam), hi = std::max(fromParam, toParam);
    if (lo == hi) {
        pointArray.append(evalPoint(lo));
        paramArray.append(lo);
        return;
    }
    for (int i = 0; i < numCurves(); ++i) {
        const double a = std::max(lo, static_cast<double>(i)), b = std::min(hi, i + 1.0);
        if (b <= a)
            continue;
        int seg = i;
        const double ta = a == i ? m_lower[i] : globalToLocalParam(a, seg);
        seg = i;
        const double tb = b == i + 1.0 ? m_upper[i] : globalToLocalParam(b, seg);
        AcGePoint3dArray pts;
        AcGeDoubleArray params;
        m_curves[i]->getSamplePoints(ta, tb, approxEps, pts, params);
        for (int k = pointArray.isEmpty() ? 0 : 1; k < pts.length(); ++k) {
            pointArray.append(pts[k]);
            paramArray.append(std::clamp(localToGlobalParam(params[k], i), lo, hi));
        }
    }
    if (fromParam > toParam) {
        pointArray.reverse();
        paramArray.reverse();
    }
}

double AcGeCompositeCurve3d::length(double fromParam, double toParam, double tol) const
{
    const double lo = std::min(fromParam, toParam), hi = std::max(fromParam, toParam);
    double total = 0.0;
    for (int i = 0; i < numCurves(); ++i) {
        const double a = std::max(lo, static_cast<double>(i)), b = std::min(hi, i + 1.0);
        if (b <= a)
            continue;
        int seg = i;
        const double ta = a == i ? m_lower[i] : globalToLocalParam(a, seg);
        seg = i;
        const double tb = b == i + 1.0 ? m_upper[i] : globalToLocalParam(b, seg);
        total += m_curves[i]->length(ta, tb, tol);
    }
    return total;
}

double AcGeCompositeCurve3d::paramAtLength(double datumParam, double length, bool posParamDir, double tol) const
{
    const int n = numCurves();
    if (n == 0)
        return datumParam;
    // Walk whole components, then solve inside the one that holds the remaining length.
    int i = 0;
    double t = globalToLocalParam(datumParam, i);
    double left = length;
    while (true) {
        const AcGeCurve3d* c = m_curves[i];
        const double room = posParamDir ? c->length(t, m_upper[i], tol) : c->length(m_lower[i], t, tol);
        if (left <= room || (posParamDir ? i == n - 1 : i == 0))
            return localToGlobalParam(c->paramAtLength(t, left, posParamDir, tol), i);
        left -= room;
        i += posParamDir ? 1 : -1;
        t = posParamDir ? m_lower[i] : m_upper[i];
    }
}

void AcGeCompositeCurve3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    minPoint = maxPoint = AcGePoint3d();
    for (int i = 0; i < numCurves(); ++i) {
        AcGePoint3d lo, hi;
        m_curves[i]->getExtents(lo, hi);
        if (i == 0) {
            minPoint = lo;
            maxPoint = hi;
        }
        minPoint.set(std::min(minPoint.x, lo.x), std::min(minPoint.y, lo.y), std::min(minPoint.z, lo.z));
        maxPoint.set(std::max(maxPoint.x, hi.x), std::max(maxPoint.y, hi.y), std::max(maxPoint.z, hi.z));
    }
}

const dh::ge::ProjectedChain& AcGeCompositeCurve3d::projectedIndex(const AcGePlanarEnt& plane) const
{
    if (!m_projected || !m_projected->isFor(plane))
        m_projected = std::make_shared<const dh::ge::ProjectedChain>(m_curves, plane);
    return *m_projected;
}
