// wblock and the references an entity holds: the records and blocks they name come along,
// references to other copied entities name the copies once everything is copied (also
// when the referenced entity comes later in the block), and those to entities left
// behind become null.
#include "TestDot.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbLeader.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbText.h>

#include <cstdlib>

using dh::db::DatabaseAccess;
using dh::db::TableKind;

namespace {

class WblockReferences : public DrawingTest {
protected:
    AcDbObjectId newBlock(const char* name)
    {
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db()->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord;
        block->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(blocks->add(id, block), Acad::eOk);
        blocks->close();
        block->close();
        return id;
    }

    AcDbObjectId append(AcDbObjectId blockId, AcDbEntity* entity)
    {
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, blockId, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        block->close();
        return id;
    }

    AcDbObjectId style(const char* name)
    {
        return DatabaseAccess::ensureRecord(*db(), TableKind::kTextStyle, name);
    }

    // The entities of the copy's model space, in order.
    static std::vector<AcDbEntity*> entitiesOf(AcDbDatabase* copy)
    {
        std::vector<AcDbEntity*> out;
        auto* model = AcDbBlockTableRecord::cast(dh::db::objectOf(copy->modelSpaceId()));
        for (AcDbObjectId id : model->entityIds())
            out.push_back(AcDbEntity::cast(dh::db::objectOf(id)));
        return out;
    }

    static std::string nameOf(AcDbObjectId id)
    {
        auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
        return record ? record->getName() : "(none)";
    }
};

} // namespace

TEST_F(WblockReferences, RecordsAndBlocksNamedByTheEntitiesComeAlong)
{
    const AcDbObjectId hz = style("HZ");
    const AcDbObjectId inner = newBlock("B2");
    append(inner, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    const AcDbObjectId edge = newBlock("EDGE");
    append(edge, new AcDbText(AcGePoint3d(0, 0, 0), "label", hz, 2.5));
    auto* mtext = new AcDbMText;
    mtext->setContents("note");
    mtext->setTextStyle(hz);
    append(edge, mtext);
    append(edge, new AcDbBlockReference(AcGePoint3d(5, 5, 0), inner));

    AcDbDatabase* out = nullptr;
    ASSERT_EQ(db()->wblock(out, edge), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(out);
    auto entities = entitiesOf(out);
    ASSERT_EQ(entities.size(), 3u);
    auto* text = AcDbText::cast(entities[0]);
    auto* copiedMtext = AcDbMText::cast(entities[1]);
    auto* reference = AcDbBlockReference::cast(entities[2]);
    ASSERT_TRUE(text && copiedMtext && reference);
    EXPECT_EQ(text->textStyle().database(), out);
    EXPECT_EQ(nameOf(text->textStyle()), "HZ");
    EXPECT_EQ(copiedMtext->textStyle().database(), out);
    EXPECT_EQ(nameOf(copiedMtext->textStyle()), "HZ");
    ASSERT_EQ(reference->blockTableRecord().database(), out);
    EXPECT_EQ(nameOf(reference->blockTableRecord()), "B2");
    auto* copiedInner = AcDbBlockTableRecord::cast(dh::db::objectOf(reference->blockTableRecord()));
    ASSERT_TRUE(copiedInner);
    EXPECT_EQ(copiedInner->entityIds().size(), 1u);
    // One HZ in the copy, not one per entity that uses it.
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(out->getTextStyleTable(styles, AcDb::kForRead), Acad::eOk);
    int count = 0;
    for (AcDbObjectId id : styles->recordIds())
        count += nameOf(id) == "HZ";
    styles->close();
    EXPECT_EQ(count, 1);
}

TEST_F(WblockReferences, ReferencesBetweenEntitiesNameTheCopies)
{
    ASSERT_TRUE(acdbRegApp("SURVEY"));
    const AcDbObjectId outside = append(db()->modelSpaceId(), new AcDbLine(AcGePoint3d(9, 9, 0), AcGePoint3d(8, 8, 0)));
    const AcDbObjectId edge = newBlock("EDGE");
    // The leader comes before its annotation; the line's extended data names the
    // annotation and an entity left behind.
    auto* leader = new AcDbLeader;
    leader->appendVertex(AcGePoint3d(0, 0, 0));
    leader->appendVertex(AcGePoint3d(3, 3, 0));
    const AcDbObjectId leaderId = append(edge, leader);
    auto* note = new AcDbMText;
    note->setContents("annotation");
    const AcDbObjectId noteId = append(edge, note);
    ASSERT_EQ(acdbOpenObject(leader, leaderId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(leader->attachAnnotation(noteId), Acad::eOk);
    leader->close();
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    const std::string noteHandle = noteId.handle().toString(), outsideHandle = outside.handle().toString();
    resbuf* xdata = acutBuildList(1001, "SURVEY", 1005, noteHandle.c_str(), 1005, outsideHandle.c_str(), 0);
    ASSERT_EQ(line->setXData(xdata), Acad::eOk);
    acutRelRb(xdata);
    append(edge, line);

    AcDbDatabase* out = nullptr;
    ASSERT_EQ(db()->wblock(out, edge), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(out);
    auto entities = entitiesOf(out);
    ASSERT_EQ(entities.size(), 3u);
    auto* copiedLeader = AcDbLeader::cast(entities[0]);
    ASSERT_TRUE(copiedLeader);
    EXPECT_EQ(copiedLeader->annotationObjId(), entities[1]->objectId());
    resbuf* copied = entities[2]->xData("SURVEY");
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied->rbnext, nullptr);
    ASSERT_NE(copied->rbnext->rbnext, nullptr);
    EXPECT_STREQ(copied->rbnext->resval.rstring, entities[1]->objectHandle().toString().c_str());
    EXPECT_STREQ(copied->rbnext->rbnext->resval.rstring, "0");
    acutRelRb(copied);
    // The source keeps its own handles.
    AcDbLine* original = nullptr;
    auto* sourceBlock = AcDbBlockTableRecord::cast(dh::db::objectOf(edge));
    ASSERT_EQ(acdbOpenObject(original, sourceBlock->entityIds().back(), AcDb::kForRead), Acad::eOk);
    resbuf* kept = original->xData("SURVEY");
    original->close();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::string(kept->rbnext->resval.rstring), noteHandle);
    acutRelRb(kept);
}
