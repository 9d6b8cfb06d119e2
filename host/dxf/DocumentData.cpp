#include "host/dxf/DocumentData.h"

#include "host/db/DatabaseAccess.h"

#include <mutex>

namespace dh::dxf {

ACRX_DEFINE_MEMBERS(DocumentData, AcDbObject);

namespace {

std::mutex g_mutex;
std::unordered_map<const AcDbDatabase*, DocumentData*>& registry()
{
    static std::unordered_map<const AcDbDatabase*, DocumentData*> map;
    return map;
}

} // namespace

DocumentData::~DocumentData()
{
    if (!m_registeredFor) return;
    std::lock_guard lock(g_mutex);
    auto it = registry().find(m_registeredFor);
    if (it != registry().end() && it->second == this) registry().erase(it);
}

void DocumentData::registerFor(AcDbDatabase* db)
{
    std::lock_guard lock(g_mutex);
    registry()[db] = this;
    m_registeredFor = db;
}

DocumentData* DocumentData::find(const AcDbDatabase* db)
{
    std::lock_guard lock(g_mutex);
    auto it = registry().find(db);
    return it == registry().end() ? nullptr : it->second;
}

DocumentData* DocumentData::obtain(AcDbDatabase* db)
{
    if (DocumentData* data = find(db)) return data;
    return attach(db, std::make_unique<DocumentData>());
}

DocumentData* DocumentData::attach(AcDbDatabase* db, std::unique_ptr<DocumentData> data)
{
    DocumentData* raw = data.release();
    AcDbObjectId id = db::DatabaseAccess::addObject(*db, raw, AcDbObjectId(), false);
    if (id.isNull()) return nullptr; // the database deleted it
    raw->registerFor(db);
    return raw;
}

} // namespace dh::dxf
