#include "TestDot.h"

#include <cstdlib>
#include <string>

using EntityPropertiesTest = DrawingTest;

namespace {

std::string layerOf(const AcDbEntity& entity)
{
    char* name = entity.layer();
    std::string result = name ? name : "";
    std::free(name);
    return result;
}

} // namespace

TEST_F(EntityPropertiesTest, NewEntitiesTakeTheCurrentSettings)
{
    const AcDbObjectId survey = addLayer("Survey");
    ASSERT_EQ(db()->setClayer(survey), Acad::eOk);
    EXPECT_EQ(db()->setClayer(db()->modelSpaceId()), Acad::eInvalidInput);
    const AcDbObjectId id = addDot(1.0);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->layerId(), survey);
    EXPECT_EQ(layerOf(*entity), "Survey");
    char* ltype = entity->linetype();
    EXPECT_STREQ(ltype, "ByLayer");
    std::free(ltype);
    EXPECT_TRUE(entity->color().isByLayer());
    entity->close();
}

TEST_F(EntityPropertiesTest, SettersCheckTheirValues)
{
    TestDot dot;
    dot.setDatabaseDefaults(db());
    EXPECT_EQ(dot.setLayer("Missing"), Acad::eKeyNotFound);
    EXPECT_EQ(dot.setLayer(db()->modelSpaceId()), Acad::eInvalidInput);
    EXPECT_EQ(dot.setColorIndex(257), Acad::eInvalidInput);
    EXPECT_EQ(dot.setLinetypeScale(0.0), Acad::eInvalidInput);
    EXPECT_EQ(dot.setLinetype("Continuous"), Acad::eOk);
    EXPECT_EQ(dot.setLinetype("Dashed"), Acad::eKeyNotFound);
    EXPECT_EQ(dot.setColorIndex(0), Acad::eOk);
    EXPECT_TRUE(dot.color().isByBlock());
}

TEST_F(EntityPropertiesTest, SetPropertiesFromCopiesTheCommonProperties)
{
    const AcDbObjectId hidden = addLayer("Hidden");
    TestDot source(1.0);
    source.setDatabaseDefaults(db());
    source.setLayer(hidden);
    source.setColorIndex(5);
    source.setLinetype("Continuous");
    source.setLinetypeScale(2.5);
    source.setLineWeight(AcDb::kLnWt050);
    source.setVisibility(AcDb::kInvisible);

    TestDot target(2.0);
    ASSERT_EQ(target.setPropertiesFrom(&source), Acad::eOk);
    EXPECT_EQ(target.layerId(), hidden);
    EXPECT_EQ(target.colorIndex(), 5);
    EXPECT_EQ(target.linetypeId(), source.linetypeId());
    EXPECT_EQ(target.linetypeScale(), 2.5);
    EXPECT_EQ(target.lineWeight(), AcDb::kLnWt050);
    EXPECT_EQ(target.visibility(), AcDb::kInvisible);
    EXPECT_EQ(target.value(), 2.0);
    EXPECT_EQ(target.setPropertiesFrom(nullptr), Acad::eNullEntityPointer);

    // Into another drawing the layer is matched by name, or kept when that drawing lacks it.
    AcDbDatabase other;
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, other.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* appended = new TestDot;
    ASSERT_EQ(space->appendAcDbEntity(appended), Acad::eOk);
    space->close();
    const AcDbObjectId otherLayer0 = appended->layerId();
    ASSERT_EQ(appended->setPropertiesFrom(&source), Acad::eOk);
    EXPECT_EQ(appended->layerId(), otherLayer0);
    EXPECT_EQ(appended->layerId().database(), &other);
    EXPECT_EQ(appended->colorIndex(), 5);
    appended->close();
}

TEST_F(EntityPropertiesTest, LayerRecordsKeepTheirState)
{
    const AcDbObjectId id = addLayer("Contours");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->setIsOff(true);
    layer->setIsFrozen(true);
    AcCmColor red;
    red.setColorIndex(1);
    layer->setColor(red);
    layer->close();
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layer->isOff());
    EXPECT_TRUE(layer->isFrozen());
    EXPECT_FALSE(layer->isLocked());
    EXPECT_EQ(layer->color().colorIndex(), 1);
    // Setters do nothing on a record open for read.
    layer->setIsOff(false);
    EXPECT_TRUE(layer->isOff());
    layer->close();
}
