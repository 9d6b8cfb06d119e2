// The host's command stack (AcEdCommandStack, "ACAD_REGISTERED_COMMANDS"): commands by
// group, global and local name. Each command remembers the loaded object its function
// lives in, so that unloading a module removes the commands it left behind.
#pragma once

#include <aced/AcEdCommandStack.h>

#include <memory>
#include <string>
#include <vector>

namespace dh::ed {

class CommandStack : public AcEdCommandStack {
public:
    CommandStack();
    ~CommandStack() override;

    Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                 const char* cmdLocalName, Adesk::Int32 commandFlags,
                                 AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                 int fcode = -1, HINSTANCE hResourceHandle = 0,
                                 AcEdCommand** cmdPtr = nullptr) override;
    Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName) override;
    Acad::ErrorStatus removeGroup(const char* groupName) override;
    AcEdCommand* lookupCmd(const char* typedName) const override;
    AcEdCommand* lookupGlobalCmd(const char* globalName) const override;
    AcEdCommand* lookupLocalCmd(const char* localName) const override;

    // Removes every command whose function lies in the loaded object based at base.
    // Answers how many were removed.
    int removeCommandsOf(const void* base);
    std::size_t size() const { return m_commands.size(); }

private:
    class Command;
    std::vector<std::unique_ptr<Command>> m_commands;  // in registration order
};

// The base address of the loaded object (program, library or module) holding address.
const void* objectBaseOf(const void* address);

}  // namespace dh::ed
