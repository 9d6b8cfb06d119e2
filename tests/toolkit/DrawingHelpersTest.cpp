// Drawing helpers: block definitions and their entity ids, appends, locked layers, names.
#include "ToolkitSession.h"

#include "toolkit/DrawingHelpers.h"
#include "toolkit/MtDbBlockReference.h"

#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbUtilities.h>

namespace dh::toolkit::test {
namespace {

using DrawingHelpers = ToolkitSession;

TEST_F(DrawingHelpers, DefinitionIdsStopAfterTheLimitAndAttributesAreAll)
{
    AcDbBlockTableRecord* block = nullptr;
    AcDbObjectId blockId;
    ASSERT_EQ(openBlockDefinition("TEN", block, blockId), kDbOk);
    std::vector<AcDbObjectId> defined;
    for (int i = 0; i < 10; ++i) {
        auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0));
        AcDbObjectId id;
        ASSERT_EQ(block->appendAcDbEntity(id, line), Acad::eOk);
        line->close();
        defined.push_back(id);
    }
    block->close();

    auto* reference = new AcDbBlockReference(AcGePoint3d(100, 0, 0), blockId);
    const AcDbObjectId referenceId = add(reference);
    AcDbBlockReference* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, referenceId, AcDb::kForRead), Acad::eOk);
    AcArray<AcDbObjectId> ids;
    EXPECT_EQ(MtDbBlockReference::getDefinitionEntityIds(opened, ids, 4), Acad::eOk);
    ASSERT_EQ(ids.length(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ids[i], defined[static_cast<size_t>(i)]);
    EXPECT_EQ(MtDbBlockReference::getAttributeIds(opened, ids), 0);
    EXPECT_EQ(ids.length(), 5); // no attributes
    opened->close();

    // Opening the definition again empties it.
    ASSERT_EQ(openBlockDefinition("TEN", block, blockId), kDbOk);
    block->close();
    ASSERT_EQ(acdbOpenObject(opened, referenceId, AcDb::kForRead), Acad::eOk);
    ids.removeAll();
    MtDbBlockReference::getDefinitionEntityIds(opened, ids, 4);
    EXPECT_EQ(ids.length(), 0);
    opened->close();
}

TEST_F(DrawingHelpers, AppendsLeaveNothingOpenAndRefusalsFreeTheEntity)
{
    AcDbObjectId id;
    EXPECT_EQ(appendAndClose(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)), &id), kDbOk);
    EXPECT_FALSE(id.isNull());

    // An entity already in the drawing cannot be appended a second time.
    AcDbLine* again = nullptr;
    ASSERT_EQ(acdbOpenObject(again, id, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId secondId;
    EXPECT_NE(appendToCurrentSpace(again, &secondId), kDbOk);
    again->close();
    EXPECT_NE(out().find("\nERROR"), std::string::npos);

    AcDbBlockTableRecord* space = nullptr;
    AcDbObjectId a;
    AcDbObjectId b;
    EXPECT_EQ(appendToWorkingSpace(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 1, 0)), &a, space), kDbOk);
    EXPECT_EQ(appendToWorkingSpace(new AcDbLine(AcGePoint3d(), AcGePoint3d(2, 2, 0)), &b, space), kDbOk);
    EXPECT_EQ(appendToWorkingSpace(nullptr, &b, space), kDbFailed);
    ASSERT_NE(space, nullptr);
    space->close();
    EXPECT_NE(a, b);
}

TEST_F(DrawingHelpers, LockedLayersAndNames)
{
    const AcDbObjectId layerId = addLayer("HILLS");
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setLayer(layerId);
    const AcDbObjectId lineId = add(line);

    char name[16] = {};
    EXPECT_EQ(getSymbolName(layerId, name, sizeof name), kDbOk);
    EXPECT_STREQ(name, "HILLS");
    EXPECT_EQ(getSymbolName(lineId, name, sizeof name), kDbFailed);
    EXPECT_TRUE(hasSymbol(AcDbLayerTableRecord::desc(), "HILLS"));
    EXPECT_FALSE(hasSymbol(AcDbLayerTableRecord::desc(), "VALLEYS"));
    EXPECT_EQ(openSymbolTable(AcDbLine::desc(), AcDb::kForRead), nullptr);

    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, lineId, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(isOnLockedLayer(entity, "\nlocked"));
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();
    EXPECT_TRUE(isOnLockedLayer(entity, "\nlocked"));
    entity->close();
    EXPECT_EQ(out(), "\nlocked");
}

} // namespace
} // namespace dh::toolkit::test
