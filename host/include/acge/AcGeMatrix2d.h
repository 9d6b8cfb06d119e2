// AcGeMatrix2d: an affine transformation of the plane, a 3x3 matrix acting on column
// vectors (entry[row][col], translation in the last column). a * b applies b first.
#pragma once

#include <acge/AcGePoint2d.h>

class ADESK_EXPORT AcGeMatrix2d {
public:
    constexpr AcGeMatrix2d() : entry{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}} {}

    static const AcGeMatrix2d kIdentity;

    AcGeMatrix2d operator*(const AcGeMatrix2d& m) const;
    AcGeMatrix2d& operator*=(const AcGeMatrix2d& m) { return postMultBy(m); }
    bool operator==(const AcGeMatrix2d& m) const { return isEqualTo(m); }
    bool operator!=(const AcGeMatrix2d& m) const { return !isEqualTo(m); }
    double operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
    double& operator()(unsigned int row, unsigned int col) { return entry[row][col]; }

    AcGeMatrix2d& setToIdentity();
    // this = left * this: left is applied after this.
    AcGeMatrix2d& preMultBy(const AcGeMatrix2d& left);
    // this = this * right: right is applied before this.
    AcGeMatrix2d& postMultBy(const AcGeMatrix2d& right);
    AcGeMatrix2d& setToProduct(const AcGeMatrix2d& a, const AcGeMatrix2d& b);
    AcGeMatrix2d& invert();
    AcGeMatrix2d inverse() const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    double det() const;
    bool isEqualTo(const AcGeMatrix2d& m, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeMatrix2d& setToTranslation(const AcGeVector2d& v);
    AcGeMatrix2d& setToRotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    AcGeMatrix2d& setToScaling(double factor, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    // Mirror through a point.
    AcGeMatrix2d& setToMirroring(const AcGePoint2d& point);
    // Mirror in the line through point with direction dir.
    AcGeMatrix2d& setToMirroring(const AcGePoint2d& point, const AcGeVector2d& dir);
    AcGeMatrix2d& setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& xAxis, const AcGeVector2d& yAxis);
    void getCoordSystem(AcGePoint2d& origin, AcGeVector2d& xAxis, AcGeVector2d& yAxis) const;
    AcGeVector2d translation() const { return {entry[0][2], entry[1][2]}; }
    // The largest factor by which the transformation stretches a length.
    double scale() const;

    static AcGeMatrix2d translation(const AcGeVector2d& v);
    static AcGeMatrix2d rotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d scaling(double factor, const AcGePoint2d& center = AcGePoint2d::kOrigin);

    double entry[3][3];
};
