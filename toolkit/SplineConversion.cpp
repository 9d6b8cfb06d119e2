#include "toolkit/SplineConversion.h"

#include "toolkit/GeometryStatus.h"

#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acge/AcGeNurbCurve3d.h>

#include <algorithm>
#include <memory>

namespace dh::toolkit {
namespace {

constexpr double kKnotTolerance = 1e-9;
// Approximation distance for a distance of 0 or less, as a share of the spline's length.
constexpr double kDefaultDistanceShare = 1e-4;
// Least approximation distance, as a share of the diagonal of the spline's extents.
constexpr double kLeastDistanceShare = 1e-8;

AcGeNurbCurve3d* curveFromFitData(const AcDbSpline& spline)
{
    AcGePoint3dArray points;
    int degree = 0;
    double fitTolerance = 0.0;
    bool tangentsExist = false;
    AcGeVector3d startTangent;
    AcGeVector3d endTangent;
    if (spline.getFitData(points, degree, fitTolerance, tangentsExist, startTangent, endTangent) !=
        Acad::eOk)
        return nullptr;
    AcGeTol tol;
    tol.setEqualPoint(fitTolerance);
    if (!tangentsExist)
        return new AcGeNurbCurve3d(points, tol);
    return new AcGeNurbCurve3d(points, startTangent, endTangent, !startTangent.isZeroLength(),
                               !endTangent.isZeroLength(), tol);
}

AcGeNurbCurve3d* curveFromNurbsData(const AcDbSpline& spline)
{
    int degree = 0;
    bool rational = false;
    bool closed = false;
    bool periodic = false;
    AcGePoint3dArray controlPoints;
    AcGeDoubleArray knots;
    AcGeDoubleArray weights;
    double controlPointTolerance = 0.0;
    double knotTolerance = 0.0;
    if (spline.getNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights,
                            controlPointTolerance, knotTolerance) != Acad::eOk)
        return nullptr;
    const AcGeKnotVector knotVector(knots, kKnotTolerance);
    if (rational)
        return new AcGeNurbCurve3d(degree, knotVector, controlPoints, weights, periodic);
    return new AcGeNurbCurve3d(degree, knotVector, controlPoints, periodic);
}

double approximationDistance(const AcGeNurbCurve3d& curve, double distance)
{
    AcGeInterval range;
    curve.getInterval(range);
    if (distance <= 0.0)
        distance = kDefaultDistanceShare * curve.length(range.lowerBound(), range.upperBound());
    AcGePoint3d low;
    AcGePoint3d high;
    curve.getExtents(low, high);
    return std::max(distance, kLeastDistanceShare * low.distanceTo(high));
}

} // namespace

int splineToNurbCurve(const AcDbSpline* spline, bool useFitData, AcGeNurbCurve3d*& curve)
{
    curve = nullptr;
    if (spline == nullptr)
        return kGeNothing;
    curve = useFitData && spline->hasFitData() ? curveFromFitData(*spline)
                                               : curveFromNurbsData(*spline);
    if (curve == nullptr)
        return kGeNoEnds;
    if (spline->isClosed())
        curve->makeClosed();
    else
        curve->makeOpen();
    return kGeOk;
}

int convertSplineToPolyline(const AcDbSpline* spline, double distance, bool useFitData,
                            AcDbPolyline*& polyline)
{
    polyline = nullptr;
    AcGeNurbCurve3d* made = nullptr;
    if (const int status = splineToNurbCurve(spline, useFitData, made); status != kGeOk)
        return status;
    std::unique_ptr<AcGeNurbCurve3d> curve(made);
    AcGePoint3d start;
    AcGePoint3d end;
    if (!curve->hasStartPoint(start) || !curve->hasEndPoint(end))
        return kGeNothing;
    AcGeInterval range;
    curve->getInterval(range);
    AcGePoint3dArray samples;
    curve->getSamplePoints(range.lowerBound(), range.upperBound(),
                           approximationDistance(*curve, distance), samples);
    curve.reset();

    const bool closed = spline->isClosed();
    // A closed polyline returns to its first vertex by itself.
    if (closed && samples.length() > 1 && samples.last().isEqualTo(samples.first()))
        samples.removeLast();
    if (samples.isEmpty())
        return kGeNothing;
    auto result = std::make_unique<AcDbPolyline>();
    for (int i = 0; i < samples.length(); ++i)
        result->addVertexAt(static_cast<unsigned int>(i), AcGePoint2d(samples[i].x, samples[i].y),
                            0.0, -1.0, -1.0);
    result->setClosed(closed);
    result->setPropertiesFrom(spline);
    AcGePoint3d splineStart;
    spline->getStartPoint(splineStart);
    result->setElevation(splineStart.z);
    polyline = result.release();
    return kGeOk;
}

} // namespace dh::toolkit
