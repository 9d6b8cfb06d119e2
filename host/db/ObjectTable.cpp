#include "host/db/ObjectTable.h"

#include "host/db/ObjectAccess.h"

namespace dh::db {

ObjectStub* ObjectTable::newStub(std::uint64_t handle)
{
    ObjectStub& stub = m_stubs.emplace_back();
    stub.database = m_db;
    stub.handle = handle;
    m_byHandle.emplace(handle, &stub);
    if (handle >= m_seed)
        m_seed = handle + 1;
    return &stub;
}

ObjectStub* ObjectTable::add(AcDbObject* object)
{
    std::uint64_t handle = m_reserved;
    m_reserved = 0;
    ObjectStub* stub = nullptr;
    if (handle != 0) {
        stub = find(handle);
        if (stub && stub->object)
            return nullptr;
    } else {
        handle = m_seed;
    }
    if (!stub)
        stub = newStub(handle);
    ObjectAccess::setId(*object, AcDbObjectId(stub));
    stub->object.reset(object);
    return stub;
}

ObjectStub* ObjectTable::find(std::uint64_t handle) const
{
    const auto it = m_byHandle.find(handle);
    return it == m_byHandle.end() ? nullptr : it->second;
}

ObjectStub* ObjectTable::findOrPlaceholder(std::uint64_t handle)
{
    if (ObjectStub* stub = find(handle))
        return stub;
    return newStub(handle);
}

bool ObjectTable::setSeed(std::uint64_t seed)
{
    if (seed < m_seed) {
        // Lowering is allowed only while no handle at or above the new seed is in use.
        for (const auto& [handle, stub] : m_byHandle)
            if (handle >= seed)
                return false;
    }
    m_seed = seed;
    return true;
}

void ObjectTable::clear()
{
    for (auto it = m_stubs.rbegin(); it != m_stubs.rend(); ++it)
        it->object.reset();
    m_byHandle.clear();
    m_stubs.clear();
}

} // namespace dh::db
