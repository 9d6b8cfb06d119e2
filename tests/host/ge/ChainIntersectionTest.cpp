// Intersections with chains of lines and arcs, as polylines with bulges give them, in the
// plane and in space.
#include "host/ge/GeTestUtil.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>

#include "host/ge/CurveIntersector.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

using dh::ge::HitKind;
using dh::ge::intersectCurves;

constexpr double kPi = 3.14159265358979323846;

// A polyline with bulges, as a chain the fixture owns.
class Chain {
public:
    Chain(const std::vector<AcGePoint2d>& pts, const std::vector<double>& bulges)
    {
        AcGeCurve2dPtrArray list;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            if (bulges[i] == 0.0)
                m_parts.emplace_back(new AcGeLineSeg2d(pts[i], pts[i + 1]));
            else
                m_parts.emplace_back(new AcGeCircArc2d(pts[i], pts[i + 1], bulges[i], false));
            list.append(m_parts.back().get());
        }
        m_chain = std::make_unique<AcGeCompositeCurve2d>(list);
    }

    const AcGeCompositeCurve2d& curve() const { return *m_chain; }

private:
    std::vector<std::unique_ptr<AcGeCurve2d>> m_parts;
    std::unique_ptr<AcGeCompositeCurve2d> m_chain;
};

// (0,0) -> (10,0), half circle up to (10,10) bulging right to (15,5), back to (0,10).
Chain slot()
{
    return Chain({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {0.0, 1.0, 0.0});
}

TEST(ChainIntersect, LineThroughArcAndJoints)
{
    const Chain c = slot();
    // y = 5 meets the left open end nowhere, the half circle at (15,5).
    auto hits = intersectCurves(AcGeLineSeg2d(AcGePoint2d(-5, 5), AcGePoint2d(20, 5)), c.curve());
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(15, 5)));
    EXPECT_NEAR(hits[0].param2, 10 + 2.5 * kPi, 1e-9);

    // x = 10 passes both joints of the arc: each counted once.
    hits = intersectCurves(AcGeLineSeg2d(AcGePoint2d(10, -5), AcGePoint2d(10, 15)), c.curve());
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(10, 0)));
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(10, 10)));
    EXPECT_NEAR(hits[0].param2, 10.0, 1e-9);
    EXPECT_NEAR(hits[1].param2, 10 + 5 * kPi, 1e-9);

    // x = 15 touches the half circle at its rightmost point.
    hits = intersectCurves(AcGeLineSeg2d(AcGePoint2d(15, -5), AcGePoint2d(15, 15)), c.curve());
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, HitKind::kTangent);
    EXPECT_TRUE(intersectCurves(AcGeLineSeg2d(AcGePoint2d(16, -5), AcGePoint2d(16, 15)), c.curve()).empty());
}

TEST(ChainIntersect, ExtendedChainReachesAcrossItsOpenEnds)
{
    const Chain c = slot();
    // x = -3 misses the chain; extended, the first and last lines reach it.
    const AcGeLineSeg2d cut(AcGePoint2d(-3, -5), AcGePoint2d(-3, 15));
    EXPECT_TRUE(intersectCurves(c.curve(), cut).empty());
    dh::ge::IntersectOptions ext;
    ext.extend1 = true;
    const auto hits = intersectCurves(c.curve(), cut, ext);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(-3, 0)));
    EXPECT_NEAR(hits[0].param1, -3.0, 1e-9);
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(-3, 10)));
    AcGeInterval range;
    c.curve().getInterval(range);
    EXPECT_NEAR(hits[1].param1, range.upperBound() + 3.0, 1e-9);
}

TEST(ChainIntersect, ArcOfTheChainOnACircle)
{
    const Chain c = slot();
    // The circle that carries the half circle: the straight sides touch it at the arc's
    // ends, the arc lies on it from (10,0) to (10,10).
    const AcGeCircArc2d carrier(AcGePoint2d(10, 5), 5.0);
    auto hits = intersectCurves(c.curve(), carrier);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(10, 0)));
    EXPECT_EQ(hits[0].kind, HitKind::kOverlapStart);
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(10, 10)));
    EXPECT_EQ(hits[1].kind, HitKind::kOverlapEnd);

    // The other half of that circle shares only the two end points with the arc.
    const AcGeCircArc2d leftHalf(AcGePoint2d(10, 5), 5.0, kPi / 2, 1.5 * kPi);
    hits = intersectCurves(c.curve(), leftHalf);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_TRUE(near2d(hits[0].point, AcGePoint2d(10, 0)));
    EXPECT_NE(hits[0].kind, HitKind::kOverlapStart);
    EXPECT_TRUE(near2d(hits[1].point, AcGePoint2d(10, 10)));
    EXPECT_NE(hits[1].kind, HitKind::kOverlapEnd);

    // A quarter of it crossing the circle's seam at (15,5) still overlaps as one stretch.
    const AcGeCircArc2d seam(AcGePoint2d(10, 5), 5.0, -kPi / 4, kPi / 4);
    hits = intersectCurves(carrier, seam);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_NE(hits[0].kind, HitKind::kCross);
    EXPECT_NE(hits[1].kind, HitKind::kCross);
}

TEST(ChainIntersect, ThreeDimensionalChainsInPlanAndInSpace)
{
    // Two 3D polylines crossing in plan at (5,5): one at z = 0, one rising through z = 0
    // exactly there, the other segment pair crossing in plan only.
    AcGeLineSeg3d a0(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
    AcGeLineSeg3d a1(AcGePoint3d(10, 10, 0), AcGePoint3d(20, 0, 0));
    AcGeLineSeg3d b0(AcGePoint3d(0, 10, -5), AcGePoint3d(10, 0, 5));
    AcGeLineSeg3d b1(AcGePoint3d(10, 0, 5), AcGePoint3d(20, 10, 5));
    const AcGeCompositeCurve3d a(AcGeCurve3dPtrArray{&a0, &a1});
    const AcGeCompositeCurve3d b(AcGeCurve3dPtrArray{&b0, &b1});
    const auto plan = dh::ge::intersectCurvesInPlane(a, b, AcGePlane::kXYPlane);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_TRUE(near2d(plan[0].point, AcGePoint2d(5, 5)));
    EXPECT_NEAR(plan[0].param1, 0.5, 1e-12);
    EXPECT_NEAR(plan[0].param2, 0.5, 1e-12);
    EXPECT_TRUE(near2d(plan[1].point, AcGePoint2d(15, 5)));
    EXPECT_NEAR(plan[1].param1, 1.5, 1e-12);
    EXPECT_NEAR(plan[1].param2, 1.5, 1e-12);
    const auto space = dh::ge::intersectCurvesInSpace(a, b);
    ASSERT_EQ(space.size(), 1u);
    EXPECT_TRUE(near3d(a.evalPoint(space[0].param1), AcGePoint3d(5, 5, 0)));
}

} // namespace
