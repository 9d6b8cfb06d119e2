#include <acge/AcGeCircArc2d.h>

#include "host/ge/Angles.h"

#include <algorithm>
#include <cmath>

using dh::ge::kPi;
using dh::ge::kTwoPi;
using dh::ge::normalizeAngle;

AcGeCircArc2d::AcGeCircArc2d() = default;

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& center, double radius)
{
    set(center, radius);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                             const AcGeVector2d& refVec, bool isClockWise)
{
    set(center, radius, startAngle, endAngle, refVec, isClockWise);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point, const AcGePoint2d& endPoint)
{
    AcGe::ErrorCondition error;
    set(startPoint, point, endPoint, error);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge, bool bulgeFlag)
{
    AcGe::ErrorCondition error;
    set(startPoint, endPoint, bulge, bulgeFlag, error);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& center, double radius)
{
    return set(center, radius, 0.0, kTwoPi);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                                  const AcGeVector2d& refVec, bool isClockWise)
{
    m_center = center;
    m_radius = std::fabs(radius);
    m_clockWise = isClockWise;
    setRefVec(refVec);
    return setAngles(startAngle, endAngle);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& point,
                                  const AcGePoint2d& endPoint, AcGe::ErrorCondition& error)
{
    const AcGeVector2d a = point - startPoint, b = endPoint - point;
    const double cross = a.crossProduct(b);
    const double scale = a.length() * b.length();
    if (scale == 0.0 || std::fabs(cross) <= 1e-14 * scale) {
        error = AcGe::kDegenerateGeometry;
        return *this;
    }
    // Circumcentre from the perpendicular bisectors of the two chords.
    const AcGeVector2d ac = endPoint - startPoint;
    const double d = 2.0 * a.crossProduct(ac);
    const double la = a.lengthSqrd(), lc = ac.lengthSqrd();
    const AcGeVector2d off((ac.y * la - a.y * lc) / d, (a.x * lc - ac.x * la) / d);
    m_center = startPoint + off;
    m_radius = off.length();
    m_refVec = AcGeVector2d::kXAxis;
    m_clockWise = cross < 0.0;
    const double s = angleOf(startPoint);
    m_startAng = s;
    m_endAng = s + normalizeAngle(angleOf(endPoint) - s);
    error = AcGe::kOk;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                                  bool bulgeFlag, AcGe::ErrorCondition& error)
{
    const AcGeVector2d chord = endPoint - startPoint;
    const double c = chord.length();
    if (c == 0.0 || bulge == 0.0) {
        error = AcGe::kDegenerateGeometry;
        return *this;
    }
    // With the flag, bulge is the sagitta h; tan(theta / 4) = 2h / c.
    const double b = bulgeFlag ? 2.0 * bulge / c : bulge;
    const double theta = 4.0 * std::atan(std::fabs(b));
    const AcGeVector2d along = chord / c;
    const AcGeVector2d left = along.perpVector();
    // The centre sits off the chord's middle by (c/2) / tan(theta/2): to the left for a
    // counter-clockwise arc below a half turn, to the right past it (tan turns negative).
    const double offset = 0.5 * c / std::tan(0.5 * theta);
    m_clockWise = b < 0.0;
    m_center = startPoint + chord * 0.5 + left * (m_clockWise ? -offset : offset);
    m_radius = 0.5 * c / std::sin(0.5 * theta);
    m_refVec = AcGeVector2d::kXAxis;
    m_startAng = angleOf(startPoint);
    m_endAng = m_startAng + theta;
    error = AcGe::kOk;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setCenter(const AcGePoint2d& center)
{
    m_center = center;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRadius(double radius)
{
    m_radius = std::fabs(radius);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setAngles(double startAngle, double endAngle)
{
    if (endAngle < startAngle)
        endAngle += kTwoPi * std::ceil((startAngle - endAngle) / kTwoPi);
    m_startAng = startAngle;
    m_endAng = endAngle;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRefVec(const AcGeVector2d& vec)
{
    const AcGeVector2d v = vec.normal();
    m_refVec = v.isZeroLength() ? AcGeVector2d::kXAxis : v;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setToComplement()
{
    const double sweep = m_endAng - m_startAng;
    if (sweep >= kTwoPi)
        return *this;
    const double e = m_endAng;
    m_endAng = e + (kTwoPi - sweep);
    m_startAng = e;
    return *this;
}

double AcGeCircArc2d::angleOf(const AcGePoint2d& pnt) const
{
    const AcGeVector2d v = pnt - m_center;
    const double side = m_refVec.perpVector().dotProduct(v) * (m_clockWise ? -1.0 : 1.0);
    return normalizeAngle(std::atan2(side, m_refVec.dotProduct(v)));
}

bool AcGeCircArc2d::isInside(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return pnt.distanceTo(m_center) < m_radius - tol.equalPoint();
}

AcGeCircArc2d& AcGeCircArc2d::transformBy(const AcGeMatrix2d& xform)
{
    // Similarity transformations only: an arc stays an arc. A mirror turns the direction.
    const AcGeVector2d ref = AcGeVector2d(m_refVec).transformBy(xform);
    m_center.transformBy(xform);
    m_radius *= ref.length();
    setRefVec(ref);
    if (xform.det() < 0.0)
        m_clockWise = !m_clockWise;
    return *this;
}

AcGePoint2d AcGeCircArc2d::evalPoint(double param) const
{
    const double s = m_clockWise ? -1.0 : 1.0;
    const AcGeVector2d dir = m_refVec * std::cos(param) + m_refVec.perpVector() * (s * std::sin(param));
    return m_center + dir * m_radius;
}

AcGePoint2d AcGeCircArc2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    const double s = m_clockWise ? -1.0 : 1.0;
    const AcGeVector2d u = m_refVec, v = m_refVec.perpVector() * s;
    const double c = std::cos(param), sn = std::sin(param);
    derivs.removeAll();
    // The k-th derivative of (cos t, sin t) is (cos, sin) at t + k pi/2.
    for (int k = 1; k <= numDeriv; ++k) {
        const double ck = std::cos(param + k * 0.5 * kPi), sk = std::sin(param + k * 0.5 * kPi);
        derivs.append((u * ck + v * sk) * m_radius);
    }
    return m_center + (u * c + v * sn) * m_radius;
}

AcGeCircArc2d& AcGeCircArc2d::reverseParam()
{
    // Angles measured the other way round from the same reference: angle a becomes -a.
    const double sweep = m_endAng - m_startAng;
    m_clockWise = !m_clockWise;
    m_startAng = normalizeAngle(-m_endAng);
    m_endAng = m_startAng + sweep;
    return *this;
}

bool AcGeCircArc2d::isClosed(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - 1e-12 || startPoint().isEqualTo(endPoint(), tol);
}

double AcGeCircArc2d::paramOf(const AcGePoint2d& pnt, const AcGeTol&) const
{
    return dh::ge::angleNearArc(angleOf(pnt), m_startAng, m_endAng);
}

double AcGeCircArc2d::closestParamTo(const AcGePoint2d& pnt, bool extend) const
{
    if (pnt.isEqualTo(m_center))
        return m_startAng;
    const double a = paramOf(pnt);
    if (extend || (a >= m_startAng && a <= m_endAng))
        return a;
    return pnt.distanceTo(startPoint()) <= pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}

void AcGeCircArc2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                    AcGePoint2dArray& pointArray, AcGeDoubleArray& paramArray) const
{
    pointArray.removeAll();
    paramArray.removeAll();
    const int n = dh::ge::arcChordCount(std::fabs(toParam - fromParam), m_radius, approxEps);
    for (int i = 0; i <= n; ++i) {
        const double t = i == n ? toParam : fromParam + (toParam - fromParam) * i / n;
        pointArray.append(evalPoint(t));
        paramArray.append(t);
    }
}

double AcGeCircArc2d::length(double fromParam, double toParam, double) const
{
    return m_radius * std::fabs(toParam - fromParam);
}

double AcGeCircArc2d::paramAtLength(double datumParam, double length, bool posParamDir, double) const
{
    if (m_radius == 0.0)
        return datumParam;
    return datumParam + (posParamDir ? length : -length) / m_radius;
}

void AcGeCircArc2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    minPoint = maxPoint = startPoint();
    auto grow = [&](const AcGePoint2d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y));
    };
    grow(endPoint());
    // The circle's axis extremes at world angles k pi/2 that fall inside the arc.
    const double s = m_clockWise ? -1.0 : 1.0;
    const double refAngle = m_refVec.angle();
    for (int k = 0; k < 4; ++k) {
        const double t = m_startAng + normalizeAngle(s * (k * 0.5 * kPi - refAngle) - m_startAng);
        if (t <= m_endAng)
            grow(evalPoint(t));
    }
}
