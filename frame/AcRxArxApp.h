// Application class that adds typed commands: registers every entry of the module's
// command table on initialisation and removes them again on unload, in table order. A
// command the host refuses (a global name already taken) is skipped silently.
#pragma once

#include "frame/AcRxDbxApp.h"
#include "frame/CommandEntry.h"

#include <span>

class AcRxArxApp : public AcRxDbxApp {
public:
    constexpr explicit AcRxArxApp(std::span<const CommandEntry> commandTable)
        : m_commandTable(commandTable)
    {
    }

    AcRx::AppRetCode On_kInitAppMsg(void* pkt) override;
    AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override;

protected:
    void registerCommands();
    void removeCommands();

private:
    std::span<const CommandEntry> m_commandTable;
};
