#include "host/ge/GeTestUtil.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The composite does not own its components: the fixture frees them.
class CompositeCurve2dTest : public ::testing::Test {
protected:
    ~CompositeCurve2dTest() override
    {
        for (AcGeCurve2d* c : m_parts)
            delete c;
    }

    AcGeCompositeCurve2d polyline(std::initializer_list<AcGePoint2d> pts, bool close)
    {
        AcGeCurve2dPtrArray list;
        const std::vector<AcGePoint2d> v(pts);
        for (size_t i = 0; i + 1 < v.size(); ++i)
            list.append(own(new AcGeLineSeg2d(v[i], v[i + 1])));
        if (close)
            list.append(own(new AcGeLineSeg2d(v.back(), v.front())));
        return AcGeCompositeCurve2d(list);
    }

    AcGeCurve2d* own(AcGeCurve2d* c)
    {
        m_parts.append(c);
        return c;
    }

    AcGeCurve2dPtrArray m_parts;
};

TEST_F(CompositeCurve2dTest, SquareGlobalParameterIsLength)
{
    const AcGeCompositeCurve2d square = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    AcGeInterval range;
    square.getInterval(range);
    EXPECT_DOUBLE_EQ(range.upperBound(), 40.0);
    EXPECT_TRUE(square.isClosed());
    EXPECT_TRUE(near2d(square.evalPoint(15.0), AcGePoint2d(10, 5)));
    EXPECT_TRUE(near2d(square.evalPoint(35.0), AcGePoint2d(0, 5)));
    int seg = -1;
    EXPECT_NEAR(square.globalToLocalParam(15.0, seg), 0.5, 1e-12);
    EXPECT_EQ(seg, 1);
    // A joint belongs to the component that starts there.
    square.globalToLocalParam(20.0, seg);
    EXPECT_EQ(seg, 2);
    EXPECT_NEAR(square.localToGlobalParam(0.25, 2), 22.5, 1e-12);
    EXPECT_NEAR(square.paramOf(AcGePoint2d(10, 5)), 15.0, 1e-9);
    EXPECT_NEAR(square.paramOf(AcGePoint2d(12, 7)), 17.0, 1e-9);
    EXPECT_NEAR(square.length(3.0, 31.0), 28.0, 1e-12);
}

TEST_F(CompositeCurve2dTest, LineArcLineChainAndClosedUnderTolerance)
{
    AcGeCurve2dPtrArray list;
    list.append(own(new AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(10, 0))));
    list.append(own(new AcGeCircArc2d(AcGePoint2d(10, 0), AcGePoint2d(10, 10), 1.0, false)));
    list.append(own(new AcGeLineSeg2d(AcGePoint2d(10, 10), AcGePoint2d(0, 10))));
    list.append(own(new AcGeLineSeg2d(AcGePoint2d(0, 10), AcGePoint2d(0, 0.05))));
    AcGeCompositeCurve2d chain(list);
    const double total = 10 + 5 * kPi + 10 + 9.95;
    AcGeInterval range;
    chain.getInterval(range);
    EXPECT_NEAR(range.upperBound(), total, 1e-9);
    // Half-way round the half circle of radius 5 about (10,5).
    EXPECT_TRUE(near2d(chain.evalPoint(10 + 2.5 * kPi), AcGePoint2d(15, 5)));
    int seg = -1;
    const double local = chain.globalToLocalParam(10 + 2.5 * kPi, seg);
    EXPECT_EQ(seg, 1);
    EXPECT_NEAR(chain.localToGlobalParam(local, seg), 10 + 2.5 * kPi, 1e-9);
    EXPECT_NEAR(chain.paramOf(AcGePoint2d(5, 11)), 10 + 5 * kPi + 5, 1e-9);
    // By arc length the first derivative is the unit tangent: straight up at (15,5).
    AcGeVector2dArray d;
    chain.evalPoint(10 + 2.5 * kPi, 2, d);
    EXPECT_TRUE(near2d(AcGePoint2d::kOrigin + d[0], AcGePoint2d(0, 1)));
    EXPECT_TRUE(near2d(AcGePoint2d::kOrigin + d[1], AcGePoint2d(-0.2, 0))); // curvature 1/5 towards the centre
    // The 0.05 gap closes under 0.1 only.
    EXPECT_FALSE(chain.isClosed());
    AcGeTol loose;
    loose.setEqualPoint(0.1);
    EXPECT_TRUE(chain.isClosed(loose));

    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    chain.getSamplePoints(0.0, total, 0.01, pts, params);
    EXPECT_TRUE(near2d(pts.first(), AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(pts.last(), AcGePoint2d(0, 0.05)));
    for (int i = 0; i < pts.length(); ++i) {
        EXPECT_TRUE(near2d(chain.evalPoint(params[i]), pts[i], 1e-9));
        if (i > 0) {
            EXPECT_GT(params[i], params[i - 1]);
        }
    }
}

TEST_F(CompositeCurve2dTest, ReverseKeepsGeometryAndRestartsLength)
{
    AcGeCurve2dPtrArray list;
    list.append(own(new AcGeLineSeg2d(AcGePoint2d(0, 0), AcGePoint2d(10, 0))));
    list.append(own(new AcGeCircArc2d(AcGePoint2d(10, 0), AcGePoint2d(10, 10), 1.0, false)));
    AcGeCompositeCurve2d chain(list);
    chain.reverseParam();
    AcGeCurve2dPtrArray reversed;
    chain.getCurveList(reversed);
    ASSERT_EQ(reversed.length(), 2);
    ASSERT_TRUE(reversed[0]->isKindOf(AcGe::kCircArc2d));
    EXPECT_TRUE(static_cast<AcGeCircArc2d*>(reversed[0])->isClockWise());
    AcGePoint2d s, e;
    ASSERT_TRUE(chain.hasStartPoint(s) && chain.hasEndPoint(e));
    EXPECT_TRUE(near2d(s, AcGePoint2d(10, 10)));
    EXPECT_TRUE(near2d(e, AcGePoint2d(0, 0)));
    EXPECT_TRUE(near2d(chain.evalPoint(2.5 * kPi), AcGePoint2d(15, 5)));
    EXPECT_TRUE(near2d(chain.evalPoint(5 * kPi + 4), AcGePoint2d(6, 0)));
}

TEST_F(CompositeCurve2dTest, ExtensionScalingAndEmptyChain)
{
    AcGeCompositeCurve2d chain = polyline({{0, 0}, {10, 0}, {10, 10}}, false);
    EXPECT_NEAR(chain.closestParamTo(AcGePoint2d(-5, 1), true), -5.0, 1e-12);
    EXPECT_NEAR(chain.closestParamTo(AcGePoint2d(-5, 1), false), 0.0, 1e-12);
    EXPECT_NEAR(chain.closestParamTo(AcGePoint2d(10, 15), true), 25.0, 1e-12);
    // The middle joint never extends.
    EXPECT_NEAR(chain.closestParamTo(AcGePoint2d(15, -5), true), 10.0, 1e-12);

    chain.transformBy(AcGeMatrix2d::scaling(2.0));
    AcGeInterval range;
    chain.getInterval(range);
    EXPECT_NEAR(range.upperBound(), 40.0, 1e-12);
    EXPECT_TRUE(near2d(chain.evalPoint(30.0), AcGePoint2d(20, 10)));

    AcGeVoidPointerArray none;
    const AcGeCompositeCurve2d empty(none);
    AcGePoint2d p;
    EXPECT_FALSE(empty.hasStartPoint(p));
    EXPECT_FALSE(empty.hasEndPoint(p));
    AcGePoint2dArray pts;
    empty.getSamplePoints(0.0, 1.0, 0.1, pts);
    EXPECT_TRUE(pts.isEmpty());
}

TEST(CompositeCurve3d, ParameterIsComponentIndexPlusFraction)
{
    AcGeLineSeg3d a(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    AcGeLineSeg3d b(AcGePoint3d(4, 0, 0), AcGePoint3d(4, 0, 9));
    AcGeCurve3dPtrArray list;
    list.append(&a);
    list.append(&b);
    const AcGeCompositeCurve3d chain(list);
    EXPECT_TRUE(near3d(chain.evalPoint(1.25), AcGePoint3d(4, 0, 2.25)));
    int seg = -1;
    EXPECT_NEAR(chain.globalToLocalParam(1.25, seg), 0.25, 1e-12);
    EXPECT_EQ(seg, 1);
    EXPECT_NEAR(chain.localToGlobalParam(0.5, 0), 0.5, 1e-12);
    EXPECT_NEAR(chain.length(0.5, 1.5), 2.0 + 4.5, 1e-12);
    EXPECT_NEAR(chain.paramAtLength(0.0, 8.5), 1.5, 1e-9);
    EXPECT_NEAR(chain.paramAtLength(2.0, 11.0, false), 0.5, 1e-9);
    EXPECT_NEAR(chain.paramOf(AcGePoint3d(5, 1, 3)), 1 + 3.0 / 9, 1e-9);
    // Seen from above the vertical component is a point: (4,0) at any height.
    EXPECT_NEAR(chain.projClosestPointTo(AcGePoint3d(2, 5, 0), AcGeVector3d::kZAxis).x, 2.0, 1e-9);
}

} // namespace
