// AcGeScale2d / AcGeScale3d: scale factors per axis, as block references carry them.
#pragma once

#include <acge/AcGeMatrix3d.h>

class ADESK_EXPORT AcGeScale2d {
public:
    constexpr AcGeScale2d() = default;
    constexpr explicit AcGeScale2d(double factor) : sx(factor), sy(factor) {}
    constexpr AcGeScale2d(double xFactor, double yFactor) : sx(xFactor), sy(yFactor) {}

    static const AcGeScale2d kIdentity;

    AcGeScale2d operator*(const AcGeScale2d& s) const { return {sx * s.sx, sy * s.sy}; }
    AcGeScale2d operator*(double f) const { return {sx * f, sy * f}; }
    bool operator==(const AcGeScale2d& s) const { return isEqualTo(s); }
    bool operator!=(const AcGeScale2d& s) const { return !isEqualTo(s); }
    double operator[](unsigned int i) const { return i == 0 ? sx : sy; }
    double& operator[](unsigned int i) { return i == 0 ? sx : sy; }
    AcGeScale2d& set(double xFactor, double yFactor) { sx = xFactor; sy = yFactor; return *this; }
    AcGeMatrix2d getMatrix() const;
    bool isProportional(const AcGeTol& tol = AcGeContext::gTol) const { return std::fabs(sx - sy) <= tol.equalVector(); }
    bool isEqualTo(const AcGeScale2d& s, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector();
    }

    double sx = 1.0;
    double sy = 1.0;
};

class ADESK_EXPORT AcGeScale3d {
public:
    constexpr AcGeScale3d() = default;
    constexpr explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr AcGeScale3d(double xFactor, double yFactor, double zFactor) : sx(xFactor), sy(yFactor), sz(zFactor) {}

    static const AcGeScale3d kIdentity;

    AcGeScale3d operator*(const AcGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
    AcGeScale3d operator*(double f) const { return {sx * f, sy * f, sz * f}; }
    bool operator==(const AcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const AcGeScale3d& s) const { return !isEqualTo(s); }
    double operator[](unsigned int i) const { return i == 0 ? sx : i == 1 ? sy : sz; }
    double& operator[](unsigned int i) { return i == 0 ? sx : i == 1 ? sy : sz; }
    AcGeScale3d& set(double xFactor, double yFactor, double zFactor)
    {
        sx = xFactor; sy = yFactor; sz = zFactor;
        return *this;
    }
    AcGeMatrix3d getMatrix() const;
    bool isProportional(const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sx - sz) <= tol.equalVector();
    }
    bool isEqualTo(const AcGeScale3d& s, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector()
            && std::fabs(sz - s.sz) <= tol.equalVector();
    }

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};
