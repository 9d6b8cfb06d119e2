// The question of the number pickers. With a default the prompt shows it between angle
// brackets and Enter answers it; without one Enter is refused by the host. A value outside
// the limits of kBetweenLimits is refused with a message and asked again.
#pragma once

#include "toolkit/BasePicker.h"

#include <aced/AcEdInput.h>

namespace dh::toolkit {

template <class T>
class NumberPicker : public BasePicker {
public:
    NumberPicker(const char* prompt, const char* keywords, T defaultValue, int constraint)
        : BasePicker(prompt, keywords), constraint(constraint), defaultValue(defaultValue)
    {
    }

    int pick() override
    {
        const std::string line = hasDefault ? "\n" + m_prompt + "<" + defaultText() + ">: " : promptLine();
        const int bits = constraintBits(constraint) | (hasDefault ? 0 : RSG_NONULL);
        for (;;) {
            acedInitGet(bits, m_keywords.empty() ? nullptr : m_keywords.c_str());
            T answer{};
            const int rt = ask(line.c_str(), answer);
            if (rt == RTNORM) {
                if (constraint == kBetweenLimits && (answer < minimum || answer > maximum)) {
                    sayOutOfRange();
                    continue;
                }
                value = answer;
                return kPickValue;
            }
            if (rt == RTNONE && hasDefault) {
                value = defaultValue;
                return kPickValue;
            }
            if (rt == RTKWORD) {
                readInput();
                return kPickKeyword;
            }
            return kPickFailed;
        }
    }

    T value{};
    T minimum{}; // used by kBetweenLimits
    T maximum{};
    int constraint = kAnyValue;
    bool hasDefault = true;
    T defaultValue{};

protected:
    // The default as the prompt shows it.
    virtual std::string defaultText() const = 0;
    // The host's question for this type (acedGetReal, acedGetInt).
    virtual int ask(const char* line, T& answer) const = 0;
    // The message for a value outside minimum … maximum.
    virtual void sayOutOfRange() const = 0;
};

} // namespace dh::toolkit
