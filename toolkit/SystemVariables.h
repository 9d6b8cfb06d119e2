// System variables and environment values of the host, with 0 for success and 3 for any
// failure of the host call.
#pragma once

#include <acge/AcGePoint3d.h>

#include <cstddef>

namespace dh::toolkit {

// The short value widened to int.
int getVarInt(const char* name, int& value);
// Stored as a short (RTSHORT).
int setVarInt(const char* name, int value);
// Stored as a 3D point (RT3DPOINT).
int setVarPoint(const char* name, const AcGePoint3d& point);
int getEnv(const char* name, char* value, std::size_t length);
int setEnv(const char* name, const char* value);

} // namespace dh::toolkit
