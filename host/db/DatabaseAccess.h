// The database's internal operations, for the database itself, the DXF codec and the
// editor: adding objects under a given handle, reaching tables without the open protocol
// and completing a drawing with its standard tables and records.
#pragma once

#include "host/db/ObjectTable.h"

#include <acdb/AcDbDatabase.h>

#include <functional>

namespace dh::db {

enum class TableKind { kBlock, kLayer, kTextStyle, kLinetype, kRegApp, kUCS, kView, kViewport, kDimStyle };

// A new, empty table or record object of a kind (not yet in any database).
AcDbSymbolTable* newTable(TableKind kind);
AcDbSymbolTableRecord* newRecord(TableKind kind);
constexpr int kTableCount = 9;

struct DatabaseAccess {
    static ObjectTable& objects(AcDbDatabase& db) { return *db.m_objects; }

    // Takes ownership of object and gives it an id (the reserved handle or a fresh one)
    // and an owner. With leaveOpen the object is open for write and new, as after add()
    // or appendAcDbEntity; otherwise it is closed. Null id (the object stays the caller's) when the
    // reserved handle is taken.
    static AcDbObjectId addObject(AcDbDatabase& db, AcDbObject* object, AcDbObjectId owner,
                                  bool leaveOpen);
    // The next object added takes this handle (a reader keeping the file's handles).
    static void reserveHandle(AcDbDatabase& db, std::uint64_t handle)
    {
        db.m_objects->reserveHandle(handle);
    }

    // The table of a kind, nullptr when the database has none; not opened.
    static AcDbSymbolTable* table(const AcDbDatabase& db, TableKind kind);
    // Installs a table object already added to the database as the table of its kind.
    static void setTable(AcDbDatabase& db, TableKind kind, AcDbObjectId tableId)
    {
        db.m_tables[static_cast<int>(kind)] = tableId;
    }
    // The live record of that name, null when there is none.
    static AcDbObjectId findRecord(const AcDbDatabase& db, TableKind kind, const char* name);
    // The record of that name, added (closed) when missing; null when the name is refused
    // or the table is missing.
    static AcDbObjectId ensureRecord(AcDbDatabase& db, TableKind kind, const char* name);
    // The same, init filling a record made here before it enters the database.
    static AcDbObjectId ensureRecordWith(AcDbDatabase& db, TableKind kind, const char* name,
                                         const std::function<void(AcDbSymbolTableRecord*)>& init);
    // Adds the tables and standard records that are missing and sets unset current
    // settings (layer "0", linetype "ByLayer", style "Standard", model space).
    static void ensureStandardObjects(AcDbDatabase& db);
    static long serial(const AcDbDatabase& db) { return db.m_serial; }
    // The live database of a serial, nullptr when it is gone.
    static AcDbDatabase* bySerial(long serial);
    static void setCurrentSpace(AcDbDatabase& db, AcDbObjectId blockId) { db.m_currentSpace = blockId; }
};

} // namespace dh::db
