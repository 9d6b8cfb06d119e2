#include "lisp/DirectoryTest.h"

#include <cstring>
#include <glob.h>
#include <sys/stat.h>

namespace dh::lisp {
namespace {

bool statIsDirectory(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool isDirectory(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    if (std::strpbrk(path, "*?[") == nullptr)
        return statIsDirectory(path);

    glob_t matches{};
    bool result = false;
    if (glob(path, GLOB_NOSORT, nullptr, &matches) == 0 && matches.gl_pathc > 0)
        result = statIsDirectory(matches.gl_pathv[0]);
    globfree(&matches);
    return result;
}

} // namespace dh::lisp
