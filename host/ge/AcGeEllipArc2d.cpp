#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeEllipArc2d.h>

#include "host/ge/Angles.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>
#include <utility>

using dh::ge::kPi;
using dh::ge::kTwoPi;
using dh::ge::normalizeAngle;

AcGeEllipArc2d::AcGeEllipArc2d() = default;

AcGeEllipArc2d::AcGeEllipArc2d(const AcGeCircArc2d& arc)
{
    set(arc);
}

AcGeEllipArc2d::AcGeEllipArc2d(const AcGePoint2d& center, const AcGeVector2d& majorAxis,
                               const AcGeVector2d& minorAxis, double majorRadius, double minorRadius)
{
    set(center, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, kTwoPi);
}

AcGeEllipArc2d::AcGeEllipArc2d(const AcGePoint2d& center, const AcGeVector2d& majorAxis,
                               const AcGeVector2d& minorAxis, double majorRadius, double minorRadius,
                               double startAngle, double endAngle)
{
    set(center, majorAxis, minorAxis, majorRadius, minorRadius, startAngle, endAngle);
}

AcGeEllipArc2d& AcGeEllipArc2d::set(const AcGePoint2d& center, const AcGeVector2d& majorAxis,
                                    const AcGeVector2d& minorAxis, double majorRadius, double minorRadius,
                                    double startAngle, double endAngle)
{
    m_center = center;
    m_majorRadius = std::fabs(majorRadius);
    m_minorRadius = std::fabs(minorRadius);
    setAxes(majorAxis, minorAxis);
    return setAngles(startAngle, endAngle);
}

AcGeEllipArc2d& AcGeEllipArc2d::set(const AcGeCircArc2d& arc)
{
    const AcGeVector2d ref = arc.refVec();
    const AcGeVector2d minor = arc.isClockWise() ? -ref.perpVector() : ref.perpVector();
    return set(arc.center(), ref, minor, arc.radius(), arc.radius(), arc.startAng(), arc.endAng());
}

AcGeEllipArc2d& AcGeEllipArc2d::setCenter(const AcGePoint2d& center)
{
    m_center = center;
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setMajorRadius(double radius)
{
    m_majorRadius = std::fabs(radius);
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setMinorRadius(double radius)
{
    m_minorRadius = std::fabs(radius);
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setAxes(const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis)
{
    const AcGeVector2d major = majorAxis.normal();
    m_major = major.isZeroLength() ? AcGeVector2d::kXAxis : major;
    // The minor axis is kept perpendicular; only its side of the major axis is taken.
    m_minor = m_major.perpVector();
    if (m_major.crossProduct(minorAxis) < 0.0)
        m_minor.negate();
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setAngles(double startAngle, double endAngle)
{
    if (endAngle < startAngle)
        endAngle += kTwoPi * std::ceil((startAngle - endAngle) / kTwoPi);
    m_startAng = startAngle;
    m_endAng = endAngle;
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::transformBy(const AcGeMatrix2d& xform)
{
    // The images of the two semi-axes are conjugate semi-diameters P, Q; the principal axes
    // lie at the eccentric angle t0 with tan 2 t0 = 2 P.Q / (P.P - Q.Q).
    const AcGeVector2d p = (m_major * m_majorRadius).transformBy(xform);
    const AcGeVector2d q = (m_minor * m_minorRadius).transformBy(xform);
    const double t0 = 0.5 * std::atan2(2.0 * p.dotProduct(q), p.dotProduct(p) - q.dotProduct(q));
    AcGeVector2d a = p * std::cos(t0) + q * std::sin(t0);
    AcGeVector2d b = q * std::cos(t0) - p * std::sin(t0);
    double shift = t0;
    if (a.length() < b.length()) {
        const AcGeVector2d oldA = a;
        a = b;
        b = -oldA;
        shift += 0.5 * kPi;
    }
    const double sweep = m_endAng - m_startAng;
    m_center.transformBy(xform);
    m_majorRadius = a.length();
    m_minorRadius = b.length();
    m_major = a.normal();
    m_minor = b.isZeroLength() ? m_major.perpVector() : b.normal();
    m_startAng = normalizeAngle(m_startAng - shift);
    m_endAng = m_startAng + sweep;
    return *this;
}

AcGePoint2d AcGeEllipArc2d::evalPoint(double param) const
{
    return m_center + m_major * (m_majorRadius * std::cos(param)) + m_minor * (m_minorRadius * std::sin(param));
}

AcGePoint2d AcGeEllipArc2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    derivs.removeAll();
    for (int k = 1; k <= numDeriv; ++k) {
        const double a = param + k * 0.5 * kPi;
        derivs.append(m_major * (m_majorRadius * std::cos(a)) + m_minor * (m_minorRadius * std::sin(a)));
    }
    return evalPoint(param);
}

AcGeEllipArc2d& AcGeEllipArc2d::reverseParam()
{
    const double sweep = m_endAng - m_startAng;
    m_minor.negate();
    m_startAng = normalizeAngle(-m_endAng);
    m_endAng = m_startAng + sweep;
    return *this;
}

bool AcGeEllipArc2d::isClosed(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - 1e-12 || startPoint().isEqualTo(endPoint(), tol);
}

double AcGeEllipArc2d::closestParamTo(const AcGePoint2d& pnt, bool extend) const
{
    if (!extend)
        return dh::ge::closestParam(*this, pnt, paramGrid(m_startAng, m_endAng));
    const double t = dh::ge::closestParam(*this, pnt, paramGrid(m_startAng, m_startAng + kTwoPi));
    return dh::ge::angleNearArc(t, m_startAng, m_endAng);
}

void AcGeEllipArc2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    minPoint = maxPoint = startPoint();
    auto grow = [&](const AcGePoint2d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y));
    };
    grow(endPoint());
    for (int i = 0; i < 2; ++i) {
        const double base = std::atan2(m_minorRadius * m_minor[i], m_majorRadius * m_major[i]);
        for (double a : {base, base + kPi}) {
            const double t = m_startAng + normalizeAngle(a - m_startAng);
            if (t <= m_endAng)
                grow(evalPoint(t));
        }
    }
}

std::vector<double> AcGeEllipArc2d::paramGrid(double from, double to) const
{
    const int n = std::max(4, static_cast<int>(std::ceil(std::fabs(to - from) / (0.125 * kPi))));
    return dh::ge::uniformGrid(from, to, n);
}
