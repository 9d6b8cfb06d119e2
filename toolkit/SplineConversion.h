// Splines as kernel NURBS curves and as lightweight polylines through sample points.
// Both answer a status of GeometryStatus.h and leave the spline (open, any database)
// unchanged; outputs are new objects owned by the caller, nullptr on failure.
#pragma once

class AcDbPolyline;
class AcDbSpline;
class AcGeNurbCurve3d;

namespace dh::toolkit {

// The spline's curve, from its fit points (with the end tangents that exist, under its fit
// tolerance) when it has them and useFitData is set, else from its control points, knots
// (knot tolerance 1e-9) and weights; closed or open as the spline is. 1 when the spline
// will not give its data.
int splineToNurbCurve(const AcDbSpline* spline, bool useFitData, AcGeNurbCurve3d*& curve);

// A polyline of straight segments through points sampled from the spline's start to its
// end parameter such that no chord strays more than `distance` from the curve: x and y of
// the samples, default widths, the spline's properties, the z of its start point as
// elevation, closed when the spline is. A distance of 0 or less means 0.0001 of the
// spline's length; a distance below 1e-8 of its extents is raised to that, so that the
// number of vertices stays bounded. 3 when the curve has no start or end point.
int convertSplineToPolyline(const AcDbSpline* spline, double distance, bool useFitData,
                            AcDbPolyline*& polyline);

} // namespace dh::toolkit
