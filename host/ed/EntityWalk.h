// The order in which entnext walks a drawing: the entities of model space, then of each
// paper-space layout, each main entity followed by the entities it owns (polyline
// vertices, block-reference attributes). Inside a block definition the walk stays in that
// definition. Erased entities are passed over, but an erased entity still marks its place,
// so a loop that deletes as it walks goes on from there.
//
// Finding an entity's place is constant time on average: each block's positions are
// indexed once and indexed again only when the block's entity list has changed.
#pragma once

#include <acdb/AcDbObjectId.h>

class AcDbDatabase;

namespace dh::ed {

// The first live entity of the drawing's layouts; null when there is none.
AcDbObjectId firstEntity(AcDbDatabase& db);
// The live entity after id in the walk; null after the last one or when id is no entity.
AcDbObjectId nextEntity(AcDbObjectId id);
// The last live main entity of the current space; null when there is none.
AcDbObjectId lastEntity(AcDbDatabase& db);
// Whether id is a main entity of a layout (not a vertex, an attribute or an entity of a
// block definition).
bool isLayoutEntity(AcDbObjectId id);

}  // namespace dh::ed
