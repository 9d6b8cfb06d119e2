// The application object and resources of the module being built. Each module defines
// these once; the frame's entry points and start-up step reach the module through them.
#pragma once

class AcRxDbxApp;

AcRxDbxApp& moduleApplication();
// The module's resource table as the dialog layer reads it.
const void* moduleResources();
