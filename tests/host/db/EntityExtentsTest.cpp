// Extents of curves from their closed forms: boxes worked out by hand for bulged polylines,
// arcs that cross quadrant points, circles in tilted planes, and old-style polylines.
#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb2dVertex.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbPolyline.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-9;

double deg(double degrees) { return degrees * kPi / 180.0; }

void expectBox(const AcDbExtents& box, AcGePoint3d lo, AcGePoint3d hi)
{
    EXPECT_NEAR(box.minPoint().x, lo.x, kTol);
    EXPECT_NEAR(box.minPoint().y, lo.y, kTol);
    EXPECT_NEAR(box.minPoint().z, lo.z, kTol);
    EXPECT_NEAR(box.maxPoint().x, hi.x, kTol);
    EXPECT_NEAR(box.maxPoint().y, hi.y, kTol);
    EXPECT_NEAR(box.maxPoint().z, hi.z, kTol);
}

// Every point of the curve lies in the box, and the box is no larger than the points need.
void expectTightAroundSamples(const AcDbCurve& curve, const AcDbExtents& box)
{
    double start = 0.0, end = 0.0;
    ASSERT_EQ(curve.getStartParam(start), Acad::eOk);
    ASSERT_EQ(curve.getEndParam(end), Acad::eOk);
    AcDbExtents sampled;
    const int n = 21000; // a multiple of the segment count below, so vertices are sampled
    for (int i = 0; i <= n; ++i) {
        AcGePoint3d p;
        ASSERT_EQ(curve.getPointAtParam(start + (end - start) * i / n, p), Acad::eOk);
        sampled.addPoint(p);
    }
    for (unsigned k = 0; k < 3; ++k) {
        EXPECT_LE(box.minPoint()[k], sampled.minPoint()[k] + kTol);
        EXPECT_GE(box.maxPoint()[k], sampled.maxPoint()[k] - kTol);
        // Sampling misses an extreme by at most r (1 - cos(step / 2)): far below 1e-6 here.
        EXPECT_NEAR(box.minPoint()[k], sampled.minPoint()[k], 1e-6);
        EXPECT_NEAR(box.maxPoint()[k], sampled.maxPoint()[k], 1e-6);
    }
}

TEST(EntityExtents, BulgedPolylineIncludesTheArcsFarthestPoints)
{
    // (0,0)→(2,0) a half circle below the chord (bulge 1 turns counter-clockwise about (1,0)
    // from angle π), then straight up to (2,2); raised to z 5.
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    pline.addVertexAt(1, AcGePoint2d(2, 0));
    pline.addVertexAt(2, AcGePoint2d(2, 2));
    pline.setElevation(5.0);
    AcDbExtents box;
    ASSERT_EQ(pline.getGeomExtents(box), Acad::eOk);
    expectBox(box, {0, -1, 5}, {2, 2, 5});

    // A quarter-turn bulge the other way (tan(-π/16)): the arc from (0,0) to (2,0) bows above
    // the chord by the sagitta r (1 − cos(π/8)), r = 1 / sin(π/8).
    AcDbPolyline shallow;
    shallow.addVertexAt(0, AcGePoint2d(0, 0), -std::tan(kPi / 16));
    shallow.addVertexAt(1, AcGePoint2d(2, 0));
    ASSERT_EQ(shallow.getGeomExtents(box), Acad::eOk);
    const double r = 1.0 / std::sin(kPi / 8);
    expectBox(box, {0, 0, 0}, {2, r * (1 - std::cos(kPi / 8)), 0});
}

TEST(EntityExtents, ClosedPolylineCountsItsClosingArc)
{
    // A unit square whose closing edge (0,1)→(0,0) bulges out to the left by a half circle.
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0));
    pline.addVertexAt(1, AcGePoint2d(1, 0));
    pline.addVertexAt(2, AcGePoint2d(1, 1));
    pline.addVertexAt(3, AcGePoint2d(0, 1), 1.0);
    pline.setClosed(true);
    AcDbExtents box;
    ASSERT_EQ(pline.getGeomExtents(box), Acad::eOk);
    expectBox(box, {-0.5, 0, 0}, {1, 1, 0});
    pline.setClosed(false); // without the closing arc, only the square's corners
    ASSERT_EQ(pline.getGeomExtents(box), Acad::eOk);
    expectBox(box, {0, 0, 0}, {1, 1, 0});
}

TEST(EntityExtents, ArcsCrossingQuadrantPoints)
{
    const AcGePoint3d c(10, 20, 3);
    AcDbExtents box;
    // 80° to 190° passes the top (90°) and the left (180°).
    AcDbArc upperLeft(c, 5.0, deg(80), deg(190));
    ASSERT_EQ(upperLeft.getGeomExtents(box), Acad::eOk);
    expectBox(box, {5, 20 + 5 * std::sin(deg(190)), 3}, {10 + 5 * std::cos(deg(80)), 25, 3});
    // 350° to 10° wraps through 0°: the right-most point only.
    AcDbArc wrapping(c, 5.0, deg(350), deg(10));
    ASSERT_EQ(wrapping.getGeomExtents(box), Acad::eOk);
    expectBox(box, {10 + 5 * std::cos(deg(10)), 20 - 5 * std::sin(deg(10)), 3}, {15, 20 + 5 * std::sin(deg(10)), 3});
    // 100° to 170° crosses none: the box of its ends.
    AcDbArc inside(c, 5.0, deg(100), deg(170));
    ASSERT_EQ(inside.getGeomExtents(box), Acad::eOk);
    expectBox(box, {10 + 5 * std::cos(deg(170)), 20 + 5 * std::sin(deg(170)), 3},
              {10 + 5 * std::cos(deg(100)), 20 + 5 * std::sin(deg(100)), 3});
    // 10° to 0°: all but a sliver, every quadrant point.
    AcDbArc almostWhole(c, 5.0, deg(10), deg(0));
    ASSERT_EQ(almostWhole.getGeomExtents(box), Acad::eOk);
    expectBox(box, {5, 15, 3}, {15, 25, 3});
}

TEST(EntityExtents, CircleInATiltedPlane)
{
    // In a plane with unit normal n, a circle reaches r sqrt(1 − n_k²) along axis k.
    const AcGeVector3d n = AcGeVector3d(0, 1, 1).normal();
    AcDbCircle circle(AcGePoint3d(1, 2, 3), n, 2.0);
    AcDbExtents box;
    ASSERT_EQ(circle.getGeomExtents(box), Acad::eOk);
    const double h = 2.0 * std::sqrt(0.5);
    expectBox(box, {-1, 2 - h, 3 - h}, {3, 2 + h, 3 + h});

    const AcGeVector3d skew = AcGeVector3d(1, 2, 3).normal();
    AcDbCircle skewed(AcGePoint3d(0, 0, 0), skew, 1.0);
    ASSERT_EQ(skewed.getGeomExtents(box), Acad::eOk);
    for (unsigned k = 0; k < 3; ++k) {
        const double reach = std::sqrt(1.0 - skew[k] * skew[k]);
        EXPECT_NEAR(box.minPoint()[k], -reach, kTol);
        EXPECT_NEAR(box.maxPoint()[k], reach, kTol);
    }
}

TEST(EntityExtents, TiltedArcsAndPolylinesHugTheirPoints)
{
    const AcGeVector3d n = AcGeVector3d(1, -2, 0.5).normal();
    AcDbArc arc(AcGePoint3d(4, 5, 6), n, 3.0, deg(30), deg(250));
    AcDbExtents box;
    ASSERT_EQ(arc.getGeomExtents(box), Acad::eOk);
    expectTightAroundSamples(arc, box);

    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0), 0.7);
    pline.addVertexAt(1, AcGePoint2d(3, 1), -1.4);
    pline.addVertexAt(2, AcGePoint2d(5, -2), 0.3);
    pline.setClosed(true);
    pline.setElevation(2.0);
    ASSERT_EQ(pline.setNormal(AcGeVector3d(1, 0, 0)), Acad::eOk);
    ASSERT_EQ(pline.getGeomExtents(box), Acad::eOk);
    expectTightAroundSamples(pline, box);
    EXPECT_NEAR(box.minPoint().x, 2.0, kTol); // the elevation runs along the normal
    EXPECT_NEAR(box.maxPoint().x, 2.0, kTol);
}

TEST(EntityExtents, OldStylePolylineUsesItsBulges)
{
    AcDb2dPolyline pline;
    ASSERT_EQ(pline.appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0), -1.0)), Acad::eOk);
    ASSERT_EQ(pline.appendVertex(new AcDb2dVertex(AcGePoint3d(4, 0, 0))), Acad::eOk);
    AcDbExtents box;
    ASSERT_EQ(pline.getGeomExtents(box), Acad::eOk);
    // Bulge −1 turns clockwise: the half circle above the chord, radius 2 about (2,0).
    expectBox(box, {0, 0, 0}, {4, 2, 0});
}

} // namespace
