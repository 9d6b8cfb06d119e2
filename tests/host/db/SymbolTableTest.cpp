#include "TestDot.h"

#include <string>
#include <vector>

using SymbolTableTest = DrawingTest;

namespace {

std::vector<std::string> layerNames(AcDbDatabase* db, bool skipDeleted = true)
{
    std::vector<std::string> names;
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(db->getSymbolTable(table, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableIterator* it = nullptr;
    table->newIterator(it, true, skipDeleted);
    table->close();
    for (it->start(true, skipDeleted); !it->done(); it->step(true, skipDeleted)) {
        AcDbLayerTableRecord* layer = nullptr;
        EXPECT_EQ(it->getRecord(layer, AcDb::kForRead, true), Acad::eOk);
        names.push_back(layer->getName());
        layer->close();
    }
    delete it;
    return names;
}

} // namespace

TEST_F(SymbolTableTest, NewDrawingHoldsTheStandardRecords)
{
    struct Expect {
        AcDbObjectId tableId;
        std::vector<const char*> names;
    };
    const Expect expected[] = {
        {db()->blockTableId(), {"*Model_Space", "*Paper_Space"}},
        {db()->layerTableId(), {"0"}},
        {db()->textStyleTableId(), {"Standard"}},
        {db()->linetypeTableId(), {"ByBlock", "ByLayer", "Continuous"}},
        {db()->regAppTableId(), {"ACAD"}},
        {db()->dimStyleTableId(), {"Standard"}},
        {db()->viewportTableId(), {"*Active"}},
    };
    for (const Expect& e : expected) {
        AcDbSymbolTable* table = nullptr;
        ASSERT_EQ(acdbOpenObject(table, e.tableId, AcDb::kForRead), Acad::eOk);
        for (const char* name : e.names)
            EXPECT_TRUE(table->has(name)) << name;
        table->close();
    }
    EXPECT_EQ(db()->currentSpaceId(), db()->modelSpaceId());
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, db()->clayer(), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(layer->getName(), "0");
    EXPECT_EQ(layer->color().colorIndex(), 7);
    layer->close();
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, db()->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(model->isLayout());
    EXPECT_FALSE(model->isAnonymous());
    model->close();
}

TEST_F(SymbolTableTest, NamesAreCaseInsensitiveAndUnique)
{
    const AcDbObjectId roads = addLayer("Roads");
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(table->getAt("ROADS", found), Acad::eOk);
    EXPECT_EQ(found, roads);
    EXPECT_TRUE(table->has(roads));
    EXPECT_EQ(table->getAt("Rivers", found), Acad::eKeyNotFound);

    auto* twin = new AcDbLayerTableRecord;
    twin->setName("roads");
    EXPECT_EQ(table->add(twin), Acad::eDuplicateRecordName);
    for (const char* bad : {"", "a<b", "a|b", "semi;colon", "x*"}) {
        EXPECT_EQ(twin->setName(bad), Acad::eInvalidInput) << bad;
    }
    delete twin;
    auto* style = new AcDbTextStyleTableRecord;
    style->setName("Wrong");
    EXPECT_EQ(table->add(style), Acad::eWrongObjectType);
    delete style;
    table->close();

    // Not open for write: no record may be added.
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    auto* late = new AcDbLayerTableRecord;
    late->setName("Late");
    EXPECT_EQ(table->add(late), Acad::eNotOpenForWrite);
    delete late;
    table->close();
}

TEST_F(SymbolTableTest, IteratorsSkipErasedRecordsAndNamesComeFree)
{
    addLayer("A");
    const AcDbObjectId b = addLayer("B");
    addLayer("C");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, b, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(layer->erase(), Acad::eOk);
    layer->close();

    EXPECT_EQ(layerNames(db()), (std::vector<std::string>{"0", "A", "C"}));
    EXPECT_EQ(layerNames(db(), false), (std::vector<std::string>{"0", "A", "B", "C"}));

    // The erased record's name can be used again; the old record stays reachable on request.
    const AcDbObjectId b2 = addLayer("b");
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(table->getAt("B", found), Acad::eOk);
    EXPECT_EQ(found, b2);
    EXPECT_FALSE(table->has(b));
    table->close();
}

TEST_F(SymbolTableTest, RenamingAndCancellingKeepTheNameIndex)
{
    const AcDbObjectId id = addLayer("Old");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(layer->setName("0"), Acad::eDuplicateRecordName);
    ASSERT_EQ(layer->setName("New"), Acad::eOk);
    layer->close();

    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(table->has("Old"));
    EXPECT_TRUE(table->has("new"));
    table->close();

    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->setName("Newer");
    layer->cancel();
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(table->has("New"));
    EXPECT_FALSE(table->has("Newer"));
    table->close();

    // An erase undone by cancel brings the name back.
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->erase();
    layer->cancel();
    ASSERT_EQ(db()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(table->has("New"));
    table->close();
}

TEST_F(SymbolTableTest, BlockRecordsIterateTheirEntitiesAndOwnThem)
{
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db()->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord;
    block->setName("Tree");
    AcDbObjectId blockId;
    ASSERT_EQ(blocks->add(blockId, block), Acad::eOk);
    blocks->close();
    EXPECT_FALSE(block->isAnonymous());
    EXPECT_FALSE(block->hasAttributeDefinitions());
    ASSERT_EQ(block->setPathName("c:\\trees.dwg"), Acad::eOk);
    std::vector<AcDbObjectId> ids;
    for (double v : {1.0, 2.0, 3.0}) {
        AcDbObjectId id;
        auto* dot = new TestDot(v);
        ASSERT_EQ(block->appendAcDbEntity(id, dot), Acad::eOk);
        EXPECT_EQ(dot->blockId(), blockId);
        dot->close();
        ids.push_back(id);
    }
    AcDbEntity* middle = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(middle, ids[1], AcDb::kForWrite), Acad::eOk);
    middle->erase();
    middle->close();

    AcDbBlockTableRecordIterator* it = nullptr;
    block->newIterator(it);
    std::vector<double> values;
    for (; !it->done(); it->step()) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(it->getEntity(entity, AcDb::kForRead), Acad::eOk);
        values.push_back(TestDot::cast(entity)->value());
        entity->close();
    }
    EXPECT_EQ(values, (std::vector<double>{1.0, 3.0}));
    it->start(false);
    AcDbObjectId last;
    ASSERT_EQ(it->getEntityId(last), Acad::eOk);
    EXPECT_EQ(last, ids[2]);
    delete it;

    // Erasing the block erases what it holds.
    ASSERT_EQ(block->erase(), Acad::eOk);
    block->close();
    EXPECT_TRUE(ids[0].isErased());
    EXPECT_TRUE(ids[2].isErased());
}

TEST_F(SymbolTableTest, RecordsADrawingNeedsCannotBeErased)
{
    const AcDbObjectId current = addLayer("Current");
    ASSERT_EQ(db()->setClayer(current), Acad::eOk);
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db()->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbObjectId layer0;
    layers->getAt("0", layer0);
    layers->close();
    for (AcDbObjectId id : {layer0, current, db()->modelSpaceId(), db()->paperSpaceId(), db()->celtype()}) {
        AcDbObject* record = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(record, id, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(record->erase(), Acad::eCannotBeErasedByCaller);
        record->close();
        EXPECT_FALSE(id.isErased());
    }
    // Once another layer is current, the former one may go.
    ASSERT_EQ(db()->setClayer(layer0), Acad::eOk);
    AcDbObject* record = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(record, current, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(record->erase(), Acad::eOk);
    record->close();
}
