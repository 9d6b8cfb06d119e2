// SubclassMarkers: gives the objects of an R12 file (which has no subclass markers) the
// markers of the modern layout, so that objects read one layout only. Groups are moved
// into the subclass that owns them in later versions; their order within it is kept.
#pragma once

#include "host/dxf/ObjectTags.h"

namespace dh::dxf {

// Entities of ENTITIES and BLOCKS (BLOCK and ENDBLK included).
void addEntitySubclassMarkers(ObjectTags& object);
// Records of the TABLES section (LAYER, LTYPE, …).
void addTableRecordSubclassMarkers(ObjectTags& object);

// The subclass marker of a table record type ("LAYER" → "AcDbLayerTableRecord"); empty
// for an unknown type.
const char* tableRecordSubclass(std::string_view type);

} // namespace dh::dxf
