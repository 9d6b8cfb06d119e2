// The tables and records every drawing has, made for a new drawing and completed after a
// file that lacks some of them has been read.
#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"

namespace dh::db {

AcDbSymbolTable* newTable(TableKind kind)
{
    switch (kind) {
    case TableKind::kBlock: return new AcDbBlockTable;
    case TableKind::kLayer: return new AcDbLayerTable;
    case TableKind::kTextStyle: return new AcDbTextStyleTable;
    case TableKind::kLinetype: return new AcDbLinetypeTable;
    case TableKind::kRegApp: return new AcDbRegAppTable;
    case TableKind::kUCS: return new AcDbUCSTable;
    case TableKind::kView: return new AcDbViewTable;
    case TableKind::kViewport: return new AcDbViewportTable;
    case TableKind::kDimStyle: return new AcDbDimStyleTable;
    }
    return nullptr;
}

AcDbSymbolTableRecord* newRecord(TableKind kind)
{
    switch (kind) {
    case TableKind::kBlock: return new AcDbBlockTableRecord;
    case TableKind::kLayer: return new AcDbLayerTableRecord;
    case TableKind::kTextStyle: return new AcDbTextStyleTableRecord;
    case TableKind::kLinetype: return new AcDbLinetypeTableRecord;
    case TableKind::kRegApp: return new AcDbRegAppTableRecord;
    case TableKind::kUCS: return new AcDbUCSTableRecord;
    case TableKind::kView: return new AcDbViewTableRecord;
    case TableKind::kViewport: return new AcDbViewportTableRecord;
    case TableKind::kDimStyle: return new AcDbDimStyleTableRecord;
    }
    return nullptr;
}


AcDbObjectId DatabaseAccess::ensureRecord(AcDbDatabase& db, TableKind kind, const char* name)
{
    return ensureRecordWith(db, kind, name, [](AcDbSymbolTableRecord*) {});
}

AcDbObjectId DatabaseAccess::ensureRecordWith(AcDbDatabase& db, TableKind kind, const char* name,
                                              const std::function<void(AcDbSymbolTableRecord*)>& init)
{
    AcDbSymbolTable* t = table(db, kind);
    if (!t || !name || !*name)
        return AcDbObjectId();
    AcDbObjectId id;
    if (t->getAt(name, id) == Acad::eOk)
        return id;
    AcDbSymbolTableRecord* record = newRecord(kind);
    if (record->setName(name) != Acad::eOk) {
        delete record;
        return AcDbObjectId();
    }
    init(record); // still outside the database, so freely writable
    id = addObject(db, record, t->objectId(), false);
    if (id.isNull()) {
        delete record;
        return id;
    }
    ObjectAccess::records(*t).push_back(id);
    ObjectAccess::markIndexStale(*t);
    return id;
}

void DatabaseAccess::ensureStandardObjects(AcDbDatabase& db)
{
    for (int k = 0; k < kTableCount; ++k) {
        const auto kind = static_cast<TableKind>(k);
        if (table(db, kind))
            continue;
        const AcDbObjectId id = addObject(db, newTable(kind), AcDbObjectId(), false);
        setTable(db, kind, id);
    }

    ensureRecord(db, TableKind::kLinetype, "ByBlock");
    ensureRecord(db, TableKind::kLinetype, "ByLayer");
    const AcDbObjectId continuous = ensureRecordWith(db, TableKind::kLinetype, "Continuous",
        [](AcDbSymbolTableRecord* r) { static_cast<AcDbLinetypeTableRecord*>(r)->setComments("Solid line"); });
    const AcDbObjectId layer0 = ensureRecordWith(db, TableKind::kLayer, "0", [&](AcDbSymbolTableRecord* r) {
        static_cast<AcDbLayerTableRecord*>(r)->setLinetypeObjectId(continuous);
    });
    const AcDbObjectId standard = ensureRecord(db, TableKind::kTextStyle, "Standard");
    ensureRecord(db, TableKind::kRegApp, "ACAD");
    const AcDbObjectId dimstyle = ensureRecordWith(db, TableKind::kDimStyle, "Standard",
        [&](AcDbSymbolTableRecord* r) { static_cast<AcDbDimStyleTableRecord*>(r)->setDimtxsty(standard); });
    ensureRecord(db, TableKind::kViewport, "*Active");
    const AcDbObjectId model = ensureRecord(db, TableKind::kBlock, ACDB_MODEL_SPACE);
    ensureRecord(db, TableKind::kBlock, ACDB_PAPER_SPACE);

    auto isLive = [&db](AcDbObjectId id) { return id.database() == &db && id.isValid() && !id.isErased(); };
    if (!isLive(db.m_clayer))
        db.m_clayer = layer0;
    if (!isLive(db.m_celtype))
        db.m_celtype = findRecord(db, TableKind::kLinetype, "ByLayer");
    if (!isLive(db.m_textstyle))
        db.m_textstyle = standard;
    if (!isLive(db.m_dimstyle))
        db.m_dimstyle = dimstyle;
    if (!isLive(db.m_currentSpace))
        db.m_currentSpace = model;
}

} // namespace dh::db
