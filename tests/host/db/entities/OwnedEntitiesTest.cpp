// Entities that own others (polyline vertices, block reference attributes) inside a
// drawing, block references and dimensions exploding their blocks, and clone and cancel.
#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDimension.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>
#include <acgi/AcGiTextStyle.h>

#include "host/db/entities/EntityDrawing.h"
#include "host/db/entities/GeomAssert.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;

class OwnedEntities : public EntityDrawing {};

TEST_F(OwnedEntities, PolylineVerticesJoinTheDrawingWithTheirPolyline)
{
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(10, 0, 0));
    points.append(AcGePoint3d(10, 10, 0));
    auto* pline = new AcDb2dPolyline(AcDb::k2dSimplePoly, points, 3.0);
    const AcDbObjectId id = append(pline);

    AcDb2dPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    std::unique_ptr<AcDbObjectIterator> it(opened->vertexIterator());
    int count = 0;
    for (it->start(); !it->done(); it->step()) {
        AcDb2dVertex* vertex = nullptr;
        ASSERT_EQ(opened->openVertex(vertex, it->objectId(), AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(vertex->ownerId(), id);
        EXPECT_EQ(vertex->layerId(), opened->layerId());
        EXPECT_NEAR3D(opened->vertexPosition(*vertex), AcGePoint3d(points[count].x, points[count].y, 3));
        vertex->close();
        ++count;
    }
    EXPECT_EQ(count, 3);
    double dist;
    ASSERT_EQ(opened->getDistAtPoint(AcGePoint3d(10, 5, 3), dist), Acad::eOk);
    EXPECT_NEAR(dist, 15.0, 1e-12);

    // A clone has vertices of its own, not the drawing's.
    std::unique_ptr<AcDb2dPolyline> copy(AcDb2dPolyline::cast(opened->clone()));
    opened->close();
    std::unique_ptr<AcDbObjectIterator> none(copy->vertexIterator());
    none->start();
    EXPECT_TRUE(none->done());
    double end;
    copy->getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 2.0);
}

TEST_F(OwnedEntities, MovingAPolylineMovesItsVerticesAndCancelRestoresIt)
{
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(4, 0, 0));
    const AcDbObjectId id = append(new AcDb2dPolyline(AcDb::k2dSimplePoly, points));
    AcDb2dPolyline* pline = nullptr;
    ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(pline->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 2, 0))), Acad::eOk);
    AcGePoint3d p;
    pline->getEndPoint(p);
    EXPECT_NEAR3D(p, AcGePoint3d(5, 2, 0));
    pline->close();

    ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForWrite), Acad::eOk);
    pline->makeClosed();
    pline->cancel();
    ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(pline->isClosed());
    pline->getStartPoint(p);
    EXPECT_NEAR3D(p, AcGePoint3d(1, 2, 0));
    pline->close();
}

TEST_F(OwnedEntities, TextsTakeTheDrawingsSizeAndStyle)
{
    const AcDbObjectId id = append(new AcDbText(AcGePoint3d(0, 0, 0), "88.5"));
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(text->height(), db()->textsize());
    EXPECT_EQ(text->textStyle(), db()->textstyle());
    AcGiTextStyle style;
    ASSERT_EQ(fromAcDbTextStyle(style, text->textStyle()), Acad::eOk);
    style.setTextSize(text->height());
    EXPECT_DOUBLE_EQ(style.extents(text->textStringConst()).x, 4 * 0.5 * text->height());
    text->close();
    EXPECT_EQ(fromAcDbTextStyle(style, AcDbObjectId::kNull), Acad::eInvalidInput);
    EXPECT_EQ(fromAcDbTextStyle(style, id), Acad::eInvalidInput); // a text is no style
}

class BlockReferences : public EntityDrawing {
protected:
    // Block "MARK" based at (1,1): a line (1,1)-(3,1), a circle of radius 1 at (1,1) and an
    // attribute definition.
    void SetUp() override
    {
        EntityDrawing::SetUp();
        block = newBlock("MARK", AcGePoint3d(1, 1, 0));
        append(new AcDbLine(AcGePoint3d(1, 1, 0), AcGePoint3d(3, 1, 0)), block);
        append(new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 1.0), block);
        append(new AcDbAttributeDefinition(AcGePoint3d(1, 2, 0), "?", "ELEV", "Elevation"), block);
    }
    AcDbObjectId block;
};

TEST_F(BlockReferences, ExplodePlacesTheBlockAndShowsAttributeValues)
{
    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 20, 0), block);
    ref->setRotation(kPi / 2);
    ref->setScaleFactors(AcGeScale3d(2, 2, 2));
    auto* attribute = new AcDbAttribute(AcGePoint3d(10, 22, 0), "88.5", "ELEV");
    attribute->setHeight(1.0);
    ASSERT_EQ(ref->appendAttribute(attribute), Acad::eOk);
    const AcDbObjectId id = append(ref);

    AcDbBlockReference* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    std::unique_ptr<AcDbObjectIterator> it(opened->attributeIterator());
    it->start();
    ASSERT_FALSE(it->done());
    EXPECT_EQ(it->objectId().objectClass(), AcDbAttribute::desc());

    OwnedParts parts;
    ASSERT_EQ(opened->explode(parts.items), Acad::eOk);
    ASSERT_EQ(parts.count(), 3); // line, circle, the attribute's text
    AcDbLine* line = parts.at<AcDbLine>(0);
    ASSERT_TRUE(line);
    EXPECT_NEAR3D(line->startPoint(), AcGePoint3d(10, 20, 0));
    EXPECT_NEAR3D(line->endPoint(), AcGePoint3d(10, 24, 0)); // 2 units × 2, turned a quarter
    AcDbCircle* circle = parts.at<AcDbCircle>(1);
    ASSERT_TRUE(circle);
    EXPECT_DOUBLE_EQ(circle->radius(), 2.0);
    AcDbText* text = parts.at<AcDbText>(2);
    ASSERT_TRUE(text);
    EXPECT_FALSE(text->isKindOf(AcDbAttribute::desc()));
    EXPECT_STREQ(text->textStringConst(), "88.5");

    AcDbExtents ext;
    ASSERT_EQ(opened->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR3D(ext.minPoint(), AcGePoint3d(8, 18, 0));
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(12, 24, 0));
    opened->close();
}

TEST_F(BlockReferences, UnevenScaleTurnsCirclesIntoEllipses)
{
    auto* ref = new AcDbBlockReference(AcGePoint3d(0, 0, 0), block);
    ref->setScaleFactors(AcGeScale3d(3, 1, 1));
    OwnedParts parts;
    ASSERT_EQ(ref->explode(parts.items), Acad::eOk);
    delete ref;
    ASSERT_EQ(parts.count(), 2);
    AcDbEllipse* ellipse = parts.at<AcDbEllipse>(1);
    ASSERT_TRUE(ellipse);
    EXPECT_NEAR(ellipse->majorAxis().length(), 3.0, 1e-12);
    EXPECT_NEAR(ellipse->minorAxis().length(), 1.0, 1e-12);
}

TEST_F(BlockReferences, TransformComposesWithThePlacement)
{
    AcDbBlockReference ref(AcGePoint3d(5, 0, 0), block);
    ASSERT_EQ(ref.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    ASSERT_EQ(ref.transformBy(AcGeMatrix3d::scaling(2.0)), Acad::eOk);
    EXPECT_NEAR3D(ref.position(), AcGePoint3d(0, 10, 0));
    EXPECT_NEAR(ref.rotation(), kPi / 2, 1e-12);
    EXPECT_NEAR(ref.scaleFactors().sx, 2.0, 1e-12);
    // The block's (3,1) lies 2 along its x axis from the base: now 4 along world y.
    EXPECT_NEAR3D(AcGePoint3d(3, 1, 0).transformBy(ref.blockTransform()), AcGePoint3d(0, 14, 0));
}

TEST_F(BlockReferences, DimensionExplodesItsGeometryBlockAndMovesIt)
{
    const AcDbObjectId geometry = newBlock("*D1");
    append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 5, 0)), geometry);
    append(new AcDbLine(AcGePoint3d(10, 0, 0), AcGePoint3d(10, 5, 0)), geometry);
    auto* dim = new AcDbRotatedDimension();
    dim->setDimBlockId(geometry);
    dim->setXLine1Point(AcGePoint3d(0, 0, 0));
    dim->setXLine2Point(AcGePoint3d(10, 0, 0));
    dim->setDimLinePoint(AcGePoint3d(10, 5, 0));
    const AcDbObjectId id = append(dim);

    AcDbDimension* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(opened->transformBy(AcGeMatrix3d::translation(AcGeVector3d(100, 0, 0))), Acad::eOk);
    OwnedParts parts;
    ASSERT_EQ(opened->explode(parts.items), Acad::eOk);
    ASSERT_EQ(parts.count(), 2);
    EXPECT_NEAR3D(parts.at<AcDbLine>(1)->startPoint(), AcGePoint3d(110, 0, 0));
    EXPECT_NEAR3D(AcDbRotatedDimension::cast(opened)->xLine2Point(), AcGePoint3d(110, 0, 0));
    AcDbExtents ext;
    opened->getGeomExtents(ext);
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(110, 5, 0));
    opened->close();
}

TEST_F(BlockReferences, MovingACopiedDimensionLeavesTheOriginalsBlock)
{
    const AcDbObjectId geometry = newBlock("*D1");
    append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), geometry);
    auto* dim = new AcDbAlignedDimension();
    dim->setDimBlockId(geometry);
    const AcDbObjectId id = append(dim);

    AcDbDimension* original = nullptr;
    ASSERT_EQ(acdbOpenObject(original, id, AcDb::kForRead), Acad::eOk);
    auto* copy = AcDbDimension::cast(original->clone());
    original->close();
    ASSERT_EQ(copy->transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 7, 0))), Acad::eOk);
    const AcDbObjectId copyId = append(copy);

    auto firstLineStart = [](AcDbObjectId dimId) {
        AcDbDimension* d = nullptr;
        EXPECT_EQ(acdbOpenObject(d, dimId, AcDb::kForRead), Acad::eOk);
        OwnedParts parts;
        d->explode(parts.items);
        d->close();
        return parts.count() == 1 ? parts.at<AcDbLine>(0)->startPoint() : AcGePoint3d(-1, -1, -1);
    };
    EXPECT_NEAR3D(firstLineStart(id), AcGePoint3d(0, 0, 0));
    EXPECT_NEAR3D(firstLineStart(copyId), AcGePoint3d(0, 7, 0));
    AcDbDimension* placed = nullptr;
    ASSERT_EQ(acdbOpenObject(placed, copyId, AcDb::kForRead), Acad::eOk);
    EXPECT_NE(placed->dimBlockId(), geometry);
    placed->close();
}

TEST_F(BlockReferences, IntersectionsReachIntoTheBlock)
{
    AcDbBlockReference ref(AcGePoint3d(0, 0, 0), block); // line (0,0)-(2,0), circle r 1 at the origin
    AcDbLine cut(AcGePoint3d(0.5, -5, 0), AcGePoint3d(0.5, 5, 0));
    AcGePoint3dArray points;
    ASSERT_EQ(cut.intersectWith(&ref, AcDb::kOnBothOperands, points), Acad::eOk);
    EXPECT_EQ(points.length(), 3); // the line once, the circle twice
}

} // namespace
