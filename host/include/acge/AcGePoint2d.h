// AcGePoint2d: a position in the plane, in drawing units.
#pragma once

#include <acge/AcGeVector2d.h>

class ADESK_EXPORT AcGePoint2d {
public:
    constexpr AcGePoint2d() = default;
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGePoint2d kOrigin;

    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    AcGePoint2d operator*(double s) const { return {x * s, y * s}; }
    AcGePoint2d operator/(double s) const { return {x / s, y / s}; }
    AcGePoint2d& operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    AcGePoint2d& operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    AcGePoint2d& operator*=(double s) { x *= s; y *= s; return *this; }
    AcGePoint2d& operator/=(double s) { x /= s; y /= s; return *this; }
    friend AcGePoint2d operator*(double s, const AcGePoint2d& p) { return p * s; }
    friend AcGePoint2d operator*(const AcGeMatrix2d& m, const AcGePoint2d& p);
    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }

    AcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    AcGePoint2d& setToSum(const AcGePoint2d& p, const AcGeVector2d& v) { return *this = p + v; }
    AcGePoint2d& transformBy(const AcGeMatrix2d& m);
    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& center = kOrigin);
    AcGePoint2d& scaleBy(double factor, const AcGePoint2d& center = kOrigin);
    AcGeVector2d asVector() const { return {x, y}; }

    double distanceTo(const AcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return distanceTo(p) <= tol.equalPoint();
    }

    double x = 0.0;
    double y = 0.0;
};

typedef AcArray<AcGePoint2d> AcGePoint2dArray;
