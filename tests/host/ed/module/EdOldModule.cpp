// A module built for another interface version: the host must refuse it before sending
// any message.
#include <acrx/AcRxApp.h>

#include <cstdlib>

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*)
{
    std::abort();  // never called
}

extern "C" int acrxGetApiVersion() { return 0x000F0000; }
