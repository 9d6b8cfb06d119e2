// User input on the command line. Every call prints its prompt (nullptr: a short default
// prompt), takes the next answer from the host's input (terminal, script or a test's queue)
// and answers one of the result codes:
//   RTNORM   a value was given          RTNONE   empty answer (Enter), when allowed
//   RTKWORD  a keyword or other text    RTCAN    cancel (^C or end of input)
//   RTERROR  the call could not ask
// A refused answer prints the host's complaint and asks again. acedInitGet sets the input
// controls and keywords for the next input call only.
#pragma once

#include <acut/ResBuf.h>

#include <cstddef>

// Input control bits of acedInitGet.
enum : int {
    RSG_NONULL = 1,  // no empty answer
    RSG_NOZERO = 2,  // no zero
    RSG_NONEG = 4,   // no negative value
    RSG_NOLIM = 8,   // no limits check
    RSG_GETZ = 16,   // ask for z as well
    RSG_DASH = 32,   // dashed rubber band
    RSG_2D = 64,     // distances in the xy plane only
    RSG_OTHER = 128, // any text is answered with RTKWORD
};

// Size of the text buffers acedGetKword, acedGetInput and acedGetString fill when no size
// is given; longer answers are cut at a whole character.
constexpr std::size_t kAcedInputBufferSize = 512;

// val: RSG_* bits; kwl: keywords separated by spaces (nullptr or "" for none). Answers RTNORM.
int acedInitGet(int val, const char* kwl);

// pt: base point (nullptr for none; an answer "@dx,dy" is relative to LASTPOINT).
int acedGetPoint(const ads_point pt, const char* prompt, ads_point result);
// The opposite corner of a box from pt (required).
int acedGetCorner(const ads_point pt, const char* prompt, ads_point result);
// A distance: a number, or a point whose distance from pt is taken.
int acedGetDist(const ads_point pt, const char* prompt, ads_real* result);
// An angle in radians, typed in the angle units (AUNITS) or shown by two points (the first
// may be pt). acedGetAngle counts from ANGBASE counter-clockwise, whatever ANGDIR says;
// acedGetOrient counts from the X axis.
int acedGetAngle(const ads_point pt, const char* prompt, ads_real* result);
int acedGetOrient(const ads_point pt, const char* prompt, ads_real* result);
int acedGetReal(const char* prompt, ads_real* result);
int acedGetInt(const char* prompt, int* result);
// A keyword of the acedInitGet list; result receives the full keyword.
int acedGetKword(const char* prompt, char* result);
int acedGetKword(const char* prompt, char* result, std::size_t bufsize);
// The text of the keyword (or other text) the last input call answered RTKWORD for.
int acedGetInput(char* str);
int acedGetInput(char* str, std::size_t bufsize);
// A text. cronly non-zero: spaces are part of the answer (always the case here, since one
// line is one answer).
int acedGetString(int cronly, const char* prompt, char* result);
int acedGetString(int cronly, const char* prompt, char* result, std::size_t bufsize);
