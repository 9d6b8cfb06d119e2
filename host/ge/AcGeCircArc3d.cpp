#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCircArc3d.h>

#include "host/ge/Angles.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>

using dh::ge::kPi;
using dh::ge::kTwoPi;
using dh::ge::normalizeAngle;

AcGeCircArc3d::AcGeCircArc3d() = default;

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
{
    set(center, normal, radius);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& refVec,
                             double radius, double startAngle, double endAngle)
{
    set(center, normal, refVec, radius, startAngle, endAngle);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& point, const AcGePoint3d& endPoint)
{
    AcGe::ErrorCondition error;
    set(startPoint, point, endPoint, error);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
{
    const AcGeVector3d n = normal.normal();
    return set(center, n, n.perpVector(), radius, 0.0, kTwoPi);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& refVec,
                                  double radius, double startAngle, double endAngle)
{
    m_center = center;
    m_radius = std::fabs(radius);
    setAxes(normal, refVec);
    return setAngles(startAngle, endAngle);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& point,
                                  const AcGePoint3d& endPoint, AcGe::ErrorCondition& error)
{
    const AcGeVector3d a = point - startPoint, ac = endPoint - startPoint;
    const AcGeVector3d n = a.crossProduct(ac);
    const double nn = n.lengthSqrd();
    if (nn <= 1e-28 * a.lengthSqrd() * ac.lengthSqrd() || nn == 0.0) {
        error = AcGe::kDegenerateGeometry;
        return *this;
    }
    // Circumcentre: start + (|a|^2 (ac x n) + |ac|^2 (n x a)) / (2 |n|^2).
    const AcGeVector3d off = (ac.crossProduct(n) * a.lengthSqrd() + n.crossProduct(a) * ac.lengthSqrd()) / (2.0 * nn);
    m_center = startPoint + off;
    m_radius = off.length();
    m_normal = n.normal();
    m_refVec = (startPoint - m_center).normal();
    m_startAng = 0.0;
    m_endAng = normalizeAngle(angleOf(endPoint));
    error = AcGe::kOk;
    return *this;
}

AcGePlane AcGeCircArc3d::getPlane() const
{
    return AcGePlane(m_center, m_refVec, m_normal.crossProduct(m_refVec));
}

AcGeCircArc3d& AcGeCircArc3d::setCenter(const AcGePoint3d& center)
{
    m_center = center;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec)
{
    const AcGeVector3d n = normal.normal();
    m_normal = n.isZeroLength() ? AcGeVector3d::kZAxis : n;
    const AcGeVector3d r = refVec.orthoProject(m_normal).normal();
    m_refVec = r.isZeroLength() ? m_normal.perpVector() : r;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setRadius(double radius)
{
    m_radius = std::fabs(radius);
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAngles(double startAngle, double endAngle)
{
    if (endAngle < startAngle)
        endAngle += kTwoPi * std::ceil((startAngle - endAngle) / kTwoPi);
    m_startAng = startAngle;
    m_endAng = endAngle;
    return *this;
}

double AcGeCircArc3d::angleOf(const AcGePoint3d& pnt) const
{
    const AcGeVector3d v = pnt - m_center;
    return normalizeAngle(std::atan2(m_normal.crossProduct(m_refVec).dotProduct(v), m_refVec.dotProduct(v)));
}

AcGeCircArc3d& AcGeCircArc3d::transformBy(const AcGeMatrix3d& xform)
{
    // Similarity transformations only. Carrying both in-plane axes keeps the direction of
    // travel right under mirroring.
    const AcGeVector3d x = AcGeVector3d(m_refVec).transformBy(xform);
    const AcGeVector3d y = m_normal.crossProduct(m_refVec).transformBy(xform);
    m_center.transformBy(xform);
    m_radius *= x.length();
    m_refVec = x.normal();
    m_normal = m_refVec.crossProduct(y.normal()).normal();
    return *this;
}

AcGePoint3d AcGeCircArc3d::evalPoint(double param) const
{
    const AcGeVector3d v = m_normal.crossProduct(m_refVec);
    return m_center + (m_refVec * std::cos(param) + v * std::sin(param)) * m_radius;
}

AcGePoint3d AcGeCircArc3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const
{
    const AcGeVector3d v = m_normal.crossProduct(m_refVec);
    derivs.removeAll();
    for (int k = 1; k <= numDeriv; ++k) {
        const double a = param + k * 0.5 * kPi;
        derivs.append((m_refVec * std::cos(a) + v * std::sin(a)) * m_radius);
    }
    return evalPoint(param);
}

AcGeCircArc3d& AcGeCircArc3d::reverseParam()
{
    // Flip the normal: angles then run the other way from the same reference.
    const double sweep = m_endAng - m_startAng;
    m_normal.negate();
    m_startAng = normalizeAngle(-m_endAng);
    m_endAng = m_startAng + sweep;
    return *this;
}

bool AcGeCircArc3d::isClosed(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - 1e-12 || startPoint().isEqualTo(endPoint(), tol);
}

double AcGeCircArc3d::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return dh::ge::angleNearArc(angleOf(pnt), m_startAng, m_endAng);
}

double AcGeCircArc3d::closestParamTo(const AcGePoint3d& pnt, bool extend) const
{
    // The nearest point of a circle lies at the angle of the point projected into its plane.
    if (pnt.orthoProject(getPlane()).isEqualTo(m_center))
        return m_startAng;
    const double a = paramOf(pnt);
    if (extend || (a >= m_startAng && a <= m_endAng))
        return a;
    return pnt.distanceTo(startPoint()) <= pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}

void AcGeCircArc3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                    AcGePoint3dArray& pointArray, AcGeDoubleArray& paramArray) const
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

double AcGeCircArc3d::length(double fromParam, double toParam, double) const
{
    return m_radius * std::fabs(toParam - fromParam);
}

double AcGeCircArc3d::paramAtLength(double datumParam, double length, bool posParamDir, double) const
{
    if (m_radius == 0.0)
        return datumParam;
    return datumParam + (posParamDir ? length : -length) / m_radius;
}

void AcGeCircArc3d::getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const
{
    minPoint = maxPoint = startPoint();
    auto grow = [&](const AcGePoint3d& p) {
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y), std::min(minPoint.z, p.z));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y), std::max(maxPoint.z, p.z));
    };
    grow(endPoint());
    // Along each world axis the circle is extreme where the tangent is perpendicular to it:
    // at atan2(v_i, u_i) and half a turn further.
    const AcGeVector3d v = m_normal.crossProduct(m_refVec);
    for (int i = 0; i < 3; ++i) {
        const double base = std::atan2(v[i], m_refVec[i]);
        for (double a : {base, base + kPi}) {
            const double t = m_startAng + normalizeAngle(a - m_startAng);
            if (t <= m_endAng)
                grow(evalPoint(t));
        }
    }
}

AcGeCurve2d* AcGeCircArc3d::convertTo2d(const AcGePlanarEnt& plane) const
{
    const AcGeVector3d pn = plane.normal();
    if (!m_normal.isParallelTo(pn, AcGeTol(1e-10, 1e-12)))
        return AcGeCurve3d::convertTo2d(plane);
    // Seen from the plane's side the arc turns clockwise when its normal points away.
    const bool clockWise = m_normal.dotProduct(pn) < 0.0;
    AcGeCircArc2d* arc = new AcGeCircArc2d(m_center.convert2d(plane), m_radius, 0.0, kTwoPi,
                                           m_refVec.convert2d(plane), clockWise);
    arc->setAngles(m_startAng, m_endAng);
    return arc;
}

std::vector<double> AcGeCircArc3d::paramGrid(double from, double to) const
{
    const int n = std::max(4, static_cast<int>(std::ceil(std::fabs(to - from) / (0.25 * kPi))));
    return dh::ge::uniformGrid(from, to, n);
}

double AcGeCircArc3d::projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection, bool extend) const
{
    if (!extend)
        return projClosestParamIn(pnt, projectDirection, m_startAng, m_endAng);
    const double t = projClosestParamIn(pnt, projectDirection, m_startAng, m_startAng + kTwoPi);
    return dh::ge::angleNearArc(t, m_startAng, m_endAng);
}
