// Copies of a block definition's entities placed by a transform: what block references
// and dimensions explode into. A transform an entity cannot take as it is (a circle
// scaled unevenly) turns it into the nearest kind that can: circles and arcs become
// ellipses, other entities are exploded first.
#pragma once

#include <acdb/AcDbEntity.h>
#include <acge/AcGeMatrix3d.h>

namespace dh::db {

// Appends the placed copies of entity (new entities, caller owns them).
void appendPlacedCopy(const AcDbEntity& entity, const AcGeMatrix3d& xform, AcDbVoidPtrArray& out);

// The same for every live entity of a block; attribute definitions that are not constant
// are left out (they only prompt for the values the references carry). eInvalidInput for an
// id that is not a block.
Acad::ErrorStatus appendPlacedBlock(AcDbObjectId blockId, const AcGeMatrix3d& xform, AcDbVoidPtrArray& out);

} // namespace dh::db
