// Hooks run when objects are copied into another drawing (wblock), once every copy is
// made: layers above the database (the DXF codec) translate what they keep beside an
// object — handles inside groups the database does not model.
#pragma once

#include <acdb/AcDbObject.h>

#include <functional>

namespace dh::db {

// Ids of the source drawing to ids of the copy: null for objects not brought along.
using IdMap = std::function<AcDbObjectId(AcDbObjectId)>;
// `bringAlong` copies an object of the source that is neither an entity nor a record (a
// dictionary, an image definition, a style object) into the copy's drawing, once, and
// gives its id there; its own references are translated in turn.
using CloneHook = std::function<void(const AcDbObject& source, AcDbObject& copy, const IdMap& map,
                                     const IdMap& bringAlong)>;

void addCloneHook(CloneHook hook);
void runCloneHooks(const AcDbObject& source, AcDbObject& copy, const IdMap& map, const IdMap& bringAlong);

} // namespace dh::db
