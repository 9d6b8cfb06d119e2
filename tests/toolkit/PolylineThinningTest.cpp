// Thinning polylines in place: tolerances, ranges, arcs, and every removed vertex staying
// within the tolerance of what is left.
#include "CurveTrace.h"

#include "tests/host/db/entities/GeomAssert.h"
#include "toolkit/PolylineThinning.h"

#include <cmath>
#include <memory>
#include <random>

namespace dh::toolkit::test {
namespace {

using Vertices = std::vector<PlineVertex>;

std::vector<AcGePoint3d> vertexPoints(const AcDbPolyline& polyline)
{
    std::vector<AcGePoint3d> points(polyline.numVerts());
    for (unsigned int i = 0; i < points.size(); ++i)
        polyline.getPointAt(i, points[i]);
    return points;
}

// The polyline after thinning, as its vertex points.
std::vector<AcGePoint3d> thinned(const Vertices& vertices, double tolerance, int first, int last,
                                 bool closed = false)
{
    std::unique_ptr<AcDbPolyline> polyline(makePolyline(vertices, closed));
    EXPECT_EQ(rarefyPolyline(polyline.get(), tolerance, first, last), 0);
    return vertexPoints(*polyline);
}

TEST(PolylineThinning, StraightRunsKeepTheirEndsAndZeroMeansAShareOfTheLength)
{
    Vertices straight;
    for (int i = 0; i < 10; ++i)
        straight.push_back({i * 1.5, i * 2.0});
    const std::vector<AcGePoint3d> ends = thinned(straight, 0.0, 0, 0);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_NEAR3D(ends[1], AcGePoint3d(13.5, 18, 0));

    // Length just over 1000: tolerance 0 stands for 0.1. A vertex 0.09 off goes; one 0.11
    // off stays, and then the vertex at 200 lies 0.11 * 8 / 9 = 0.098 from the new chord.
    EXPECT_EQ(thinned({{0, 0}, {100, 0.09}, {200, 0}, {1000, 0}}, 0.0, 0, 0).size(), 2u);
    const Vertices road = {{0, 0}, {100, 0.11}, {200, 0}, {1000, 0}};
    const std::vector<AcGePoint3d> kept = thinned(road, 0.0, 0, 0);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_NEAR3D(kept[1], AcGePoint3d(100, 0.11, 0));
    EXPECT_EQ(thinned(road, 0.05, 0, 0).size(), 4u);

    // No length at all: the ends of the range stay and nothing splits further.
    EXPECT_EQ(thinned({{4, 4}, {4, 4}, {4, 4}, {4, 4}}, 0.0, 0, 0).size(), 2u);
}

TEST(PolylineThinning, InvalidRangesChangeNothing)
{
    const Vertices line = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
    EXPECT_EQ(thinned(line, 0.5, 3, 1).size(), 5u);  // last before first
    EXPECT_EQ(thinned(line, 0.5, 0, 5).size(), 5u);  // last beyond the vertices
    EXPECT_EQ(thinned(line, -1.0, 0, 4).size(), 5u); // negative tolerance
    EXPECT_EQ(thinned(line, 0.5, -1, 4).size(), 5u);
}

TEST(PolylineThinning, ArcsKeepBothEndsAndVerticesOutsideTheRangeGo)
{
    // Arc from vertex 2 to 3; everything else collinear.
    const Vertices line = {{0, 0}, {1, 0}, {2, 0, 0.5}, {3, 0}, {4, 0}, {5, 0}, {6, 0}};
    std::unique_ptr<AcDbPolyline> polyline(makePolyline(line));
    ASSERT_EQ(rarefyPolyline(polyline.get(), 0.1, 0, 0), 0);
    const std::vector<AcGePoint3d> kept = vertexPoints(*polyline);
    ASSERT_EQ(kept.size(), 4u); // 0, 2, 3, 6
    EXPECT_NEAR3D(kept[1], AcGePoint3d(2, 0, 0));
    EXPECT_NEAR3D(kept[2], AcGePoint3d(3, 0, 0));
    double bulge = 0.0;
    polyline->getBulgeAt(1, bulge);
    EXPECT_EQ(bulge, 0.5);

    // Range 4..5: 0..3 go but the arc's ends, 6 goes too.
    const std::vector<AcGePoint3d> ranged = thinned(line, 0.1, 4, 5);
    ASSERT_EQ(ranged.size(), 4u);
    EXPECT_NEAR3D(ranged[0], AcGePoint3d(2, 0, 0));
    EXPECT_NEAR3D(ranged[3], AcGePoint3d(5, 0, 0));
}

TEST(PolylineThinning, RemovedVerticesLieWithinTheToleranceOfTheResult)
{
    // A vertex running back past the start lies on the chord's line but far from the
    // result: it stays.
    EXPECT_EQ(thinned({{0, 0}, {-10, 0}, {20, 0}}, 0.5, 0, 0).size(), 3u);

    std::mt19937 random(20260114);
    std::normal_distribution<double> noise(0.0, 0.4);
    for (const bool closed : {false, true}) {
        Vertices wiggly;
        for (int i = 0; i < 1000; ++i) {
            const double t = i * 0.02;
            wiggly.push_back({100 * std::cos(t) + noise(random), 60 * std::sin(1.3 * t) + noise(random)});
        }
        std::unique_ptr<AcDbPolyline> polyline(makePolyline(wiggly, closed));
        const std::vector<AcGePoint3d> before = vertexPoints(*polyline);
        ASSERT_EQ(rarefyPolyline(polyline.get(), 1.0, 0, 0), 0);
        EXPECT_LT(polyline->numVerts(), before.size() / 4);
        EXPECT_LE(farthestFrom(*polyline, before), 1.0);
        EXPECT_EQ(polyline->isClosed(), closed);
    }
}

} // namespace
} // namespace dh::toolkit::test
