#include "host/ed/SelectionShape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace dh::ed {
namespace {

constexpr double kPi = std::numbers::pi;

SelectionShape line(Point2 a, Point2 b)
{
    SelectionShape s;
    s.segments.push_back({a, b});
    return s;
}

SelectionShape arc(Point2 centre, double radius, double start, double sweep)
{
    SelectionShape s;
    s.arcs.push_back({centre, radius, start, sweep});
    return s;
}

void expectBox(const Box2& box, double minX, double minY, double maxX, double maxY)
{
    EXPECT_NEAR(box.minX, minX, 1e-9);
    EXPECT_NEAR(box.minY, minY, 1e-9);
    EXPECT_NEAR(box.maxX, maxX, 1e-9);
    EXPECT_NEAR(box.maxY, maxY, 1e-9);
}

TEST(SelectionShape, BulgeSignDecidesTheSideOfTheArc)
{
    // Bulge 1 is a half circle; positive runs counter-clockwise, so from (0,0) to (2,0) it
    // dips below the chord.
    SelectionShape ccw;
    ccw.addBulgeSegment({0, 0}, {2, 0}, 1.0);
    ASSERT_EQ(ccw.arcs.size(), 1u);
    EXPECT_NEAR(ccw.arcs[0].radius, 1.0, 1e-12);
    expectBox(ccw.extents(), 0, -1, 2, 0);

    SelectionShape cw;
    cw.addBulgeSegment({0, 0}, {2, 0}, -1.0);
    expectBox(cw.extents(), 0, 0, 2, 1);

    // Bulge tan(22.5°): a quarter circle. Radius = chord / (2 sin 45°).
    SelectionShape quarter;
    quarter.addBulgeSegment({10, 0}, {0, 10}, std::tan(kPi / 8));
    EXPECT_NEAR(quarter.arcs[0].radius, 10.0, 1e-9);
    EXPECT_NEAR(quarter.arcs[0].centre.x, 0.0, 1e-9);
    EXPECT_NEAR(quarter.arcs[0].centre.y, 0.0, 1e-9);

    SelectionShape straight;
    straight.addBulgeSegment({0, 0}, {2, 0}, 0.0);
    EXPECT_EQ(straight.segments.size(), 1u);
    EXPECT_TRUE(straight.arcs.empty());
}

TEST(SelectionShape, ArcExtentsIncludeCoveredQuadrantPoints)
{
    // From 45° to 135°: passes the top (0, 1).
    const Arc2 top{{0, 0}, 1.0, kPi / 4, kPi / 2};
    const double c = std::sqrt(0.5);
    expectBox(top.extents(), -c, c, c, 1.0);
    // Across the 0° direction: from 315° over 90°.
    const Arc2 right{{0, 0}, 2.0, 7 * kPi / 4, kPi / 2};
    EXPECT_NEAR(right.extents().maxX, 2.0, 1e-12);
    EXPECT_TRUE(right.coversAngle(0.0));
    EXPECT_FALSE(right.coversAngle(kPi));
}

TEST(SelectionShape, CrossingUsesTheCurveNotItsExtents)
{
    const SelectionShape quarter = arc({0, 0}, 10.0, 0.0, kPi / 2);
    EXPECT_TRUE(shapeTouchesBox(quarter, {6, 6, 8, 8}));    // (7.07, 7.07) is on the arc
    EXPECT_FALSE(shapeTouchesBox(quarter, {1, 1, 3, 3}));   // inside the circle, off the arc
    EXPECT_FALSE(shapeTouchesBox(quarter, {-5, -5, -1, -1}));
    EXPECT_TRUE(shapeTouchesBox(quarter, {9, -1, 11, 1}));  // holds the start point

    const SelectionShape diagonal = line({0, 0}, {10, 10});
    EXPECT_FALSE(shapeTouchesBox(diagonal, {6, 0, 9, 2}));
    EXPECT_TRUE(shapeTouchesBox(diagonal, {4, 0, 9, 5}));  // the edge (5,5) corner
    EXPECT_TRUE(shapeTouchesBox(diagonal, {-1, -1, 20, 20}));
}

TEST(SelectionShape, WindowNeedsTheWholeShape)
{
    const SelectionShape half = [] {
        SelectionShape s;
        s.addBulgeSegment({0, 0}, {2, 0}, 1.0);  // dips to y = -1
        return s;
    }();
    EXPECT_FALSE(shapeInsideBox(half, {-1, -0.5, 3, 1}));
    EXPECT_TRUE(shapeInsideBox(half, {-1, -1, 3, 1}));  // touching the edge counts
    EXPECT_FALSE(shapeInsideBox(SelectionShape{}, {-1, -1, 3, 1}));
}

TEST(SelectionShape, FenceMeetsLinesArcsAndPoints)
{
    const std::vector<Point2> fence{{0, 5}, {10, 5}, {10, -5}};
    EXPECT_TRUE(shapeMeetsFence(line({2, 0}, {2, 10}), fence));
    EXPECT_FALSE(shapeMeetsFence(line({2, 6}, {8, 9}), fence));
    EXPECT_TRUE(shapeMeetsFence(line({9, 0}, {12, 0}), fence));  // second leg
    EXPECT_TRUE(shapeMeetsFence(line({10, 5}, {20, 20}), fence)); // touches at a vertex
    // A circle of radius 2 around (5, 8) misses the fence; radius 3 touches y = 5.
    EXPECT_FALSE(shapeMeetsFence(arc({5, 8}, 2.0, 0.0, 2 * kPi), fence));
    EXPECT_TRUE(shapeMeetsFence(arc({5, 8}, 3.0, 0.0, 2 * kPi), fence));
    // An upper half circle of radius 4 around (5, 8) stays above the fence.
    EXPECT_FALSE(shapeMeetsFence(arc({5, 8}, 4.0, 0.0, kPi), fence));
    SelectionShape point;
    point.addPoint({4, 5});
    EXPECT_TRUE(shapeMeetsFence(point, fence));
}

TEST(SelectionShape, PolygonsOnAConcaveOutline)
{
    // A "U": the notch between x 4..6 reaches down to y 2.
    const std::vector<Point2> u{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 2}, {4, 2}, {4, 10}, {0, 10}};
    const SelectionShape acrossNotch = line({2, 5}, {8, 5});
    EXPECT_FALSE(shapeInsidePolygon(acrossNotch, u));
    EXPECT_TRUE(shapeTouchesPolygon(acrossNotch, u));
    const SelectionShape underNotch = line({2, 1}, {8, 1});
    EXPECT_TRUE(shapeInsidePolygon(underNotch, u));
    const SelectionShape inNotch = line({4.5, 5}, {5.5, 8});
    EXPECT_FALSE(shapeTouchesPolygon(inNotch, u));
    // A circle round the whole outline neither lies in it nor crosses it.
    EXPECT_FALSE(shapeTouchesPolygon(arc({5, 5}, 20.0, 0.0, 2 * kPi), u));
    // A circle inside the left arm.
    EXPECT_TRUE(shapeInsidePolygon(arc({2, 5}, 1.0, 0.0, 2 * kPi), u));
}

TEST(SelectionShape, RegionsCountTheirInside)
{
    SelectionShape text;
    text.regions.push_back({{0, 0}, {10, 0}, {10, 2}, {0, 2}});
    EXPECT_TRUE(shapeTouchesBox(text, {4, 0.5, 5, 1.5}));  // a window inside the text box
    EXPECT_FALSE(shapeInsideBox(text, {4, 0.5, 5, 1.5}));
    EXPECT_DOUBLE_EQ(distanceToShape(text, {5, 1}), 0.0);
    EXPECT_DOUBLE_EQ(distanceToShape(text, {5, 5}), 3.0);
}

TEST(SelectionShape, DistanceToArcsAndSegments)
{
    const SelectionShape upper = arc({0, 0}, 5.0, 0.0, kPi);
    EXPECT_NEAR(distanceToShape(upper, {0, 7}), 2.0, 1e-12);
    EXPECT_NEAR(distanceToShape(upper, {0, -3}), std::hypot(5.0, 3.0), 1e-12);  // to an end
    EXPECT_NEAR(distanceToShape(line({0, 0}, {10, 0}), {13, 4}), 5.0, 1e-12);
}

TEST(SelectionShape, TouchingHoldsAtSurveyCoordinates)
{
    // A contour at x = 512345.678 and a window whose edge is exactly there.
    const SelectionShape contour = line({512345.678, 3412000.0}, {512345.678, 3412100.0});
    EXPECT_TRUE(shapeTouchesBox(contour, {512300.0, 3412050.0, 512345.678, 3412060.0}));
    EXPECT_FALSE(shapeTouchesBox(contour, {512300.0, 3412050.0, 512345.677, 3412060.0}));
}

}  // namespace
}  // namespace dh::ed
