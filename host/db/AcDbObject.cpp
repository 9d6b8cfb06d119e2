#include <acdb/AcDbObject.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/ObjectStub.h"
#include "host/db/OpenObjectRegistry.h"
#include "host/db/XData.h"

#include <acdb/AcDbDatabase.h>
#include <acut/ResBuf.h>

ACRX_DEFINE_MEMBERS(AcDbObject, AcRxObject);

using dh::db::ObjectAccess;

AcDbObject::AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject& other)
    : AcRxObject(other),
      m_xdata(other.m_xdata ? std::make_unique<dh::db::XData>(*other.m_xdata) : nullptr)
{
}

AcDbObject& AcDbObject::operator=(const AcDbObject& other)
{
    if (this != &other)
        m_xdata = other.m_xdata ? std::make_unique<dh::db::XData>(*other.m_xdata) : nullptr;
    return *this;
}

AcDbObject::~AcDbObject()
{
    // Deleted by a caller although the database owns it: the database lets go instead of
    // deleting it a second time, and its id stops naming an object.
    if (dh::db::ObjectStub* stub = m_id.stub(); stub && stub->object.get() == this)
        (void)stub->object.release();
    // A database dies with some of its objects still open: keep the open list sound.
    if (m_readers > 0 || m_writer) {
        dh::db::unlinkOpen(this);
        dh::db::dropUndoCopy(this);
    }
}

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId ownerId)
{
    m_ownerId = ownerId;
    return Acad::eOk;
}

AcDbDatabase* AcDbObject::database() const { return m_id.stub() ? m_id.stub()->database : nullptr; }

AcDbHandle AcDbObject::objectHandle() const { return m_id.stub() ? m_id.stub()->handle : 0; }

bool AcDbObject::isReadEnabled() const { return m_id.isNull() || m_readers > 0 || m_writer; }

bool AcDbObject::isWriteEnabled() const { return m_id.isNull() || m_writer; }

bool AcDbObject::isNewObject() const { return m_new; }

Acad::ErrorStatus AcDbObject::assertWriteEnabled() const
{
    return isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}

Acad::ErrorStatus AcDbObject::assertReadEnabled() const
{
    return isReadEnabled() ? Acad::eOk : Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::close()
{
    if (m_id.isNull())
        return Acad::eNotInDatabase;
    if (m_writer) {
        m_writer = false;
        m_new = false;
        dh::db::dropUndoCopy(this);
    } else if (m_readers > 0) {
        --m_readers;
    } else {
        return Acad::eNotOpenForRead;
    }
    if (m_readers == 0 && !m_writer)
        dh::db::unlinkOpen(this);
    return Acad::eOk;
}

// Restores the state stored at the write open, the erase flag included (with the objects
// that an erase took along), and closes. An object added during this open is erased.
Acad::ErrorStatus AcDbObject::cancel()
{
    if (!m_writer)
        return close();
    std::unique_ptr<AcRxObject> copy = dh::db::takeUndoCopy(this);
    if (copy)
        copyFrom(copy.get());
    const bool erasedNow = m_erased;
    const bool restoreErased = m_new ? true : m_erasedAtOpen;
    if (erasedNow != restoreErased)
        erase(restoreErased);
    return close();
}

Acad::ErrorStatus AcDbObject::upgradeOpen()
{
    if (m_id.isNull())
        return Acad::eOk;
    if (m_writer)
        return Acad::eWasOpenForWrite;
    if (m_readers == 0)
        return Acad::eNotOpenForRead;
    if (m_readers > 1)
        return Acad::eWasOpenForRead;
    if (isOnLockedLayer())
        return Acad::eOnLockedLayer;
    m_readers = 0;
    m_writer = true;
    m_erasedAtOpen = m_erased;
    dh::db::storeUndoCopy(this, dh::db::makeUndoCopy(this));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen()
{
    if (!m_writer)
        return Acad::eNotOpenForWrite;
    m_writer = false;
    m_new = false;
    m_readers = 1;
    dh::db::dropUndoCopy(this);
    return Acad::eOk;
}

namespace {

// Records a drawing cannot do without: layer "0", the current layer, the two spaces and
// the linetypes ByLayer and ByBlock.
bool isIndispensable(const AcDbObject& object)
{
    using dh::db::DatabaseAccess;
    using dh::db::TableKind;
    AcDbDatabase* db = object.database();
    if (!db || !object.isKindOf(AcDbSymbolTableRecord::desc()))
        return false;
    const AcDbObjectId id = object.objectId();
    return id == db->clayer() || id == db->modelSpaceId() || id == db->paperSpaceId()
        || id == DatabaseAccess::findRecord(*db, TableKind::kLayer, "0")
        || id == DatabaseAccess::findRecord(*db, TableKind::kLinetype, "ByLayer")
        || id == DatabaseAccess::findRecord(*db, TableKind::kLinetype, "ByBlock");
}

} // namespace

Acad::ErrorStatus AcDbObject::erase(bool erasing)
{
    if (m_id.isNull())
        return Acad::eNotInDatabase;
    if (!m_writer)
        return Acad::eNotOpenForWrite;
    if (erasing == m_erased)
        return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    if (erasing && isIndispensable(*this))
        return Acad::eCannotBeErasedByCaller;
    m_erased = erasing;
    if (auto* table = AcDbSymbolTable::cast(dh::db::objectOf(m_ownerId)))
        ObjectAccess::markIndexStale(*table);
    // Owned objects follow their owner; they are not open, so they change directly.
    std::vector<AcDbObjectId> owned;
    getOwnedIds(owned);
    for (AcDbObjectId id : owned) {
        AcDbObject* sub = dh::db::objectOf(id);
        if (!sub || sub->m_erased == erasing)
            continue;
        if (sub->m_readers > 0 || sub->m_writer) {
            sub->m_erased = erasing;
            continue;
        }
        sub->m_writer = true;
        sub->erase(erasing);
        sub->m_writer = false;
    }
    return Acad::eOk;
}

resbuf* AcDbObject::xData(const char* appName) const
{
    if (!m_xdata)
        return nullptr;
    return m_xdata->toChain(appName && *appName ? appName : nullptr);
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* chain)
{
    if (!isWriteEnabled())
        return Acad::eNotOpenForWrite;
    std::vector<dh::db::XData::App> apps;
    if (const Acad::ErrorStatus es = dh::db::XData::parse(chain, apps); es != Acad::eOk)
        return es;
    // Checked without opening the table, which the caller may hold open itself.
    if (AcDbDatabase* db = database()) {
        if (AcDbSymbolTable* table = dh::db::DatabaseAccess::table(*db, dh::db::TableKind::kRegApp)) {
            for (const auto& app : apps)
                if (!table->has(app.name.c_str()))
                    return Acad::eRegappIdNotFound;
        }
    }
    if (!m_xdata)
        m_xdata = std::make_unique<dh::db::XData>();
    m_xdata->apply(std::move(apps));
    if (m_xdata->empty())
        m_xdata.reset();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler*) { return Acad::eOk; }

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler*) const { return Acad::eOk; }

void AcDbObject::getOwnedIds(std::vector<AcDbObjectId>&) const {}

void AcDbObject::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    m_ownerId = map(m_ownerId);
}

Acad::ErrorStatus AcDbObject::subAddedToDatabase(AcDbDatabase*) { return Acad::eOk; }

bool AcDbObject::isOnLockedLayer() const { return false; }
