// Number kinds of label texts and the shape comparison of contours.
#include "terrain/CurveShapes.h"
#include "terrain/SpotEntity.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>

#include <gtest/gtest.h>

#include <memory>

namespace dh::terrain {
namespace {

TEST(SpotEntity, NumberTextKinds)
{
    struct Case {
        const char* text;
        int kind;
    };
    const Case cases[] = {
        {"", 1},     {"125", 1},  {"+7", 1},   {"-", 1},    {"12.5", 2}, {".5", 2},
        {"1.2.3", 2}, {".", 2},   {"-1.5", 0}, {"1e5", 0},  {"12a", 0},  {"1-2", 0},
        {" 12", 0},  {"高程", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberTextKind(c.text), c.kind) << '"' << c.text << '"';
}

TEST(SpotEntity, SpotsAndTheirPositions)
{
    AcDbCircle circle(AcGePoint3d(1, 2, 3), AcGeVector3d::kZAxis, 0.5);
    AcDbPoint point(AcGePoint3d(4, 5, 6));
    AcDbText text(AcGePoint3d(7, 8, 9), "12");
    AcDbLine line(AcGePoint3d(1, 1, 1), AcGePoint3d(2, 2, 2));
    EXPECT_TRUE(isSpotEntity(&circle));
    EXPECT_TRUE(isSpotEntity(&point));
    EXPECT_FALSE(isSpotEntity(&text));
    EXPECT_FALSE(isSpotEntity(&line));
    EXPECT_FALSE(isSpotEntity(nullptr));
    EXPECT_EQ(spotPosition(&circle), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(spotPosition(&point), AcGePoint3d(4, 5, 6));
    EXPECT_EQ(spotPosition(&text), AcGePoint3d(0, 0, 0));
}

AcDbPolyline* lightweight(std::initializer_list<AcGePoint2d> points, double elevation,
                          double bulge = 0.0)
{
    auto* polyline = new AcDbPolyline;
    unsigned int i = 0;
    for (const AcGePoint2d& p : points) {
        polyline->addVertexAt(i, p, i == 0 ? bulge : 0.0);
        ++i;
    }
    polyline->setElevation(elevation);
    return polyline;
}

TEST(CurveShapes, SameVerticesAndBulgesAtTheSameOrAnotherElevation)
{
    std::unique_ptr<AcDbPolyline> a(lightweight({{0, 0}, {10, 0}, {10, 10}}, 100.0));
    std::unique_ptr<AcDbPolyline> same(lightweight({{0, 0}, {10, 0}, {10, 10}}, 100.0));
    std::unique_ptr<AcDbPolyline> higher(lightweight({{0, 0}, {10, 0}, {10, 10}}, 100.5));
    std::unique_ptr<AcDbPolyline> nearly(lightweight({{0, 0}, {10, 1e-12}, {10, 10}}, 100.0));
    std::unique_ptr<AcDbPolyline> bulged(lightweight({{0, 0}, {10, 0}, {10, 10}}, 100.0, 0.5));
    std::unique_ptr<AcDbPolyline> shorter(lightweight({{0, 0}, {10, 0}}, 100.0));
    std::unique_ptr<AcDbPolyline> reversed(lightweight({{10, 10}, {10, 0}, {0, 0}}, 100.0));
    EXPECT_EQ(compareCurveShapes(a.get(), same.get()), kIdentical);
    EXPECT_EQ(compareCurveShapes(a.get(), higher.get()), kSameShapeOtherElevation);
    EXPECT_EQ(compareCurveShapes(a.get(), nearly.get()), kIdentical);
    EXPECT_EQ(compareCurveShapes(a.get(), bulged.get()), kDifferentShape);
    EXPECT_EQ(compareCurveShapes(a.get(), shorter.get()), kDifferentShape);
    EXPECT_EQ(compareCurveShapes(a.get(), reversed.get()), kDifferentShape);

    // Old-style polylines are compared vertex by vertex in a drawing (ChgcCommandTest);
    // with a lightweight one they never match.
    AcGePoint3dArray vertices;
    vertices.append(AcGePoint3d(0, 0, 0));
    vertices.append(AcGePoint3d(10, 0, 0));
    vertices.append(AcGePoint3d(10, 10, 0));
    AcDb2dPolyline old(AcDb::k2dSimplePoly, vertices, 100.0);
    EXPECT_EQ(compareCurveShapes(a.get(), &old), kDifferentShape);
    EXPECT_EQ(compareCurveShapes(&old, a.get()), kDifferentShape);
    EXPECT_EQ(contourElevation(&old), 100.0);
    EXPECT_EQ(contourElevation(higher.get()), 100.5);
}

} // namespace
} // namespace dh::terrain
