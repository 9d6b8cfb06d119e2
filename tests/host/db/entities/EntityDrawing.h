// A drawing for entity tests: a fresh database as the working one, helpers to append
// entities to model space or to new block definitions, and a check that nothing is left
// open when the test ends.
#pragma once

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTables.h>

#include "host/db/OpenObjectRegistry.h"

#include <gtest/gtest.h>

#include <memory>

class EntityDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    void TearDown() override
    {
        EXPECT_EQ(dh::db::openObjectCount(), 0u);
        dh::db::closeAllOpenObjects();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    AcDbDatabase* db() { return m_db.get(); }

    // Appends to a block (model space by default) and closes the entity.
    AcDbObjectId append(AcDbEntity* entity, AcDbObjectId blockId = AcDbObjectId())
    {
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, blockId.isNull() ? db()->modelSpaceId() : blockId, AcDb::kForWrite),
                  Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        block->close();
        return id;
    }

    AcDbObjectId newBlock(const char* name, const AcGePoint3d& origin = AcGePoint3d::kOrigin)
    {
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db()->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
        auto* block = new AcDbBlockTableRecord;
        block->setName(name);
        block->setOrigin(origin);
        AcDbObjectId id;
        EXPECT_EQ(blocks->add(id, block), Acad::eOk);
        block->close();
        blocks->close();
        return id;
    }

private:
    std::unique_ptr<AcDbDatabase> m_db;
};

// Deletes new entities (split pieces, exploded parts) when the test ends.
struct OwnedParts {
    AcDbVoidPtrArray items;
    ~OwnedParts()
    {
        for (void* p : items)
            delete static_cast<AcDbEntity*>(p);
    }
    template <class T>
    T* at(int i) const { return T::cast(static_cast<AcDbEntity*>(items[i])); }
    int count() const { return items.length(); }
};
