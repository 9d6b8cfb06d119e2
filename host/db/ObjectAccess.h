// The database's own access to the private state of objects: identity, open state and
// the owner links that only the database may set.
#pragma once

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbObject.h>
#include <acdb/AcDbSymbolTable.h>

namespace dh::db {

struct ObjectAccess {
    static void setId(AcDbObject& object, AcDbObjectId id) { object.m_id = id; }
    static void setOwner(AcDbObject& object, AcDbObjectId owner) { object.m_ownerId = owner; }
    static void setErased(AcDbObject& object, bool erased) { object.m_erased = erased; }
    static void setNew(AcDbObject& object, bool isNew) { object.m_new = isNew; }
    static Acad::ErrorStatus addedToDatabase(AcDbObject& object, AcDbDatabase* db)
    {
        return object.subAddedToDatabase(db);
    }
    static bool isOnLockedLayer(const AcDbObject& object) { return object.isOnLockedLayer(); }

    static std::uint16_t readers(const AcDbObject& object) { return object.m_readers; }
    static bool writer(const AcDbObject& object) { return object.m_writer; }
    static void setReaders(AcDbObject& object, std::uint16_t n) { object.m_readers = n; }
    static void setWriter(AcDbObject& object, bool w) { object.m_writer = w; }
    static bool erasedAtOpen(const AcDbObject& object) { return object.m_erasedAtOpen; }
    static void setErasedAtOpen(AcDbObject& object, bool e) { object.m_erasedAtOpen = e; }
    static AcDbObject*& openPrev(AcDbObject& object) { return object.m_openPrev; }
    static AcDbObject*& openNext(AcDbObject& object) { return object.m_openNext; }

    static std::vector<AcDbObjectId>& records(AcDbSymbolTable& table) { return table.m_records; }
    static void markIndexStale(AcDbSymbolTable& table) { table.m_indexStale = true; }
    static std::vector<AcDbObjectId>& entities(AcDbBlockTableRecord& block)
    {
        return block.m_entities;
    }
};

} // namespace dh::db
