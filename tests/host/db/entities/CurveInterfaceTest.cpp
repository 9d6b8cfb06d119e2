// The curve interface on lines, arcs, circles and ellipses, against hand-computed answers.
#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/GeomAssert.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// Deletes the pieces of a split when the test ends.
struct Pieces {
    AcDbVoidPtrArray items;
    ~Pieces()
    {
        for (void* p : items)
            delete static_cast<AcDbEntity*>(p);
    }
    template <class T>
    T* at(int i) const { return T::cast(static_cast<AcDbEntity*>(items[i])); }
};

TEST(LineCurve, ParameterIsDistanceFromStart)
{
    AcDbLine line(AcGePoint3d(1, 1, 0), AcGePoint3d(4, 5, 0)); // length 5
    double start, end, param, dist;
    ASSERT_EQ(line.getStartParam(start), Acad::eOk);
    ASSERT_EQ(line.getEndParam(end), Acad::eOk);
    EXPECT_DOUBLE_EQ(start, 0.0);
    EXPECT_DOUBLE_EQ(end, 5.0);
    AcGePoint3d p;
    ASSERT_EQ(line.getPointAtParam(2.5, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(2.5, 3, 0));
    ASSERT_EQ(line.getParamAtPoint(AcGePoint3d(3.4, 4.2, 0), param), Acad::eOk);
    EXPECT_NEAR(param, 4.0, 1e-12);
    ASSERT_EQ(line.getDistAtPoint(AcGePoint3d(3.4, 4.2, 0), dist), Acad::eOk);
    EXPECT_NEAR(dist, 4.0, 1e-12);
    AcGeVector3d d1;
    ASSERT_EQ(line.getFirstDeriv(1.0, d1), Acad::eOk);
    EXPECT_NEAR3D(d1, AcGeVector3d(0.6, 0.8, 0));
}

TEST(LineCurve, RefusesPointsOffTheCurveAndParametersOutsideTheRange)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    double param = -7.0, dist = -7.0;
    AcGePoint3d p(9, 9, 9);
    EXPECT_EQ(line.getParamAtPoint(AcGePoint3d(4, 0.01, 0), param), Acad::eInvalidInput);
    EXPECT_EQ(line.getDistAtPoint(AcGePoint3d(11, 0, 0), dist), Acad::eInvalidInput);
    EXPECT_EQ(line.getPointAtParam(10.5, p), Acad::eInvalidInput);
    EXPECT_EQ(line.getDistAtParam(-1.0, dist), Acad::eInvalidInput);
    EXPECT_EQ(line.getParamAtDist(10.01, param), Acad::eInvalidInput);
    EXPECT_EQ(param, -7.0);
    EXPECT_EQ(dist, -7.0);
    EXPECT_NEAR3D(p, AcGePoint3d(9, 9, 9));
}

TEST(LineCurve, ClosestPointWithExtendAndAlongAnAxis)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3d p;
    ASSERT_EQ(line.getClosestPointTo(AcGePoint3d(4, 3, 0), p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(4, 0, 0));
    ASSERT_EQ(line.getClosestPointTo(AcGePoint3d(14, 3, 0), p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(10, 0, 0));
    ASSERT_EQ(line.getClosestPointTo(AcGePoint3d(14, 3, 0), p, true), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(14, 0, 0));

    // A sloped line seen along the Z axis: the nearest point in plan, not in space.
    AcDbLine sloped(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 10));
    ASSERT_EQ(sloped.getClosestPointTo(AcGePoint3d(3, 5, 100), AcGeVector3d::kZAxis, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(3, 0, 3));
    // Along the X axis every point of the line projects onto the same segment (0,0)…(0,10).
    ASSERT_EQ(sloped.getClosestPointTo(AcGePoint3d(50, 0, 4), AcGeVector3d::kXAxis, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(4, 0, 4));
}

TEST(ArcCurve, ParameterIsAngle)
{
    AcDbArc arc(AcGePoint3d(1, 2, 0), 2.0, 0.0, kPi / 2);
    double start, end, param, dist;
    arc.getStartParam(start);
    arc.getEndParam(end);
    EXPECT_DOUBLE_EQ(start, 0.0);
    EXPECT_DOUBLE_EQ(end, kPi / 2);
    AcGePoint3d p;
    ASSERT_EQ(arc.getPointAtParam(kPi / 4, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(1 + std::sqrt(2.0), 2 + std::sqrt(2.0), 0));
    ASSERT_EQ(arc.getParamAtPoint(AcGePoint3d(1, 4, 0), param), Acad::eOk);
    EXPECT_NEAR(param, kPi / 2, 1e-12);
    ASSERT_EQ(arc.getDistAtParam(kPi / 3, dist), Acad::eOk);
    EXPECT_NEAR(dist, 2.0 * kPi / 3, 1e-12);
    ASSERT_EQ(arc.getParamAtDist(kPi / 2, param), Acad::eOk); // a quarter of the way round 2πr/4 = π
    EXPECT_NEAR(param, kPi / 4, 1e-12);
    AcGeVector3d d2;
    ASSERT_EQ(arc.getSecondDeriv(0.0, d2), Acad::eOk);
    EXPECT_NEAR3D(d2, AcGeVector3d(-2, 0, 0));
}

TEST(ArcCurve, EndAngleBelowStartRunsOverZero)
{
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 3 * kPi / 2, kPi / 2); // the right half of the circle
    double end;
    arc.getEndParam(end);
    EXPECT_NEAR(end, 5 * kPi / 2, 1e-12);
    double param;
    ASSERT_EQ(arc.getParamAtPoint(AcGePoint3d(1, 0, 0), param), Acad::eOk);
    EXPECT_NEAR(param, 2 * kPi, 1e-9);
    AcGePoint3d p;
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(-3, 0.1, 0), p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(0, 1, 0)); // the nearer end
    ASSERT_EQ(arc.getClosestPointTo(AcGePoint3d(-3, 0, 0), p, true), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(-1, 0, 0));
}

TEST(CircleCurve, SplitAtTwoPointsGivesTwoArcs)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2.0);
    circle.setColorIndex(3);
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, -2, 0));
    points.append(AcGePoint3d(0, 2, 0));
    Pieces pieces;
    ASSERT_EQ(circle.getSplitCurves(points, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 2);
    AcDbArc* a = pieces.at<AcDbArc>(0);
    AcDbArc* b = pieces.at<AcDbArc>(1);
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->startAngle(), kPi / 2, 1e-12);
    EXPECT_NEAR(a->endAngle(), 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(b->startAngle(), 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(b->endAngle(), kPi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(a->radius(), 2.0);
    EXPECT_EQ(b->colorIndex(), 3);
}

TEST(CircleCurve, OneSplitValueIsNotEnough)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcGeDoubleArray params;
    params.append(1.0);
    Pieces pieces;
    EXPECT_EQ(circle.getSplitCurves(params, pieces.items), Acad::eInvalidInput);
    EXPECT_EQ(pieces.items.length(), 0);
}

TEST(CircleCurve, AreaLengthAndExtents)
{
    AcDbCircle circle(AcGePoint3d(5, 5, 1), AcGeVector3d::kZAxis, 2.0);
    double area, dist, end;
    circle.getArea(area);
    EXPECT_NEAR(area, 4 * kPi, 1e-12);
    circle.getEndParam(end);
    circle.getDistAtParam(end, dist);
    EXPECT_NEAR(dist, 4 * kPi, 1e-12);
    AcDbExtents ext;
    ASSERT_EQ(circle.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR3D(ext.minPoint(), AcGePoint3d(3, 3, 1));
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(7, 7, 1));
}

TEST(EllipseCurve, ParameterIsParametricAngle)
{
    AcDbEllipse ellipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5);
    AcGePoint3d p;
    ASSERT_EQ(ellipse.getPointAtParam(kPi / 3, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(2, std::sqrt(3.0), 0)); // (4 cos 60°, 2 sin 60°)
    double param;
    ASSERT_EQ(ellipse.getParamAtPoint(AcGePoint3d(0, -2, 0), param), Acad::eOk);
    EXPECT_NEAR(param, 3 * kPi / 2, 1e-9);
    double area;
    ellipse.getArea(area);
    EXPECT_NEAR(area, 8 * kPi, 1e-9);
    // Circumference of the ellipse with semi-axes 4 and 2 (midpoint rule, 200000 steps).
    double end, length;
    ellipse.getEndParam(end);
    ellipse.getDistAtParam(end, length);
    EXPECT_NEAR(length, 19.376896441095, 1e-8);
}

TEST(EllipseCurve, ClosedEllipseSplitsOnlyAtTwoPoints)
{
    AcDbEllipse ellipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5);
    AcGePoint3dArray one;
    one.append(AcGePoint3d(4, 0, 0));
    Pieces none;
    EXPECT_NE(ellipse.getSplitCurves(one, none.items), Acad::eOk);
    EXPECT_EQ(none.items.length(), 0);

    AcGePoint3dArray two = one;
    two.append(AcGePoint3d(-4, 0, 0));
    Pieces pieces;
    ASSERT_EQ(ellipse.getSplitCurves(two, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 2);
    AcDbEllipse* upper = pieces.at<AcDbEllipse>(0);
    AcDbEllipse* lower = pieces.at<AcDbEllipse>(1);
    ASSERT_TRUE(upper && lower);
    EXPECT_FALSE(upper->isClosed());
    AcGePoint3d mid;
    upper->getPointAtParam(kPi / 2, mid);
    EXPECT_NEAR3D(mid, AcGePoint3d(0, 2, 0));
    lower->getPointAtParam(3 * kPi / 2, mid);
    EXPECT_NEAR3D(mid, AcGePoint3d(0, -2, 0));
}

TEST(EllipseCurve, NonUniformScaleKeepsTheShape)
{
    // A circle of radius 1 stretched by 3 along X is the ellipse with semi-axes 3 and 1.
    AcDbEllipse ellipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 1, 0), 1.0);
    AcGeMatrix3d stretch;
    stretch(0, 0) = 3.0;
    ASSERT_EQ(ellipse.transformBy(stretch), Acad::eOk);
    EXPECT_NEAR(ellipse.majorAxis().length(), 3.0, 1e-12);
    EXPECT_NEAR(ellipse.radiusRatio(), 1.0 / 3.0, 1e-12);
    double param;
    EXPECT_EQ(ellipse.getParamAtPoint(AcGePoint3d(3 * std::cos(0.3), std::sin(0.3), 0), param), Acad::eOk);
}

TEST(SplineForm, GetSplineFollowsTheCurve)
{
    AcDbArc arc(AcGePoint3d(1, 1, 0), 3.0, 0.2, 2.9);
    AcDbSpline* spline = nullptr;
    ASSERT_EQ(arc.getSpline(spline), Acad::eOk);
    std::unique_ptr<AcDbSpline> owned(spline);
    for (double t : {0.2, 1.0, 2.0, 2.9}) {
        AcGePoint3d onArc, onSpline;
        arc.getPointAtParam(t, onArc);
        ASSERT_EQ(spline->getClosestPointTo(onArc, onSpline), Acad::eOk);
        EXPECT_NEAR3D_TOL(onSpline, onArc, 1e-9);
    }
    double arcLength, splineLength, end;
    arc.getDistAtParam(2.9, arcLength);
    spline->getEndParam(end);
    spline->getDistAtParam(end, splineLength);
    EXPECT_NEAR(splineLength, arcLength, 1e-8);
}

} // namespace
