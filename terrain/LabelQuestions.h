// The input step of CHGCD_T: the two settings, the elevation points and labels, and the
// search range.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

namespace dh::terrain {

// Asks the settings (storing them, and giving the new values in mapProportion and
// spotRadius), selects circles, points, arcs, block references and texts into ids, then
// asks the search range (1 to 10, default 1). kDone after all three; kCancelled otherwise,
// with ids filled when the selection was made and only the search range was cancelled.
int selectSpotsAndLabels(double& mapProportion, double& spotRadius, int& searchRange,
                         AcArray<AcDbObjectId>& ids);

} // namespace dh::terrain
