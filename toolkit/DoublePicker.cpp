#include "toolkit/DoublePicker.h"

#include <aced/AcEdCommandLine.h>
#include <aced/AcEdInput.h>
#include <aced/AcEdVariables.h>

namespace dh::toolkit {
namespace {

constexpr int kDecimalUnits = 2;
constexpr int kCurrentSetting = -1;

std::string realText(double value, int units, int precision)
{
    char text[132] = {};
    acdbRToS(value, units, precision, text, sizeof text);
    return text;
}

} // namespace

DoublePicker::DoublePicker(const char* prompt, const char* keywords, double defaultValue,
                           int constraint)
    : BasePicker(prompt, keywords), constraint(constraint), defaultValue(defaultValue)
{
}

int DoublePicker::pick()
{
    const std::string line = hasDefault
        ? "\n" + m_prompt + "<" + realText(defaultValue, kDecimalUnits, 2) + ">: "
        : promptLine();
    const int bits = constraintBits(constraint) | (hasDefault ? 0 : RSG_NONULL);
    for (;;) {
        acedInitGet(bits, m_keywords.empty() ? nullptr : m_keywords.c_str());
        double answer = 0.0;
        const int rt = acedGetReal(line.c_str(), &answer);
        if (rt == RTNORM) {
            if (constraint == kBetweenLimits && (answer < minimum || answer > maximum)) {
                acutPrintf("\n输入值应介于 %s 到 %s 间",
                           realText(minimum, kCurrentSetting, kCurrentSetting).c_str(),
                           realText(maximum, kCurrentSetting, kCurrentSetting).c_str());
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
