#include "toolkit/DrawingHelpers.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommandLine.h>

#include <cstring>

namespace dh::toolkit {
namespace {

AcDbDatabase* orWorking(AcDbDatabase* db)
{
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

template <class Table>
AcDbSymbolTable* openTable(AcDbDatabase* db, AcDb::OpenMode mode)
{
    Table* table = nullptr;
    return db->getSymbolTable(table, mode) == Acad::eOk ? table : nullptr;
}

} // namespace

AcDbSymbolTable* openSymbolTable(AcRxClass* recordClass, AcDb::OpenMode mode, AcDbDatabase* db)
{
    db = orWorking(db);
    if (!db || !recordClass)
        return nullptr;
    if (recordClass == AcDbBlockTableRecord::desc())
        return openTable<AcDbBlockTable>(db, mode);
    if (recordClass == AcDbDimStyleTableRecord::desc())
        return openTable<AcDbDimStyleTable>(db, mode);
    if (recordClass == AcDbLayerTableRecord::desc())
        return openTable<AcDbLayerTable>(db, mode);
    if (recordClass == AcDbLinetypeTableRecord::desc())
        return openTable<AcDbLinetypeTable>(db, mode);
    if (recordClass == AcDbTextStyleTableRecord::desc())
        return openTable<AcDbTextStyleTable>(db, mode);
    if (recordClass == AcDbRegAppTableRecord::desc())
        return openTable<AcDbRegAppTable>(db, mode);
    if (recordClass == AcDbUCSTableRecord::desc())
        return openTable<AcDbUCSTable>(db, mode);
    if (recordClass == AcDbViewTableRecord::desc())
        return openTable<AcDbViewTable>(db, mode);
    if (recordClass == AcDbViewportTableRecord::desc())
        return openTable<AcDbViewportTable>(db, mode);
    return nullptr;
}

bool hasSymbol(AcRxClass* recordClass, const char* name, AcDbDatabase* db)
{
    AcDbSymbolTable* table = openSymbolTable(recordClass, AcDb::kForRead, db);
    if (!table)
        return false;
    const bool found = table->has(name);
    table->close();
    return found;
}

int getSymbolName(AcDbObjectId recordId, char* name, int size)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, recordId, AcDb::kForRead) != Acad::eOk)
        return kDbFailed;
    if (size > 0) {
        std::strncpy(name, record->getName(), static_cast<std::size_t>(size) - 1);
        name[size - 1] = '\0';
    }
    record->close();
    return kDbOk;
}

int openBlockDefinition(const char* name, AcDbBlockTableRecord*& block, AcDbObjectId& id,
                        AcDbDatabase* db)
{
    block = nullptr;
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = orWorking(db)->getSymbolTable(table, AcDb::kForWrite);
    if (es != Acad::eOk)
        return es;
    AcDbBlockTableRecord* record = nullptr;
    if (table->getAt(name, record, AcDb::kForWrite) == Acad::eOk) {
        for (AcDbObjectId entityId : record->entityIds()) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, entityId, AcDb::kForWrite) == Acad::eOk) {
                entity->erase();
                entity->close();
            }
        }
        id = record->objectId();
    } else {
        record = new AcDbBlockTableRecord;
        record->setPathName("");
        es = record->setName(name);
        if (es == Acad::eOk)
            es = table->add(id, record);
        if (es != Acad::eOk) {
            delete record;
            table->close();
            return es;
        }
    }
    table->close();
    block = record;
    return kDbOk;
}

AcDbBlockTableRecord* openCurrentSpace(AcDb::OpenMode mode, AcDbDatabase* db)
{
    db = orWorking(db);
    AcDbBlockTableRecord* space = nullptr;
    if (!db || acdbOpenObject(space, db->currentSpaceId(), mode) != Acad::eOk)
        return nullptr;
    return space;
}

int appendToCurrentSpace(AcDbEntity* entity, AcDbObjectId* id, AcDbDatabase* db)
{
    AcDbBlockTableRecord* space = openCurrentSpace(AcDb::kForWrite, db);
    if (!space)
        return kDbFailed;
    AcDbObjectId newId;
    const Acad::ErrorStatus es = space->appendAcDbEntity(newId, entity);
    if (es != Acad::eOk)
        acutPrintf("\nERROR");
    else if (id)
        *id = newId;
    space->close();
    return es;
}

int appendAndClose(AcDbEntity* entity, AcDbObjectId* id, AcDbDatabase* db)
{
    const int status = appendToCurrentSpace(entity, id, db);
    if (status == kDbOk)
        entity->close();
    else
        delete entity;
    return status;
}

int appendToWorkingSpace(AcDbEntity* entity, AcDbObjectId* id, AcDbBlockTableRecord*& space)
{
    if (!space)
        space = openCurrentSpace(AcDb::kForWrite);
    if (!space)
        return kDbFailed;
    if (!entity)
        return kDbFailed;
    AcDbObjectId newId;
    const Acad::ErrorStatus es = space->appendAcDbEntity(newId, entity);
    if (es != Acad::eOk) {
        // Not in the drawing: ours to free, as closing it would leave it nowhere.
        acutPrintf("\nERROR");
        delete entity;
        return es;
    }
    if (id)
        *id = newId;
    entity->close();
    return kDbOk;
}

bool isOnLockedLayer(const AcDbEntity* entity, const char* message)
{
    AcDbLayerTableRecord* layer = nullptr;
    if (!entity || acdbOpenObject(layer, entity->layerId(), AcDb::kForRead) != Acad::eOk)
        return false;
    const bool locked = layer->isLocked();
    layer->close();
    if (locked && message)
        acutPrintf("%s", message);
    return locked;
}

} // namespace dh::toolkit
