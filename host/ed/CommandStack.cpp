#include "host/ed/CommandStack.h"

#include "host/ed/BuiltinCommandTable.h"

#include <acrx/AcRxDictionary.h>

#include <dlfcn.h>

ACRX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

// The default bodies answer as an empty stack; the host's stack overrides them all.
Acad::ErrorStatus AcEdCommandStack::addCommand(const char*, const char*, const char*,
                                               Adesk::Int32, AcRxFunctionPtr, AcEdUIContext*,
                                               int, HINSTANCE, AcEdCommand**)
{
    return Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcEdCommandStack::removeCmd(const char*, const char*) { return Acad::eKeyNotFound; }
Acad::ErrorStatus AcEdCommandStack::removeGroup(const char*) { return Acad::eKeyNotFound; }
AcEdCommand* AcEdCommandStack::lookupCmd(const char*) const { return nullptr; }
AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const char*) const { return nullptr; }
AcEdCommand* AcEdCommandStack::lookupLocalCmd(const char*) const { return nullptr; }

AcEdCommandStack* acedRegCmdsPtr()
{
    return AcEdCommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"));
}

namespace dh::ed {

const void* objectBaseOf(const void* address)
{
    Dl_info info{};
    if (address && dladdr(address, &info) != 0)
        return info.dli_fbase;
    return nullptr;
}

class CommandStack::Command : public AcEdCommand {
public:
    std::string group, global, local, globalKey, localKey;
    Adesk::Int32 flags = 0;
    AcRxFunctionPtr function = nullptr;
    AcEdUIContext* context = nullptr;
    int code = -1;
    HINSTANCE resources = nullptr;
    const void* owner = nullptr;

    const char* commandGroup() const override { return group.c_str(); }
    const char* globalName() const override { return global.c_str(); }
    const char* localName() const override { return local.c_str(); }
    Adesk::Int32 commandFlags() const override { return flags; }
    AcRxFunctionPtr functionAddr() const override { return function; }
    AcEdUIContext* UIContext() const override { return context; }
    int functionCode() const override { return code; }
    HINSTANCE resourceHandle() const override { return resources; }
};

CommandStack::CommandStack() = default;
CommandStack::~CommandStack() = default;

namespace {

bool sameName(const std::string& a, const char* b)
{
    return a == normalizeCommandName(b ? b : "");
}

}  // namespace

Acad::ErrorStatus CommandStack::addCommand(const char* group, const char* global,
                                           const char* local, Adesk::Int32 flags,
                                           AcRxFunctionPtr function, AcEdUIContext* context,
                                           int fcode, HINSTANCE resources, AcEdCommand** cmdPtr)
{
    if (!group || !*group || !global || !*global || !function)
        return Acad::eInvalidInput;
    if (lookupGlobalCmd(global))
        return Acad::eDuplicateKey;
    auto command = std::make_unique<Command>();
    command->group = group;
    command->global = global;
    command->local = local && *local ? local : global;
    command->globalKey = normalizeCommandName(command->global);
    command->localKey = normalizeCommandName(command->local);
    command->flags = flags;
    command->function = function;
    command->context = context;
    command->code = fcode;
    command->resources = resources;
    command->owner = objectBaseOf(reinterpret_cast<const void*>(function));
    if (cmdPtr)
        *cmdPtr = command.get();
    m_commands.push_back(std::move(command));
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeCmd(const char* group, const char* global)
{
    for (auto it = m_commands.begin(); it != m_commands.end(); ++it) {
        if (group && (*it)->group == group && sameName((*it)->globalKey, global)) {
            m_commands.erase(it);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus CommandStack::removeGroup(const char* group)
{
    std::size_t before = m_commands.size();
    std::erase_if(m_commands, [&](const auto& c) { return group && c->group == group; });
    return m_commands.size() == before ? Acad::eKeyNotFound : Acad::eOk;
}

AcEdCommand* CommandStack::lookupCmd(const char* typedName) const
{
    if (AcEdCommand* command = lookupGlobalCmd(typedName))
        return command;
    return lookupLocalCmd(typedName);
}

AcEdCommand* CommandStack::lookupGlobalCmd(const char* name) const
{
    for (const auto& c : m_commands) {
        if (sameName(c->globalKey, name))
            return c.get();
    }
    return nullptr;
}

AcEdCommand* CommandStack::lookupLocalCmd(const char* name) const
{
    for (const auto& c : m_commands) {
        if (sameName(c->localKey, name))
            return c.get();
    }
    return nullptr;
}

int CommandStack::removeCommandsOf(const void* base)
{
    std::size_t before = m_commands.size();
    std::erase_if(m_commands, [&](const auto& c) { return base && c->owner == base; });
    return static_cast<int>(before - m_commands.size());
}

}  // namespace dh::ed
