// The dialog layer's module records: which loaded modules carry resources.
#include <acui/AcUi.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<const AcUiExtensionModule*>& resourceModules()
{
    static std::vector<const AcUiExtensionModule*> modules;
    return modules;
}

}  // namespace

bool acuiInitExtensionModule(AcUiExtensionModule& module, HINSTANCE hInstance, const void* resources)
{
    if (!hInstance)
        return false;
    module.hModule = hInstance;
    module.resources = resources;
    module.initialized = true;
    return true;
}

void acuiTermExtensionModule(AcUiExtensionModule& module)
{
    std::erase(resourceModules(), &module);
    module.initialized = false;
}

bool acuiAddResourceModule(const AcUiExtensionModule& module)
{
    if (!module.initialized)
        return false;
    auto& list = resourceModules();
    if (std::find(list.begin(), list.end(), &module) == list.end())
        list.push_back(&module);
    return true;
}

const AcUiExtensionModule* acuiFindExtensionModule(HINSTANCE hInstance)
{
    for (const AcUiExtensionModule* m : resourceModules()) {
        if (m->hModule == hInstance)
            return m;
    }
    return nullptr;
}

void InitAcUiDLL() {}
