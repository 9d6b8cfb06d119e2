// AcDbCurve: the curve interface every curve entity shares.
//
// Parameters follow the host's conventions: a line by distance from its start, arcs and
// circles by angle in their plane, an ellipse by its parametric angle, polylines by vertex
// index plus fraction (within an arc segment the fraction is that of its angle), splines
// by knot value. Points and derivatives are in world coordinates; derivatives are taken
// with respect to the parameter.
//
// A point farther from the curve than the on-curve tolerance, a parameter outside
// getStartParam … getEndParam or a distance outside 0 … length answers eInvalidInput and
// leaves the output untouched. Split pieces are new curves of the same kind (a circle
// gives arcs, a closed ellipse elliptical arcs) owned by the caller, carrying this curve's
// common properties. A circle or a closed ellipse needs two split values to be cut; one
// value opens a closed polyline or spline at that place.
#pragma once

#include <acdb/AcDbEntity.h>
#include <acge/AcGeArrays.h>
#include <acge/AcGePlane.h>
#include <acge/AcGeVector3d.h>

#include <vector>

class AcDbSpline;

namespace AcDb {
enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };
}

class ADESK_EXPORT AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);

    virtual bool isClosed() const { return false; }
    virtual bool isPeriodic() const { return false; }
    virtual bool isPlanar() const;
    virtual Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const;

    virtual Acad::ErrorStatus getStartParam(double& param) const;
    virtual Acad::ErrorStatus getEndParam(double& param) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;

    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getParamAtDist(double dist, double& param) const;
    virtual Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const;
    virtual Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& point) const;

    virtual Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& deriv) const;
    virtual Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const;
    virtual Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& deriv) const;
    virtual Acad::ErrorStatus getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const;

    // The nearest point of the curve; with extend, lines and arcs count as unbounded.
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                                bool extend = false) const;
    // The point of the curve nearest to the given point when both are seen along
    // `normal`: distances are measured in the plane perpendicular to it.
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, const AcGeVector3d& normal,
                                                AcGePoint3d& pointOnCurve, bool extend = false) const;

    virtual Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const;
    virtual Acad::ErrorStatus getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const;

    // A new spline of the same shape (caller owns it).
    virtual Acad::ErrorStatus getSpline(AcDbSpline*& spline) const;
    // The area enclosed by the curve and the chord from its end back to its start, in
    // the curve's plane.
    virtual Acad::ErrorStatus getArea(double& area) const;

    // Moves the start (param below the start) or the end (above the end) to param.
    virtual Acad::ErrorStatus extend(double newParam);
    virtual Acad::ErrorStatus extend(bool extendStart, const AcGePoint3d& toPoint);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;

    // What a curve class provides; the interface above is built on it. ------------------
    // Smooth spans between the curve's corners (vertices, knots), in parameter order.
    struct Span {
        double start = 0.0;
        double end = 0.0;
        // The speed |d point / d param| is constant along the span (lines, circular arcs).
        bool uniformSpeed = false;
    };
    virtual void getSpans(std::vector<Span>& spans) const;
    // Point and derivatives at a parameter of the range (no range check); false when the
    // curve is empty.
    virtual bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                          AcGeVector3d* d2 = nullptr) const;
    // The piece between two parameters t0 < t1 as a new curve; for a closed curve t1 may
    // pass the end parameter, the piece then runs on over the start.
    virtual AcDbCurve* makePiece(double t0, double t1) const;
    // How many split values cut a closed curve open.
    virtual int splitValuesToOpen() const { return 1; }
    // The on-curve tolerance for this curve: absolute, grown with its coordinates.
    double onCurveTolerance() const;

protected:
    // Clamps a parameter within a rounding error of the range onto it; false when it lies
    // outside.
    bool normalizeParam(double& param) const;
    double paramRange(double& start, double& end) const;
    double lengthBetween(double t0, double t1) const;
    // The parameter of the closest point (optionally measured across `normal`), searching
    // the curve's own range.
    bool closestParam(const AcGePoint3d& given, const AcGeVector3d* normal, double& param) const;
};
