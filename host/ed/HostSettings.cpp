// acedGetVar/acedSetVar and acedGetEnv/acedSetEnv over the session's variables and
// environment.
#include "host/ed/Environment.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdVariables.h>

#include <cstring>

using dh::ed::Session;

int acedGetVar(const char* sym, resbuf* result)
{
    Session* s = Session::current();
    if (!s || !sym || !result)
        return RTERROR;
    return s->variables().toResbuf(sym, *result) ? RTNORM : RTERROR;
}

int acedSetVar(const char* sym, const resbuf* val)
{
    Session* s = Session::current();
    if (!s || !sym || !val)
        return RTERROR;
    return s->variables().set(sym, *val);
}

int acedGetEnv(const char* sym, char* var, std::size_t len)
{
    Session* s = Session::current();
    if (!s || !sym || !var || len == 0)
        return RTERROR;
    std::optional<std::string> value = s->environment().get(sym);
    if (!value || value->size() >= len)
        return RTERROR;
    std::memcpy(var, value->c_str(), value->size() + 1);
    return RTNORM;
}

int acedGetEnv(const char* sym, char* var) { return acedGetEnv(sym, var, 2048); }

int acedSetEnv(const char* sym, const char* val)
{
    Session* s = Session::current();
    if (!s || !sym || !val)
        return RTERROR;
    return s->environment().set(sym, val) ? RTNORM : RTERROR;
}
