#include "toolkit/IntPicker.h"

#include <aced/AcEdCommandLine.h>

#include <string>

namespace dh::toolkit {

std::string IntPicker::defaultText() const
{
    return std::to_string(defaultValue);
}

int IntPicker::ask(const char* line, int& answer) const
{
    return acedGetInt(line, &answer);
}

void IntPicker::sayOutOfRange() const
{
    acutPrintf("\n输入值应介于 %d 到 %d 间", minimum, maximum);
}

} // namespace dh::toolkit
