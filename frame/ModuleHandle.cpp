#include "frame/ModuleHandle.h"

#include <dlfcn.h>
#include <link.h>

// In this C library a dlopen handle is the module's link-map entry, which the loader gives
// for any address inside the module without another dlopen.
HINSTANCE ownModuleHandle()
{
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&ownModuleHandle), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0)
        return nullptr;
    return map;
}
