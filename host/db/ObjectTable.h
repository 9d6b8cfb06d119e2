// Every object of one database, by stub and by handle. New objects get handles from the
// seed, which always stays above the largest handle in use.
#pragma once

#include "host/db/ObjectStub.h"

#include <deque>
#include <unordered_map>
#include <vector>

namespace dh::db {

class ObjectTable {
public:
    explicit ObjectTable(AcDbDatabase* db) : m_db(db) {}

    // Takes ownership of object and gives it a stub: under the handle reserved with
    // reserveHandle, or a fresh one. A placeholder stub of that handle is filled.
    // nullptr, and the object stays the caller's, when the reserved handle has an object.
    ObjectStub* add(AcDbObject* object);
    // The stub of handle, nullptr when unknown.
    ObjectStub* find(std::uint64_t handle) const;
    // The stub of handle, made empty when unknown (forward references of a reader).
    ObjectStub* findOrPlaceholder(std::uint64_t handle);
    // The next add takes this handle instead of a fresh one.
    void reserveHandle(std::uint64_t handle) { m_reserved = handle; }

    std::uint64_t seed() const { return m_seed; }
    bool setSeed(std::uint64_t seed);
    std::size_t size() const { return m_stubs.size(); }
    // Room in the handle index for this many objects, so that a reader that knows about how
    // many it will add does not grow it on the way.
    void reserve(std::size_t count) { m_dense.reserve(count + kDenseSlack); }
    template <class F>
    void forEach(F&& f) const
    {
        for (const ObjectStub& stub : m_stubs)
            f(stub);
    }
    // Deletes every object, newest first, so owners outlive nothing they refer to.
    void clear();

private:
    ObjectStub* newStub(std::uint64_t handle);
    void index(std::uint64_t handle, ObjectStub* stub);

    AcDbDatabase* m_db;
    std::deque<ObjectStub> m_stubs;
    // Handles are mostly small and close together: those below a bound that follows the
    // object count index a vector directly, the rare others go to a hash map.
    static constexpr std::size_t kDenseSlack = 4096;
    std::vector<ObjectStub*> m_dense;
    std::unordered_map<std::uint64_t, ObjectStub*> m_sparse;
    std::uint64_t m_seed = 1;
    std::uint64_t m_reserved = 0;
};

} // namespace dh::db
