// Running a command as if typed: acedCommand takes (type, value) items ended by 0:
// RTSTR (const char*; "" is Enter), RTREAL (double), RTSHORT (int), RTPOINT and RT3DPOINT
// (const ads_real*), RTENAME and RTPICKS (const long*). The first item names the command;
// the others answer its prompts in order. A command that needs more than the items give
// reads the rest from the host's input. CMDECHO 0 keeps the command's prompts and echo out
// of the transcript. RTNORM when the command ran, RTCAN when it was cancelled, RTERROR for
// an unknown command or an item it could not use.
#pragma once

#include <acut/ResBuf.h>

int acedCommand(int rtype, ...);
// The same with the items as a result-buffer chain.
int acedCmd(const resbuf* rbp);
