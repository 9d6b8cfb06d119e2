// The operating-system handle of the module this code is built into.
#pragma once

#include <acrx/AcRxApp.h>

// The module's own dlopen handle, or nullptr when the loader cannot tell.
HINSTANCE ownModuleHandle();
