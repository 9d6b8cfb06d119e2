// Asks for a real number; the default is shown with two decimals.
#pragma once

#include "toolkit/NumberPicker.h"

namespace dh::toolkit {

class DoublePicker : public NumberPicker<double> {
public:
    using NumberPicker::NumberPicker;

protected:
    std::string defaultText() const override;
    int ask(const char* line, double& answer) const override;
    void sayOutOfRange() const override;
};

} // namespace dh::toolkit
