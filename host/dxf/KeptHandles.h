// KeptHandles: handles inside kept groups (reactors, extension dictionaries, pointers of
// unmodelled entities and objects) translated when objects are copied into another
// drawing, so that the written copy refers only to objects it holds. Objects named by hard
// pointers come along, with their CLASS.
#pragma once

#include "host/dxf/ObjectTags.h"

#include "host/db/CloneHooks.h"

namespace dh::dxf {

// Pointer groups: soft and hard pointers and owners (330–369), 390–399, 480–481 and
// extended-data handles (1005). Arbitrary handles (320–329) are not references.
bool isReferenceCode(int code);

// Translates the reference groups of `tags` whose handles name objects of `source`; a
// reference to an object not brought along becomes null, or is dropped with `dropLost`.
void translateHandles(Tags& tags, const AcDbDatabase& source, const db::IdMap& map, bool dropLost);

// Installs the translation as a clone hook of the database (once; done when the library
// is loaded).
void installKeptHandleTranslation();

} // namespace dh::dxf
