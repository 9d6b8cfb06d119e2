// Sys_SearchPath reads or replaces the host's support-file search path (the environment
// value "ACAD"); Utl_ReleaseSS frees a selection set handed to LISP.
#include "lisp/DirectoryTest.h"
#include "lisp/LispFunctions.h"
#include "lisp/ResBufPtr.h"

#include <aced/AcEdLisp.h>
#include <aced/AcEdSelection.h>
#include <aced/AcEdVariables.h>

#include <string>
#include <string_view>

namespace dh::lisp {
namespace {

constexpr const char* kSearchPathVariable = "ACAD";
constexpr std::size_t kSearchPathBufferSize = 2048;

int returnList(const ResBufChain& list)
{
    return list.empty() ? acedRetNil() : acedRetList(list.head());
}

int listSearchPath(const resbuf* afterMode)
{
    if (afterMode == nullptr || afterMode->restype != RTNIL)
        return RTERROR;
    char buffer[kSearchPathBufferSize] = {};
    if (acedGetEnv(kSearchPathVariable, buffer, sizeof buffer) != RTNORM)
        return RTERROR;

    // The first entry stays even when empty; later empty entries are dropped.
    ResBufChain entries;
    std::string_view rest = buffer;
    bool first = true;
    for (;;) {
        const std::size_t cut = rest.find(';');
        const std::string_view entry = rest.substr(0, cut);
        if (first || !entry.empty())
            entries.appendText(std::string(entry).c_str());
        first = false;
        if (cut == std::string_view::npos)
            break;
        rest.remove_prefix(cut + 1);
    }
    return returnList(entries);
}

int replaceSearchPath(const resbuf* afterMode)
{
    std::string newPath;
    ResBufChain taken;
    const resbuf* item = afterMode;
    for (;; item = item->rbnext) {
        if (item == nullptr)
            return RTERROR;
        if (item->restype == RTLE)
            break;
        if (item->restype == RTLB)
            continue;
        if (item->restype != RTSTR)
            return RTERROR;
        // A text that names no existing directory is passed over.
        if (!isDirectory(item->resval.rstring))
            continue;
        const std::string entry = std::string(item->resval.rstring) + ";";
        newPath += entry;
        taken.appendText(entry.c_str());
    }
    if (acedSetEnv(kSearchPathVariable, newPath.c_str()) != RTNORM)
        return RTERROR;
    return returnList(taken);
}

} // namespace

int Sys_SearchPath(const resbuf* args)
{
    if (args == nullptr || args->restype != RTSHORT)
        return RTERROR;
    switch (args->resval.rint) {
    case 1: return listSearchPath(args->rbnext);
    case 2: return replaceSearchPath(args->rbnext);
    default: return RTERROR;
    }
}

int Utl_ReleaseSS(const resbuf* args)
{
    if (args == nullptr || args->restype != RTPICKS || args->rbnext != nullptr)
        return acedRetNil();
    if (acedSSFree(args->resval.rlname) != RTNORM)
        return acedRetNil();
    return acedRetT();
}

} // namespace dh::lisp
