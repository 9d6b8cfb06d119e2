// Degenerate and boundary inputs of the curve classes: what real drawings feed the kernel
// (zero-length pieces, mirrored arcs, unreadable spline data, reversed ranges).
#include "host/ge/GeTestUtil.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeEllipArc2d.h>
#include <acge/AcGeLine3d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGeNurbCurve3d.h>
#include <acge/AcGePointOnCurve2d.h>

#include "host/ge/CurveIntersector.h"

#include <cmath>
#include <memory>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(CircArc2dEdges, ThreePointsComplementAndMirror)
{
    // Through (0,1), (1,0), (0,-1): clockwise about the origin.
    AcGeCircArc2d arc(AcGePoint2d(0, 1), AcGePoint2d(1, 0), AcGePoint2d(0, -1));
    EXPECT_TRUE(near2d(arc.center(), AcGePoint2d(0, 0)));
    EXPECT_TRUE(arc.isClockWise());
    EXPECT_NEAR(arc.endAng() - arc.startAng(), kPi, 1e-12);
    EXPECT_TRUE(arc.isOn(AcGePoint2d(1, 0)));
    EXPECT_FALSE(arc.isOn(AcGePoint2d(-1, 0)));

    AcGeCircArc2d rest = arc;
    rest.setToComplement();
    EXPECT_TRUE(rest.isOn(AcGePoint2d(-1, 0)));
    EXPECT_FALSE(rest.isOn(AcGePoint2d(1, 0)));
    EXPECT_TRUE(near2d(rest.startPoint(), AcGePoint2d(0, -1)));

    // Mirroring in the Y axis turns the direction but keeps the end points' images.
    AcGeMatrix2d mirror;
    mirror.setToMirroring(AcGePoint2d(0, 0), AcGeVector2d(0, 1));
    arc.transformBy(mirror);
    EXPECT_FALSE(arc.isClockWise());
    EXPECT_TRUE(near2d(arc.startPoint(), AcGePoint2d(0, 1)));
    EXPECT_TRUE(arc.isOn(AcGePoint2d(-1, 0)));
    // Uniform scaling scales the radius.
    arc.transformBy(AcGeMatrix2d::scaling(2.0, AcGePoint2d(0, 1)));
    EXPECT_NEAR(arc.radius(), 2.0, 1e-12);
    EXPECT_TRUE(near2d(arc.center(), AcGePoint2d(0, -1)));
    // Collinear points make no arc: the unit circle stays.
    AcGe::ErrorCondition error = AcGe::kOk;
    AcGeCircArc2d none;
    none.set(AcGePoint2d(0, 0), AcGePoint2d(1, 1), AcGePoint2d(2, 2), error);
    EXPECT_EQ(error, AcGe::kDegenerateGeometry);
    EXPECT_NEAR(none.radius(), 1.0, 0.0);
}

TEST(CircArc2dEdges, LengthWalksAndSampleDirection)
{
    const AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0, 0.5, 2.5);
    EXPECT_NEAR(arc.paramAtLength(0.5, 1.0), 1.0, 1e-12);
    EXPECT_NEAR(arc.paramAtLength(2.5, 1.0, false), 2.0, 1e-12);
    EXPECT_TRUE(arc.isOn(1.0));
    EXPECT_FALSE(arc.isOn(3.0));
    // Sampling backwards runs from the from-parameter to the to-parameter.
    AcGePoint2dArray pts;
    arc.getSamplePoints(2.5, 0.5, 0.01, pts);
    EXPECT_TRUE(near2d(pts.first(), arc.endPoint()));
    EXPECT_TRUE(near2d(pts.last(), arc.startPoint()));
    AcGePointOnCurve2d on(arc, 1.5);
    EXPECT_TRUE(near2d(on.point(), AcGePoint2d(2 * std::cos(1.5), 2 * std::sin(1.5))));
    EXPECT_NEAR(on.deriv(1).length(), 2.0, 1e-12);
}

TEST(LineEdges, ZeroLengthSegmentsAndProjectionTo2d)
{
    const AcGeLineSeg2d dot(AcGePoint2d(3, 0), AcGePoint2d(3, 0));
    const AcGeLineSeg2d base(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    auto hits = dh::ge::intersectCurves(dot, base);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_NEAR(hits[0].param2, 0.3, 1e-12);
    EXPECT_TRUE(dh::ge::intersectCurves(AcGeLineSeg2d(AcGePoint2d(3, 1), AcGePoint2d(3, 1)), base).empty());
    EXPECT_NEAR(dot.length(), 0.0, 0.0);
    EXPECT_TRUE(dot.isClosed());

    const AcGeLineSeg3d rising(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 6, 8));
    std::unique_ptr<AcGeCurve2d> flat(rising.convertTo2d());
    ASSERT_EQ(flat->type(), AcGe::kLineSeg2d);
    EXPECT_TRUE(near2d(flat->evalPoint(0.5), AcGePoint2d(2.5, 4)));
    const AcGeLine3d vertical(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis);
    // Seen from above a vertical line is one point: every parameter is as near as another.
    const AcGePoint3d p = vertical.projClosestPointTo(AcGePoint3d(5, 5, 9), AcGeVector3d::kZAxis);
    EXPECT_NEAR(p.x, 1.0, 1e-12);
    EXPECT_NEAR(p.y, 1.0, 1e-12);
    EXPECT_TRUE(near3d(vertical.closestPointTo(AcGePoint3d(5, 5, 9)), AcGePoint3d(1, 1, 9)));
}

TEST(NurbEdges, UnusableDataHasNoEnds)
{
    // One distinct fit point: nothing to interpolate.
    const AcGeNurbCurve3d single(AcGePoint3dArray{AcGePoint3d(1, 1, 0), AcGePoint3d(1, 1, 0)});
    AcGePoint3d p;
    EXPECT_FALSE(single.hasStartPoint(p));
    EXPECT_FALSE(single.hasEndPoint(p));
    EXPECT_FALSE(single.hasFitData());
    // Knots that do not match the control points.
    const double k[] = {0, 0, 1, 1};
    const AcGeNurbCurve3d broken(3, AcGeKnotVector(4, k), AcGePoint3dArray{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)});
    EXPECT_FALSE(broken.hasStartPoint(p));
    AcGeNurbCurve3d fitted(AcGePoint3dArray{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)});
    EXPECT_FALSE(fitted.setFitData(AcGePoint3dArray{AcGePoint3d(2, 2, 2)}, AcGeVector3d(), AcGeVector3d()));
    EXPECT_TRUE(near3d(fitted.evalPoint(fitted.endParam()), AcGePoint3d(1, 0, 0)));
}

TEST(NurbEdges, RationalClosingAndTransform)
{
    // Quarter circle closed by a chord from (0,1) back to (1,0).
    AcGePoint3dArray ctrl{AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(0, 1, 0)};
    AcGeNurbCurve3d c(2, AcGeKnotVector(2, 3), ctrl, AcGeDoubleArray{1.0, std::sqrt(0.5), 1.0});
    c.makeClosed();
    EXPECT_TRUE(c.isClosed());
    EXPECT_TRUE(c.isOn(AcGePoint3d(0.5, 0.5, 0), AcGeTol(1e-9, 1e-9)));
    EXPECT_TRUE(c.isOn(AcGePoint3d(std::sqrt(0.5), std::sqrt(0.5), 0), AcGeTol(1e-9, 1e-9)));
    c.transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 0, 7)));
    EXPECT_TRUE(c.isOn(AcGePoint3d(0.5, 0.5, 7), AcGeTol(1e-9, 1e-9)));
    // An already closed curve is left alone.
    const int before = c.numControlPoints();
    c.makeClosed();
    EXPECT_EQ(c.numControlPoints(), before);
}

TEST(CompositeEdges, ThreeDimensionalReverseAndSampling)
{
    AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 0, 0));
    AcGeLineSeg3d b(AcGePoint3d(3, 0, 0), AcGePoint3d(3, 4, 0));
    AcGeCompositeCurve3d chain(AcGeCurve3dPtrArray{&a, &b});
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    chain.getSamplePoints(0.5, 1.5, 0.1, pts, params);
    ASSERT_EQ(pts.length(), 3); // from, the corner, to
    EXPECT_TRUE(near3d(pts[1], AcGePoint3d(3, 0, 0)));
    EXPECT_NEAR(params[1], 1.0, 1e-12);
    chain.reverseParam();
    EXPECT_TRUE(near3d(chain.evalPoint(0.5), AcGePoint3d(3, 2, 0)));
    EXPECT_TRUE(near3d(chain.evalPoint(2.0), AcGePoint3d(0, 0, 0)));
    AcGeVector3dArray d;
    chain.evalPoint(1.5, 1, d);
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + d[0], AcGePoint3d(-3, 0, 0))); // dP/dp of the 3-long piece
}

TEST(EllipseEdges, ExtendedArcMeetsLineBeyondItsEnds)
{
    // Right half of the 4 x 2 ellipse; the line x = -2 meets only the left half.
    const AcGeEllipArc2d half(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0, -kPi / 2,
                              kPi / 2);
    const AcGeLineSeg2d line(AcGePoint2d(-2, -5), AcGePoint2d(-2, 5));
    EXPECT_TRUE(dh::ge::intersectCurves(half, line).empty());
    dh::ge::IntersectOptions ext;
    ext.extend1 = true;
    const auto hits = dh::ge::intersectCurves(half, line, ext);
    ASSERT_EQ(hits.size(), 2u);
    for (const auto& h : hits) {
        EXPECT_NEAR(std::fabs(h.point.y), std::sqrt(3.0), 1e-9);
        EXPECT_TRUE(near2d(half.evalPoint(h.param1), h.point, 1e-9));
        EXPECT_TRUE(h.param1 < -kPi / 2 || h.param1 > kPi / 2);
    }
}

TEST(SamplingEdges, ChainChordsStayWithinDistanceAndKeepJoints)
{
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    AcGeCircArc2d b(AcGePoint2d(10, 0), AcGePoint2d(10, 8), -0.7, false); // clockwise, bulging right
    AcGeEllipArc2d c(AcGePoint2d(5, 8), -AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 5.0, 2.0, kPi, 1.5 * kPi);
    c.reverseParam(); // now from (5,6) to (10,8), after a bridge from the arc's end
    const AcGePoint2d cs = c.startPoint();
    AcGeLineSeg2d bridge(b.endPoint(), cs);
    const AcGeCompositeCurve2d chain(AcGeCurve2dPtrArray{&a, &b, &bridge, &c});
    AcGeInterval range;
    chain.getInterval(range);
    for (double eps : {0.2, 0.01}) {
        AcGePoint2dArray pts;
        AcGeDoubleArray params;
        chain.getSamplePoints(range.lowerBound(), range.upperBound(), eps, pts, params);
        double worst = 0.0;
        for (int i = 0; i + 1 < pts.length(); ++i) {
            const AcGeVector2d chord = pts[i + 1] - pts[i];
            for (int j = 1; j < 40; ++j) {
                const AcGePoint2d q = chain.evalPoint(params[i] + (params[i + 1] - params[i]) * j / 40.0);
                const double f = chord.lengthSqrd() > 0 ? std::clamp((q - pts[i]).dotProduct(chord) / chord.lengthSqrd(), 0.0, 1.0) : 0.0;
                worst = std::max(worst, q.distanceTo(pts[i] + chord * f));
            }
        }
        EXPECT_LE(worst, eps);
        // Every joint is a sample point, so corners are never cut.
        for (const AcGePoint2d& joint : {a.endPoint(), b.endPoint(), cs}) {
            bool found = false;
            for (const AcGePoint2d& p : pts)
                found = found || p.isEqualTo(joint, AcGeTol(1e-9, 1e-9));
            EXPECT_TRUE(found) << joint;
        }
    }
}

TEST(SamplingEdges, ProjectedCurveFollowsTransformations)
{
    // A circle in the vertical XZ plane seen from above is the segment x in [-1, 1].
    const AcGeCircArc3d upright(AcGePoint3d(0, 0, 0), AcGeVector3d::kYAxis, AcGeVector3d::kXAxis, 1.0, 0.0, 2 * kPi);
    std::unique_ptr<AcGeCurve2d> flat(upright.convertTo2d());
    EXPECT_TRUE(near2d(flat->evalPoint(kPi / 2), AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(flat->evalPoint(kPi), AcGePoint2d(-1, 0)));
    flat->transformBy(AcGeMatrix2d::translation(AcGeVector2d(3, 4)));
    EXPECT_TRUE(near2d(flat->evalPoint(0.0), AcGePoint2d(4, 4)));
    AcGePoint2d lo, hi;
    flat->getExtents(lo, hi);
    EXPECT_LE(lo.x, 2.0 + 1e-9);
    EXPECT_GE(hi.x, 4.0 - 1e-9);
    EXPECT_TRUE(flat->isOn(AcGePoint2d(3.5, 4)));
}

} // namespace
