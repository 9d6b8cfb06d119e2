#include "frame/AcRxArxApp.h"

#include <aced/AcEdCommandStack.h>
#include <acrx/AcRxDictionary.h>

namespace {

// Looked up afresh for every entry: the host may replace its command stack at any time.
AcEdCommandStack* commandStack()
{
    AcRxDictionary* registry = acrxSysRegistry();
    if (registry == nullptr)
        return nullptr;
    return AcEdCommandStack::cast(registry->at("ACAD_REGISTERED_COMMANDS"));
}

} // namespace

AcRx::AppRetCode AcRxArxApp::On_kInitAppMsg(void* pkt)
{
    AcRx::AppRetCode result = AcRxDbxApp::On_kInitAppMsg(pkt);
    registerCommands();
    return result;
}

AcRx::AppRetCode AcRxArxApp::On_kUnloadAppMsg(void* pkt)
{
    AcRx::AppRetCode result = AcRxDbxApp::On_kUnloadAppMsg(pkt);
    removeCommands();
    return result;
}

void AcRxArxApp::registerCommands()
{
    for (const CommandEntry& entry : m_commandTable) {
        AcEdCommandStack* stack = commandStack();
        if (stack == nullptr)
            continue;
        stack->addCommand(entry.group, entry.globalName, entry.localName, entry.flags,
                          entry.function, entry.uiContext, -1, m_hInstance, nullptr);
    }
}

void AcRxArxApp::removeCommands()
{
    for (const CommandEntry& entry : m_commandTable) {
        AcEdCommandStack* stack = commandStack();
        if (stack == nullptr)
            continue;
        stack->removeCmd(entry.group, entry.globalName);
    }
}
