#include <acge/AcGeCompositeCurve2d.h>

#include "host/ge/LeafIntersections.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>

AcGeCompositeCurve2d::AcGeCompositeCurve2d()
{
    rebuild();
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeVoidPointerArray& curveList)
{
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeCurve2dPtrArray& curveList)
{
    setCurveList(curveList);
}

AcGeCompositeCurve2d::AcGeCompositeCurve2d(const AcGeCompositeCurve2d& other)
    : AcGeCurve2d(other), m_curves(other.m_curves), m_starts(other.m_starts), m_lower(other.m_lower),
      m_upper(other.m_upper), m_index(other.m_index)
{
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::operator=(const AcGeCompositeCurve2d& other)
{
    m_curves = other.m_curves;
    m_starts = other.m_starts;
    m_lower = other.m_lower;
    m_upper = other.m_upper;
    m_index = other.m_index;
    return *this;
}

AcGeCompositeCurve2d::~AcGeCompositeCurve2d() = default;

void AcGeCompositeCurve2d::getCurveList(AcGeVoidPointerArray& curveList) const
{
    curveList.removeAll();
    for (AcGeCurve2d* c : m_curves)
        curveList.append(c);
}

void AcGeCompositeCurve2d::getCurveList(AcGeCurve2dPtrArray& curveList) const
{
    curveList = m_curves;
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcGeVoidPointerArray& curveList)
{
    m_curves.removeAll();
    for (void* c : curveList)
        if (c)
            m_curves.append(static_cast<AcGeCurve2d*>(c));
    rebuild();
    return *this;
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::setCurveList(const AcGeCurve2dPtrArray& curveList)
{
    m_curves.removeAll();
    for (AcGeCurve2d* c : curveList)
        if (c)
            m_curves.append(c);
    rebuild();
    return *this;
}

void AcGeCompositeCurve2d::rebuild()
{
    m_starts.removeAll();
    m_lower.removeAll();
    m_upper.removeAll();
    m_index.reset();
    double total = 0.0;
    for (const AcGeCurve2d* c : m_curves) {
        AcGeInterval range;
        c->getInterval(range);
        // Components are bounded curves; an unbounded one is taken over a unit range.
        const double lo = range.isBoundedBelow() ? range.lowerBound() : 0.0;
        const double hi = range.isBoundedAbove() ? range.upperBound() : lo + 1.0;
        m_starts.append(total);
        m_lower.append(lo);
        m_upper.append(hi);
        total += c->length(lo, hi);
    }
    m_starts.append(total);
}

double AcGeCompositeCurve2d::globalToLocalParam(double param, int& segNum) const
{
    const int n = numCurves();
    if (n == 0) {
        segNum = 0;
        return param;
    }
    // The last component starting at or before param: at a joint, the following one.
    const auto it = std::upper_bound(m_starts.begin(), m_starts.begin() + n, param);
    segNum = std::clamp(static_cast<int>(it - m_starts.begin()) - 1, 0, n - 1);
    const double d = param - m_starts[segNum];
    const AcGeCurve2d* c = m_curves[segNum];
    if (d >= componentLength(segNum) && segNum < n - 1)
        return m_upper[segNum];
    return d >= 0.0 ? c->paramAtLength(m_lower[segNum], d, true) : c->paramAtLength(m_lower[segNum], -d, false);
}

double AcGeCompositeCurve2d::localToGlobalParam(double param, int segNum) const
{
    if (segNum < 0 || segNum >= numCurves())
        return param;
    const AcGeCurve2d* c = m_curves[segNum];
    const double lo = m_lower[segNum];
    return param >= lo ? m_starts[segNum] + c->length(lo, param) : m_starts[segNum] - c->length(param, lo);
}

AcGeCompositeCurve2d* AcGeCompositeCurve2d::copy() const
{
    AcGeCurve2dPtrArray copies;
    for (const AcGeCurve2d* c : m_curves)
        copies.append(c->copy());
    return new AcGeCompositeCurve2d(copies);
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::transformBy(const AcGeMatrix2d& xform)
{
    for (AcGeCurve2d* c : m_curves)
        c->transformBy(xform);
    rebuild();
    return *this;
}

void AcGeCompositeCurve2d::getInterval(AcGeInterval& range) const
{
    range = AcGeInterval(0.0, m_starts.last());
}

AcGePoint2d AcGeCompositeCurve2d::evalPoint(double param) const
{
    if (m_curves.isEmpty())
        return AcGePoint2d();
    int i = 0;
    const double t = globalToLocalParam(param, i);
    return m_curves[i]->evalPoint(t);
}

AcGePoint2d AcGeCompositeCurve2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    derivs.removeAll();
    if (m_curves.isEmpty()) {
        for (int k = 0; k < numDeriv; ++k)
            derivs.append(AcGeVector2d());
        return AcGePoint2d();
    }
    int i = 0;
    const double t = globalToLocalParam(param, i);
    AcGeVector2dArray d;
    const AcGePoint2d p = m_curves[i]->evalPoint(t, std::max(numDeriv, 2), d);
    // Chain rule for the arc-length parameter: dt/ds = 1/|C'|, d2t/ds2 = -(C'.C'')/|C'|^4.
    const double speed = d[0].length();
    for (int k = 1; k <= numDeriv; ++k) {
        if (speed == 0.0)
            derivs.append(AcGeVector2d());
        else if (k == 1)
            derivs.append(d[0] / speed);
        else if (k == 2)
            derivs.append(d[1] / (speed * speed) - d[0] * (d[0].dotProduct(d[1]) / std::pow(speed, 4)));
        else
            derivs.append(AcGeVector2d());
    }
    return p;
}

AcGeCompositeCurve2d& AcGeCompositeCurve2d::reverseParam()
{
    m_curves.reverse();
    for (AcGeCurve2d* c : m_curves)
        c->reverseParam();
    rebuild();
    return *this;
}

bool AcGeCompositeCurve2d::hasStartPoint(AcGePoint2d& startPoint) const
{
    return !m_curves.isEmpty() && m_curves.first()->hasStartPoint(startPoint);
}

bool AcGeCompositeCurve2d::hasEndPoint(AcGePoint2d& endPoint) const
{
    return !m_curves.isEmpty() && m_curves.last()->hasEndPoint(endPoint);
}

double AcGeCompositeCurve2d::closestParamTo(const AcGePoint2d& pnt, bool extend) const
{
    const int n = numCurves();
    const std::vector<dh::ge::Leaf>& boxes = componentIndex().leaves();
    double best = 0.0, bestDist = -1.0;
    for (int i = 0; i < n; ++i) {
        const AcGeCurve2d* c = m_curves[i];
        if (bestDist >= 0.0 && !(extend && (i == 0 || i == n - 1))) {
            // Skip components whose box is already farther than the best point.
            const dh::ge::Box2& b = boxes[static_cast<size_t>(i)].box;
            const double dx = std::max({b.minX - pnt.x, 0.0, pnt.x - b.maxX});
            const double dy = std::max({b.minY - pnt.y, 0.0, pnt.y - b.maxY});
            if (std::hypot(dx, dy) > bestDist)
                continue;
        }
        // Only the chain's free ends extend: before the first component, after the last.
        double t = c->closestParamTo(pnt, false);
        if (extend && ((i == 0 && t <= m_lower[i]) || (i == n - 1 && t >= m_upper[i]))) {
            const double te = c->closestParamTo(pnt, true);
            if ((i == 0 && te <= m_lower[i]) || (i == n - 1 && te >= m_upper[i]))
                t = te;
        }
        const double d = c->evalPoint(t).distanceTo(pnt);
        if (bestDist < 0.0 || d < bestDist) {
            bestDist = d;
            best = localToGlobalParam(t, i);
        }
    }
    return best;
}

void AcGeCompositeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                           AcGePoint2dArray& pointArray, AcGeDoubleArray& paramArray) const
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
        const double a = std::max(lo, m_starts[i]), b = std::min(hi, m_starts[i + 1]);
        if (b <= a)
            continue; // outside the range, or only touching it at a joint
        const AcGeCurve2d* c = m_curves[i];
        const double ta = a == m_starts[i] ? m_lower[i] : c->paramAtLength(m_lower[i], a - m_starts[i]);
        const double tb = b == m_starts[i + 1] ? m_upper[i] : c->paramAtLength(m_lower[i], b - m_starts[i]);
        AcGePoint2dArray pts;
        AcGeDoubleArray params;
        c->getSamplePoints(ta, tb, approxEps, pts, params);
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

double AcGeCompositeCurve2d::length(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam);
}

double AcGeCompositeCurve2d::paramAtLength(double datumParam, double length, bool posParamDir, double) const
{
    return posParamDir ? datumParam + length : datumParam - length;
}

void AcGeCompositeCurve2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    minPoint = maxPoint = AcGePoint2d();
    for (int i = 0; i < numCurves(); ++i) {
        AcGePoint2d lo, hi;
        m_curves[i]->getExtents(lo, hi);
        if (i == 0) {
            minPoint = lo;
            maxPoint = hi;
        }
        minPoint.set(std::min(minPoint.x, lo.x), std::min(minPoint.y, lo.y));
        maxPoint.set(std::max(maxPoint.x, hi.x), std::max(maxPoint.y, hi.y));
    }
}

const dh::ge::ChainIndex& AcGeCompositeCurve2d::componentIndex() const
{
    if (!m_index)
        m_index = std::make_shared<const dh::ge::ChainIndex>(m_curves);
    return *m_index;
}
