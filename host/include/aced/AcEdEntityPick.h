// Asking for one entity. The answer is a point (the entity nearest to it within the pick
// box, PICKBOX pixels of the current view; the last drawn wins ties) or "#HANDLE".
// RTNORM with the entity and the pick point; RTERROR with errno 7 when a pick found
// nothing and errno 52 for an empty answer; RTKWORD for a keyword of acedInitGet; RTCAN.
#pragma once

#include <acut/ResBuf.h>

int acedEntSel(const char* str, ads_name entres, ads_point ptres);
// The nested form: xformres is the matrix from the picked entity's block to the world and
// refstkres the chain of containing block references (released by the caller), nullptr
// when the entity is not nested. Block references are picked whole here, so the matrix is
// the identity and the chain empty. pickflag non-zero: ptres is the pick, nothing is asked.
int acedNEntSelP(const char* str, ads_name entres, ads_point ptres, int pickflag,
                 ads_matrix xformres, resbuf** refstkres);
