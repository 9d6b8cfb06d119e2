// The slot of one object in its database. An AcDbObjectId points at it, so opening by id
// is a pointer step, not a lookup. Stubs never move or die before their database; a stub
// whose object is null is a handle that was referred to before its object was read.
#pragma once

#include <acdb/AcDbObject.h>

#include <cstdint>
#include <memory>

namespace dh::db {

struct ObjectStub {
    std::unique_ptr<AcDbObject> object;
    AcDbDatabase* database = nullptr;
    std::uint64_t handle = 0;
};

inline AcDbObject* objectOf(AcDbObjectId id)
{
    return id.stub() ? id.stub()->object.get() : nullptr;
}

} // namespace dh::db
