// Layer visibility of the working drawing. Records that cannot be opened are skipped;
// nothing is reported.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

namespace dh::toolkit {

// Every layer unlocked, thawed and on.
void restoreAllLayers();
// The listed layers on, every other layer off (the current one too); frozen and locked
// states untouched.
void isolateLayers(const AcArray<AcDbObjectId>& layerIds);

} // namespace dh::toolkit
