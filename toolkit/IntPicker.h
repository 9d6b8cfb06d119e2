// Asks for an integer; the default is shown as "<%d>".
#pragma once

#include "toolkit/NumberPicker.h"

namespace dh::toolkit {

class IntPicker : public NumberPicker<int> {
public:
    using NumberPicker::NumberPicker;

protected:
    std::string defaultText() const override;
    int ask(const char* line, int& answer) const override;
    void sayOutOfRange() const override;
};

} // namespace dh::toolkit
