#include "TestDot.h"

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"

#include <vector>

namespace {

class WblockTest : public DrawingTest {
protected:
    // A block definition of the given name, open for write.
    AcDbBlockTableRecord* newBlock(const char* name, AcDbObjectId& id)
    {
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db()->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord;
        block->setName(name);
        EXPECT_EQ(blocks->add(id, block), Acad::eOk);
        blocks->close();
        return block;
    }

    TestDot* append(AcDbBlockTableRecord* block, double value)
    {
        auto* dot = new TestDot(value);
        EXPECT_EQ(block->appendAcDbEntity(dot), Acad::eOk);
        return dot;
    }

    static std::vector<double> valuesIn(AcDbDatabase* db, AcDbObjectId blockId)
    {
        std::vector<double> values;
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, blockId, AcDb::kForRead), Acad::eOk);
        for (AcDbObjectId id : block->entityIds()) {
            if (id.isErased())
                continue;
            TestDot* dot = nullptr;
            EXPECT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eOk);
            EXPECT_EQ(id.database(), db);
            values.push_back(dot->value());
            dot->close();
        }
        block->close();
        return values;
    }
};

} // namespace

TEST_F(WblockTest, CopiesTheBlockContentsWithTheRecordsTheyUse)
{
    const AcDbObjectId trees = addLayer("Trees");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, trees, AcDb::kForWrite), Acad::eOk);
    AcCmColor green;
    green.setColorIndex(3);
    layer->setColor(green);
    layer->close();
    addLayer("Unused");
    ASSERT_TRUE(acdbRegApp("SURVEY"));

    AcDbObjectId innerId;
    AcDbBlockTableRecord* inner = newBlock("Inner", innerId);
    append(inner, 100.0)->close();
    inner->close();

    AcDbObjectId blockId;
    AcDbBlockTableRecord* block = newBlock("Edge", blockId);
    block->setOrigin(AcGePoint3d(5.0, 6.0, 0.0));
    TestDot* first = append(block, 1.0);
    first->setLayer(trees);
    resbuf* xdata = acutBuildList(1001, "SURVEY", 1040, 12.5, 0);
    ASSERT_EQ(first->setXData(xdata), Acad::eOk);
    acutRelRb(xdata);
    first->setReference(innerId);
    first->close();
    TestDot* erased = append(block, 2.0);
    erased->erase();
    erased->close();
    append(block, 3.0)->close();
    block->close();

    AcDbDatabase* out = nullptr;
    ASSERT_EQ(db()->wblock(out, blockId), Acad::eOk);
    ASSERT_NE(out, nullptr);
    std::unique_ptr<AcDbDatabase> owned(out);

    EXPECT_EQ(valuesIn(out, out->modelSpaceId()), (std::vector<double>{1.0, 3.0}));
    EXPECT_EQ(out->insbase(), AcGePoint3d(5.0, 6.0, 0.0));

    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, out->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    TestDot* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, model->entityIds().front(), AcDb::kForRead), Acad::eOk);
    model->close();
    AcDbLayerTableRecord* copiedLayer = nullptr;
    ASSERT_EQ(acdbOpenObject(copiedLayer, copy->layerId(), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(copiedLayer->getName(), "Trees");
    EXPECT_EQ(copiedLayer->color().colorIndex(), 3);
    EXPECT_EQ(copy->layerId().database(), out);
    copiedLayer->close();
    resbuf* copiedData = copy->xData("SURVEY");
    ASSERT_NE(copiedData, nullptr);
    ASSERT_NE(copiedData->rbnext, nullptr);
    EXPECT_EQ(copiedData->rbnext->resval.rreal, 12.5);
    acutRelRb(copiedData);
    // The referenced block came along with its own contents.
    EXPECT_EQ(copy->reference().database(), out);
    EXPECT_EQ(valuesIn(out, copy->reference()), (std::vector<double>{100.0}));
    copy->close();

    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(out->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(layers->has("Unused"));
    layers->close();
    AcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(out->getRegAppTable(apps, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(apps->has("SURVEY"));
    apps->close();
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(out->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(blocks->has("Edge"));
    blocks->close();

    // The source is untouched.
    EXPECT_EQ(valuesIn(db(), blockId), (std::vector<double>{1.0, 3.0}));
}

TEST_F(WblockTest, OwnedObjectsAreCopiedWithTheirOwner)
{
    AcDbObjectId blockId;
    AcDbBlockTableRecord* block = newBlock("Owners", blockId);
    auto* owner = new TestOwner;
    AcDbObjectId id;
    ASSERT_EQ(block->appendAcDbEntity(id, owner), Acad::eOk);
    for (double v : {1.0, 2.0, 3.0}) {
        auto* part = new TestDot(v);
        part->setDatabaseDefaults(db());
        owner->owned.push_back(dh::db::DatabaseAccess::addObject(*db(), part, id, false));
    }
    AcDbObject* middle = dh::db::objectOf(owner->owned[1]);
    dh::db::ObjectAccess::setErased(*middle, true);
    owner->close();
    block->close();

    AcDbDatabase* out = nullptr;
    ASSERT_EQ(db()->wblock(out, blockId), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(out);
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, out->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(model->entityIds().size(), 1u);
    TestOwner* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, model->entityIds().front(), AcDb::kForRead), Acad::eOk);
    model->close();
    std::vector<double> values;
    for (AcDbObjectId part : copy->owned) {
        if (part.isNull())
            continue; // the erased part is not copied
        EXPECT_EQ(part.database(), out);
        TestDot* dot = nullptr;
        ASSERT_EQ(acdbOpenObject(dot, part, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(dot->ownerId(), copy->objectId());
        EXPECT_EQ(dot->layerId().database(), out);
        values.push_back(dot->value());
        dot->close();
    }
    copy->close();
    EXPECT_EQ(values, (std::vector<double>{1.0, 3.0}));
}

TEST_F(WblockTest, RefusesWhatIsNotALiveBlockOfThisDrawing)
{
    AcDbDatabase* out = nullptr;
    EXPECT_EQ(db()->wblock(out, AcDbObjectId()), Acad::eNullObjectId);
    EXPECT_EQ(db()->wblock(out, db()->clayer()), Acad::eInvalidInput);
    AcDbDatabase other;
    EXPECT_EQ(db()->wblock(out, other.modelSpaceId()), Acad::eInvalidInput);

    AcDbObjectId blockId;
    AcDbBlockTableRecord* block = newBlock("Gone", blockId);
    block->erase();
    block->close();
    EXPECT_EQ(db()->wblock(out, blockId), Acad::eWasErased);
    EXPECT_EQ(out, nullptr);
}

TEST_F(WblockTest, WholeDrawingKeepsEveryRecord)
{
    addLayer("Unused");
    addDot(7.0);
    AcDbDatabase* out = nullptr;
    ASSERT_EQ(db()->wblock(out), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(out);
    EXPECT_EQ(valuesIn(out, out->modelSpaceId()), (std::vector<double>{7.0}));
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(out->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(layers->has("Unused"));
    layers->close();
}
