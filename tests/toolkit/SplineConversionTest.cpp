// Splines to NURBS curves and to polylines within the approximation distance.
#include "CurveTrace.h"

#include "tests/host/db/entities/GeomAssert.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/SplineConversion.h"

#include <acdb/AcDbSpline.h>
#include <acge/AcGeNurbCurve3d.h>

#include <cmath>
#include <memory>

namespace dh::toolkit::test {
namespace {

std::unique_ptr<AcDbSpline> wave()
{
    AcGePoint3dArray controls;
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 4), AcGePoint3d(10, 30, 4), AcGePoint3d(30, -20, 4),
                                 AcGePoint3d(45, 25, 4), AcGePoint3d(60, 0, 4), AcGePoint3d(80, 10, 4)})
        controls.append(p);
    AcGeDoubleArray knots;
    for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 2.0, 3.0, 3.0, 3.0, 3.0})
        knots.append(k);
    return std::make_unique<AcDbSpline>(3, false, false, false, controls, knots, AcGeDoubleArray());
}

std::unique_ptr<AcDbPolyline> converted(const AcDbSpline& spline, double distance)
{
    AcDbPolyline* made = nullptr;
    EXPECT_EQ(convertSplineToPolyline(&spline, distance, false, made), kGeOk);
    return std::unique_ptr<AcDbPolyline>(made);
}

TEST(SplineConversion, PolylineStaysWithinTheDistanceOfTheSpline)
{
    const std::unique_ptr<AcDbSpline> spline = wave();
    // The spline is flat at z 4, where the polyline lies.
    const std::vector<AcGePoint3d> curve = tracePoints(*spline, 1000);
    size_t previousCount = 100000;
    for (double e : {0.001, 0.01, 0.1, 1.0}) {
        SCOPED_TRACE(e);
        std::unique_ptr<AcDbPolyline> polyline = converted(*spline, e);
        ASSERT_TRUE(polyline);
        EXPECT_EQ(polyline->elevation(), 4.0);
        EXPECT_LE(farthestFrom(*polyline, curve), e * (1 + 1e-9));
        // Vertices on the curve, the first and last at its ends.
        for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
            AcGePoint3d p;
            polyline->getPointAt(i, p);
            EXPECT_LT(distanceTo(*spline, p), 1e-9);
        }
        AcGePoint3d last;
        polyline->getPointAt(polyline->numVerts() - 1, last);
        EXPECT_NEAR3D(last, AcGePoint3d(80, 10, 4));
        EXPECT_LT(polyline->numVerts(), previousCount);
        previousCount = polyline->numVerts();
    }
}

TEST(SplineConversion, RationalQuarterCircleIsSampledOnTheCircle)
{
    // Exact quarter of the unit circle: every vertex at radius 1 and every chord's middle
    // within e of the circle.
    AcGePoint3dArray controls;
    controls.append(AcGePoint3d(1, 0, 0));
    controls.append(AcGePoint3d(1, 1, 0));
    controls.append(AcGePoint3d(0, 1, 0));
    AcGeDoubleArray knots;
    for (double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
        knots.append(k);
    AcGeDoubleArray weights;
    weights.append(1.0);
    weights.append(std::sqrt(0.5));
    weights.append(1.0);
    AcDbSpline spline(2, true, false, false, controls, knots, weights);
    const double e = 1e-4;
    std::unique_ptr<AcDbPolyline> polyline = converted(spline, e);
    ASSERT_TRUE(polyline);
    ASSERT_GT(polyline->numVerts(), 10u);
    AcGePoint2d previous;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
        AcGePoint2d p;
        polyline->getPointAt(i, p);
        EXPECT_NEAR(p.asVector().length(), 1.0, 1e-9);
        if (i > 0) {
            EXPECT_LE(1.0 - (p + previous.asVector()).asVector().length() / 2, e);
        }
        previous = p;
    }
}

TEST(SplineConversion, ClosedSplinesFitDataAndUnusableDistances)
{
    // Closed through fit points: a closed polyline that does not repeat its first vertex.
    AcGePoint3dArray fit;
    for (int k = 0; k < 8; ++k)
        fit.append(AcGePoint3d(10 * std::cos(k * 0.785398), 10 * std::sin(k * 0.785398), 0));
    fit.append(fit.first());
    AcDbSpline ring(fit);
    ASSERT_TRUE(ring.isClosed());
    std::unique_ptr<AcDbPolyline> polyline = converted(ring, 0.01);
    ASSERT_TRUE(polyline);
    EXPECT_TRUE(polyline->isClosed());
    AcGePoint3d first, last;
    polyline->getPointAt(0, first);
    polyline->getPointAt(polyline->numVerts() - 1, last);
    EXPECT_GT(first.distanceTo(last), 1e-6);

    // With fit data asked for, the curve runs through the fit points.
    AcGeNurbCurve3d* curve = nullptr;
    ASSERT_EQ(splineToNurbCurve(&ring, true, curve), kGeOk);
    std::unique_ptr<AcGeNurbCurve3d> owned(curve);
    for (int k = 0; k < fit.length(); ++k)
        EXPECT_LT(curve->distanceTo(fit[k]), 1e-9) << k;

    // 0 and negative distances fall back to a share of the length, tiny ones are raised:
    // the result stays small and within the fallback distance.
    const std::unique_ptr<AcDbSpline> spline = wave();
    const double length = curveLength(*spline);
    for (double e : {0.0, -5.0, 1e-300}) {
        polyline = converted(*spline, e);
        ASSERT_TRUE(polyline) << e;
        EXPECT_LT(polyline->numVerts(), 20000u) << e;
        if (e <= 0.0) {
            EXPECT_LE(farthestFrom(*polyline, tracePoints(*spline, 300)), 1e-4 * length * (1 + 1e-9));
        }
    }
}

} // namespace
} // namespace dh::toolkit::test
