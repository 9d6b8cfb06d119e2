// A minimal entity for the database tests: one value and a position, copyable so that
// cancel and wblock can copy it, and an id it refers to (translated by wblock).
#pragma once

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbUtilities.h>

#include "host/db/OpenObjectRegistry.h"

#include <gtest/gtest.h>

class TestDot : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestDot);
    ACDB_DECLARE_COPY_MEMBERS(TestDot)

    explicit TestDot(double value = 0.0) : m_value(value) {}

    double value() const { return m_value; }
    Acad::ErrorStatus setValue(double value)
    {
        if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
            return es;
        m_value = value;
        return Acad::eOk;
    }
    // A referenced object (a text style, a block), translated into wblock's output.
    AcDbObjectId reference() const { return m_reference; }
    void setReference(AcDbObjectId id) { m_reference = id; }
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override
    {
        AcDbEntity::translateIds(map);
        m_reference = map(m_reference);
    }

private:
    double m_value = 0.0;
    AcDbObjectId m_reference;
};

// A fresh default drawing that is the working database for the test's duration.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    void TearDown() override
    {
        // Every test closes what it opened; a leftover is a fault of the protocol or test.
        EXPECT_EQ(dh::db::openObjectCount(), 0u);
        dh::db::closeAllOpenObjects();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    AcDbDatabase* db() { return m_db.get(); }

    // Appends a dot to model space and closes it.
    AcDbObjectId addDot(double value, AcDbDatabase* target = nullptr)
    {
        if (!target)
            target = db();
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, target->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        auto* dot = new TestDot(value);
        EXPECT_EQ(space->appendAcDbEntity(id, dot), Acad::eOk);
        dot->close();
        space->close();
        return id;
    }

    // Adds a layer record and answers its id.
    AcDbObjectId addLayer(const char* name, bool locked = false)
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(db()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord;
        layer->setName(name);
        layer->setIsLocked(locked);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, layer), Acad::eOk);
        layer->close();
        table->close();
        return id;
    }

    std::unique_ptr<AcDbDatabase> m_db;
};

// An entity owning other objects by id, as a polyline owns its vertices.
class TestOwner : public TestDot {
public:
    ACRX_DECLARE_MEMBERS(TestOwner);
    ACDB_DECLARE_COPY_MEMBERS(TestOwner)

    std::vector<AcDbObjectId> owned;

    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override
    {
        ids.insert(ids.end(), owned.begin(), owned.end());
    }
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override
    {
        TestDot::translateIds(map);
        for (AcDbObjectId& id : owned)
            id = map(id);
    }
};

// An owner whose clone() takes no owned ids along, as owners that give clones private
// copies of their parts do; cancel must not rely on clone() for such a class.
class TestDetachingOwner : public TestOwner {
public:
    ACRX_DECLARE_MEMBERS(TestDetachingOwner);

    AcRxObject* clone() const override
    {
        auto* copy = new TestDetachingOwner(*this);
        copy->owned.clear();
        return copy;
    }
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override
    {
        if (!other || other->isA() != isA())
            return Acad::eWrongObjectType;
        *this = *static_cast<const TestDetachingOwner*>(other);
        return Acad::eOk;
    }
};
