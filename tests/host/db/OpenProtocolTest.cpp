#include "TestDot.h"

#include "host/db/DatabaseAccess.h"
#include "host/db/OpenObjectRegistry.h"

using OpenProtocolTest = DrawingTest;

TEST_F(OpenProtocolTest, ManyReadersOrOneWriter)
{
    const AcDbObjectId id = addDot(1.0);
    TestDot* r1 = nullptr;
    TestDot* r2 = nullptr;
    ASSERT_EQ(acdbOpenObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r1, r2);
    EXPECT_TRUE(r1->isReadEnabled());
    EXPECT_FALSE(r1->isWriteEnabled());
    EXPECT_EQ(r1->setValue(5.0), Acad::eNotOpenForWrite);

    TestDot* w = nullptr;
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    // Two readers: the upgrade is refused until one leaves.
    EXPECT_EQ(r1->upgradeOpen(), Acad::eWasOpenForRead);
    ASSERT_EQ(r2->close(), Acad::eOk);
    ASSERT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_TRUE(r1->isWriteEnabled());

    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(r1->setValue(5.0), Acad::eOk);
    ASSERT_EQ(r1->downgradeOpen(), Acad::eOk);
    EXPECT_FALSE(r1->isWriteEnabled());
    ASSERT_EQ(r1->close(), Acad::eOk);
    EXPECT_EQ(r1->close(), Acad::eNotOpenForRead);

    ASSERT_EQ(acdbOpenObject(r1, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r1->value(), 5.0);
    r1->close();
}

TEST_F(OpenProtocolTest, CancelUndoesChangesAndErase)
{
    const AcDbObjectId id = addDot(1.0);
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(dot->setValue(2.0), Acad::eOk);
    ASSERT_EQ(dot->setColorIndex(3), Acad::eOk);
    ASSERT_EQ(dot->erase(), Acad::eOk);
    EXPECT_TRUE(id.isErased());
    ASSERT_EQ(dot->cancel(), Acad::eOk);

    EXPECT_FALSE(id.isErased());
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dot->value(), 1.0);
    EXPECT_EQ(dot->colorIndex(), 256);
    dot->close();

    // Changes made before a read open was upgraded are kept; those after it are undone.
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    dot->setValue(3.0);
    dot->close();
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(dot->upgradeOpen(), Acad::eOk);
    dot->setValue(4.0);
    dot->cancel();
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dot->value(), 3.0);
    dot->close();
}

TEST_F(OpenProtocolTest, CancelOfAnErasedObjectKeepsItErasedAndCancelOfANewOneErasesIt)
{
    const AcDbObjectId gone = addDot(1.0);
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, gone, AcDb::kForWrite), Acad::eOk);
    dot->erase();
    dot->close();
    ASSERT_EQ(acdbOpenObject(dot, gone, AcDb::kForWrite, true), Acad::eOk);
    ASSERT_EQ(dot->erase(false), Acad::eOk);
    dot->cancel();
    EXPECT_TRUE(gone.isErased());

    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* fresh = new TestDot(9.0);
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, fresh), Acad::eOk);
    space->close();
    EXPECT_TRUE(fresh->isNewObject());
    fresh->cancel();
    EXPECT_TRUE(id.isErased());
}

TEST_F(OpenProtocolTest, ErasedObjectsOpenOnlyWhenAsked)
{
    const AcDbObjectId id = addDot(1.0);
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(dot->erase(), Acad::eOk);
    EXPECT_EQ(dot->erase(), Acad::eWasErased);
    dot->close();

    EXPECT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eWasErased);
    EXPECT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eWasErased);
    EXPECT_EQ(dot, nullptr);
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_TRUE(dot->isErased());
    ASSERT_EQ(dot->erase(false), Acad::eOk);
    dot->close();
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForRead), Acad::eOk);
    dot->close();
}

TEST_F(OpenProtocolTest, LockedLayerRefusesWriteOpensOnly)
{
    const AcDbObjectId layer = addLayer("Fixed");
    const AcDbObjectId id = addDot(1.0);
    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(dot->setLayer("FIXED"), Acad::eOk); // names ignore case
    EXPECT_EQ(dot->layerId(), layer);
    dot->close();

    AcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, layer, AcDb::kForWrite), Acad::eOk);
    record->setIsLocked(true);
    record->close();

    AcDbEntity* entity = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    EXPECT_EQ(entity, nullptr);
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(entity->upgradeOpen(), Acad::eOnLockedLayer);
    EXPECT_FALSE(entity->isWriteEnabled());
    entity->close();
}

TEST_F(OpenProtocolTest, ClassChecksLeaveNothingOpen)
{
    const AcDbObjectId id = addDot(1.0);
    AcDbLayerTableRecord* layer = nullptr;
    EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(layer, nullptr);
    AcDbEntity* entity = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(entity, db()->clayer(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(dh::db::openObjectCount(), 0u);

    AcDbObject* object = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(object, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), Acad::eOk);
    entity->close();
}

TEST_F(OpenProtocolTest, RegistryReportsWhatIsLeftOpen)
{
    const AcDbObjectId a = addDot(1.0);
    const AcDbObjectId b = addDot(2.0);
    AcDbEntity* ea = nullptr;
    AcDbEntity* eb = nullptr;
    acdbOpenAcDbEntity(ea, a, AcDb::kForRead);
    acdbOpenAcDbEntity(eb, b, AcDb::kForWrite);
    const std::vector<dh::db::OpenObjectInfo> open = dh::db::openObjects();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0].className, "TestDot");
    EXPECT_EQ(open[0].handle, a.handle());
    EXPECT_EQ(open[0].mode, AcDb::kForRead);
    EXPECT_EQ(open[1].handle, b.handle());
    EXPECT_EQ(open[1].mode, AcDb::kForWrite);

    EXPECT_EQ(dh::db::closeAllOpenObjects(), 2u);
    EXPECT_EQ(dh::db::openObjectCount(), 0u);
    EXPECT_EQ(acdbOpenAcDbEntity(eb, b, AcDb::kForWrite), Acad::eOk);
    eb->close();
}

TEST_F(OpenProtocolTest, ObjectsOutsideTheDatabaseBelongToTheirMaker)
{
    TestDot dot(1.0);
    EXPECT_TRUE(dot.isWriteEnabled());
    EXPECT_EQ(dot.setValue(2.0), Acad::eOk);
    EXPECT_EQ(dot.close(), Acad::eNotInDatabase);
    EXPECT_EQ(dot.erase(), Acad::eNotInDatabase);

    // Appending hands it over; a second append is refused.
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* owned = new TestDot(3.0);
    ASSERT_EQ(space->appendAcDbEntity(owned), Acad::eOk);
    EXPECT_EQ(space->appendAcDbEntity(owned), Acad::eAlreadyInDb);
    EXPECT_EQ(space->appendAcDbEntity(nullptr), Acad::eNullEntityPointer);
    owned->close();
    space->close();

    // Deleting it anyway must not free it twice; its id stops naming an object.
    AcDbObjectId deletedId;
    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* deleted = new TestDot(5.0);
    ASSERT_EQ(space->appendAcDbEntity(deletedId, deleted), Acad::eOk);
    space->close();
    delete deleted;
    EXPECT_FALSE(deletedId.isValid());
    AcDbObject* object = nullptr;
    EXPECT_NE(acdbOpenAcDbObject(object, deletedId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dh::db::openObjectCount(), 0u);

    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    auto* refused = new TestDot(4.0);
    EXPECT_EQ(space->appendAcDbEntity(refused), Acad::eNotOpenForWrite);
    delete refused;
    space->close();
}

TEST_F(OpenProtocolTest, OwnedObjectsAreErasedAndRestoredWithTheirOwner)
{
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    TestOwner* owner = new TestDetachingOwner;
    AcDbObjectId ownerId;
    ASSERT_EQ(space->appendAcDbEntity(ownerId, owner), Acad::eOk);
    space->close();
    for (double v : {1.0, 2.0}) {
        auto* part = new TestDot(v);
        part->setDatabaseDefaults(db());
        owner->owned.push_back(dh::db::DatabaseAccess::addObject(*db(), part, ownerId, false));
    }
    owner->close();
    const std::vector<AcDbObjectId> parts = owner->owned;

    // Property changes reach the owned entities unless asked not to.
    const AcDbObjectId layer = addLayer("Parts");
    ASSERT_EQ(acdbOpenObject(owner, ownerId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(owner->setLayer(layer), Acad::eOk);
    ASSERT_EQ(owner->setColorIndex(4, false), Acad::eOk);
    owner->close();
    for (AcDbObjectId part : parts) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, part, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(entity->layerId(), layer);
        EXPECT_TRUE(entity->color().isByLayer());
        entity->close();
    }

    ASSERT_EQ(acdbOpenObject(owner, ownerId, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(owner->erase(), Acad::eOk);
    EXPECT_TRUE(parts[0].isErased());
    EXPECT_TRUE(parts[1].isErased());
    owner->cancel();
    EXPECT_FALSE(parts[0].isErased());
    EXPECT_FALSE(parts[1].isErased());
    ASSERT_EQ(acdbOpenObject(owner, ownerId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(owner->owned, parts);
    owner->close();

    ASSERT_EQ(acdbOpenObject(owner, ownerId, AcDb::kForWrite), Acad::eOk);
    owner->erase();
    owner->close();
    EXPECT_TRUE(parts[1].isErased());
    EXPECT_EQ(dh::db::openObjectCount(), 0u);
}
