// The host's module loader, registered in acrxSysRegistry() as "DynamicLinker".
// A module may be unloaded only after it unlocked itself (unlockApplication with the
// application id it received with kInitAppMsg); registerAppMDIAware records that it works
// with several open drawings. Loading sends kInitAppMsg and then kLoadDwgMsg for every open
// drawing; unloading sends kUnloadAppMsg and removes what the module left registered.
#pragma once

#include <acrx/AcRxApp.h>
#include <acrx/AcRxObject.h>

class ADESK_EXPORT AcRxDynamicLinker : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);

    // False when appId names no loaded module.
    virtual bool unlockApplication(void* appId) const;
    virtual bool lockApplication(void* appId) const;
    virtual bool isApplicationLocked(const char* moduleName) const;
    virtual bool registerAppMDIAware(void* appId) const;
    virtual bool registerAppNotMDIAware(void* appId) const;

    // A path, or a module name found beside the program (".so" may be left out). printit
    // prints the reason of a failure on the command line.
    virtual bool loadModule(const char* fileName, bool printit, bool asCmd = false);
    virtual bool unloadModule(const char* fileName, bool asCmd = false);
    // True when a module of that name or path is loaded.
    virtual bool isModuleLoaded(const char* fileName) const;
};

// The host's dynamic linker (the object registered as "DynamicLinker").
ADESK_EXPORT AcRxDynamicLinker* acrxDynamicLinkerPtr();
#define acrxDynamicLinker acrxDynamicLinkerPtr()
