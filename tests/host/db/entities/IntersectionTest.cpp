// intersectWith between curve kinds and with texts: modes, the projection plane, and long
// polylines checked against a count worked out by hand.
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbText.h>

#include "host/db/entities/GeomAssert.h"

#include <algorithm>
#include <cmath>

namespace {

bool holds(const AcGePoint3dArray& points, const AcGePoint3d& p, double tol = 1e-9)
{
    return std::any_of(points.begin(), points.end(), [&](const AcGePoint3d& q) { return q.distanceTo(p) <= tol; });
}

TEST(Intersections, LineAndCircleCrossTwiceAndTouchOnce)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5.0);
    AcDbLine through(AcGePoint3d(-10, 3, 0), AcGePoint3d(10, 3, 0));
    AcGePoint3dArray points;
    ASSERT_EQ(through.intersectWith(&circle, AcDb::kOnBothOperands, points), Acad::eOk);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(holds(points, AcGePoint3d(4, 3, 0)));
    EXPECT_TRUE(holds(points, AcGePoint3d(-4, 3, 0)));

    AcDbLine tangent(AcGePoint3d(-10, 5, 0), AcGePoint3d(10, 5, 0));
    AcGePoint3dArray touch;
    tangent.intersectWith(&circle, AcDb::kOnBothOperands, touch);
    ASSERT_EQ(touch.length(), 1);
    EXPECT_NEAR3D_TOL(touch[0], AcGePoint3d(0, 5, 0), 1e-6);
}

TEST(Intersections, ExtendModesReachBeyondTheEnds)
{
    AcDbLine a(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbLine b(AcGePoint3d(3, -1, 0), AcGePoint3d(3, 1, 0));
    AcGePoint3dArray none, extendThis, extendArg;
    a.intersectWith(&b, AcDb::kOnBothOperands, none);
    EXPECT_EQ(none.length(), 0);
    a.intersectWith(&b, AcDb::kExtendThis, extendThis);
    ASSERT_EQ(extendThis.length(), 1);
    EXPECT_NEAR3D(extendThis[0], AcGePoint3d(3, 0, 0));
    a.intersectWith(&b, AcDb::kExtendArg, extendArg);
    EXPECT_EQ(extendArg.length(), 0);

    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.0, 1.0); // a short arc from angle 0 to 1 rad
    AcDbLine left(AcGePoint3d(-5, 0.5, 0), AcGePoint3d(-1, 0.5, 0));
    AcGePoint3dArray points;
    arc.intersectWith(&left, AcDb::kExtendBoth, points);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(holds(points, AcGePoint3d(-std::sqrt(3.75), 0.5, 0)));
}

TEST(Intersections, ProjectionPlaneMeetsCurvesAtDifferentHeights)
{
    AcDbPolyline contour;
    contour.addVertexAt(0, AcGePoint2d(0, 0));
    contour.addVertexAt(1, AcGePoint2d(10, 0));
    contour.setElevation(50.0);
    AcDbLine cross(AcGePoint3d(4, -1, 0), AcGePoint3d(4, 1, 0));
    AcGePoint3dArray inSpace, projected;
    contour.intersectWith(&cross, AcDb::kOnBothOperands, inSpace);
    EXPECT_EQ(inSpace.length(), 0);
    ASSERT_EQ(contour.intersectWith(&cross, AcDb::kOnBothOperands, AcGePlane::kXYPlane, projected), Acad::eOk);
    ASSERT_EQ(projected.length(), 1);
    EXPECT_NEAR3D(projected[0], AcGePoint3d(4, 0, 50)); // on the polyline
}

TEST(Intersections, LongPolylineAgainstALine)
{
    // A zigzag of 4000 segments between y = 0 and y = 1 crosses y = 0.5 once per segment.
    AcDbPolyline zigzag;
    const unsigned int n = 4001;
    for (unsigned int i = 0; i < n; ++i)
        zigzag.addVertexAt(i, AcGePoint2d(i, i % 2));
    AcDbLine level(AcGePoint3d(-1, 0.5, 0), AcGePoint3d(n, 0.5, 0));
    AcGePoint3dArray points;
    ASSERT_EQ(zigzag.intersectWith(&level, AcDb::kOnBothOperands, AcGePlane::kXYPlane, points), Acad::eOk);
    EXPECT_EQ(points.length(), static_cast<int>(n - 1));
    EXPECT_TRUE(holds(points, AcGePoint3d(2345.5, 0.5, 0)));
}

TEST(Intersections, PolylineArcSegmentsEllipsesAndSplines)
{
    AcDbPolyline bow; // half circle of radius 1 below the x axis, centre (1, 0)
    bow.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    bow.addVertexAt(1, AcGePoint2d(2, 0));
    AcDbEllipse ellipse(AcGePoint3d(1, -1, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 0, 0), 0.1);
    AcGePoint3dArray points;
    bow.intersectWith(&ellipse, AcDb::kOnBothOperands, points);
    // The ellipse (x-1)²/9 + (y+1)²/0.09 = 1 meets the circle where y ≈ -0.7, twice.
    ASSERT_EQ(points.length(), 2);
    for (const AcGePoint3d& p : points) {
        EXPECT_NEAR(std::hypot(p.x - 1, p.y), 1.0, 1e-7);
        EXPECT_NEAR((p.x - 1) * (p.x - 1) / 9 + (p.y + 1) * (p.y + 1) / 0.09, 1.0, 1e-6);
    }

    AcGePoint3dArray fit;
    fit.append(AcGePoint3d(0, 0, 0));
    fit.append(AcGePoint3d(5, 5, 0));
    fit.append(AcGePoint3d(10, 0, 0));
    AcDbSpline spline(fit);
    AcDbLine level(AcGePoint3d(-1, 2, 0), AcGePoint3d(11, 2, 0));
    AcGePoint3dArray onSpline;
    spline.intersectWith(&level, AcDb::kOnBothOperands, onSpline);
    ASSERT_EQ(onSpline.length(), 2);
    for (const AcGePoint3d& p : onSpline) {
        EXPECT_NEAR(p.y, 2.0, 1e-7);
        double param;
        EXPECT_EQ(spline.getParamAtPoint(p, param), Acad::eOk);
    }
}

TEST(Intersections, ThreeDPolylineSeenFromAbove)
{
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(10, 10, 20));
    AcDb3dPolyline slope(AcDb::k3dSimplePoly, points);
    AcDbLine ground(AcGePoint3d(0, 10, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3dArray found;
    slope.intersectWith(&ground, AcDb::kOnBothOperands, AcGePlane::kXYPlane, found);
    ASSERT_EQ(found.length(), 1);
    EXPECT_NEAR3D(found[0], AcGePoint3d(5, 5, 10));
}

TEST(Intersections, TextsMeetCurvesAtTheirBox)
{
    // "ABCD" at height 2: 4 half-width characters, 4 units wide, 2 high.
    AcDbText text(AcGePoint3d(0, 0, 0), "ABCD", AcDbObjectId::kNull, 2.0);
    AcDbLine cut(AcGePoint3d(1, -1, 0), AcGePoint3d(1, 5, 0));
    AcGePoint3dArray points;
    cut.intersectWith(&text, AcDb::kOnBothOperands, points);
    ASSERT_EQ(points.length(), 2);
    EXPECT_TRUE(holds(points, AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(holds(points, AcGePoint3d(1, 2, 0)));
}

} // namespace
