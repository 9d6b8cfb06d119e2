// The loaded modules: dlopen, the version check, application messages (every call into a
// module is wrapped so that no exception crosses it), and unloading with the clean-up of
// what the module left registered (commands, LISP functions, document reactors).
#pragma once

#include <acrx/AcRxApp.h>

#include <memory>
#include <string>
#include <vector>

namespace dh::ed {

class Session;

struct Module {
    std::string name;  // file name without folder and ".so"
    std::string path;
    void* handle = nullptr;  // the dlopen handle, also the application id of the messages
    const void* base = nullptr;
    AcRx::AppRetCode (*entry)(AcRx::AppMsgCode, void*) = nullptr;
    bool unlocked = false;
    bool mdiAware = false;
};

class ModuleManager {
public:
    explicit ModuleManager(Session& session);
    ~ModuleManager();

    // Loads a module by path, or by name from the module folder (".so" may be left out),
    // sends kInitAppMsg and kLoadDwgMsg for every open document. nullptr with the reason in
    // error when it cannot be loaded (not found, not a module, wrong interface version,
    // already loaded, initialisation refused).
    Module* load(const std::string& pathOrName, std::string& error);
    // Sends kUnloadAppMsg and unloads. False with the reason when the module is not loaded
    // or is locked (it never unlocked itself).
    bool unload(const std::string& pathOrName, std::string& error);
    void unloadAll();

    Module* find(const std::string& pathOrName) const;
    Module* findByAppId(const void* appId) const;
    Module* findByBase(const void* base) const;
    // The module whose message is being handled (innermost), or nullptr.
    Module* dispatching() const { return m_dispatching.empty() ? nullptr : m_dispatching.back(); }
    const std::vector<std::unique_ptr<Module>>& modules() const { return m_modules; }

    // Sends a message; a stray exception becomes kRetError with a message on the transcript.
    AcRx::AppRetCode send(Module& module, AcRx::AppMsgCode msg, void* pkt);
    void broadcast(AcRx::AppMsgCode msg, void* pkt);
    // kLoadDwgMsg / kUnloadDwgMsg for one document to every module, that document current.
    void sendDocumentMessage(AcRx::AppMsgCode msg, void* document);

    std::string resolve(const std::string& pathOrName) const;

private:
    void release(Module& module);

    Session& m_session;
    std::vector<std::unique_ptr<Module>> m_modules;
    std::vector<Module*> m_dispatching;
};

}  // namespace dh::ed
