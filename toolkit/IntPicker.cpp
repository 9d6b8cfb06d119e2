#include "toolkit/IntPicker.h"

#include <aced/AcEdCommandLine.h>
#include <aced/AcEdInput.h>

namespace dh::toolkit {

IntPicker::IntPicker(const char* prompt, const char* keywords, int defaultValue, int constraint)
    : BasePicker(prompt, keywords), constraint(constraint), defaultValue(defaultValue)
{
}

int IntPicker::pick()
{
    const std::string line = hasDefault
        ? "\n" + m_prompt + "<" + std::to_string(defaultValue) + ">: "
        : promptLine();
    const int bits = constraintBits(constraint) | (hasDefault ? 0 : RSG_NONULL);
    for (;;) {
        acedInitGet(bits, m_keywords.empty() ? nullptr : m_keywords.c_str());
        int answer = 0;
        const int rt = acedGetInt(line.c_str(), &answer);
        if (rt == RTNORM) {
            if (constraint == kBetweenLimits && (answer < minimum || answer > maximum)) {
                acutPrintf("\n输入值应介于 %d 到 %d 间", minimum, maximum);
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

} // namespace dh::toolkit
