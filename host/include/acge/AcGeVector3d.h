// AcGeVector3d: a displacement in space. kIdentity is the zero vector, as in the host.
#pragma once

#include <acge/AcGeVector2d.h>

class AcGeMatrix3d;
class AcGePlanarEnt;

class ADESK_EXPORT AcGeVector3d {
public:
    constexpr AcGeVector3d() = default;
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The 2D vector expressed in the plane's axes.
    AcGeVector3d(const AcGePlanarEnt& plane, const AcGeVector2d& v);

    static const AcGeVector3d kIdentity;
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    AcGeVector3d& operator-=(const AcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    AcGeVector3d& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    AcGeVector3d& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    friend AcGeVector3d operator*(double s, const AcGeVector3d& v) { return v * s; }
    friend AcGeVector3d operator*(const AcGeMatrix3d& m, const AcGeVector3d& v);
    bool operator==(const AcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector3d& v) const { return !isEqualTo(v); }
    double operator[](unsigned int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](unsigned int i) { return i == 0 ? x : i == 1 ? y : z; }

    AcGeVector3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    AcGeVector3d& negate() { x = -x; y = -y; z = -z; return *this; }
    AcGeVector3d& setToSum(const AcGeVector3d& a, const AcGeVector3d& b) { return *this = a + b; }
    AcGeVector3d& transformBy(const AcGeMatrix3d& m);
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);
    // Mirrors in the plane through the origin with the given normal.
    AcGeVector3d& mirror(const AcGeVector3d& normalToPlane);

    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const
    {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    double length() const { return std::sqrt(lengthSqrd()); }
    double lengthSqrd() const { return x * x + y * y + z * z; }
    // Unsigned angle to v, in [0, pi].
    double angleTo(const AcGeVector3d& v) const;
    // Angle to v measured counter-clockwise about reference, in [0, 2pi).
    double angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const;
    // A unit vector perpendicular to this one (the arbitrary-axis choice of the drawing format).
    AcGeVector3d perpVector() const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol) { return *this = normal(tol); }
    AcGeVector2d convert2d() const { return {x, y}; }
    AcGeVector2d convert2d(const AcGePlanarEnt& plane) const;

    bool isEqualTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return (*this - v).length() <= tol.equalVector();
    }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(length() - 1.0) <= tol.equalVector();
    }
    bool isParallelTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector3d& v, const AcGeTol& tol = AcGeContext::gTol) const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

typedef AcArray<AcGeVector3d> AcGeVector3dArray;
