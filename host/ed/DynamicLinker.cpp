#include "host/ed/DynamicLinker.h"

#include "host/ed/ModuleManager.h"
#include "host/ed/Session.h"

#include <acrx/AcRxDictionary.h>

ACRX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

// Defaults of a linker without modules; the host's linker overrides them all.
bool AcRxDynamicLinker::unlockApplication(void*) const { return false; }
bool AcRxDynamicLinker::lockApplication(void*) const { return false; }
bool AcRxDynamicLinker::isApplicationLocked(const char*) const { return false; }
bool AcRxDynamicLinker::registerAppMDIAware(void*) const { return false; }
bool AcRxDynamicLinker::registerAppNotMDIAware(void*) const { return false; }
bool AcRxDynamicLinker::loadModule(const char*, bool, bool) { return false; }
bool AcRxDynamicLinker::unloadModule(const char*, bool) { return false; }
bool AcRxDynamicLinker::isModuleLoaded(const char*) const { return false; }

AcRxDynamicLinker* acrxDynamicLinkerPtr()
{
    return AcRxDynamicLinker::cast(acrxSysRegistry()->at("DynamicLinker"));
}

namespace dh::ed {

bool DynamicLinker::unlockApplication(void* appId) const
{
    Module* m = m_session.modules().findByAppId(appId);
    if (m)
        m->unlocked = true;
    return m != nullptr;
}

bool DynamicLinker::lockApplication(void* appId) const
{
    Module* m = m_session.modules().findByAppId(appId);
    if (m)
        m->unlocked = false;
    return m != nullptr;
}

bool DynamicLinker::isApplicationLocked(const char* moduleName) const
{
    Module* m = moduleName ? m_session.modules().find(moduleName) : nullptr;
    return m && !m->unlocked;
}

bool DynamicLinker::registerAppMDIAware(void* appId) const
{
    Module* m = m_session.modules().findByAppId(appId);
    if (m)
        m->mdiAware = true;
    return m != nullptr;
}

bool DynamicLinker::registerAppNotMDIAware(void* appId) const
{
    Module* m = m_session.modules().findByAppId(appId);
    if (m)
        m->mdiAware = false;
    return m != nullptr;
}

bool DynamicLinker::loadModule(const char* fileName, bool printit, bool)
{
    if (!fileName)
        return false;
    std::string error;
    if (m_session.modules().load(fileName, error))
        return true;
    if (printit)
        m_session.print("\n" + error);
    return false;
}

bool DynamicLinker::unloadModule(const char* fileName, bool)
{
    std::string error;
    return fileName && m_session.modules().unload(fileName, error);
}

bool DynamicLinker::isModuleLoaded(const char* fileName) const
{
    return fileName && m_session.modules().find(fileName) != nullptr;
}

}  // namespace dh::ed
