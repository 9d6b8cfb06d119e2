// An entity as the association list entget gives: (-1 . name) (0 . "TYPE") (5 . "HANDLE")
// and then the groups the entity writes through the DXF filer, in the writer's order
// (subclass markers included); points as (10 x y [z]), references to other objects as
// entity names. With applications, the extended data of those applications follows as
// (-3 ("APP" (1000 . "text") ...)).
#pragma once

#include "host/lispeval/Value.h"

#include <acdb/AcDbObjectId.h>

#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
struct AcDbDxfTag;

namespace dh::ed {

// A group's value as LISP has it: texts, numbers, points as lists, references to other
// objects as their entity names (nil when the object is gone).
lisp::Value tagValue(const AcDbDxfTag& tag, AcDbDatabase* db);

// The DXF type name of an entity's class ("LWPOLYLINE" for AcDbPolyline).
std::string dxfTypeName(const AcDbEntity& entity);

// apps: application names for the extended data ("*" for all); empty for none.
lisp::Value entityList(const AcDbEntity& entity, const std::vector<std::string>& apps);

}  // namespace dh::ed
