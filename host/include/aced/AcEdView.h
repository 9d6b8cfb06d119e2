// The current view. acedSetCurrentView shows what a view table record describes: its
// centre point (display coordinates), and a height that fits both the record's height and
// its width at the screen's aspect; direction, target, twist, lens length and clipping are
// taken from it too. The viewport argument is accepted for the host's signature; only the
// drawing window's one view exists here.
#pragma once

#include <acdb/AcadErrorStatus.h>

class AcDbViewTableRecord;
class AcDbViewport;

// eOk; eNotApplicable when no drawing is open; eInvalidInput for a null record or a view
// without size.
Acad::ErrorStatus acedSetCurrentView(AcDbViewTableRecord* pVwRec, AcDbViewport* pVP);
