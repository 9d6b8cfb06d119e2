#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePlane.h>

#include <algorithm>
#include <cmath>

AcGeTol AcGeContext::gTol;

const AcGeVector2d AcGeVector2d::kIdentity(0.0, 0.0);
const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);
const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);
const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);
const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

} // namespace

AcGeVector2d operator*(const AcGeMatrix2d& m, const AcGeVector2d& v)
{
    return {m.entry[0][0] * v.x + m.entry[0][1] * v.y, m.entry[1][0] * v.x + m.entry[1][1] * v.y};
}

AcGeVector2d& AcGeVector2d::transformBy(const AcGeMatrix2d& m)
{
    return *this = m * *this;
}

AcGeVector2d& AcGeVector2d::rotateBy(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    return set(c * x - s * y, s * x + c * y);
}

double AcGeVector2d::angle() const
{
    double a = std::atan2(y, x);
    if (a < 0.0)
        a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

double AcGeVector2d::angleTo(const AcGeVector2d& v) const
{
    // atan2 of cross and dot stays accurate for nearly parallel vectors, where acos does not.
    return std::fabs(std::atan2(crossProduct(v), dotProduct(v)));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const
{
    const double len = length();
    if (len <= tol.equalVector() || len == 0.0)
        return {0.0, 0.0};
    return *this / len;
}

bool AcGeVector2d::isParallelTo(const AcGeVector2d& v, const AcGeTol& tol) const
{
    const AcGeVector2d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return std::fabs(a.crossProduct(b)) <= tol.equalVector();
}

bool AcGeVector2d::isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol) const
{
    const AcGeVector2d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return (a - b).length() <= tol.equalVector();
}

bool AcGeVector2d::isPerpendicularTo(const AcGeVector2d& v, const AcGeTol& tol) const
{
    const AcGeVector2d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return std::fabs(a.dotProduct(b)) <= tol.equalVector();
}

AcGePoint2d operator*(const AcGeMatrix2d& m, const AcGePoint2d& p)
{
    return {m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2],
            m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2]};
}

AcGePoint2d& AcGePoint2d::transformBy(const AcGeMatrix2d& m)
{
    return *this = m * *this;
}

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& center)
{
    return *this = center + (*this - center).rotateBy(angle);
}

AcGePoint2d& AcGePoint2d::scaleBy(double factor, const AcGePoint2d& center)
{
    return *this = center + (*this - center) * factor;
}

AcGeVector3d::AcGeVector3d(const AcGePlanarEnt& plane, const AcGeVector2d& v)
{
    *this = plane.uAxis() * v.x + plane.vAxis() * v.y;
}

AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v)
{
    const auto& e = m.entry;
    return {e[0][0] * v.x + e[0][1] * v.y + e[0][2] * v.z,
            e[1][0] * v.x + e[1][1] * v.y + e[1][2] * v.z,
            e[2][0] * v.x + e[2][1] * v.y + e[2][2] * v.z};
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m)
{
    return *this = m * *this;
}

AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis)
{
    return *this = AcGeMatrix3d::rotation(angle, axis) * *this;
}

AcGeVector3d& AcGeVector3d::mirror(const AcGeVector3d& normalToPlane)
{
    const AcGeVector3d n = normalToPlane.normal();
    return *this -= n * (2.0 * dotProduct(n));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const
{
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const
{
    const AcGeVector3d c = crossProduct(v);
    double a = std::atan2(c.length(), dotProduct(v));
    if (c.dotProduct(reference) < 0.0)
        a = kTwoPi - a;
    return a >= kTwoPi ? 0.0 : a;
}

AcGeVector3d AcGeVector3d::perpVector() const
{
    // Arbitrary-axis rule: cross with world Y when this is near the Z axis, else with Z.
    const AcGeVector3d n = normal();
    const AcGeVector3d ax = (std::fabs(n.x) < 1.0 / 64.0 && std::fabs(n.y) < 1.0 / 64.0)
        ? kYAxis.crossProduct(n)
        : kZAxis.crossProduct(n);
    return ax.normal();
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const
{
    const AcGeVector3d n = planeNormal.normal();
    return *this - n * dotProduct(n);
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const
{
    const double len = length();
    if (len <= tol.equalVector() || len == 0.0)
        return {0.0, 0.0, 0.0};
    return *this / len;
}

AcGeVector2d AcGeVector3d::convert2d(const AcGePlanarEnt& plane) const
{
    return {dotProduct(plane.uAxis()), dotProduct(plane.vAxis())};
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const
{
    const AcGeVector3d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return a.crossProduct(b).length() <= tol.equalVector();
}

bool AcGeVector3d::isCodirectionalTo(const AcGeVector3d& v, const AcGeTol& tol) const
{
    const AcGeVector3d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return (a - b).length() <= tol.equalVector();
}

bool AcGeVector3d::isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol) const
{
    const AcGeVector3d a = normal(tol), b = v.normal(tol);
    if (a.isZeroLength() || b.isZeroLength())
        return false;
    return std::fabs(a.dotProduct(b)) <= tol.equalVector();
}

AcGePoint3d::AcGePoint3d(const AcGePlanarEnt& plane, const AcGePoint2d& p)
{
    *this = plane.origin() + plane.uAxis() * p.x + plane.vAxis() * p.y;
}

AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p)
{
    const auto& e = m.entry;
    return {e[0][0] * p.x + e[0][1] * p.y + e[0][2] * p.z + e[0][3],
            e[1][0] * p.x + e[1][1] * p.y + e[1][2] * p.z + e[1][3],
            e[2][0] * p.x + e[2][1] * p.y + e[2][2] * p.z + e[2][3]};
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& m, const AcGePoint3d& p)
{
    return *this = m * p;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m)
{
    return *this = m * *this;
}

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return *this = AcGeMatrix3d::rotation(angle, axis, center) * *this;
}

AcGePoint3d& AcGePoint3d::scaleBy(double factor, const AcGePoint3d& center)
{
    return *this = center + (*this - center) * factor;
}

AcGePoint2d AcGePoint3d::convert2d(const AcGePlanarEnt& plane) const
{
    const AcGeVector3d d = *this - plane.origin();
    return {d.dotProduct(plane.uAxis()), d.dotProduct(plane.vAxis())};
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlanarEnt& plane) const
{
    return plane.closestPointTo(*this);
}
