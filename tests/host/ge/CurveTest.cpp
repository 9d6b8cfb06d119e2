#include "host/ge/GeTestUtil.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeEllipArc2d.h>
#include <acge/AcGeLine2d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGePointOnCurve2d.h>

#include <cmath>
#include <memory>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(CircArc2d, HalfCircleFromBulgeOne)
{
    const AcGeCircArc2d arc(AcGePoint2d(0, 0), AcGePoint2d(2, 0), 1.0, false);
    EXPECT_TRUE(near2d(arc.center(), AcGePoint2d(1, 0)));
    EXPECT_NEAR(arc.radius(), 1.0, 1e-12);
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, 1e-12);
    EXPECT_FALSE(arc.isClockWise());
    EXPECT_TRUE(near2d(arc.startPoint(), AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(arc.endPoint(), AcGePoint2d(2, 0)));
    // Counter-clockwise from (0,0) to (2,0) about (1,0) passes below the chord.
    EXPECT_TRUE(near2d(arc.evalPoint(0.5 * (arc.startAng() + arc.endAng())), AcGePoint2d(1, -1)));
}

TEST(CircArc2d, NegativeBulgeRunsClockwise)
{
    const AcGeCircArc2d arc(AcGePoint2d(0, 0), AcGePoint2d(2, 0), -1.0, false);
    EXPECT_TRUE(arc.isClockWise());
    EXPECT_GE(arc.endAng(), arc.startAng());
    EXPECT_TRUE(near2d(arc.startPoint(), AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(arc.endPoint(), AcGePoint2d(2, 0)));
    EXPECT_TRUE(near2d(arc.evalPoint(0.5 * (arc.startAng() + arc.endAng())), AcGePoint2d(1, 1)));
}

TEST(CircArc2d, QuarterBulgeAndSagittaForm)
{
    const AcGeCircArc2d quarter(AcGePoint2d(1, 0), AcGePoint2d(0, 1), std::tan(kPi / 8), false);
    EXPECT_TRUE(near2d(quarter.center(), AcGePoint2d(0, 0)));
    EXPECT_NEAR(quarter.radius(), 1.0, 1e-12);
    EXPECT_NEAR(quarter.length(quarter.startAng(), quarter.endAng()), kPi / 2, 1e-12);
    // A sagitta of 1 on a chord of 2 is the half circle again.
    const AcGeCircArc2d half(AcGePoint2d(0, 0), AcGePoint2d(2, 0), 1.0, true);
    EXPECT_TRUE(near2d(half.center(), AcGePoint2d(1, 0)));
    // A large clockwise arc: bulge -3 sweeps 4 atan 3 (about 286 degrees).
    const AcGeCircArc2d big(AcGePoint2d(0, 0), AcGePoint2d(1, 0), -3.0, false);
    EXPECT_NEAR(big.endAng() - big.startAng(), 4 * std::atan(3.0), 1e-12);
    EXPECT_TRUE(near2d(big.endPoint(), AcGePoint2d(1, 0)));
}

TEST(CircArc2d, ShortenedEndAndReverse)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), AcGePoint2d(2, 0), -1.0, false);
    const double s = arc.startAng(), e = arc.endAng();
    arc.setAngles(s, e - 0.01 * (e - s));
    EXPECT_TRUE(near2d(arc.startPoint(), AcGePoint2d(0, 0)));
    EXPECT_GT(arc.endPoint().distanceTo(AcGePoint2d(2, 0)), 0.01);
    EXPECT_LT(arc.endPoint().distanceTo(AcGePoint2d(2, 0)), 0.04);

    AcGeCircArc2d rev(AcGePoint2d(0, 0), AcGePoint2d(2, 0), -1.0, false);
    rev.reverseParam();
    EXPECT_FALSE(rev.isClockWise());
    EXPECT_TRUE(near2d(rev.startPoint(), AcGePoint2d(2, 0)));
    EXPECT_TRUE(near2d(rev.endPoint(), AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(rev.evalPoint(0.5 * (rev.startAng() + rev.endAng())), AcGePoint2d(1, 1)));
}

TEST(CircArc2d, ClosestPointParamOfAndExtents)
{
    // Upper half of the unit circle.
    const AcGeCircArc2d arc(AcGePoint2d(0, 0), 1.0, 0.0, kPi);
    EXPECT_TRUE(near2d(arc.closestPointTo(AcGePoint2d(0, 5)), AcGePoint2d(0, 1)));
    EXPECT_TRUE(near2d(arc.closestPointTo(AcGePoint2d(0.5, -5)), AcGePoint2d(1, 0)));
    EXPECT_NEAR(arc.closestParamTo(AcGePoint2d(0, -5), true), 1.5 * kPi, 1e-12);
    EXPECT_NEAR(arc.paramOf(AcGePoint2d(-1, 0)), kPi, 1e-12);
    EXPECT_TRUE(arc.isOn(AcGePoint2d(std::sqrt(0.5), std::sqrt(0.5))));
    EXPECT_FALSE(arc.isOn(AcGePoint2d(0, -1)));
    AcGePointOnCurve2d on;
    arc.getClosestPointTo(AcGePoint2d(0, 3), on);
    EXPECT_NEAR(on.parameter(), kPi / 2, 1e-12);
    AcGePoint2d lo, hi;
    arc.getExtents(lo, hi);
    EXPECT_TRUE(near2d(lo, AcGePoint2d(-1, 0)));
    EXPECT_TRUE(near2d(hi, AcGePoint2d(1, 1)));
}

TEST(CircArc2d, SamplesStayWithinDistance)
{
    const AcGeCircArc2d arc(AcGePoint2d(3, 4), 10.0, 0.3, 5.0);
    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    arc.getSamplePoints(arc.startAng(), arc.endAng(), 0.05, pts, params);
    ASSERT_GE(pts.length(), 2);
    EXPECT_TRUE(near2d(pts.first(), arc.startPoint()));
    EXPECT_TRUE(near2d(pts.last(), arc.endPoint()));
    for (int i = 0; i + 1 < pts.length(); ++i) {
        // The sagitta of each chord is the largest deviation.
        const double half = 0.5 * (params[i + 1] - params[i]);
        EXPECT_LE(10.0 * (1 - std::cos(half)), 0.05 + 1e-12);
    }
}

TEST(LineSeg, ClosestPointParamsAndExtension)
{
    const AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    EXPECT_TRUE(near2d(seg.closestPointTo(AcGePoint2d(4, 3)), AcGePoint2d(4, 0)));
    EXPECT_TRUE(near2d(seg.closestPointTo(AcGePoint2d(-4, 3)), AcGePoint2d(0, 0)));
    EXPECT_NEAR(seg.closestParamTo(AcGePoint2d(-4, 3), true), -0.4, 1e-12);
    EXPECT_NEAR(seg.paramAtLength(0.0, 2.5), 0.25, 1e-12);
    EXPECT_NEAR(seg.length(0.2, 0.7), 5.0, 1e-12);
    EXPECT_FALSE(seg.isOn(AcGePoint2d(11, 0)));

    AcGeLineSeg2d rev = seg;
    rev.reverseParam();
    EXPECT_TRUE(near2d(rev.startPoint(), AcGePoint2d(10, 0)));

    const AcGeLine2d line(AcGePoint2d(0, 1), AcGeVector2d(1, 1));
    EXPECT_TRUE(near2d(line.closestPointTo(AcGePoint2d(2, 1)), AcGePoint2d(1, 2)));
    AcGePoint2d s;
    EXPECT_FALSE(line.hasStartPoint(s));
}

TEST(ClosestPointAlongDirection, LineAndArcSeenFromAbove)
{
    // A rising segment: seen along Z the nearest point to (5,3) is above (5,0).
    const AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 10));
    EXPECT_TRUE(near3d(seg.projClosestPointTo(AcGePoint3d(5, 3, 100), AcGeVector3d::kZAxis), AcGePoint3d(5, 0, 5)));
    // Without the direction the nearest point differs.
    EXPECT_FALSE(near3d(seg.closestPointTo(AcGePoint3d(5, 3, 100)), AcGePoint3d(5, 0, 5), 1e-3));

    const AcGeCircArc3d circle(AcGePoint3d(0, 0, 5), AcGeVector3d::kZAxis, 2.0);
    EXPECT_TRUE(near3d(circle.projClosestPointTo(AcGePoint3d(4, 0, -3), AcGeVector3d::kZAxis), AcGePoint3d(2, 0, 5)));
    // Along X a circle in the XY plane is seen edge-on as the segment y in [-2, 2].
    const AcGePoint3d p = circle.projClosestPointTo(AcGePoint3d(9, 1, 5), AcGeVector3d::kXAxis);
    EXPECT_NEAR(p.y, 1.0, 1e-9);
    EXPECT_NEAR(p.z, 5.0, 1e-9);
}

TEST(ClosestPointAlongDirection, ExtensionOfArcsAndLines)
{
    // Upper half of the unit circle at z = 2, seen from above.
    const AcGeCircArc3d arc(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 0.0, kPi);
    AcGePoint3d p;
    ASSERT_TRUE(arc.getClosestPointTo(AcGePoint3d(0, -3, 0), AcGeVector3d::kZAxis, p, true));
    EXPECT_TRUE(near3d(p, AcGePoint3d(0, -1, 2)));
    ASSERT_TRUE(arc.getClosestPointTo(AcGePoint3d(0.2, -3, 0), AcGeVector3d::kZAxis, p, false));
    EXPECT_TRUE(near3d(p, AcGePoint3d(1, 0, 2)));
    EXPECT_FALSE(arc.getClosestPointTo(AcGePoint3d(0, -3, 0), AcGeVector3d(), p));

    const AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 4));
    ASSERT_TRUE(seg.getClosestPointTo(AcGePoint3d(6, 1, 0), AcGeVector3d::kZAxis, p, true));
    EXPECT_TRUE(near3d(p, AcGePoint3d(6, 0, 6)));
    ASSERT_TRUE(seg.getClosestPointTo(AcGePoint3d(6, 1, 0), AcGeVector3d::kZAxis, p, false));
    EXPECT_TRUE(near3d(p, AcGePoint3d(4, 0, 4)));
    // Plain nearest point of (4,3,0) on the X axis segment, as the LISP measurement asks.
    const AcGeLineSeg3d xAxis(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    ASSERT_TRUE(xAxis.getClosestPointTo(AcGePoint3d(4, 3, 0), p));
    EXPECT_TRUE(near3d(p, AcGePoint3d(4, 0, 0)));
}

TEST(CircArc3d, NormalDownTurnsClockwiseInPlan)
{
    // Normal -Z: counter-clockwise about the normal is clockwise seen from above.
    const AcGeCircArc3d arc(AcGePoint3d(1, 1, 2), -AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 2.0, 0.0, kPi / 2);
    EXPECT_TRUE(near3d(arc.endPoint(), AcGePoint3d(1, -1, 2)));
    std::unique_ptr<AcGeCurve2d> flat(arc.convertTo2d());
    ASSERT_EQ(flat->type(), AcGe::kCircArc2d);
    EXPECT_TRUE(static_cast<AcGeCircArc2d*>(flat.get())->isClockWise());
    for (double t : {0.0, 0.4, 1.1, kPi / 2})
        EXPECT_TRUE(near2d(flat->evalPoint(t), arc.evalPoint(t).convert2d()));

    // Three points, and a mirror that must keep them on the arc.
    AcGeCircArc3d three(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
    EXPECT_TRUE(near3d(three.center(), AcGePoint3d(0, 0, 0)));
    EXPECT_NEAR(three.endAng() - three.startAng(), kPi, 1e-12);
    AcGeMatrix3d mirror;
    mirror.setToMirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis));
    three.transformBy(mirror);
    EXPECT_TRUE(near3d(three.startPoint(), AcGePoint3d(-1, 0, 0)));
    EXPECT_TRUE(near3d(three.evalPoint(0.5 * (three.startAng() + three.endAng())), AcGePoint3d(0, 1, 0)));
}

TEST(EllipArc2d, PointsTransformAndLength)
{
    AcGeEllipArc2d ellipse(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0);
    EXPECT_TRUE(near2d(ellipse.evalPoint(kPi / 2), AcGePoint2d(0, 2)));
    EXPECT_TRUE(ellipse.isClosed());
    // Circumference of the 4 x 2 ellipse (Ramanujan's second formula, accurate to 1e-9 here).
    const double a = 4, b = 2, h = (a - b) * (a - b) / ((a + b) * (a + b));
    const double perimeter = kPi * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
    EXPECT_NEAR(ellipse.length(0, 2 * kPi), perimeter, 1e-6);
    // A shear turns the axes: every transformed sample point must lie on the new ellipse.
    AcGeMatrix2d shear;
    shear.entry[0][1] = 0.7;
    AcGeEllipArc2d sheared = ellipse;
    sheared.transformBy(shear);
    for (double t = 0; t < 6.2; t += 0.5)
        EXPECT_TRUE(sheared.isOn(AcGePoint2d(ellipse.evalPoint(t)).transformBy(shear), AcGeTol(1e-9, 1e-9)));
    EXPECT_GE(sheared.majorRadius(), sheared.minorRadius());
    EXPECT_NEAR(sheared.majorRadius() * sheared.minorRadius(), 8.0, 1e-9); // area kept by a shear
}

TEST(EllipArc2d, ClosestPointsExtentsAndReverse)
{
    // Rotated a quarter turn: major axis along Y (radius 4), minor along -X (radius 1).
    AcGeEllipArc2d e(AcGePoint2d(2, 3), AcGeVector2d::kYAxis, -AcGeVector2d::kXAxis, 4.0, 1.0);
    EXPECT_FALSE(e.isClockWise());
    EXPECT_TRUE(near2d(e.closestPointTo(AcGePoint2d(2, 20)), AcGePoint2d(2, 7)));
    EXPECT_TRUE(near2d(e.closestPointTo(AcGePoint2d(10, 3)), AcGePoint2d(3, 3)));
    AcGePoint2d lo, hi;
    e.getExtents(lo, hi);
    EXPECT_TRUE(near2d(lo, AcGePoint2d(1, -1)));
    EXPECT_TRUE(near2d(hi, AcGePoint2d(3, 7)));
    AcGeEllipArc2d part(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0, 0.0, kPi / 2);
    part.reverseParam();
    EXPECT_TRUE(near2d(part.startPoint(), AcGePoint2d(0, 2)));
    EXPECT_TRUE(near2d(part.endPoint(), AcGePoint2d(4, 0)));
    EXPECT_TRUE(part.isClockWise());
    // From a point inside, the nearest point sees it along the curve's normal, and is no
    // farther than the point of the arc straight above.
    const AcGePoint2d inside(0.5, 1.0);
    const double t = part.paramOf(inside);
    AcGeVector2dArray d;
    const AcGePoint2d q = part.evalPoint(t, 1, d);
    EXPECT_NEAR((q - inside).dotProduct(d[0].normal()), 0.0, 1e-9);
    EXPECT_LE(q.distanceTo(inside), 2 * std::sqrt(1 - 0.25 / 16) - 1.0);
}

} // namespace
