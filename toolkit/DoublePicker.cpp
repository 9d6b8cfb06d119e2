#include "toolkit/DoublePicker.h"

#include <aced/AcEdCommandLine.h>
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

std::string DoublePicker::defaultText() const
{
    return realText(defaultValue, kDecimalUnits, 2);
}

int DoublePicker::ask(const char* line, double& answer) const
{
    return acedGetReal(line, &answer);
}

void DoublePicker::sayOutOfRange() const
{
    acutPrintf("\n输入值应介于 %s 到 %s 间", realText(minimum, kCurrentSetting, kCurrentSetting).c_str(),
               realText(maximum, kCurrentSetting, kCurrentSetting).c_str());
}

} // namespace dh::toolkit
