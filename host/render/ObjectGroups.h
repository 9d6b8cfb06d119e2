// The DXF groups an object writes about itself (dxfOutFields), handed one by one to a
// visitor: what the renderer knows of entities the database keeps as groups (hatches,
// solids, …) and what the change report compares. Points arrive as one group of kind
// kPoint; ids as kHandle groups with the handle's value.
#pragma once

#include <acdb/AcDbDxfFiler.h>

#include <functional>
#include <vector>

class AcDbObject;

namespace dh::render {

using GroupVisitor = std::function<void(const AcDbDxfTag&)>;

void forEachGroup(const AcDbObject& object, const GroupVisitor& visit);

// The same, gathered in a list.
std::vector<AcDbDxfTag> objectGroups(const AcDbObject& object);

}  // namespace dh::render
