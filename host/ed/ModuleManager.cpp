#include "host/ed/ModuleManager.h"

#include "host/ed/CommandStack.h"
#include "host/ed/Document.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/LispBridge.h"
#include "host/ed/Session.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace dh::ed {

namespace {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using VersionFn = int (*)();

std::string moduleName(const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0)
        name.resize(name.size() - 3);
    return name;
}

bool equalsIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Keeps the stack of modules being dispatched right even when a message handler throws.
struct DispatchScope {
    std::vector<Module*>& stack;
    DispatchScope(std::vector<Module*>& s, Module* m) : stack(s) { stack.push_back(m); }
    ~DispatchScope() { stack.pop_back(); }
};

}  // namespace

ModuleManager::ModuleManager(Session& session) : m_session(session) {}

ModuleManager::~ModuleManager() { unloadAll(); }

std::string ModuleManager::resolve(const std::string& pathOrName) const
{
    namespace fs = std::filesystem;
    if (pathOrName.find('/') != std::string::npos)
        return pathOrName;
    std::string file = pathOrName;
    if (file.size() < 3 || file.compare(file.size() - 3, 3, ".so") != 0)
        file += ".so";
    const std::string& dir = m_session.options().moduleDir;
    fs::path candidate = fs::path(dir.empty() ? "." : dir) / file;
    return candidate.string();
}

Module* ModuleManager::find(const std::string& pathOrName) const
{
    std::string name = moduleName(pathOrName);
    for (const auto& m : m_modules) {
        if (equalsIgnoreCase(m->name, name))
            return m.get();
    }
    return nullptr;
}

Module* ModuleManager::findByAppId(const void* appId) const
{
    for (const auto& m : m_modules) {
        if (appId && (m->handle == appId || m->base == appId))
            return m.get();
    }
    return nullptr;
}

Module* ModuleManager::findByBase(const void* base) const
{
    for (const auto& m : m_modules) {
        if (base && m->base == base)
            return m.get();
    }
    return nullptr;
}

Module* ModuleManager::load(const std::string& pathOrName, std::string& error)
{
    std::string path = resolve(pathOrName);
    if (find(path)) {
        error = "module " + moduleName(path) + " is already loaded";
        return nullptr;
    }
    if (!std::filesystem::exists(path)) {
        error = "cannot find module " + path;
        return nullptr;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = std::string("cannot load ") + path + ": " + (reason ? reason : "unknown reason");
        return nullptr;
    }
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "acrxEntryPoint"));
    auto version = reinterpret_cast<VersionFn>(dlsym(handle, "acrxGetApiVersion"));
    if (!entry || !version) {
        dlclose(handle);
        error = path + " is not a module (acrxEntryPoint or acrxGetApiVersion missing)";
        return nullptr;
    }
    int v = version();
    if (v != ACRX_API_VERSION) {
        dlclose(handle);
        char text[32];
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
        error = path + " was built for interface version " + text + ", not 0x00100000";
        return nullptr;
    }
    auto module = std::make_unique<Module>();
    module->name = moduleName(path);
    module->path = path;
    module->handle = handle;
    module->entry = entry;
    module->base = objectBaseOf(reinterpret_cast<const void*>(entry));
    Module* m = module.get();
    m_modules.push_back(std::move(module));

    if (send(*m, AcRx::kInitAppMsg, m->handle) != AcRx::kRetOK) {
        error = "module " + m->name + " refused to initialise";
        release(*m);
        return nullptr;
    }
    Document* active = m_session.activeDocument();
    for (const auto& doc : m_session.documents()) {
        m_session.setActiveDocument(*doc);
        send(*m, AcRx::kLoadDwgMsg, doc.get());
    }
    if (active)
        m_session.setActiveDocument(*active);
    return m;
}

bool ModuleManager::unload(const std::string& pathOrName, std::string& error)
{
    Module* m = find(pathOrName);
    if (!m) {
        error = "module " + moduleName(pathOrName) + " is not loaded";
        return false;
    }
    if (!m->unlocked) {
        error = "module " + m->name + " is locked and cannot be unloaded";
        return false;
    }
    if (std::find(m_dispatching.begin(), m_dispatching.end(), m) != m_dispatching.end()) {
        // Its code is running: unmapping it now would pull the ground from under it.
        error = "module " + m->name + " is busy and cannot be unloaded";
        return false;
    }
    send(*m, AcRx::kUnloadAppMsg, m->handle);
    release(*m);
    return true;
}

void ModuleManager::unloadAll()
{
    while (!m_modules.empty()) {
        Module& m = *m_modules.back();
        send(m, AcRx::kUnloadAppMsg, m.handle);
        release(m);
    }
}

void ModuleManager::release(Module& module)
{
    // What the module left registered would point into unmapped code after dlclose.
    m_session.lisp().removeModule(module);
    m_session.commandStack().removeCommandsOf(module.base);
    m_session.documentManager().removeReactorsOf(module.base);
    void* handle = module.handle;
    std::erase_if(m_modules, [&](const auto& m) { return m.get() == &module; });
    dlclose(handle);
}

AcRx::AppRetCode ModuleManager::send(Module& module, AcRx::AppMsgCode msg, void* pkt)
{
    DispatchScope scope(m_dispatching, &module);
    try {
        return module.entry(msg, pkt);
    } catch (const std::exception& e) {
        m_session.printResultLine("; error: module " + module.name + ": " + e.what());
    } catch (...) {
        m_session.printResultLine("; error: module " + module.name + ": unknown exception");
    }
    return AcRx::kRetError;
}

void ModuleManager::broadcast(AcRx::AppMsgCode msg, void* pkt)
{
    std::vector<Module*> targets;
    for (const auto& m : m_modules)
        targets.push_back(m.get());
    for (Module* m : targets) {
        if (findByBase(m->base))
            send(*m, msg, pkt);
    }
}

void ModuleManager::sendDocumentMessage(AcRx::AppMsgCode msg, void* document)
{
    Document* active = m_session.activeDocument();
    for (const auto& doc : m_session.documents()) {
        if (doc.get() == document) {
            m_session.setActiveDocument(*doc);
            break;
        }
    }
    broadcast(msg, document);
    if (active && active != document) {
        for (const auto& doc : m_session.documents()) {
            if (doc.get() == active)
                m_session.setActiveDocument(*active);
        }
    }
}

}  // namespace dh::ed
