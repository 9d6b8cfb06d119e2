// Asks for a real number. With a default the prompt shows it with two decimals between
// angle brackets and Enter answers it; without one Enter is refused by the host.
#pragma once

#include "toolkit/BasePicker.h"

namespace dh::toolkit {

class DoublePicker : public BasePicker {
public:
    DoublePicker(const char* prompt, const char* keywords, double defaultValue, int constraint);

    int pick() override;

    double value = 0.0;
    double minimum = 0.0; // used by kBetweenLimits
    double maximum = 0.0;
    int constraint = kAnyValue;
    bool hasDefault = true;
    double defaultValue = 0.0;
};

} // namespace dh::toolkit
