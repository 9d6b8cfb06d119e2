// The view read from and written to the host's view variables.
#include "ToolkitSession.h"

#include "toolkit/ViewUtilities.h"

#include <aced/AcEdVariables.h>

namespace dh::toolkit::test {
namespace {

using ViewUtilities = ToolkitSession;

double viewSize()
{
    resbuf rb{};
    EXPECT_EQ(acedGetVar("VIEWSIZE", &rb), RTNORM);
    return rb.resval.rreal;
}

AcGePoint3d viewCentre()
{
    resbuf rb{};
    EXPECT_EQ(acedGetVar("VIEWCTR", &rb), RTNORM);
    return AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

TEST_F(ViewUtilities, ZoomFitsTheBoxInNinetyFivePercent)
{
    // 100 × 50 at factor 0.95 asks for 105.26 × 52.63; on the 1600 × 900 screen the width
    // governs: height 105.263 × 900 / 1600 = 59.21.
    ASSERT_EQ(zoomToBox(AcGePoint3d(10, 20, 0), AcGePoint3d(110, 70, 0), 0.95), Acad::eOk);
    EXPECT_NEAR(viewSize(), 59.2105, 1e-3);
    EXPECT_NEAR(viewCentre().x, 60.0, 1e-9);
    EXPECT_NEAR(viewCentre().y, 45.0, 1e-9);
    AcGePoint2d low;
    AcGePoint2d high;
    ASSERT_TRUE(getViewBox(low, high));
    EXPECT_NEAR(high.x - low.x, 105.263, 1e-3);
    EXPECT_NEAR(low.x, 60.0 - 52.6316, 1e-3);

    // A tall box: the height governs, 50 / 0.95 … 100 / 0.95.
    ASSERT_EQ(zoomToBox(AcGePoint3d(0, 0, 0), AcGePoint3d(50, 100, 5), 0.95), Acad::eOk);
    EXPECT_NEAR(viewSize(), 105.263, 1e-3);
    EXPECT_NEAR(viewCentre().y, 50.0, 1e-9);
}

TEST_F(ViewUtilities, ABoxTouchingTheViewEdgeIsNotInView)
{
    ASSERT_EQ(zoomToBox(AcGePoint3d(0, 0, 0), AcGePoint3d(160, 90, 0), 1.0), Acad::eOk);
    AcGePoint2d low;
    AcGePoint2d high;
    ASSERT_TRUE(getViewBox(low, high));
    EXPECT_NEAR(low.x, 0.0, 1e-9);
    EXPECT_NEAR(high.y, 90.0, 1e-9);
    EXPECT_TRUE(isBoxInView(AcGePoint3d(1, 1, 0), AcGePoint3d(159, 89, 0)));
    EXPECT_FALSE(isBoxInView(AcGePoint3d(0, 1, 0), AcGePoint3d(159, 89, 0)));
    EXPECT_FALSE(isBoxInView(AcGePoint3d(1, 1, 0), AcGePoint3d(159, 90, 0)));
    EXPECT_FALSE(isBoxInView(AcGePoint3d(-5, 1, 0), AcGePoint3d(20, 20, 0)));
}

} // namespace
} // namespace dh::toolkit::test
