#include "host/db/ObjectTable.h"

#include "host/db/ObjectAccess.h"

#include <algorithm>

namespace dh::db {

ObjectStub* ObjectTable::newStub(std::uint64_t handle)
{
    ObjectStub& stub = m_stubs.emplace_back();
    stub.database = m_db;
    stub.handle = handle;
    index(handle, &stub);
    if (handle >= m_seed)
        m_seed = handle + 1;
    return &stub;
}

void ObjectTable::index(std::uint64_t handle, ObjectStub* stub)
{
    if (handle < m_dense.size()) {
        m_dense[handle] = stub;
        return;
    }
    // The dense part may cover up to twice the objects plus some slack; growing it takes
    // in the sparse handles it now covers.
    const std::size_t bound = 2 * m_stubs.size() + kDenseSlack;
    if (handle >= bound) {
        m_sparse.emplace(handle, stub);
        return;
    }
    m_dense.resize(std::max<std::size_t>(bound, 2 * m_dense.size()), nullptr);
    m_dense[handle] = stub;
    for (auto it = m_sparse.begin(); it != m_sparse.end();) {
        if (it->first < m_dense.size()) {
            m_dense[it->first] = it->second;
            it = m_sparse.erase(it);
        } else {
            ++it;
        }
    }
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
    if (handle < m_dense.size())
        return m_dense[handle];
    const auto it = m_sparse.find(handle);
    return it == m_sparse.end() ? nullptr : it->second;
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
        for (const ObjectStub& stub : m_stubs)
            if (stub.handle >= seed)
                return false;
    }
    m_seed = seed;
    return true;
}

void ObjectTable::clear()
{
    for (auto it = m_stubs.rbegin(); it != m_stubs.rend(); ++it)
        it->object.reset();
    m_dense.clear();
    m_sparse.clear();
    m_stubs.clear();
}

} // namespace dh::db
