#include "SelectionDrawing.h"

#include <acdb/AcDb2dPolyline.h>

#include <array>
#include <deque>
#include <numbers>

namespace dh::ed::testing {
namespace {

constexpr double kPi = std::numbers::pi;

class DrawingSelection : public SelectionDrawing {};

TEST_F(DrawingSelection, CrossingSeesOnlyTheViewAndShownLayers)
{
    addLayer("Hidden", /*off*/ true);
    addLayer("Cold", false, /*frozen*/ true);
    const AcDbObjectId shown = line(10, 10, 20, 20);
    const AcDbObjectId outside = line(200, 50, 210, 60);  // right of x = 138.9
    const AcDbObjectId off = line(30, 30, 40, 40, "Hidden");
    const AcDbObjectId frozen = line(50, 30, 60, 40, "Cold");

    std::vector<AcDbObjectId> ids;
    const ads_point lo{-500, -500, 0}, hi{500, 500, 0};
    ASSERT_EQ(select("_C", lo, hi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {shown}));
    ASSERT_EQ(select("_A", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {shown, outside, off}));
    ASSERT_EQ(select("X", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {shown, outside, off, frozen}));

    // A crossing window entirely off screen finds nothing, and says so in errno.
    const ads_point farLo{180, 40, 0}, farHi{220, 70, 0};
    EXPECT_EQ(select("_C", farLo, farHi, nullptr, ids), RTERROR);
    EXPECT_EQ(errnoValue(), 7);
    EXPECT_EQ(SelectionSets::instance().liveCount(), 0u);
}

TEST_F(DrawingSelection, WindowNeedsTheEntityWhollyInsideAndShown)
{
    const AcDbObjectId leaving = line(100, 50, 150, 50);  // runs past the view's right edge
    const AcDbObjectId inside = line(100, 60, 120, 60);
    std::vector<AcDbObjectId> ids;
    const ads_point lo{0, 0, 0}, hi{300, 300, 0};
    ASSERT_EQ(select("_W", lo, hi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {inside}));
    // The shown part of the leaving line is still found by a crossing window.
    const ads_point cLo{125, 40, 0}, cHi{300, 55, 0};
    ASSERT_EQ(select("_C", cLo, cHi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {leaving}));
    // A window mode without its corners is refused.
    EXPECT_EQ(select("_W", lo, nullptr, nullptr, ids), RTREJ);
    EXPECT_EQ(select("_Q", nullptr, nullptr, nullptr, ids), RTREJ);
}

TEST_F(DrawingSelection, CrossingFollowsCurvesNotTheirExtents)
{
    const AcDbObjectId quarter = arc(50, 50, 20, 0, kPi / 2);
    // Bulge 1 from (10,80) to (30,80): a half circle dipping to y = 70.
    const AcDbObjectId dip = polyline({{10, 80, 1.0}, {30, 80, 0.0}});
    std::vector<AcDbObjectId> ids;

    const ads_point insideCircleLo{52, 52, 0}, insideCircleHi{56, 56, 0};
    EXPECT_EQ(select("_C", insideCircleLo, insideCircleHi, nullptr, ids), RTERROR);
    const ads_point onArcLo{62, 62, 0}, onArcHi{66, 66, 0};  // the arc passes (64.14, 64.14)
    ASSERT_EQ(select("_C", onArcLo, onArcHi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {quarter}));

    const ads_point bottomLo{19, 69, 0}, bottomHi{21, 71, 0};
    ASSERT_EQ(select("_C", bottomLo, bottomHi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {dip}));
    const ads_point mirrorLo{19, 89, 0}, mirrorHi{21, 91, 0};
    EXPECT_EQ(select("_C", mirrorLo, mirrorHi, nullptr, ids), RTERROR);

    const ads_point wholeLo{5, 69, 0}, wholeHi{35, 85, 0};
    ASSERT_EQ(select("_W", wholeLo, wholeHi, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {dip}));
    const ads_point tooHighLo{5, 75, 0}, tooHighHi{35, 85, 0};
    EXPECT_EQ(select("_W", tooHighLo, tooHighHi, nullptr, ids), RTERROR);
}

TEST_F(DrawingSelection, FiltersByTypeAndLayer)
{
    addLayer("Contour-5");
    line(10, 10, 20, 10);
    const AcDbObjectId contourLine = line(10, 20, 20, 20, "Contour-5");
    const AcDbObjectId contourArc = arc(40, 40, 5, 0, kPi, "Contour-5");
    const AcDbObjectId contour = polyline({{60, 10}, {70, 20}, {80, 10}}, false, "Contour-5");
    circle(90, 90, 2, "Contour-5");

    std::vector<AcDbObjectId> ids;
    resbuf* typeAndLayer = acutBuildList(RTDXF0, "LINE,ARC", 8, "CONTOUR*", 0);
    ASSERT_EQ(select("_A", nullptr, nullptr, typeAndLayer, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {contourLine, contourArc}));
    acutRelRb(typeAndLayer);

    resbuf* polylines = acutBuildList(-4, "<OR", RTDXF0, "LWPOLYLINE", RTDXF0, "POLYLINE", -4, "OR>", 0);
    ASSERT_EQ(select("X", nullptr, nullptr, polylines, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {contour}));
    acutRelRb(polylines);

    resbuf* notOnZero = acutBuildList(-4, "<NOT", 8, "0", -4, "NOT>", RTDXF0, "~CIRCLE", 0);
    ASSERT_EQ(select("X", nullptr, nullptr, notOnZero, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {contourLine, contourArc, contour}));
    acutRelRb(notOnZero);

    // Elevation (38) comes from the fields the polyline writes.
    auto* raised = new AcDbPolyline;
    raised->addVertexAt(0, AcGePoint2d(0, 0));
    raised->addVertexAt(1, AcGePoint2d(5, 5));
    raised->setElevation(105.0);
    const AcDbObjectId high = append(raised);
    resbuf* above = acutBuildList(-4, ">", 38, 100.0, 0);
    ASSERT_EQ(select("X", nullptr, nullptr, above, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {high}));
    acutRelRb(above);
    resbuf* exact = acutBuildList(RTDXF0, "LWPOLYLINE", 38, 105.0, 0);
    ASSERT_EQ(select("X", nullptr, nullptr, exact, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {high}));
    acutRelRb(exact);

    resbuf* broken = acutBuildList(-4, "<OR", RTDXF0, "LINE", 0);
    EXPECT_EQ(select("X", nullptr, nullptr, broken, ids), RTERROR);
    acutRelRb(broken);
}

TEST_F(DrawingSelection, FenceAndPolygonsOnLinesArcsAndPolylines)
{
    const AcDbObjectId upright = line(10, 10, 10, 40);
    const AcDbObjectId ring = circle(40, 25, 5);  // its top (40, 30) touches the fence
    const AcDbObjectId contour = polyline({{60, 10}, {60, 40}});
    line(80, 10, 80, 40);  // beyond the fence's end

    resbuf* fence = acutBuildList(RT3DPOINT, std::array<double, 3>{0, 30, 0}.data(), RT3DPOINT,
                                  std::array<double, 3>{70, 30, 0}.data(), 0);
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select("_F", fence, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {upright, ring, contour}));
    resbuf* contours = acutBuildList(-4, "<OR", RTDXF0, "LWPOLYLINE", RTDXF0, "POLYLINE", -4, "OR>", 0);
    ASSERT_EQ(select("_F", fence, nullptr, contours, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {contour}));
    acutRelRb(contours);
    acutRelRb(fence);

    // A square round the circle: the window polygon takes only the circle; the crossing
    // polygon a bit wider also cuts the polyline.
    auto square = [](double x0, double y0, double x1, double y1) {
        return acutBuildList(RTPOINT, std::array<double, 3>{x0, y0, 0}.data(), RTPOINT,
                             std::array<double, 3>{x1, y0, 0}.data(), RTPOINT, std::array<double, 3>{x1, y1, 0}.data(),
                             RTPOINT, std::array<double, 3>{x0, y1, 0}.data(), 0);
    };
    resbuf* around = square(30, 15, 65, 35);
    ASSERT_EQ(select("_WP", around, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {ring}));
    ASSERT_EQ(select("_CP", around, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {ring, contour}));
    acutRelRb(around);
    // Inside the circle without touching it.
    resbuf* hole = square(38, 23, 42, 27);
    EXPECT_EQ(select("_CP", hole, nullptr, nullptr, ids), RTERROR);
    acutRelRb(hole);
}

TEST_F(DrawingSelection, StraightSpansFarFromTheOriginStayStraight)
{
    // An old-style polyline (read span by span through the curve interface) at survey
    // coordinates, as a generated contour has it: a fence across the line of its last
    // segment, 0.9 beyond its end, does not meet it (rounding once made that span a
    // circle of radius 4e12).
    auto* old = new AcDb2dPolyline;
    for (const auto& [x, y] : {std::pair{508402.008, 3019373.364}, std::pair{508387.721, 3019437.136},
                               std::pair{508324.01, 3019452.489}, std::pair{508265.259, 3019432.512},
                               std::pair{508250.287, 3019403.568}})
        old->appendVertex(new AcDb2dVertex(AcGePoint3d(x, y, 441.0)));
    old->setElevation(441.0);
    const AcDbObjectId piece = append(old);
    // The whole of a generated survey drawing in view, as after ZOOM E.
    view().centre = {509988.0, 3010050.0, 0.0};
    view().height = 20171.0;
    resbuf* beyond = acutBuildList(RT3DPOINT, std::array<double, 3>{508249.428063, 3019402.994261, 0}.data(),
                                   RT3DPOINT, std::array<double, 3>{508250.316269, 3019402.534815, 0}.data(), 0);
    std::vector<AcDbObjectId> ids;
    EXPECT_EQ(select("_F", beyond, nullptr, nullptr, ids), RTERROR);
    acutRelRb(beyond);
    resbuf* across = acutBuildList(RT3DPOINT, std::array<double, 3>{508257.0, 3019418.0, 0}.data(), RT3DPOINT,
                                   std::array<double, 3>{508259.0, 3019417.0, 0}.data(), 0);
    ASSERT_EQ(select("_F", across, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {piece}));
    acutRelRb(across);
}

TEST_F(DrawingSelection, PointPickTakesTheNearestWithinThePickBox)
{
    const AcDbObjectId low = line(0, 50, 100, 50);
    const AcDbObjectId high = line(0, 50.2, 100, 50.2);
    std::vector<AcDbObjectId> ids;
    // The pick box is 3 pixels of 100/900 units: 1/3 unit either way.
    const ads_point between{50, 50.15, 0};
    ASSERT_EQ(select(":S", between, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {high}));
    const ads_point above{50, 50.6, 0};
    EXPECT_EQ(select(":S", above, nullptr, nullptr, ids), RTERROR);
    EXPECT_EQ(errnoValue(), 7);
    session().variables().setInt("PICKBOX", 10);
    ASSERT_EQ(select(":S", above, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {high}));
    // On a tie the later drawn wins.
    const AcDbObjectId again = line(0, 50, 100, 50);
    const ads_point below{30, 49.9, 0};
    ASSERT_EQ(select(":S", below, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {again}));
    (void)low;
}

TEST_F(DrawingSelection, PickSkipsAnEntityHeldOpenForWrite)
{
    // Joining contours erases a line while it looks for its neighbours at its ends.
    const AcDbObjectId picked = line(0, 10, 20, 10);
    const AcDbObjectId neighbour = line(20, 10, 40, 30);
    AcDbEntity* held = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(held, picked, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(held->erase(), Acad::eOk);
    std::vector<AcDbObjectId> ids;
    const ads_point end{20, 10, 0};
    ASSERT_EQ(select(":S", end, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {neighbour}));
    held->cancel();
    EXPECT_FALSE(picked.isErased());
}

TEST_F(DrawingSelection, TwistedViewAgreesWithThePlanView)
{
    // A plan view reads lines, arcs and polylines directly; a twisted one goes through the
    // curve interface span by span. Fences and polygons do not depend on the view's axes,
    // so both must take the same entities.
    const AcDbObjectId upper = arc(30, 30, 10, 0.2, 2.9);
    const AcDbObjectId ring = circle(70, 40, 6);
    const AcDbObjectId bulged = polyline({{10, 60, 0.8}, {30, 60, -0.5}, {45, 75, 0.0}, {60, 60, 0.0}});
    const AcDbObjectId straight = line(80, 10, 95, 30);
    const std::vector<std::vector<std::array<double, 3>>> queries = {
        {{0, 35, 0}, {100, 35, 0}},                         // through the arc and the circle
        {{20, 64, 0}, {20, 70, 0}},                         // above the first bulge
        {{20, 50, 0}, {20, 58, 0}},                         // across the first bulge's dip to y 52
        {{63, 30, 0}, {77, 30, 0}, {77, 50, 0}, {63, 50, 0}},  // a square round the circle
        {{85, 0, 0}, {100, 0, 0}, {100, 40, 0}, {85, 40, 0}},  // half the line
    };
    auto run = [&](const char* mode, const std::vector<std::array<double, 3>>& points) {
        std::deque<resbuf> chain;
        for (const auto& p : points) {
            chain.push_back(resbuf{nullptr, RT3DPOINT, {}});
            for (int i = 0; i < 3; ++i)
                chain.back().resval.rpoint[i] = p[i];
        }
        for (std::size_t i = 0; i + 1 < chain.size(); ++i)
            chain[i].rbnext = &chain[i + 1];
        std::vector<AcDbObjectId> ids;
        select(mode, &chain.front(), nullptr, nullptr, ids);
        return ids;
    };
    std::vector<std::vector<AcDbObjectId>> plan;
    for (const auto& q : queries)
        for (const char* mode : {"_F", "_CP", "_WP"})
            plan.push_back(q.size() >= 3 || std::string(mode) == "_F" ? run(mode, q) : std::vector<AcDbObjectId>{});
    EXPECT_TRUE(sameIds(plan[0], {upper, ring}));
    EXPECT_TRUE(sameIds(plan[3], {}));
    EXPECT_TRUE(sameIds(plan[6], {bulged}));
    EXPECT_TRUE(sameIds(plan[10], {ring}));
    EXPECT_TRUE(sameIds(plan[11], {ring}));
    EXPECT_TRUE(sameIds(plan[13], {straight}));
    EXPECT_TRUE(sameIds(plan[14], {}));

    view().twist = 0.7;
    view().height = 400;
    view().centre = {50, 50, 0};
    std::size_t k = 0;
    for (const auto& q : queries)
        for (const char* mode : {"_F", "_CP", "_WP"}) {
            const auto twisted = q.size() >= 3 || std::string(mode) == "_F" ? run(mode, q) : std::vector<AcDbObjectId>{};
            EXPECT_TRUE(sameIds(twisted, plan[k])) << "query " << k / 3 << " " << mode;
            ++k;
        }
}

}  // namespace
}  // namespace dh::ed::testing
