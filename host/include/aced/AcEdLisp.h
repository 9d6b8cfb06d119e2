// The LISP bridge: a module defines functions in the active drawing's LISP (every drawing
// has its own); a call of one reaches the module as kInvkSubrMsg, during which
// acedGetFunCode and acedGetArgs describe the call and the acedRet* calls set its result.
// The argument chain belongs to the host's caller: the module may read it and release it
// with acutRelRb; the host releases what the module leaves.
#pragma once

#include <acut/ResBuf.h>

// Defines name (case-insensitive) with code fcode for the calling module in the active
// drawing. RTNORM, or RTERROR when name is empty or the code is negative.
int acedDefun(const char* sname, int fcode);
// Removes the definition of name made with that code. RTNORM, or RTERROR when none exists.
int acedUndef(const char* sname, int fcode);
// Lets the host call fhdl directly for code fcode instead of sending kInvkSubrMsg.
int acedRegFunc(int (*fhdl)(), int fcode);

// The code of the function being called, or RTERROR outside a call.
int acedGetFunCode();
// A copy of the call's arguments (nullptr when there are none), owned by the caller.
resbuf* acedGetArgs();

int acedRetStr(const char* s);
int acedRetReal(ads_real x);
int acedRetInt(int x);
int acedRetPoint(const ads_point pt);
// type: RTENAME or RTPICKS.
int acedRetName(const ads_name aname, int type);
// A list of the chain's items; a chain with RTLB ... RTLE builds nested lists.
int acedRetList(const resbuf* rbuf);
// One value of any type.
int acedRetVal(const resbuf* rbuf);
int acedRetT();
int acedRetNil();
// No value: the call prints nothing.
int acedRetVoid();
