// Kelvane's LISP functions, in code order, and the table the registry defines them from.
// Each takes the call's argument chain (the registry's) and returns the status of its
// last result call, or RTERROR where no result is set.
#pragma once

#include "frame/LispRegistry.h"

#include <array>

namespace dh::lisp {

int Utl_ReleaseSS(const resbuf* args);
int Sys_SearchPath(const resbuf* args);
int UI_OptionMigrate(const resbuf* args);
int Cur_ListPolyLine(const resbuf* args);
int Cur_getSplitCurves(const resbuf* args);
int Cur_PolyToLW(const resbuf* args);
int Cur_SPlineToLW(const resbuf* args);
int Cur_isClockwise(const resbuf* args);
int Cur_RarefyLwPL(const resbuf* args);
int Cur_ReverseTowards(const resbuf* args);
int Cur_TRDWG(const resbuf* args);
int Cur_CopyEdgeToNewDatabase(const resbuf* args);
int Cur_GetDistAtPoint(const resbuf* args);
int Cur_GetClosestPointTo(const resbuf* args);
int Ent_setXData(const resbuf* args);
int Ent_getXData(const resbuf* args);
int Str_Split(const resbuf* args);
int Str_Replace(const resbuf* args);

} // namespace dh::lisp

// A function's code is its index here; the order is fixed.
extern const std::array<LispFunctionEntry, 18> lispFunctionTable;
