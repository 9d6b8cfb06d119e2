// Asks for a point; every point obtained is also written to "LASTPOINT".
#pragma once

#include "toolkit/BasePicker.h"

#include <acge/AcGePoint3d.h>

namespace dh::toolkit {

class PointPicker : public BasePicker {
public:
    PointPicker(const char* prompt, const char* keywords);

    int pick() override;
    // Asks for a first point and then for a second one rubber-banded from it. Afterwards
    // the base point holds the first point and point the second; the second prompt
    // (default "给定另一点"), keywords and flags stay in the picker.
    int pickSecondPoint(const char* secondPrompt, const char* secondKeywords);

    AcGePoint3d point;
    AcGePoint3d basePoint;
    bool hasBase = false;
    bool dashedRubberBand = false;
    bool noLimitsCheck = false;
    bool allowEmpty = false;

private:
    int ask(int bits);
};

} // namespace dh::toolkit
