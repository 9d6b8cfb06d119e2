#include "lisp/LispFunctions.h"

using namespace dh::lisp;

constinit const std::array<LispFunctionEntry, 18> lispFunctionTable = {{
    {"Utl_ReleaseSS", &Utl_ReleaseSS},
    {"Sys_SearchPath", &Sys_SearchPath},
    {"UI_OptionMigrate", &UI_OptionMigrate},
    {"Cur_ListPolyLine", &Cur_ListPolyLine},
    {"Cur_getSplitCurves", &Cur_getSplitCurves},
    {"Cur_PolyToLW", &Cur_PolyToLW},
    {"Cur_SPlineToLW", &Cur_SPlineToLW},
    {"Cur_isClockwise", &Cur_isClockwise},
    {"Cur_RarefyLwPL", &Cur_RarefyLwPL},
    {"Cur_ReverseTowards", &Cur_ReverseTowards},
    {"Cur_TRDWG", &Cur_TRDWG},
    {"Cur_CopyEdgeToNewDatabase", &Cur_CopyEdgeToNewDatabase},
    {"Cur_GetDistAtPoint", &Cur_GetDistAtPoint},
    {"Cur_GetClosestPointTo", &Cur_GetClosestPointTo},
    {"Ent_setXData", &Ent_setXData},
    {"Ent_getXData", &Ent_getXData},
    {"Str_Split", &Str_Split},
    {"Str_Replace", &Str_Replace},
}};
