// Terravue's single application object, its per-document records and its resources.
#include "frame/CDocData.h"
#include "frame/ModuleLifetime.h"
#include "frame/TerravueApp.h"
#include "resources/TerravueResources.h"
#include "terrain/TerrainCommands.h"

#include <acap/AcApDataManager.h>

namespace {

constinit CTerravueApp theApp(commandTable);
AcApDataManager<CDocData> theDocData;

} // namespace

AcRxDbxApp& moduleApplication()
{
    return theApp;
}

const void* moduleResources()
{
    return &dh::res::kTerravueResources;
}
