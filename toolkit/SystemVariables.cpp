#include "toolkit/SystemVariables.h"

#include <aced/AcEdVariables.h>
#include <acut/ResBuf.h>

namespace dh::toolkit {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 3;

int status(int rt)
{
    return rt == RTNORM ? kDone : kFailed;
}

} // namespace

int getVarInt(const char* name, int& value)
{
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM)
        return kFailed;
    if (rb.restype == RTSHORT)
        value = rb.resval.rint;
    else if (rb.restype == RTLONG)
        value = rb.resval.rlong;
    else
        return kFailed;
    return kDone;
}

int setVarInt(const char* name, int value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return status(acedSetVar(name, &rb));
}

int setVarPoint(const char* name, const AcGePoint3d& point)
{
    resbuf rb{};
    rb.restype = RT3DPOINT;
    rb.resval.rpoint[0] = point.x;
    rb.resval.rpoint[1] = point.y;
    rb.resval.rpoint[2] = point.z;
    return status(acedSetVar(name, &rb));
}

int getEnv(const char* name, char* value, std::size_t length)
{
    return status(acedGetEnv(name, value, length));
}

int setEnv(const char* name, const char* value)
{
    return status(acedSetEnv(name, value));
}

} // namespace dh::toolkit
