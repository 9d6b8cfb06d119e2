// System variables, environment values, coordinate systems and number formatting.
//
// System variables have the host's names (case-insensitive) and types: acedGetVar fills
// result->restype and result->resval (an RTSTR value is a copy the caller frees with
// free() — or keeps the buffer in a chain it releases with acutRelRb); acedSetVar refuses
// with RTERROR an unknown or read-only variable or a value of the wrong type.
// Environment values outlive the run: they are kept in
// $XDG_CONFIG_HOME/drafthost/environment (default ~/.config/drafthost/environment).
#pragma once

#include <acut/ResBuf.h>

#include <cstddef>

int acedGetVar(const char* sym, resbuf* result);
int acedSetVar(const char* sym, const resbuf* val);

// RTNORM with the value copied into var (len bytes, NUL included); RTERROR when sym has no
// value or the value does not fit. The two-argument form takes a buffer of 2048 bytes.
int acedGetEnv(const char* sym, char* var, std::size_t len);
int acedGetEnv(const char* sym, char* var);
// Stores the value and writes the environment file (atomically); RTERROR when it cannot.
int acedSetEnv(const char* sym, const char* val);

// Coordinate-system codes of acedTrans: an RTSHORT 0 world, 1 user, 2 display; an
// RTENAME an entity's own system. disp non-zero transforms a displacement.
int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp,
              ads_point result);
// User to world and back; vec true transforms a direction. Answer false when no drawing
// is open.
bool acdbUcs2Wcs(const ads_point p, ads_point q, bool vec);
bool acdbWcs2Ucs(const ads_point p, ads_point q, bool vec);

// Formats value in units unit (1 scientific, 2 decimal, 3 engineering, 4 architectural,
// 5 fractional; -1: LUNITS) with prec decimals (-1: LUPREC) into str. The form without a
// size takes a buffer of 132 bytes. RTNORM, or RTERROR for a bad unit or precision.
int acdbRToS(ads_real val, int unit, int prec, char* str);
int acdbRToS(ads_real val, int unit, int prec, char* str, std::size_t len);
