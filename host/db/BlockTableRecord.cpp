#include <acdb/AcDbBlockTableRecord.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/XData.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
#include <acrx/AcRxDictionary.h>

ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord);

AcDbBlockTableRecord::AcDbBlockTableRecord(const AcDbBlockTableRecord& other)
    : AcDbSymbolTableRecord(other), m_origin(other.m_origin), m_pathName(other.m_pathName),
      m_comments(other.m_comments)
{
}

AcDbBlockTableRecord& AcDbBlockTableRecord::operator=(const AcDbBlockTableRecord& other)
{
    AcDbSymbolTableRecord::operator=(other);
    m_origin = other.m_origin;
    m_pathName = other.m_pathName;
    m_comments = other.m_comments;
    return *this;
}

Acad::ErrorStatus AcDbBlockTableRecord::copyFrom(const AcRxObject* other)
{
    if (!other || other->isA() != isA())
        return Acad::eWrongObjectType;
    *this = *static_cast<const AcDbBlockTableRecord*>(other);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity)
{
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity)
{
    id.setNull();
    if (!entity)
        return Acad::eNullEntityPointer;
    AcDbDatabase* db = database();
    if (!db)
        return Acad::eNotInDatabase;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!entity->objectId().isNull())
        return Acad::eAlreadyInDb;
    // An entity made without a database takes this drawing's current settings; one whose
    // properties name another drawing's records is refused rather than left pointing there.
    if (entity->layerId().isNull())
        entity->setDatabaseDefaults(db);
    else if (entity->layerId().database() != db)
        return Acad::eWrongDatabase;
    if (entity->linetypeId().isNull())
        entity->setLinetype(db->celtype());
    id = dh::db::DatabaseAccess::addObject(*db, entity, objectId(), true);
    if (id.isNull())
        return Acad::eHandleInUse;
    m_entities.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning, bool skipDeleted) const
{
    iterator = new AcDbBlockTableRecordIterator(this, atBeginning, skipDeleted);
    return Acad::eOk;
}

void AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin)
{
    if (assertWriteEnabled() == Acad::eOk)
        m_origin = origin;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(const char*& path) const
{
    path = m_pathName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const char* path)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    m_pathName = path ? path : "";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(const char*& text) const
{
    text = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const char* text)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    m_comments = text ? text : "";
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const
{
    const std::string upper = dh::db::upperName(getName());
    return upper == "*MODEL_SPACE" || upper.rfind("*PAPER_SPACE", 0) == 0;
}

bool AcDbBlockTableRecord::isAnonymous() const
{
    const char* name = getName();
    return name[0] == '*' && !isLayout();
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const
{
    AcRxClass* attdef = static_cast<AcRxClass*>(acrxClassDictionary()->at("AcDbAttributeDefinition"));
    if (!attdef)
        return false;
    for (AcDbObjectId id : m_entities) {
        AcDbObject* entity = dh::db::objectOf(id);
        if (entity && !entity->isErased() && entity->isKindOf(attdef))
            return true;
    }
    return false;
}

void AcDbBlockTableRecord::getOwnedIds(std::vector<AcDbObjectId>& ids) const
{
    ids.insert(ids.end(), m_entities.begin(), m_entities.end());
}

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* block,
                                                           bool atBeginning, bool skipDeleted)
    : m_block(block)
{
    start(atBeginning, skipDeleted);
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_index = atBeginning ? 0 : static_cast<long>(m_block->entityIds().size()) - 1;
    skipErased(atBeginning);
}

bool AcDbBlockTableRecordIterator::done() const
{
    return m_index < 0 || m_index >= static_cast<long>(m_block->entityIds().size());
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_index += forward ? 1 : -1;
    skipErased(forward);
}

void AcDbBlockTableRecordIterator::skipErased(bool forward)
{
    while (m_skipDeleted && !done() && m_block->entityIds()[static_cast<std::size_t>(m_index)].isErased())
        m_index += forward ? 1 : -1;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const
{
    if (done())
        return Acad::eInvalidIndex;
    id = m_block->entityIds()[static_cast<std::size_t>(m_index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErasedEntity) const
{
    entity = nullptr;
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = getEntityId(id); es != Acad::eOk)
        return es;
    return acdbOpenAcDbEntity(entity, id, mode, openErasedEntity);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id)
{
    const auto& ids = m_block->entityIds();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == id) {
            m_index = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}
