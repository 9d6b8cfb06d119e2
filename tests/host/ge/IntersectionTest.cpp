#include "host/ge/GeTestUtil.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCurveCurveInt2d.h>
#include <acge/AcGeEllipArc2d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>
#include <acge/AcGeNurbCurve2d.h>
#include <acge/AcGeNurbCurve3d.h>

#include "host/ge/CurveIntersector.h"

#include <cmath>
#include <memory>
#include <random>

namespace {

using dh::ge::CurveHit;
using dh::ge::HitKind;
using dh::ge::intersectCurves;

constexpr double kPi = 3.14159265358979323846;

// Every hit must lie on both curves at the parameters it reports.
void expectConsistent(const AcGeCurve2d& a, const AcGeCurve2d& b, const std::vector<CurveHit>& hits)
{
    for (const CurveHit& h : hits) {
        EXPECT_TRUE(near2d(a.evalPoint(h.param1), h.point, 1e-8));
        EXPECT_TRUE(near2d(b.evalPoint(h.param2), h.point, 1e-8));
    }
}

TEST(Intersect, LineWithLine)
{
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(10, 10));
    const AcGeLineSeg2d b(AcGePoint2d(0, 10), AcGePoint2d(10, 0));
    auto hits = intersectCurves(a, b);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(5, 5)));
    EXPECT_NEAR(hits[0].param1, 0.5, 1e-12);
    EXPECT_NEAR(hits[0].param2, 0.5, 1e-12);

    // Short of each other, then reached through the extension only.
    const AcGeLineSeg2d c(AcGePoint2d(0, 10), AcGePoint2d(4, 6));
    EXPECT_TRUE(intersectCurves(a, c).empty());
    dh::ge::IntersectOptions ext;
    ext.extend2 = true;
    hits = intersectCurves(a, c, ext);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_NEAR(hits[0].param2, 1.25, 1e-12);

    // Parallel apart: nothing; collinear: the shared stretch's two ends.
    EXPECT_TRUE(intersectCurves(AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(10, 0)),
                                AcGeLineSeg2d(AcGePoint2d(0, 1), AcGePoint2d(10, 1)))
                    .empty());
    const AcGeLineSeg2d base(AcGePoint2d(0, 0), AcGePoint2d(10, 0));
    const AcGeLineSeg2d over(AcGePoint2d(15, 0), AcGePoint2d(5, 0));
    hits = intersectCurves(base, over);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].kind, HitKind::kOverlapStart);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(5, 0)));
    EXPECT_NEAR(hits[0].param2, 1.0, 1e-12);
    EXPECT_EQ(hits[1].kind, HitKind::kOverlapEnd);
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(10, 0)));
    // End to end: one point.
    hits = intersectCurves(base, AcGeLineSeg2d(AcGePoint2d(10, 0), AcGePoint2d(20, 0)));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(10, 0)));
}

TEST(Intersect, LineWithArcCrossingTangentAndMissing)
{
    const AcGeCircArc2d circle(AcGePoint2d(0, 0), 5.0);
    auto hits = intersectCurves(AcGeLineSeg2d(AcGePoint2d(-10, 3), AcGePoint2d(10, 3)), circle);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(-4, 3)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(4, 3)));
    EXPECT_NEAR(hits[1].param2, std::atan2(3.0, 4.0), 1e-12);

    hits = intersectCurves(AcGeLineSeg2d(AcGePoint2d(-10, 5), AcGePoint2d(10, 5)), circle);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, HitKind::kTangent);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0, 5)));
    // Within a loose tolerance a near miss counts as touching.
    dh::ge::IntersectOptions loose;
    loose.tol.setEqualPoint(0.01);
    EXPECT_EQ(intersectCurves(AcGeLineSeg2d(AcGePoint2d(-10, 5.005), AcGePoint2d(10, 5.005)), circle, loose).size(), 1u);
    EXPECT_TRUE(intersectCurves(AcGeLineSeg2d(AcGePoint2d(-10, 5.005), AcGePoint2d(10, 5.005)), circle).empty());
    EXPECT_TRUE(intersectCurves(AcGeLineSeg2d(AcGePoint2d(-10, 6), AcGePoint2d(10, 6)), circle).empty());

    // Upper half arc: the line below meets only the full circle.
    const AcGeCircArc2d upper(AcGePoint2d(0, 0), 5.0, 0.0, kPi);
    const AcGeLineSeg2d below(AcGePoint2d(-10, -3), AcGePoint2d(10, -3));
    EXPECT_TRUE(intersectCurves(below, upper).empty());
    dh::ge::IntersectOptions ext;
    ext.extend2 = true;
    hits = intersectCurves(below, upper, ext);
    ASSERT_EQ(hits.size(), 2u);
    expectConsistent(below, upper, hits);
}

TEST(Intersect, ArcWithArc)
{
    const AcGeCircArc2d a(AcGePoint2d(0, 0), 5.0);
    auto hits = intersectCurves(a, AcGeCircArc2d(AcGePoint2d(8, 0), 5.0));
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(4, 3)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(4, -3)));
    hits = intersectCurves(a, AcGeCircArc2d(AcGePoint2d(8, 0), 3.0));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, HitKind::kTangent);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(5, 0)));
    hits = intersectCurves(a, AcGeCircArc2d(AcGePoint2d(2, 0), 3.0)); // inside, touching at (5,0)
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(5, 0)));
    EXPECT_TRUE(intersectCurves(a, AcGeCircArc2d(AcGePoint2d(20, 0), 3.0)).empty());
    // Two arcs of one circle overlapping on [pi/2, pi].
    const AcGeCircArc2d q1(AcGePoint2d(0, 0), 5.0, 0.0, kPi);
    const AcGeCircArc2d q2(AcGePoint2d(0, 0), 5.0, kPi / 2, 1.5 * kPi);
    hits = intersectCurves(q1, q2);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].kind, HitKind::kOverlapStart);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0, 5)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(-5, 0)));
}

TEST(Intersect, EllipseWithLineAndCircle)
{
    const AcGeEllipArc2d ellipse(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4.0, 2.0);
    const AcGeLineSeg2d vertical(AcGePoint2d(2, -5), AcGePoint2d(2, 5));
    auto hits = intersectCurves(ellipse, vertical);
    ASSERT_EQ(hits.size(), 2u);
    expectConsistent(ellipse, vertical, hits);
    EXPECT_NEAR(std::fabs(hits[0].point.y), std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(hits[0].point.x, 2.0, 1e-9);

    const AcGeLineSeg2d top(AcGePoint2d(-5, 2), AcGePoint2d(5, 2));
    hits = intersectCurves(top, ellipse);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0, 2), 1e-7));
    EXPECT_EQ(hits[0].kind, HitKind::kTangent);
    EXPECT_TRUE(intersectCurves(AcGeLineSeg2d(AcGePoint2d(-5, 2.1), AcGePoint2d(5, 2.1)), ellipse).empty());

    // x^2/16 + y^2/4 = 1 and x^2 + y^2 = 9: x^2 = 20/3, y^2 = 7/3.
    const AcGeCircArc2d circle(AcGePoint2d(0, 0), 3.0);
    hits = intersectCurves(ellipse, circle);
    ASSERT_EQ(hits.size(), 4u);
    expectConsistent(ellipse, circle, hits);
    for (const CurveHit& h : hits) {
        EXPECT_NEAR(std::fabs(h.point.x), std::sqrt(20.0 / 3), 1e-9);
        EXPECT_NEAR(std::fabs(h.point.y), std::sqrt(7.0 / 3), 1e-9);
    }
}

TEST(Intersect, SplineWithLineInPlane)
{
    // y = 2x - x^2 for x in [0, 2], lifted to z = 3; lines at other heights meet it in plan.
    AcGePoint3dArray ctrl{AcGePoint3d(0, 0, 3), AcGePoint3d(1, 2, 3), AcGePoint3d(2, 0, 3)};
    const AcGeNurbCurve3d spline(2, AcGeKnotVector(2, 3), ctrl);
    const AcGeLineSeg3d across(AcGePoint3d(-1, 0.75, 0), AcGePoint3d(3, 0.75, 0));
    auto hits = dh::ge::intersectCurvesInPlane(spline, across, AcGePlane::kXYPlane);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0.5, 0.75), 1e-9));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(1.5, 0.75), 1e-9));
    EXPECT_NEAR(hits[0].param1, 0.25, 1e-9);
    EXPECT_NEAR(hits[0].param2, 0.375, 1e-9);

    const AcGeLineSeg3d apex(AcGePoint3d(-1, 1, 0), AcGePoint3d(3, 1, 0));
    hits = dh::ge::intersectCurvesInPlane(spline, apex, AcGePlane::kXYPlane);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, HitKind::kTangent);
    EXPECT_NEAR(hits[0].point.x, 1.0, 1e-6);
    EXPECT_TRUE(dh::ge::intersectCurvesInPlane(spline, AcGeLineSeg3d(AcGePoint3d(-1, 1.1, 0), AcGePoint3d(3, 1.1, 0)),
                                               AcGePlane::kXYPlane)
                    .empty());
    // In space the heights differ, so they do not meet; a line at z = 3 does.
    EXPECT_TRUE(dh::ge::intersectCurvesInSpace(spline, across).empty());
    EXPECT_EQ(dh::ge::intersectCurvesInSpace(spline, AcGeLineSeg3d(AcGePoint3d(-1, 0.75, 3), AcGePoint3d(3, 0.75, 3)))
                  .size(),
              2u);
}

TEST(Intersect, CompositeReportsChainParametersOnce)
{
    AcGeLineSeg2d s0(AcGePoint2d(0, 0), AcGePoint2d(10, 0)), s1(AcGePoint2d(10, 0), AcGePoint2d(10, 10));
    AcGeLineSeg2d s2(AcGePoint2d(10, 10), AcGePoint2d(0, 10)), s3(AcGePoint2d(0, 10), AcGePoint2d(0, 0));
    const AcGeCompositeCurve2d square(AcGeCurve2dPtrArray{&s0, &s1, &s2, &s3});
    const AcGeLineSeg2d line(AcGePoint2d(-5, 4), AcGePoint2d(15, 4));
    auto hits = intersectCurves(square, line);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_NEAR(hits[0].param1, 14.0, 1e-12);
    EXPECT_NEAR(hits[1].param1, 36.0, 1e-12);
    // Through two opposite corners: each corner once, though two components meet there.
    const AcGeLineSeg2d diagonal(AcGePoint2d(-1, -1), AcGePoint2d(11, 11));
    hits = intersectCurves(diagonal, square);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(10, 10)));

    const AcGeCurveCurveInt2d inter(square, line);
    ASSERT_EQ(inter.numIntPoints(), 2);
    double p1 = 0, p2 = 0;
    inter.getIntParams(1, p1, p2);
    EXPECT_NEAR(p1, 36.0, 1e-12);
    EXPECT_NEAR(p2, 0.25, 1e-12);
}

TEST(Intersect, IndexedAndScannedAgreeOnRandomInput)
{
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> coord(0.0, 100.0), step(-6.0, 6.0);
    std::vector<std::unique_ptr<AcGeCurve2d>> parts;
    AcGeCurve2dPtrArray list;
    AcGePoint2d p(50, 50);
    for (int i = 0; i < 400; ++i) {
        const AcGePoint2d q(std::clamp(p.x + step(rng), 0.0, 100.0), std::clamp(p.y + step(rng), 0.0, 100.0));
        if (i % 5 == 4)
            parts.emplace_back(new AcGeCircArc2d(p, q, 0.4, false));
        else
            parts.emplace_back(new AcGeLineSeg2d(p, q));
        list.append(parts.back().get());
        p = q;
    }
    const AcGeCompositeCurve2d chain(list);
    dh::ge::IntersectOptions scan;
    scan.useIndex = false;
    size_t total = 0;
    for (int i = 0; i < 200; ++i) {
        const AcGePoint2d a(coord(rng), coord(rng));
        const AcGeLineSeg2d seg(a, a + AcGeVector2d(step(rng) * 3, step(rng) * 3));
        const auto fast = intersectCurves(seg, chain);
        const auto slow = intersectCurves(seg, chain, scan);
        ASSERT_EQ(fast.size(), slow.size()) << "segment " << i;
        for (size_t k = 0; k < fast.size(); ++k) {
            EXPECT_TRUE(near2d(fast[k].point, slow[k].point, 1e-9));
            EXPECT_NEAR(fast[k].param2, slow[k].param2, 1e-9);
        }
        expectConsistent(seg, chain, fast);
        total += fast.size();
    }
    EXPECT_GT(total, 50u); // the data really crosses
}

TEST(Intersect, SplineWithSpline)
{
    // y = 1 - (1-x)^2 and y = (1-x)^2 meet where (1-x)^2 = 1/2.
    const AcGeNurbCurve3d cap(2, AcGeKnotVector(2, 3),
                              AcGePoint3dArray{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 0), AcGePoint3d(2, 0, 0)});
    const AcGeNurbCurve3d cup(2, AcGeKnotVector(2, 3),
                              AcGePoint3dArray{AcGePoint3d(0, 1, 0), AcGePoint3d(1, -1, 0), AcGePoint3d(2, 1, 0)});
    const auto hits = dh::ge::intersectCurvesInPlane(cap, cup, AcGePlane::kXYPlane);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(1 - std::sqrt(0.5), 0.5), 1e-9));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(1 + std::sqrt(0.5), 0.5), 1e-9));
    EXPECT_NEAR(hits[0].param1, hits[0].param2, 1e-9); // both have x = 2t
}

TEST(Intersect, TiltedCircleSeenFromAbove)
{
    // A unit circle tilted 45 degrees about X projects onto the ellipse x^2 + 2 y^2 = 1.
    const double c = std::sqrt(0.5);
    const AcGeCircArc3d circle(AcGePoint3d::kOrigin, AcGeVector3d(0, -c, c), AcGeVector3d::kXAxis, 1.0, 0.0, 2 * kPi);
    const AcGeLineSeg3d line(AcGePoint3d(-2, 0.5, -7), AcGePoint3d(2, 0.5, 9));
    const auto hits = dh::ge::intersectCurvesInPlane(circle, line, AcGePlane::kXYPlane);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_NEAR(hits[0].param1, kPi / 4, 1e-9);
    EXPECT_NEAR(hits[1].param1, 3 * kPi / 4, 1e-9);
    EXPECT_NEAR(hits[0].param2, (2 + c) / 4, 1e-9);
    EXPECT_TRUE(near3d(circle.evalPoint(hits[0].param1), AcGePoint3d(c, 0.5, 0.5), 1e-9));
    EXPECT_TRUE(dh::ge::intersectCurvesInSpace(circle, line).empty());
}

TEST(Intersect, SquaresSharingAnEdge)
{
    AcGeLineSeg2d a0(AcGePoint2d(0, 0), AcGePoint2d(10, 0)), a1(AcGePoint2d(10, 0), AcGePoint2d(10, 10));
    AcGeLineSeg2d a2(AcGePoint2d(10, 10), AcGePoint2d(0, 10)), a3(AcGePoint2d(0, 10), AcGePoint2d(0, 0));
    AcGeLineSeg2d b0(AcGePoint2d(20, 0), AcGePoint2d(20, 10)), b1(AcGePoint2d(20, 10), AcGePoint2d(10, 10));
    AcGeLineSeg2d b2(AcGePoint2d(10, 10), AcGePoint2d(10, 0)), b3(AcGePoint2d(10, 0), AcGePoint2d(20, 0));
    const AcGeCompositeCurve2d a(AcGeCurve2dPtrArray{&a0, &a1, &a2, &a3});
    const AcGeCompositeCurve2d b(AcGeCurve2dPtrArray{&b0, &b1, &b2, &b3});
    const AcGeCurveCurveInt2d inter(a, b);
    ASSERT_EQ(inter.numIntPoints(), 2);
    EXPECT_TRUE(near2d(inter.intPoint(0), AcGePoint2d(10, 0)));
    EXPECT_EQ(inter.getIntConfig(0), AcGeCurveCurveInt2d::kOverlapStart);
    EXPECT_EQ(inter.getIntConfig(1), AcGeCurveCurveInt2d::kOverlapEnd);
    ASSERT_EQ(inter.overlapCount(), 1);
    AcGeInterval r1, r2;
    inter.getOverlapRanges(0, r1, r2);
    EXPECT_NEAR(r1.lowerBound(), 10.0, 1e-12);
    EXPECT_NEAR(r1.upperBound(), 20.0, 1e-12);
    EXPECT_NEAR(r2.lowerBound(), 20.0, 1e-12);
    EXPECT_NEAR(r2.upperBound(), 30.0, 1e-12);

    // Shifted by half: two crossings, no overlap.
    AcGeMatrix2d shift = AcGeMatrix2d::translation(AcGeVector2d(-5, 5));
    AcGeCompositeCurve2d* moved = b.copy();
    moved->transformBy(shift);
    const auto hits = intersectCurves(a, *moved);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(10, 5)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(5, 10)));
    AcGeCurve2dPtrArray parts;
    moved->getCurveList(parts);
    for (AcGeCurve2d* p : parts)
        delete p;
    delete moved;
}

TEST(Intersect, NearlyCollinearWithinToleranceOverlaps)
{
    const AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(100, 0));
    const AcGeLineSeg2d b(AcGePoint2d(20, 0.001), AcGePoint2d(60, -0.001));
    EXPECT_EQ(intersectCurves(a, b).size(), 1u); // a genuine crossing at (40, 0)
    dh::ge::IntersectOptions loose;
    loose.tol.setEqualPoint(0.01);
    const auto hits = intersectCurves(a, b, loose);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].kind, HitKind::kOverlapStart);
    EXPECT_NEAR(hits[0].param1, 0.2, 1e-9);
    EXPECT_NEAR(hits[1].param1, 0.6, 1e-9);
}

TEST(Intersect, PlanarSplineTouchesCircleAtApex)
{
    // y = 1 - (x-1)^2 against the unit circle about (1,0): the ends (0,0), (2,0) and the
    // apex (1,1), where both run level: a touch.
    const AcGeNurbCurve2d cap(2, AcGeKnotVector(2, 3),
                              AcGePoint2dArray{AcGePoint2d(0, 0), AcGePoint2d(1, 2), AcGePoint2d(2, 0)});
    const AcGeCircArc2d circle(AcGePoint2d(1, 0), 1.0);
    const auto hits = intersectCurves(cap, circle);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(0, 0), 1e-9));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(1, 1), 1e-6));
    EXPECT_EQ(hits[1].kind, HitKind::kTangent);
    EXPECT_TRUE(near2d(hits[2].point, AcGePoint2d(2, 0), 1e-9));
    expectConsistent(cap, circle, hits);

    // A 2D fit spline passes through its points like the 3D one.
    const AcGePoint2dArray fit{AcGePoint2d(0, 0), AcGePoint2d(1, 3), AcGePoint2d(4, 1), AcGePoint2d(6, 5)};
    const AcGeNurbCurve2d fitted(fit);
    for (const AcGePoint2d& p : fit)
        EXPECT_LE(fitted.distanceTo(p), 1e-9);
}

} // namespace
