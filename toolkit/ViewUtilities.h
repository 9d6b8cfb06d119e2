// The current view as the host's system variables describe it, and setting a new one.
#pragma once

#include <acdb/AcadErrorStatus.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>

class AcDbViewTableRecord;

namespace dh::toolkit {

// The visible window in world coordinates; false when a view variable cannot be read.
bool getViewBox(AcGePoint2d& lowerLeft, AcGePoint2d& upperRight);
// True when the box (lower corner first) lies strictly inside the view.
bool isBoxInView(const AcGePoint3d& lower, const AcGePoint3d& upper);
// Fills record from the view variables; values that cannot be read keep their defaults.
void currentViewRecord(AcDbViewTableRecord& record);
// Centres the view on the box so that it fills factor of the view in its tighter
// direction; the host's status of acedSetCurrentView.
Acad::ErrorStatus zoomToBox(const AcGePoint3d& lower, const AcGePoint3d& upper, double factor);

} // namespace dh::toolkit
