// AcGeContext: the kernel's global settings; gTol is the tolerance every comparison uses
// when the caller gives none.
#pragma once

#include <adesk/Adesk.h>
#include <acge/AcGeTol.h>

struct ADESK_EXPORT AcGeContext {
    static AcGeTol gTol;
};
