#include <acdb/AcDbSymbolTable.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/XData.h"

#include <acdb/AcDbDxfFiler.h>

#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject);
ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject);

using dh::db::ObjectAccess;

namespace {

// Characters the host refuses in symbol names; '*' only leads the names of the host's own
// records ("*Model_Space", "*Active", "*U3").
bool isValidSymbolName(const char* name)
{
    if (!name || !*name)
        return false;
    for (const char* p = name; *p; ++p) {
        if (std::strchr("<>/\\\":;?|,=`", *p))
            return false;
        if (*p == '*' && p != name)
            return false;
    }
    return true;
}

AcDbSymbolTable* ownerTable(const AcDbObject& record)
{
    return AcDbSymbolTable::cast(dh::db::objectOf(record.ownerId()));
}

} // namespace

AcDbSymbolTableRecord& AcDbSymbolTableRecord::operator=(const AcDbSymbolTableRecord& other)
{
    AcDbObject::operator=(other);
    if (m_name != other.m_name) {
        m_name = other.m_name;
        if (AcDbSymbolTable* table = ownerTable(*this))
            ObjectAccess::markIndexStale(*table);
    }
    return *this;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(char*& name) const
{
    name = strdup(m_name.c_str());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& name) const
{
    name = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* name)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (!isValidSymbolName(name))
        return Acad::eInvalidInput;
    if (AcDbSymbolTable* table = ownerTable(*this)) {
        AcDbObjectId other;
        if (table->getAt(name, other) == Acad::eOk && other != objectId())
            return Acad::eDuplicateRecordName;
        ObjectAccess::markIndexStale(*table);
    }
    m_name = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    filer->writeSubclass("AcDbSymbolTableRecord");
    filer->writeSubclass(isA()->name());
    filer->writeString(2, m_name);
    filer->writeInt16(70, dxfFlags());
    dxfOutRecordFields(filer);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer)
{
    AcDbDxfTag tag;
    if (!filer->atSubclassData("AcDbSymbolTableRecord"))
        return Acad::eBadDxfSequence;
    while (filer->readTag(tag)) {
    }
    if (!filer->atSubclassData(isA()->name()))
        return Acad::eBadDxfSequence;
    while (filer->readTag(tag)) {
        if (tag.code == 2)
            m_name = tag.text;
        else
            dxfInRecordField(tag, filer);
    }
    return Acad::eOk;
}

bool AcDbSymbolTableRecord::dxfInRecordField(const AcDbDxfTag&, AcDbDxfFiler*) { return false; }

void AcDbSymbolTable::rebuildIndex() const
{
    m_index.clear();
    for (AcDbObjectId id : m_records) {
        auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
        if (record && !record->isErased())
            m_index[dh::db::upperName(record->getName())] = id;
    }
    m_indexStale = false;
}

AcDbObjectId AcDbSymbolTable::findLive(const std::string& key) const
{
    if (m_indexStale)
        rebuildIndex();
    const auto it = m_index.find(key);
    return it == m_index.end() ? AcDbObjectId() : it->second;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbObjectId& id, bool getErasedRecord) const
{
    id = findLive(dh::db::upperName(name));
    if (id.isNull() && getErasedRecord && name) {
        for (auto it = m_records.rbegin(); it != m_records.rend() && id.isNull(); ++it) {
            auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(*it));
            if (record && dh::db::sameName(record->getName(), name))
                id = *it;
        }
    }
    return id.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErasedRecord) const
{
    record = nullptr;
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = getAt(name, id, openErasedRecord); es != Acad::eOk)
        return es;
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, mode, openErasedRecord);
    record = static_cast<AcDbSymbolTableRecord*>(object);
    return es;
}

bool AcDbSymbolTable::has(const char* name) const { return !findLive(dh::db::upperName(name)).isNull(); }

bool AcDbSymbolTable::has(AcDbObjectId id) const
{
    AcDbObject* object = dh::db::objectOf(id);
    return object && !object->isErased() && object->ownerId() == objectId();
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record)
{
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record)
{
    id.setNull();
    if (!record)
        return Acad::eNullObjectPointer;
    if (objectId().isNull())
        return Acad::eNotInDatabase;
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!record->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (!record->isKindOf(recordClass()))
        return Acad::eWrongObjectType;
    if (!isValidSymbolName(record->getName()))
        return Acad::eInvalidInput;
    if (has(record->getName()))
        return Acad::eDuplicateRecordName;
    id = dh::db::DatabaseAccess::addObject(*database(), record, objectId(), true);
    if (id.isNull())
        return Acad::eHandleInUse;
    m_records.push_back(id);
    if (!m_indexStale)
        m_index[dh::db::upperName(record->getName())] = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const
{
    iterator = new AcDbSymbolTableIterator(this, atBeginning, skipDeleted);
    return Acad::eOk;
}

void AcDbSymbolTable::getOwnedIds(std::vector<AcDbObjectId>& ids) const
{
    ids.insert(ids.end(), m_records.begin(), m_records.end());
}

AcDbSymbolTableIterator::AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning,
                                                 bool skipDeleted)
    : m_tableId(table ? table->objectId() : AcDbObjectId()), m_table(table)
{
    start(atBeginning, skipDeleted);
}

const std::vector<AcDbObjectId>& AcDbSymbolTableIterator::records() const
{
    static const std::vector<AcDbObjectId> kNone;
    return m_table ? m_table->recordIds() : kNone;
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_index = atBeginning ? 0 : static_cast<long>(records().size()) - 1;
    skipErased(atBeginning);
}

bool AcDbSymbolTableIterator::done() const
{
    return m_index < 0 || m_index >= static_cast<long>(records().size());
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    m_skipDeleted = skipDeleted;
    m_index += forward ? 1 : -1;
    skipErased(forward);
}

void AcDbSymbolTableIterator::skipErased(bool forward)
{
    while (m_skipDeleted && !done() && records()[static_cast<std::size_t>(m_index)].isErased())
        m_index += forward ? 1 : -1;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
    if (done())
        return Acad::eInvalidIndex;
    id = records()[static_cast<std::size_t>(m_index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                                     bool openErasedRecord) const
{
    record = nullptr;
    AcDbObjectId id;
    if (const Acad::ErrorStatus es = getRecordId(id); es != Acad::eOk)
        return es;
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, mode, openErasedRecord);
    record = static_cast<AcDbSymbolTableRecord*>(object);
    return es;
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(AcDbObjectId id)
{
    const auto& ids = records();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == id) {
            m_index = static_cast<long>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}
