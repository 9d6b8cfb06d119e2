#include <acdb/AcDbDatabase.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/OpenObjectRegistry.h"
#include "host/db/XData.h"

#include <acdb/AcDbHostApplicationServices.h>

#include <unordered_map>

ACRX_DEFINE_MEMBERS(AcDbDatabase, AcRxObject);
ACRX_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbUCSTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbViewTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbViewportTable, AcDbSymbolTable);
ACRX_DEFINE_MEMBERS(AcDbDimStyleTable, AcDbSymbolTable);

using dh::db::DatabaseAccess;
using dh::db::ObjectAccess;
using dh::db::TableKind;

namespace {

// Live databases by serial: entity names carry the serial, so a name that outlived its
// drawing is refused instead of followed.
std::unordered_map<long, AcDbDatabase*>& liveDatabases()
{
    static std::unordered_map<long, AcDbDatabase*> databases;
    return databases;
}

long g_lastSerial = 0;

} // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool)
    : m_objects(std::make_unique<dh::db::ObjectTable>(this)), m_serial(++g_lastSerial)
{
    liveDatabases()[m_serial] = this;
    if (buildDefaultDrawing)
        DatabaseAccess::ensureStandardObjects(*this);
}

AcDbDatabase::~AcDbDatabase()
{
    liveDatabases().erase(m_serial);
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    m_objects->clear();
}

namespace {

template <class Table>
Acad::ErrorStatus openTable(AcDbObjectId id, Table*& table, AcDb::OpenMode mode)
{
    table = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    return acdbOpenObject(table, id, mode);
}

} // namespace

#define DH_TABLE_ACCESS(TABLE, GETTER, IDGETTER, KIND)                                     \
    Acad::ErrorStatus AcDbDatabase::getSymbolTable(TABLE*& table, AcDb::OpenMode mode)     \
    {                                                                                      \
        return openTable(m_tables[static_cast<int>(KIND)], table, mode);                   \
    }                                                                                      \
    Acad::ErrorStatus AcDbDatabase::GETTER(TABLE*& table, AcDb::OpenMode mode)             \
    {                                                                                      \
        return openTable(m_tables[static_cast<int>(KIND)], table, mode);                   \
    }                                                                                      \
    AcDbObjectId AcDbDatabase::IDGETTER() const { return m_tables[static_cast<int>(KIND)]; }

DH_TABLE_ACCESS(AcDbBlockTable, getBlockTable, blockTableId, TableKind::kBlock)
DH_TABLE_ACCESS(AcDbLayerTable, getLayerTable, layerTableId, TableKind::kLayer)
DH_TABLE_ACCESS(AcDbTextStyleTable, getTextStyleTable, textStyleTableId, TableKind::kTextStyle)
DH_TABLE_ACCESS(AcDbLinetypeTable, getLinetypeTable, linetypeTableId, TableKind::kLinetype)
DH_TABLE_ACCESS(AcDbRegAppTable, getRegAppTable, regAppTableId, TableKind::kRegApp)
DH_TABLE_ACCESS(AcDbUCSTable, getUCSTable, UCSTableId, TableKind::kUCS)
DH_TABLE_ACCESS(AcDbViewTable, getViewTable, viewTableId, TableKind::kView)
DH_TABLE_ACCESS(AcDbViewportTable, getViewportTable, viewportTableId, TableKind::kViewport)
DH_TABLE_ACCESS(AcDbDimStyleTable, getDimStyleTable, dimStyleTableId, TableKind::kDimStyle)

#undef DH_TABLE_ACCESS

AcDbObjectId AcDbDatabase::modelSpaceId() const
{
    return DatabaseAccess::findRecord(*this, TableKind::kBlock, ACDB_MODEL_SPACE);
}

AcDbObjectId AcDbDatabase::paperSpaceId() const
{
    return DatabaseAccess::findRecord(*this, TableKind::kBlock, ACDB_PAPER_SPACE);
}

namespace {

bool isLiveRecord(const AcDbDatabase* db, AcDbObjectId id, AcRxClass* cls)
{
    AcDbObject* object = dh::db::objectOf(id);
    return object && id.database() == db && object->isKindOf(cls) && !object->isErased();
}

} // namespace

Acad::ErrorStatus AcDbDatabase::setCurrentSpaceId(AcDbObjectId blockId)
{
    auto* block = AcDbBlockTableRecord::cast(dh::db::objectOf(blockId));
    if (!isLiveRecord(this, blockId, AcDbBlockTableRecord::desc()) || !block->isLayout())
        return Acad::eInvalidInput;
    m_currentSpace = blockId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layerId)
{
    if (!isLiveRecord(this, layerId, AcDbLayerTableRecord::desc()))
        return Acad::eInvalidInput;
    m_clayer = layerId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId linetypeId)
{
    if (!isLiveRecord(this, linetypeId, AcDbLinetypeTableRecord::desc()))
        return Acad::eInvalidInput;
    m_celtype = linetypeId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setCecolor(const AcCmColor& color)
{
    m_cecolor = color;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale)
{
    if (!(scale > 0.0))
        return Acad::eInvalidInput;
    m_celtscale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setCelweight(AcDb::LineWeight weight)
{
    if (weight < AcDb::kLnWtByLwDefault || weight > AcDb::kLnWt211)
        return Acad::eInvalidInput;
    m_celweight = weight;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId styleId)
{
    if (!isLiveRecord(this, styleId, AcDbTextStyleTableRecord::desc()))
        return Acad::eInvalidInput;
    m_textstyle = styleId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setDimstyle(AcDbObjectId styleId)
{
    if (!isLiveRecord(this, styleId, AcDbDimStyleTableRecord::desc()))
        return Acad::eInvalidInput;
    m_dimstyle = styleId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setLtscale(double scale)
{
    if (!(scale > 0.0))
        return Acad::eInvalidInput;
    m_ltscale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setTextsize(double size)
{
    if (!(size > 0.0))
        return Acad::eInvalidInput;
    m_textsize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setInsbase(const AcGePoint3d& base)
{
    m_insbase = base;
    return Acad::eOk;
}

AcDbHandle AcDbDatabase::handseed() const { return m_objects->seed(); }

Acad::ErrorStatus AcDbDatabase::setHandseed(const AcDbHandle& handle)
{
    if (handle.isNull() || !m_objects->setSeed(handle.value()))
        return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                                const AcDbHandle& handle, Adesk::UInt32)
{
    id.setNull();
    if (handle.isNull())
        return Acad::eNullHandle;
    dh::db::ObjectStub* stub = createIfNotFound ? m_objects->findOrPlaceholder(handle.value())
                                                : m_objects->find(handle.value());
    if (!stub)
        return Acad::eUnknownHandle;
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* object)
{
    AcDbObjectId id;
    return addAcDbObject(id, object);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object)
{
    id.setNull();
    if (!object)
        return Acad::eNullObjectPointer;
    if (!object->objectId().isNull())
        return Acad::eAlreadyInDb;
    id = DatabaseAccess::addObject(*this, object, object->ownerId(), true);
    return id.isNull() ? Acad::eHandleInUse : Acad::eOk;
}

std::size_t AcDbDatabase::numberOfObjects() const
{
    std::size_t live = 0;
    m_objects->forEach([&](const dh::db::ObjectStub& stub) {
        if (stub.object && !stub.object->isErased())
            ++live;
    });
    return live;
}

namespace dh::db {

AcDbObjectId DatabaseAccess::addObject(AcDbDatabase& db, AcDbObject* object, AcDbObjectId owner, bool leaveOpen)
{
    ObjectStub* stub = db.m_objects->add(object);
    if (!stub)
        return AcDbObjectId();
    ObjectAccess::setOwner(*object, owner);
    if (leaveOpen) {
        ObjectAccess::setWriter(*object, true);
        ObjectAccess::setNew(*object, true);
        ObjectAccess::setErasedAtOpen(*object, false);
        linkOpen(object);
    }
    ObjectAccess::addedToDatabase(*object, &db);
    return AcDbObjectId(stub);
}

AcDbDatabase* DatabaseAccess::bySerial(long serial)
{
    const auto it = liveDatabases().find(serial);
    return it == liveDatabases().end() ? nullptr : it->second;
}

AcDbSymbolTable* DatabaseAccess::table(const AcDbDatabase& db, TableKind kind)
{
    return AcDbSymbolTable::cast(objectOf(db.m_tables[static_cast<int>(kind)]));
}

AcDbObjectId DatabaseAccess::findRecord(const AcDbDatabase& db, TableKind kind, const char* name)
{
    AcDbSymbolTable* t = table(db, kind);
    AcDbObjectId id;
    if (t)
        t->getAt(name, id);
    return id;
}

} // namespace dh::db
