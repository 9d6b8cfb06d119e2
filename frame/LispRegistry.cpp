#include "frame/LispRegistry.h"

#include <aced/AcEdLisp.h>

int defineLispFunctions(std::span<const LispFunctionEntry> table)
{
    for (std::size_t code = 0; code < table.size(); ++code) {
        if (acedDefun(table[code].name, static_cast<int>(code)) == 0)
            return RTERROR;
    }
    return RTNORM;
}

int undefineLispFunctions(std::span<const LispFunctionEntry> table)
{
    for (std::size_t code = 0; code < table.size(); ++code)
        acedUndef(table[code].name, static_cast<int>(code));
    return RTNORM;
}

int invokeLispFunction(std::span<const LispFunctionEntry> table)
{
    int code = acedGetFunCode();
    if (code < 0 || static_cast<std::size_t>(code) >= table.size())
        return RTERROR;
    resbuf* args = acedGetArgs();
    int status = table[static_cast<std::size_t>(code)].handler(args);
    acutRelRb(args);
    return status;
}
