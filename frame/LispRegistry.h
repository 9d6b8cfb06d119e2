// The table of a module's LISP functions and the three operations that define them in a
// drawing, undefine them and route a call by its function code. A function's code is its
// index in the table.
#pragma once

#include <acut/ResBuf.h>

#include <span>

// A LISP function body: reads the argument chain (which stays the caller's), sets its
// result through the acedRet* calls and returns the status of its last result call.
using LispFunctionHandler = int (*)(const resbuf* args);

struct LispFunctionEntry {
    const char* name;
    LispFunctionHandler handler;
};

// acedDefun for every entry in code order; RTERROR as soon as the host refuses one.
int defineLispFunctions(std::span<const LispFunctionEntry> table);
// acedUndef for every entry in code order; results are not checked.
int undefineLispFunctions(std::span<const LispFunctionEntry> table);
// Runs the function the host is calling and releases its argument chain afterwards.
// RTERROR, with nothing called and no result set, for a code outside the table.
int invokeLispFunction(std::span<const LispFunctionEntry> table);
