#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGeNurbCurve3d.h>

#include "host/ge/CurveNumerics.h"
#include "host/ge/NurbsMath.h"

#include <algorithm>
#include <cmath>

namespace {

namespace nurbs = dh::ge::nurbs;

nurbs::Vec3 toVec3(const AcGePoint3d& p)
{
    return {p.x, p.y, p.z};
}

nurbs::Vec3 toVec3(const AcGeVector3d& v)
{
    return {v.x, v.y, v.z};
}

} // namespace

AcGeNurbCurve3d::AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& controlPoints,
                                 bool isPeriodic)
    : m_degree(degree), m_knots(knots), m_controlPoints(controlPoints), m_periodic(isPeriodic)
{
}

AcGeNurbCurve3d::AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& controlPoints,
                                 const AcGeDoubleArray& weights, bool isPeriodic)
    : m_degree(degree), m_knots(knots), m_controlPoints(controlPoints), m_weights(weights), m_periodic(isPeriodic)
{
    if (m_weights.length() != m_controlPoints.length())
        m_weights.removeAll();
}

AcGeNurbCurve3d::AcGeNurbCurve3d(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                                 const AcGeVector3d& endTangent, bool startTangentDefined, bool endTangentDefined,
                                 const AcGeTol& fitTolerance)
{
    const AcGeVector3d s = startTangent.normal(), e = endTangent.normal();
    const bool useStart = startTangentDefined && !s.isZeroLength();
    const bool useEnd = endTangentDefined && !e.isZeroLength();
    m_fitTol = fitTolerance;
    if (interpolate(fitPoints, useStart ? &s : nullptr, useEnd ? &e : nullptr)) {
        m_tangentsExist = useStart || useEnd;
        m_startTangent = useStart ? s : AcGeVector3d();
        m_endTangent = useEnd ? e : AcGeVector3d();
    }
}

AcGeNurbCurve3d::AcGeNurbCurve3d(const AcGePoint3dArray& fitPoints, const AcGeTol& fitTolerance)
{
    m_fitTol = fitTolerance;
    interpolate(fitPoints, nullptr, nullptr);
}

AcGeNurbCurve3d::AcGeNurbCurve3d(const AcGeLineSeg3d& line) : m_degree(1), m_knots(1, 2)
{
    m_controlPoints.append(line.startPoint());
    m_controlPoints.append(line.endPoint());
}

bool AcGeNurbCurve3d::interpolate(const AcGePoint3dArray& fitPoints, const AcGeVector3d* startTangent,
                                  const AcGeVector3d* endTangent)
{
    std::vector<nurbs::Vec3> pts;
    for (const AcGePoint3d& p : fitPoints)
        pts.push_back(toVec3(p));
    const nurbs::Vec3 s = startTangent ? toVec3(*startTangent) : nurbs::Vec3{};
    const nurbs::Vec3 e = endTangent ? toVec3(*endTangent) : nurbs::Vec3{};
    // Chord-length parameters run in drawing units, so a unit tangent is the natural
    // derivative length.
    const auto r = nurbs::interpolate(pts, 3, startTangent ? &s : nullptr, endTangent ? &e : nullptr);
    if (!r)
        return false;
    m_degree = r->degree;
    m_knots = AcGeKnotVector(static_cast<int>(r->knots.size()), r->knots.data(), 1e-9);
    m_controlPoints.removeAll();
    for (const auto& c : r->controlPoints)
        m_controlPoints.append(AcGePoint3d(c[0], c[1], c[2]));
    m_weights.removeAll();
    m_periodic = false;
    m_hasFitData = true;
    m_fitPoints = fitPoints;
    return true;
}

bool AcGeNurbCurve3d::isRational() const
{
    for (double w : m_weights)
        if (std::fabs(w - m_weights.first()) > 1e-12)
            return true;
    return false;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::setControlPointAt(int index, const AcGePoint3d& point)
{
    m_controlPoints[index] = point;
    m_hasFitData = false;
    return *this;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::setWeightAt(int index, double weight)
{
    if (m_weights.isEmpty())
        makeRational(1.0);
    m_weights[index] = weight;
    m_hasFitData = false;
    return *this;
}

double AcGeNurbCurve3d::startParam() const
{
    return isValid() ? m_knots[m_degree] : 0.0;
}

double AcGeNurbCurve3d::endParam() const
{
    return isValid() ? m_knots[numControlPoints()] : 0.0;
}

bool AcGeNurbCurve3d::isValid() const
{
    return m_degree >= 1 && numControlPoints() > m_degree && m_knots.length() == numControlPoints() + m_degree + 1;
}

void AcGeNurbCurve3d::getDefinitionData(int& degree, bool& rational, bool& periodic, AcGeKnotVector& knots,
                                        AcGePoint3dArray& controlPoints, AcGeDoubleArray& weights) const
{
    degree = m_degree;
    rational = isRational();
    periodic = m_periodic;
    knots = m_knots;
    controlPoints = m_controlPoints;
    weights = m_weights;
}

bool AcGeNurbCurve3d::getFitData(AcGePoint3dArray& fitPoints, AcGeTol& fitTolerance, bool& tangentsExist,
                                 AcGeVector3d& startTangent, AcGeVector3d& endTangent) const
{
    if (!m_hasFitData)
        return false;
    fitPoints = m_fitPoints;
    fitTolerance = m_fitTol;
    tangentsExist = m_tangentsExist;
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return true;
}

bool AcGeNurbCurve3d::getFitPointAt(int index, AcGePoint3d& point) const
{
    if (!m_hasFitData || index < 0 || index >= m_fitPoints.length())
        return false;
    point = m_fitPoints[index];
    return true;
}

bool AcGeNurbCurve3d::setFitData(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                                 const AcGeVector3d& endTangent, const AcGeTol& fitTolerance)
{
    AcGeNurbCurve3d fresh(fitPoints, startTangent, endTangent, true, true, fitTolerance);
    if (!fresh.m_hasFitData)
        return false;
    *this = fresh;
    return true;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::purgeFitData()
{
    m_hasFitData = false;
    m_fitPoints.removeAll();
    m_tangentsExist = false;
    return *this;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::makeOpen()
{
    m_periodic = false;
    return *this;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::makeClosed()
{
    if (!isValid())
        return *this;
    const double u0 = startParam(), u1 = endParam();
    const AcGePoint3d s = evalPoint(u0), e = evalPoint(u1);
    const int n = numControlPoints();
    // Only an end clamped at its last control point can take a C0 span; unclamped ends
    // belong to periodic data, which is closed already.
    if (s.isEqualTo(e) || m_knots.multiplicityAt(m_knots[n + m_degree]) < m_degree + 1
        || !m_controlPoints.last().isEqualTo(e))
        return *this;
    // End knot kept p times, then p + 1 knots at the end of one Bezier span of degree p
    // along the closing line, sized in parameter as the gap is in length.
    const double len = length(u0, u1);
    const double span = len > 0.0 ? (u1 - u0) * s.distanceTo(e) / len : 1.0;
    AcGeDoubleArray knots = m_knots.getArray();
    knots.removeLast();
    for (int i = 0; i <= m_degree; ++i)
        knots.append(u1 + span);
    for (int i = 1; i <= m_degree; ++i) {
        m_controlPoints.append(e + (s - e) * (static_cast<double>(i) / m_degree));
        if (!m_weights.isEmpty())
            m_weights.append(1.0);
    }
    m_knots = AcGeKnotVector(knots, m_knots.tolerance());
    m_hasFitData = false;
    return *this;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::makeRational(double weight)
{
    if (m_weights.isEmpty()) {
        m_weights.setLogicalLength(numControlPoints());
        m_weights.setAll(weight);
    }
    return *this;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::transformBy(const AcGeMatrix3d& xform)
{
    for (AcGePoint3d& p : m_controlPoints)
        p.transformBy(xform);
    for (AcGePoint3d& p : m_fitPoints)
        p.transformBy(xform);
    m_startTangent = m_startTangent.transformBy(xform).normal();
    m_endTangent = m_endTangent.transformBy(xform).normal();
    return *this;
}

void AcGeNurbCurve3d::getInterval(AcGeInterval& range) const
{
    // A curve without valid definition data has no start or end point.
    range = isValid() ? AcGeInterval(startParam(), endParam()) : AcGeInterval();
}

AcGePoint3d AcGeNurbCurve3d::evalPoint(double param) const
{
    AcGeVector3dArray d;
    return evalPoint(param, 0, d);
}

AcGePoint3d AcGeNurbCurve3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const
{
    derivs.removeAll();
    if (!isValid()) {
        for (int i = 0; i < numDeriv; ++i)
            derivs.append(AcGeVector3d());
        return m_controlPoints.isEmpty() ? AcGePoint3d() : m_controlPoints.first();
    }
    // Only the degree + 1 control points of the span take part.
    const double t = std::clamp(param, startParam(), endParam());
    const std::vector<double>& u = m_knots.getArray().vector();
    const int span = nurbs::findSpan(numControlPoints() - 1, m_degree, t, u);
    nurbs::Homog local[32];
    std::vector<nurbs::Homog> wide;
    nurbs::Homog* cw = local;
    if (m_degree >= 32) {
        wide.resize(static_cast<size_t>(m_degree) + 1);
        cw = wide.data();
    }
    for (int j = 0; j <= m_degree; ++j) {
        const int i = span - m_degree + j;
        const double w = weightAt(i);
        const AcGePoint3d& p = m_controlPoints[i];
        cw[j] = {p.x * w, p.y * w, p.z * w, w};
    }
    const auto r = nurbs::evaluateSpan(m_degree, u, span, cw, t, numDeriv);
    for (int k = 1; k <= numDeriv; ++k)
        derivs.append(AcGeVector3d(r[static_cast<size_t>(k)][0], r[static_cast<size_t>(k)][1], r[static_cast<size_t>(k)][2]));
    return AcGePoint3d(r[0][0], r[0][1], r[0][2]);
}

AcGeNurbCurve3d& AcGeNurbCurve3d::reverseParam()
{
    m_knots.reverse();
    m_controlPoints.reverse();
    m_weights.reverse();
    m_fitPoints.reverse();
    const AcGeVector3d s = m_startTangent;
    m_startTangent = -m_endTangent;
    m_endTangent = -s;
    return *this;
}

void AcGeNurbCurve3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    // The convex hull of the control points holds the curve (weights are positive).
    if (m_controlPoints.isEmpty()) {
        minPoint = maxPoint = AcGePoint3d();
        return;
    }
    minPoint = maxPoint = m_controlPoints.first();
    for (const AcGePoint3d& p : m_controlPoints) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y), std::min(minPoint.z, p.z));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y), std::max(maxPoint.z, p.z));
    }
}

std::vector<double> AcGeNurbCurve3d::paramGrid(double from, double to) const
{
    // Four steps per knot span: each span is a polynomial piece of low degree.
    const double lo = std::min(from, to), hi = std::max(from, to);
    std::vector<double> grid{lo};
    AcGeDoubleArray distinct;
    m_knots.getDistinctKnots(distinct);
    std::vector<double> breaks{lo};
    for (double k : distinct)
        if (k > lo && k < hi)
            breaks.push_back(k);
    breaks.push_back(hi);
    const int steps = std::max(4, 2 * m_degree);
    for (size_t i = 0; i + 1 < breaks.size(); ++i)
        for (int j = 1; j <= steps; ++j)
            grid.push_back(breaks[i] + (breaks[i + 1] - breaks[i]) * j / steps);
    grid.back() = hi;
    if (from > to)
        std::reverse(grid.begin(), grid.end());
    return grid;
}
