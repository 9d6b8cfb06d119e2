// AcGePoint3d: a position in space, in drawing units; z is the elevation.
#pragma once

#include <acge/AcGePoint2d.h>
#include <acge/AcGeVector3d.h>

class ADESK_EXPORT AcGePoint3d {
public:
    constexpr AcGePoint3d() = default;
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The 2D point lifted to the given elevation.
    AcGePoint3d(const AcGePoint2d& p, double zz) : x(p.x), y(p.y), z(zz) {}
    // The 2D point expressed in the plane's coordinate system.
    AcGePoint3d(const AcGePlanarEnt& plane, const AcGePoint2d& p);

    static const AcGePoint3d kOrigin;

    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGePoint3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGePoint3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGePoint3d& operator+=(const AcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    AcGePoint3d& operator-=(const AcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    AcGePoint3d& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    AcGePoint3d& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    friend AcGePoint3d operator*(double s, const AcGePoint3d& p) { return p * s; }
    friend AcGePoint3d operator*(const AcGeMatrix3d& m, const AcGePoint3d& p);
    bool operator==(const AcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint3d& p) const { return !isEqualTo(p); }
    double operator[](unsigned int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](unsigned int i) { return i == 0 ? x : i == 1 ? y : z; }

    AcGePoint3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    AcGePoint3d& setToSum(const AcGePoint3d& p, const AcGeVector3d& v) { return *this = p + v; }
    AcGePoint3d& setToProduct(const AcGeMatrix3d& m, const AcGePoint3d& p);
    AcGePoint3d& transformBy(const AcGeMatrix3d& m);
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& axis, const AcGePoint3d& center = kOrigin);
    AcGePoint3d& scaleBy(double factor, const AcGePoint3d& center = kOrigin);
    AcGeVector3d asVector() const { return {x, y, z}; }
    // Drops z.
    AcGePoint2d convert2d() const { return {x, y}; }
    // The coordinates of the point's orthogonal projection in the plane's coordinate system.
    AcGePoint2d convert2d(const AcGePlanarEnt& plane) const;
    AcGePoint3d orthoProject(const AcGePlanarEnt& plane) const;

    double distanceTo(const AcGePoint3d& p) const { return (*this - p).length(); }
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return distanceTo(p) <= tol.equalPoint();
    }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

typedef AcArray<AcGePoint3d> AcGePoint3dArray;
