// Asking for one entity. The answer is a point (the entity nearest to it within the pick
// box, PICKBOX pixels of the current view; the last drawn wins ties) or "#HANDLE".
// RTNORM with the entity and the pick point; RTERROR with errno 7 when a pick found
// nothing and errno 52 for an empty answer; RTKWORD for a keyword of acedInitGet; RTCAN.
#pragma once

#include <acut/ResBuf.h>

int acedEntSel(const char* str, ads_name entres, ads_point ptres);
// The same, seeing into blocks: entres is the innermost entity picked, xformres the matrix
// from its block to the world and refstkres the chain of containing block references
// (innermost first; released by the caller), nullptr when the entity is not nested. With
// OR_PICKSET not set in flags and pt given, pt is the pick and nothing is asked.
int acedNEntSelP(const char* str, ads_name entres, ads_point ptres, int pickflag,
                 ads_matrix xformres, resbuf** refstkres);
