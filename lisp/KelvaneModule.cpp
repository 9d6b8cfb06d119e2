// Kelvane's single application object, its per-document records and its resources.
#include "frame/CDocData.h"
#include "frame/KelvaneApp.h"
#include "frame/ModuleLifetime.h"
#include "lisp/LispFunctions.h"
#include "resources/KelvaneResources.h"

#include <acap/AcApDataManager.h>

namespace {

constinit CKelvaneApp theApp(lispFunctionTable);
AcApDataManager<CDocData> theDocData;

} // namespace

AcRxDbxApp& moduleApplication()
{
    return theApp;
}

const void* moduleResources()
{
    return &dh::res::kKelvaneResources;
}
