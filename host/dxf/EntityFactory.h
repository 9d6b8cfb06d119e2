// EntityFactory: the database class of each DXF entity type. Types the database does not
// model are read as KeptEntity; so are old-style polylines and block references whose
// followers (vertices, attributes) the database cannot take.
#pragma once

#include "host/dxf/ObjectTags.h"

#include <acdb/AcDbEntity.h>

namespace dh::dxf {

// A new, empty entity of the class for this object (nullptr: keep it as groups).
AcDbEntity* createEntity(const ObjectTags& tags);
// Whether `owner` (made by createEntity) takes its followers through appendFollower.
bool takesFollowers(const AcDbEntity* owner);
// A new, empty entity for a follower (VERTEX, ATTRIB) of `owner`; nullptr when unknown.
AcDbEntity* createFollower(const AcDbEntity* owner, const ObjectTags& tags);
// Hands a follower (already read) to its owner, which is in the database and open for
// write; the owner adds it to the database. eOk when taken.
Acad::ErrorStatus appendFollower(AcDbEntity* owner, AcDbEntity* follower);

} // namespace dh::dxf
