// The module's start-up and shut-down steps, run by the loader when the shared object is
// mapped and unmapped (before the host's first message and after its last), and the two
// entry points the host looks up.
#include "frame/AcRxDbxApp.h"
#include "frame/ModuleHandle.h"
#include "frame/ModuleLifetime.h"

#include <acui/AcUi.h>

namespace {

constinit AcUiExtensionModule g_extensionModule;

__attribute__((constructor)) void attachModule()
{
    HINSTANCE handle = ownModuleHandle();
    moduleApplication().setInstanceHandle(handle);
    if (acuiInitExtensionModule(g_extensionModule, handle, moduleResources()))
        acuiAddResourceModule(g_extensionModule);
    InitAcUiDLL();
}

__attribute__((destructor)) void detachModule()
{
    if (g_extensionModule.initialized)
        acuiTermExtensionModule(g_extensionModule);
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)
{
    // No exception may cross into the host.
    try {
        // The code is an int underneath, so codes past the named ones arrive intact.
        return moduleApplication().messageHandler(static_cast<int>(msg), pkt);
    } catch (...) {
        return AcRx::kRetOK;
    }
}

extern "C" int acrxGetApiVersion()
{
    return ACRX_API_VERSION;
}
