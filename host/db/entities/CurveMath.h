// Numeric work shared by the curve entities, written once over AcDbCurve's evaluate and
// spans: arc length by Gauss–Legendre quadrature, closest points by sampling and Newton
// refinement, extents by the roots of the derivative, and the geometry of bulge arcs.
#pragma once

#include <acdb/AcDbCurve.h>
#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePoint2d.h>

#include <vector>

namespace dh::db {

// Length of the curve between two parameters of one smooth span.
double gaussLength(const AcDbCurve& curve, double t0, double t1);
// The parameter in [t0, t1] at which the length from t0 equals want.
double solveLength(const AcDbCurve& curve, double t0, double t1, double want);

// The parameter of the point nearest to `given`; with a unit normal, distances are taken
// in the plane perpendicular to it.
bool closestParamOnSpans(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans,
                         const AcGePoint3d& given, const AcGeVector3d* normal, double& param);

// Points along the curve, `perSpan` intervals per span, ends included.
void sampleCurve(const AcDbCurve& curve, int perSpan, std::vector<AcGePoint3d>& points);

// The best plane through the points (Newell's method) and whether they are planar within
// tol, or all on one line.
AcDb::Planarity fitPlane(const std::vector<AcGePoint3d>& points, AcGePlane& plane, double tol);

// Signed area swept by the chord from the curve's start to its points, about `normal`.
double enclosedArea(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans, const AcGeVector3d& normal);

// Adds the curve's span ends and every point where a coordinate is extreme.
void addCurveExtents(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans, AcDbExtents& box);

// Adds the points of a circular arc where a coordinate is extreme (its ends are the caller's):
// the arc runs about center in the plane of the unit axes xAxis, yAxis, from startAngle
// through the signed sweep; a sweep of 2π or more is the whole circle. Exact, any plane.
void addArcExtremes(const AcGePoint3d& center, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis, double radius,
                    double startAngle, double sweep, AcDbExtents& box);

// A circular arc as a polyline segment sees it: from p0 to p1 with bulge b (tan of a
// quarter of the signed included angle, positive counter-clockwise).
struct BulgeArc {
    AcGePoint2d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0; // signed
};
BulgeArc bulgeArc(const AcGePoint2d& p0, const AcGePoint2d& p1, double bulge);

// Point and derivatives (per unit fraction) of a polyline segment at fraction f.
void evalBulgeSegment(const AcGePoint2d& p0, const AcGePoint2d& p1, double bulge, double f,
                      AcGePoint2d& point, AcGeVector2d* d1, AcGeVector2d* d2);

// Angle of v in [0, 2π).
double normalizeAngle(double angle);

// The ECS axes of an extrusion direction (the drawing format's arbitrary axis rule).
void ecsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis);

// Point and derivatives of the circle (center, normal, radius) at an angle from its ECS x axis.
void evalCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double angle,
                AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2);

// Moves a circle's frame by xform; angleOffset is what its angles gain; normal becomes the
// image of the old x and y axes crossed. False for a transform that does not keep circles round.
bool transformCircle(const AcGeMatrix3d& xform, AcGePoint3d& center, AcGeVector3d& normal, double& radius,
                     double& angleOffset);

} // namespace dh::db
