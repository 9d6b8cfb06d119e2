// The input step of CHGC_T: the terrain layers, the two settings and the selection.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

namespace dh::terrain {

constexpr int kDone = 0;
constexpr int kCancelled = 180;

// The map scale and the spot diameter, with the settings as defaults; a stored 0 is
// replaced by the value at load first. kDone, or kCancelled when either was cancelled
// (a scale answered before stays stored).
int askTerrainSettings();
// Layer choice, confirmation, settings and selection of contours, spots and labels into
// ids (in selection order). kDone when something was selected.
int selectTerrainLayers(AcArray<AcDbObjectId>& ids);

} // namespace dh::terrain
