// An elevation point of CHGCD_T: the plan position of a circle of the drawing, and whether
// a label's value has been written to it already (each spot takes at most one label).
#pragma once

#include "terrain/I_ScatterPoint.h"

#include <acdb/AcDbObjectId.h>
#include <adesk/AcArray.h>

namespace dh::terrain {

class Spot : public I_ScatterPoint {
public:
    Spot() = default;
    // The position is the centre's x and y, given by the caller.
    Spot(const AcGePoint2d& at, AcDbObjectId circleId) : I_ScatterPoint(at), circle(circleId) {}

    // Moves the circle's centre to elevation z (x and y kept); false, with nothing changed,
    // when the circle cannot be opened for write.
    bool setElevation(double z) const;

    bool used = false;
    AcDbObjectId circle;
};

// The unused candidate nearest to reference in plan; of equally near ones the first in
// candidates, that is the first the search reported. nullptr when every candidate is used
// or there is none.
Spot* chooseSpot(const AcGePoint2d& reference, const AcArray<Spot*>& candidates);

} // namespace dh::terrain
