// The host's AcRxDynamicLinker ("DynamicLinker" in the system registry) over the
// session's module manager.
#pragma once

#include <acrx/AcRxDynamicLinker.h>

namespace dh::ed {

class Session;

class DynamicLinker : public AcRxDynamicLinker {
public:
    explicit DynamicLinker(Session& session) : m_session(session) {}

    bool unlockApplication(void* appId) const override;
    bool lockApplication(void* appId) const override;
    bool isApplicationLocked(const char* moduleName) const override;
    bool registerAppMDIAware(void* appId) const override;
    bool registerAppNotMDIAware(void* appId) const override;
    bool loadModule(const char* fileName, bool printit, bool asCmd = false) override;
    bool unloadModule(const char* fileName, bool asCmd = false) override;
    bool isModuleLoaded(const char* fileName) const override;

private:
    Session& m_session;
};

}  // namespace dh::ed
