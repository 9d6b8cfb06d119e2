// The question asked when two entities lie on each other in plan at different elevations:
// the view is centred on the newcomer and the user picks what to delete.
#pragma once

#include <acdb/AcDbObjectId.h>

namespace dh::terrain {

enum Coincidence : int {
    kDeleteBoth = 0,
    kDeleteKept = 1,
    kDeleteNew = 2,
    kStopPass = 3,
};

// Prints both elevations, zooms on newId's extents (height 30, command echo off) and
// asks "(D)全部删除/(B)删除高程e1<删除高程e2>"; answers a Coincidence.
int askWhichToDelete(double keptElevation, double newElevation, AcDbObjectId newId);
// Erases the entity; an entity that cannot be opened stays, silently.
void eraseEntity(AcDbObjectId id);

} // namespace dh::terrain
