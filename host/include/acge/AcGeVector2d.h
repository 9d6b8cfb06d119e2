// AcGeVector2d: a displacement in the plane. Angles are radians, counter-clockwise.
#pragma once

#include <adesk/AcArray.h>
#include <adesk/Adesk.h>
#include <acge/AcGeContext.h>

#include <cmath>

class AcGeMatrix2d;

class ADESK_EXPORT AcGeVector2d {
public:
    constexpr AcGeVector2d() = default;
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity;
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-() const { return {-x, -y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    AcGeVector2d& operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    AcGeVector2d& operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    AcGeVector2d& operator*=(double s) { x *= s; y *= s; return *this; }
    AcGeVector2d& operator/=(double s) { x /= s; y /= s; return *this; }
    friend AcGeVector2d operator*(double s, const AcGeVector2d& v) { return v * s; }
    friend AcGeVector2d operator*(const AcGeMatrix2d& m, const AcGeVector2d& v);
    bool operator==(const AcGeVector2d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector2d& v) const { return !isEqualTo(v); }
    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }

    AcGeVector2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    AcGeVector2d& negate() { x = -x; y = -y; return *this; }
    AcGeVector2d& setToSum(const AcGeVector2d& a, const AcGeVector2d& b) { return *this = a + b; }
    AcGeVector2d& transformBy(const AcGeMatrix2d& m);
    AcGeVector2d& rotateBy(double angle);

    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    // The z of the 3D cross product: positive when v lies counter-clockwise of this.
    double crossProduct(const AcGeVector2d& v) const { return x * v.y - y * v.x; }
    double length() const { return std::hypot(x, y); }
    double lengthSqrd() const { return x * x + y * y; }
    // Angle from the X axis, in [0, 2pi).
    double angle() const;
    // Unsigned angle to v, in [0, pi].
    double angleTo(const AcGeVector2d& v) const;
    AcGeVector2d perpVector() const { return {-y, x}; }
    // The unit vector along this one; the zero vector stays zero.
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol) { return *this = normal(tol); }

    bool isEqualTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return (*this - v).length() <= tol.equalVector();
    }
    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(length() - 1.0) <= tol.equalVector();
    }
    bool isParallelTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;

    double x = 0.0;
    double y = 0.0;
};

typedef AcArray<AcGeVector2d> AcGeVector2dArray;
