// Opening, creating and appending drawing objects. Functions answering int answer a
// DbStatus: 0 success, 3 (Acad::eInvalidInput) for a failure found here, otherwise the
// host's status unchanged. Nothing is left open on failure.
#pragma once

#include <acdb/AcDb.h>
#include <acdb/AcDbObjectId.h>

class AcDbBlockTableRecord;
class AcDbDatabase;
class AcDbEntity;
class AcDbSymbolTable;
class AcRxClass;

namespace dh::toolkit {

constexpr int kDbOk = 0;
constexpr int kDbFailed = 3;

// The table whose records are of recordClass, opened with mode; nullptr for a class that
// has no table or when the open fails. A null database means the working drawing.
AcDbSymbolTable* openSymbolTable(AcRxClass* recordClass, AcDb::OpenMode mode,
                                 AcDbDatabase* db = nullptr);
bool hasSymbol(AcRxClass* recordClass, const char* name, AcDbDatabase* db = nullptr);
int getSymbolName(AcDbObjectId recordId, char* name, int size);
// The definition of name, open for write: a new one, or the existing one emptied.
int openBlockDefinition(const char* name, AcDbBlockTableRecord*& block, AcDbObjectId& id,
                        AcDbDatabase* db = nullptr);
AcDbBlockTableRecord* openCurrentSpace(AcDb::OpenMode mode, AcDbDatabase* db = nullptr);
// Appends to the current space; the entity stays open. Prints "\nERROR" on failure.
int appendToCurrentSpace(AcDbEntity* entity, AcDbObjectId* id = nullptr,
                         AcDbDatabase* db = nullptr);
// As appendToCurrentSpace, then closes the entity, or deletes it when the append failed.
int appendAndClose(AcDbEntity* entity, AcDbObjectId* id = nullptr, AcDbDatabase* db = nullptr);
// Appends to the working drawing's current space through a block the caller keeps open
// across a batch (opened here on first use); closes the entity either way.
int appendToWorkingSpace(AcDbEntity* entity, AcDbObjectId* id, AcDbBlockTableRecord*& space);
// True when the entity's layer is locked; prints message (when given) only then.
bool isOnLockedLayer(const AcDbEntity* entity, const char* message);

} // namespace dh::toolkit
