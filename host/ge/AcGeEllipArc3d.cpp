#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeEllipArc3d.h>

#include "host/ge/Angles.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>
#include <utility>

using dh::ge::kPi;
using dh::ge::kTwoPi;
using dh::ge::normalizeAngle;

AcGeEllipArc3d::AcGeEllipArc3d() = default;

AcGeEllipArc3d::AcGeEllipArc3d(const AcGeCircArc3d& arc)
{
    set(arc);
}

AcGeEllipArc3d::AcGeEllipArc3d(const AcGePoint3d& center, const AcGeVector3d& majorAxis,
                               const AcGeVector3d& minorAxis, double majorRadius, double minorRadius)
{
    set(center, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, kTwoPi);
}

AcGeEllipArc3d::AcGeEllipArc3d(const AcGePoint3d& center, const AcGeVector3d& majorAxis,
                               const AcGeVector3d& minorAxis, double majorRadius, double minorRadius,
                               double startAngle, double endAngle)
{
    set(center, majorAxis, minorAxis, majorRadius, minorRadius, startAngle, endAngle);
}

AcGeEllipArc3d& AcGeEllipArc3d::set(const AcGePoint3d& center, const AcGeVector3d& majorAxis,
                                    const AcGeVector3d& minorAxis, double majorRadius, double minorRadius,
                                    double startAngle, double endAngle)
{
    m_center = center;
    m_majorRadius = std::fabs(majorRadius);
    m_minorRadius = std::fabs(minorRadius);
    setAxes(majorAxis, minorAxis);
    return setAngles(startAngle, endAngle);
}

AcGeEllipArc3d& AcGeEllipArc3d::set(const AcGeCircArc3d& arc)
{
    const AcGeVector3d ref = arc.refVec();
    return set(arc.center(), ref, arc.normal().crossProduct(ref), arc.radius(), arc.radius(), arc.startAng(),
               arc.endAng());
}

AcGeEllipArc3d& AcGeEllipArc3d::setCenter(const AcGePoint3d& center)
{
    m_center = center;
    return *this;
}

AcGeEllipArc3d& AcGeEllipArc3d::setMajorRadius(double radius)
{
    m_majorRadius = std::fabs(radius);
    return *this;
}

AcGeEllipArc3d& AcGeEllipArc3d::setMinorRadius(double radius)
{
    m_minorRadius = std::fabs(radius);
    return *this;
}

AcGeEllipArc3d& AcGeEllipArc3d::setAxes(const AcGeVector3d& majorAxis, const AcGeVector3d& minorAxis)
{
    const AcGeVector3d major = majorAxis.normal();
    m_major = major.isZeroLength() ? AcGeVector3d::kXAxis : major;
    // The minor axis is made perpendicular to the major one within their common plane.
    const AcGeVector3d minor = minorAxis.orthoProject(m_major).normal();
    m_minor = minor.isZeroLength() ? m_major.perpVector() : minor;
    return *this;
}

AcGeEllipArc3d& AcGeEllipArc3d::setAngles(double startAngle, double endAngle)
{
    if (endAngle < startAngle)
        endAngle += kTwoPi * std::ceil((startAngle - endAngle) / kTwoPi);
    m_startAng = startAngle;
    m_endAng = endAngle;
    return *this;
}

AcGeEllipArc3d& AcGeEllipArc3d::transformBy(const AcGeMatrix3d& xform)
{
    // The images of the two semi-axes are conjugate semi-diameters P, Q; the principal axes
    // lie at the eccentric angle t0 with tan 2 t0 = 2 P.Q / (P.P - Q.Q).
    const AcGeVector3d p = (m_major * m_majorRadius).transformBy(xform);
    const AcGeVector3d q = (m_minor * m_minorRadius).transformBy(xform);
    const double t0 = 0.5 * std::atan2(2.0 * p.dotProduct(q), p.dotProduct(p) - q.dotProduct(q));
    AcGeVector3d a = p * std::cos(t0) + q * std::sin(t0);
    AcGeVector3d b = q * std::cos(t0) - p * std::sin(t0);
    double shift = t0;
    if (a.length() < b.length()) {
        const AcGeVector3d oldA = a;
        a = b;
        b = -oldA;
        shift += 0.5 * kPi;
    }
    const double sweep = m_endAng - m_startAng;
    m_center.transformBy(xform);
    m_majorRadius = a.length();
    m_minorRadius = b.length();
    m_major = a.normal();
    m_minor = b.isZeroLength() ? q.orthoProject(m_major).normal() : b.normal();
    if (m_minor.isZeroLength())
        m_minor = m_major.perpVector();
    m_startAng = normalizeAngle(m_startAng - shift);
    m_endAng = m_startAng + sweep;
    return *this;
}

AcGePoint3d AcGeEllipArc3d::evalPoint(double param) const
{
    return m_center + m_major * (m_majorRadius * std::cos(param)) + m_minor * (m_minorRadius * std::sin(param));
}

AcGePoint3d AcGeEllipArc3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const
{
    derivs.removeAll();
    for (int k = 1; k <= numDeriv; ++k) {
        const double a = param + k * 0.5 * kPi;
        derivs.append(m_major * (m_majorRadius * std::cos(a)) + m_minor * (m_minorRadius * std::sin(a)));
    }
    return evalPoint(param);
}

AcGeEllipArc3d& AcGeEllipArc3d::reverseParam()
{
    const double sweep = m_endAng - m_startAng;
    m_minor.negate();
    m_startAng = normalizeAngle(-m_endAng);
    m_endAng = m_startAng + sweep;
    return *this;
}

bool AcGeEllipArc3d::isClosed(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - 1e-12 || startPoint().isEqualTo(endPoint(), tol);
}

double AcGeEllipArc3d::closestParamTo(const AcGePoint3d& pnt, bool extend) const
{
    if (!extend)
        return dh::ge::closestParam(*this, pnt, paramGrid(m_startAng, m_endAng));
    const double t = dh::ge::closestParam(*this, pnt, paramGrid(m_startAng, m_startAng + kTwoPi));
    return dh::ge::angleNearArc(t, m_startAng, m_endAng);
}

void AcGeEllipArc3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    minPoint = maxPoint = startPoint();
    auto grow = [&](const AcGePoint3d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y), std::min(minPoint.z, p.z));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y), std::max(maxPoint.z, p.z));
    };
    grow(endPoint());
    for (int i = 0; i < 3; ++i) {
        const double base = std::atan2(m_minorRadius * m_minor[i], m_majorRadius * m_major[i]);
        for (double a : {base, base + kPi}) {
            const double t = m_startAng + normalizeAngle(a - m_startAng);
            if (t <= m_endAng)
                grow(evalPoint(t));
        }
    }
}

std::vector<double> AcGeEllipArc3d::paramGrid(double from, double to) const
{
    const int n = std::max(4, static_cast<int>(std::ceil(std::fabs(to - from) / (0.125 * kPi))));
    return dh::ge::uniformGrid(from, to, n);
}

double AcGeEllipArc3d::projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection, bool extend) const
{
    if (!extend)
        return projClosestParamIn(pnt, projectDirection, m_startAng, m_endAng);
    const double t = projClosestParamIn(pnt, projectDirection, m_startAng, m_startAng + kTwoPi);
    return dh::ge::angleNearArc(t, m_startAng, m_endAng);
}
