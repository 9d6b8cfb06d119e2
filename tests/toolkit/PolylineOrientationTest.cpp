// Orientation of closed polylines and reversed copies: the same curve traced backwards.
#include "CurveTrace.h"

#include "tests/host/db/entities/GeomAssert.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineOrientation.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace dh::toolkit::test {
namespace {

using Vertices = std::vector<PlineVertex>;

int orientation(const Vertices& vertices, bool closed = true)
{
    std::unique_ptr<AcDbPolyline> polyline(makePolyline(vertices, closed));
    return isPolylineClockwise(polyline.get());
}

TEST(PolylineOrientation, SignOfTheEnclosedArea)
{
    const Vertices square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const Vertices backwards = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    EXPECT_EQ(orientation(square), 1);
    EXPECT_EQ(orientation(backwards), -1);
    EXPECT_EQ(orientation(square, false), 0);
    EXPECT_EQ(orientation({{0, 0}, {1.1, 2.2}, {3.3, 6.6}, {2.2, 4.4}}), 0); // collinear
    EXPECT_EQ(orientation({{5, 5}, {5, 5}, {5, 5}}), 0);
    // Far from the origin, as survey coordinates are.
    EXPECT_EQ(orientation({{500000.1, 3000000.2}, {500000.3, 3000000.2}, {500000.3, 3000000.4}}), 1);

    // Counter-clockwise with four convex corners and nine reflex ones along a concave top
    // edge: more right turns than left, yet counter-clockwise.
    Vertices bitten = {{0, 0}, {10, 0}, {10, 10}};
    for (int x = 9; x >= 1; --x)
        bitten.push_back({double(x), 10.0 - 3.0 * std::sin(std::numbers::pi * x / 10.0)});
    bitten.push_back({0, 10});
    EXPECT_EQ(orientation(bitten), 1);
    Vertices reversed(bitten.rbegin(), bitten.rend());
    EXPECT_EQ(orientation(reversed), -1);
}

std::unique_ptr<AcDbPolyline> reversedCopy(const AcDbPolyline& source)
{
    AcDbPolyline* made = nullptr;
    EXPECT_EQ(reversePolyline(&source, made), kGeOk);
    return std::unique_ptr<AcDbPolyline>(made);
}

// The copy runs through the source's points in the opposite order.
void expectTracedBackwards(const AcDbPolyline& source, const AcDbPolyline& copy)
{
    ASSERT_NEAR(curveLength(copy), curveLength(source), 1e-9);
    const std::vector<AcGePoint3d> forward = tracePoints(source, 1000);
    const std::vector<AcGePoint3d> backward = tracePoints(copy, 1000);
    for (size_t k = 0; k < forward.size(); ++k)
        ASSERT_TRUE(near3d(backward[forward.size() - 1 - k], forward[k], 1e-7)) << k;
}

TEST(PolylineOrientation, ReversedCopiesTraceTheSamePointsBackwards)
{
    // Open, with a bulge b on the first segment: the last segment carries -b.
    std::unique_ptr<AcDbPolyline> open(makePolyline({{0, 0, 0.5}, {10, 0}, {10, 10}}));
    std::unique_ptr<AcDbPolyline> copy = reversedCopy(*open);
    ASSERT_EQ(copy->numVerts(), 3u);
    AcGePoint3d p;
    copy->getPointAt(0, p);
    EXPECT_NEAR3D(p, AcGePoint3d(10, 10, 0));
    copy->getPointAt(2, p);
    EXPECT_NEAR3D(p, AcGePoint3d(0, 0, 0));
    double bulge = 0.0;
    copy->getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, -0.5, 1e-12);
    expectTracedBackwards(*open, *copy);

    const std::vector<std::pair<Vertices, bool>> shapes = {
        {{{0, 0, 0.3}, {10, 0, -1.2}, {20, 5}, {20, 15, 0.1}, {5, 20, 2.5}, {0, 10}}, false},
        {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true},        // closing line
        {{{0, 0}, {10, 0, 0.4}, {10, 10}, {0, 10, -0.7}}, true}, // closing arc
    };
    for (const auto& [vertices, closed] : shapes) {
        std::unique_ptr<AcDbPolyline> source(makePolyline(vertices, closed));
        copy = reversedCopy(*source);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->isClosed(), closed);
        expectTracedBackwards(*source, *copy);
    }
}

TEST(PolylineOrientation, ReversedCopyKeepsPropertiesAndOpenEnds)
{
    // Ends 0.05 apart: still an open polyline with all its vertices.
    std::unique_ptr<AcDbPolyline> source(makePolyline({{0, 0}, {10, 0}, {10, 10}, {0.05, 0}}));
    source->setElevation(12.5);
    source->setThickness(3.0);
    source->setNormal(AcGeVector3d(0, 0, -1));
    source->setWidthsAt(0, 2.0, 2.0);
    std::unique_ptr<AcDbPolyline> copy = reversedCopy(*source);
    EXPECT_FALSE(copy->isClosed());
    EXPECT_EQ(copy->numVerts(), 4u);
    EXPECT_EQ(copy->elevation(), 12.5);
    EXPECT_EQ(copy->thickness(), 3.0);
    EXPECT_EQ(copy->normal(), AcGeVector3d(0, 0, -1));
    double start = 1.0, end = 1.0;
    copy->getWidthsAt(3, start, end);
    EXPECT_EQ(start, 0.0);
    expectTracedBackwards(*source, *copy);

    std::unique_ptr<AcDbPolyline> point(makePolyline({{1, 1}}));
    AcDbPolyline* none = nullptr;
    EXPECT_EQ(reversePolyline(point.get(), none), kGeNothing);
    EXPECT_EQ(none, nullptr);
}

} // namespace
} // namespace dh::toolkit::test
