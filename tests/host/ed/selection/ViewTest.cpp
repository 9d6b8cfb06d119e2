#include "host/ed/View.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace dh::ed {
namespace {

void expectPoint(const ViewPoint& actual, double x, double y, double z)
{
    EXPECT_NEAR(actual.x, x, 1e-9) << "x of (" << actual.x << ", " << actual.y << ", " << actual.z << ")";
    EXPECT_NEAR(actual.y, y, 1e-9) << "y of (" << actual.x << ", " << actual.y << ", " << actual.z << ")";
    EXPECT_NEAR(actual.z, z, 1e-9) << "z of (" << actual.x << ", " << actual.y << ", " << actual.z << ")";
}

TEST(View, NewViewShowsDefaultLimitsOnWideScreen)
{
    View view;
    EXPECT_DOUBLE_EQ(view.width(), 16.0);  // 9 × 1600 / 900
    const ViewBox box = view.displayBox();
    EXPECT_DOUBLE_EQ(box.minX, -2.0);
    EXPECT_DOUBLE_EQ(box.maxX, 14.0);
    EXPECT_DOUBLE_EQ(box.minY, 0.0);
    EXPECT_DOUBLE_EQ(box.maxY, 9.0);
    EXPECT_TRUE(view.showsDisplayPoint(14.0, 9.0));
    EXPECT_FALSE(view.showsDisplayPoint(14.01, 0.0));
    EXPECT_DOUBLE_EQ(view.pixelSize(), 0.01);
}

TEST(View, RecordHeightFitsBothHeightAndWidth)
{
    View view;
    // A box 100 × 50 zoomed with factor 0.95: record 105.263 wide, 52.632 high. At 16:9 the
    // width needs 105.263 × 9 / 16 = 59.211 of height.
    ASSERT_TRUE(view.setFromRecord(50.0, 25.0, 50.0 / 0.95, 100.0 / 0.95));
    EXPECT_NEAR(view.height, 59.2105263, 1e-6);
    expectPoint(view.centre, 50.0, 25.0, 0.0);
    // A tall record keeps its height.
    ASSERT_TRUE(view.setFromRecord(0.0, 0.0, 200.0, 10.0));
    EXPECT_DOUBLE_EQ(view.height, 200.0);
    EXPECT_FALSE(view.setFromRecord(0.0, 0.0, 0.0, 0.0));
    EXPECT_DOUBLE_EQ(view.height, 200.0);
}

TEST(View, ZoomWorldBoxAndCentre)
{
    View view;
    ASSERT_TRUE(view.zoomWorldBox({10.0, 20.0, 0.0}, {30.0, 100.0, 5.0}));
    expectPoint(view.centre, 20.0, 60.0, 0.0);
    EXPECT_DOUBLE_EQ(view.height, 80.0);
    ASSERT_TRUE(view.zoomCentre({1.0, 2.0, 0.0}, 30.0));
    expectPoint(view.centre, 1.0, 2.0, 0.0);
    EXPECT_DOUBLE_EQ(view.height, 30.0);
    EXPECT_FALSE(view.zoomCentre({0.0, 0.0, 0.0}, -1.0));
    EXPECT_DOUBLE_EQ(view.height, 30.0);
}

TEST(View, DisplaySystemHasItsOriginAtTheTarget)
{
    View view;
    view.target = {10.0, 0.0, 0.0};
    expectPoint(view.worldToDisplay({15.0, 5.0, 2.0}), 5.0, 5.0, 2.0);
    expectPoint(view.worldToDisplayVector({15.0, 5.0, 2.0}), 15.0, 5.0, 2.0);
    // VIEWCTR is a world point; a view record's centre is a display point.
    view.centre = {15.0, 5.0, 0.0};
    view.height = 9.0;
    EXPECT_DOUBLE_EQ(view.displayBox().minX, 5.0 - 8.0);
    EXPECT_DOUBLE_EQ(view.displayBox().minY, 5.0 - 4.5);
    ASSERT_TRUE(view.setFromRecord(1.0, 2.0, 9.0, 16.0));
    expectPoint(view.centre, 11.0, 2.0, 0.0);
}

TEST(View, SideViewUsesTheArbitraryAxisRule)
{
    View view;
    // Looking from +X: the display X axis is Wz × (1,0,0) = world Y, display Y is world Z.
    view.direction = {1.0, 0.0, 0.0};
    expectPoint(view.worldToDisplay({0.0, 2.0, 3.0}), 2.0, 3.0, 0.0);
    expectPoint(view.worldToDisplay({4.0, 0.0, 0.0}), 0.0, 0.0, 4.0);
}

TEST(View, WorldAndDisplayConvertBothWays)
{
    View view;
    view.direction = {1.0, -2.0, 3.0};
    view.target = {5.0, 6.0, -7.0};
    view.twist = 0.3;
    const ViewPoint world{12.5, -3.0, 8.25};
    const ViewPoint back = view.displayToWorld(view.worldToDisplay(world));
    expectPoint(back, world.x, world.y, world.z);
    const ViewPoint d = view.worldToDisplay(world);
    // Length is kept by a rotation.
    const double dx = world.x - 5.0, dy = world.y - 6.0, dz = world.z + 7.0;
    EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), std::sqrt(dx * dx + dy * dy + dz * dz), 1e-9);
}

}  // namespace
}  // namespace dh::ed
