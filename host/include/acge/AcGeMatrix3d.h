// AcGeMatrix3d: an affine transformation of space, a 4x4 matrix acting on column vectors
// (entry[row][col], translation in the last column). a * b applies b first.
#pragma once

#include <acge/AcGeMatrix2d.h>
#include <acge/AcGePoint3d.h>

class ADESK_EXPORT AcGeMatrix3d {
public:
    constexpr AcGeMatrix3d() : entry{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}} {}

    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& m) { return postMultBy(m); }
    bool operator==(const AcGeMatrix3d& m) const { return isEqualTo(m); }
    bool operator!=(const AcGeMatrix3d& m) const { return !isEqualTo(m); }
    double operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
    double& operator()(unsigned int row, unsigned int col) { return entry[row][col]; }

    AcGeMatrix3d& setToIdentity();
    // this = left * this: left is applied after this.
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);
    // this = this * right: right is applied before this.
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right);
    AcGeMatrix3d& setToProduct(const AcGeMatrix3d& a, const AcGeMatrix3d& b);
    AcGeMatrix3d& invert();
    AcGeMatrix3d inverse() const;
    AcGeMatrix3d& transposeIt();
    AcGeMatrix3d transpose() const;
    bool isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    double det() const;
    bool isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol = AcGeContext::gTol) const;
    // Whether the transformation keeps angles (rotation, uniform scaling, mirroring, translation).
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    // Mirror in the plane.
    AcGeMatrix3d& setToMirroring(const AcGePlanarEnt& plane);
    // Mirror through a point.
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& point);
    // Maps world coordinates to the plane's (origin, u, v, normal) coordinates.
    AcGeMatrix3d& setToWorldToPlane(const AcGePlanarEnt& plane);
    AcGeMatrix3d& setToPlaneToWorld(const AcGePlanarEnt& plane);
    // The object coordinate system of the drawing format for an extrusion direction.
    AcGeMatrix3d& setToWorldToPlane(const AcGeVector3d& normal);
    AcGeMatrix3d& setToPlaneToWorld(const AcGeVector3d& normal);
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                 const AcGeVector3d& yAxis, const AcGeVector3d& zAxis);
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis, AcGeVector3d& zAxis) const;
    // Maps the coordinate system (fromOrigin, fromX, fromY, fromZ) onto (toOrigin, ...).
    AcGeMatrix3d& setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                     const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                     const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                     const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    AcGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    // The largest factor by which the transformation stretches a length.
    double scale() const;
    // The XY part as a 2D transformation (drops z rows and columns).
    AcGeMatrix2d convertToLocal2d() const;

    static AcGeMatrix3d translation(const AcGeVector3d& v);
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d mirroring(const AcGePlanarEnt& plane);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);

    double entry[4][4];
};
