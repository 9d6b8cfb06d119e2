// Asks for one keyword of the list; the host expands abbreviations, so compare the
// answer with isInput.
#pragma once

#include "toolkit/BasePicker.h"

namespace dh::toolkit {

class KeywordPicker : public BasePicker {
public:
    KeywordPicker(const char* prompt, const char* keywords);

    int pick() override;

    bool allowEmpty = false;
};

} // namespace dh::toolkit
