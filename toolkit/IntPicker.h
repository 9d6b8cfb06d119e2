// Asks for an integer; as DoublePicker, with the default shown as "<%d>".
#pragma once

#include "toolkit/BasePicker.h"

namespace dh::toolkit {

class IntPicker : public BasePicker {
public:
    IntPicker(const char* prompt, const char* keywords, int defaultValue, int constraint);

    int pick() override;

    int value = 0;
    int minimum = 0; // used by kBetweenLimits
    int maximum = 0;
    int constraint = kAnyValue;
    bool hasDefault = true;
    int defaultValue = 0;
};

} // namespace dh::toolkit
