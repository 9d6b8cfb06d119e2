// Application messages between the host and a module, and the two entry points every module
// exports with C linkage. The host sends each message to acrxEntryPoint with a packet: for
// kInitAppMsg and kUnloadAppMsg the module's application id (to hand to the dynamic
// linker), for kLoadDwgMsg and kUnloadDwgMsg the document, otherwise nullptr.
#pragma once

#include <adesk/Adesk.h>

// Operating-system handle of a loaded module (here: the handle dlopen gave).
typedef void* HINSTANCE;

namespace AcRx {

enum AppMsgCode : int {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
};

enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
};

} // namespace AcRx

// Version of the host interface; the host refuses a module whose acrxGetApiVersion differs.
#define ACRX_API_VERSION 0x00100000

// Exported by each module. Declared here with default visibility so that a module built
// with hidden symbols still exports its definitions.
extern "C" ADESK_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
extern "C" ADESK_EXPORT int acrxGetApiVersion();
