// Asking for one entity. The answer is a point (the entity nearest to it within the pick
// box, PICKBOX pixels of the current view; the last drawn wins ties) or "#HANDLE".
// RTNORM with the entity and the pick point; RTERROR with errno 7 when a pick found
// nothing and errno 52 for an empty answer; RTKWORD for a keyword of acedInitGet; RTCAN.
#pragma once

#include <acut/ResBuf.h>

int acedEntSel(const char* str, ads_name entres, ads_point ptres);
// The nested form: a pick on a block reference descends into its definition (and further
// references there) to the entity under the point. xformres is the matrix (entry[row][col],
// translation in the last column) from that entity's block to the world, the identity for
// an entity of the space; refstkres the chain of RTENAME of the containing references,
// innermost first (released by the caller), nullptr when not nested. pickflag non-zero:
// ptres is the pick and nothing is asked.
int acedNEntSelP(const char* str, ads_name entres, ads_point ptres, int pickflag,
                 ads_matrix xformres, resbuf** refstkres);
