// Kelvane's application object: defines its LISP functions in every drawing the host
// loads, routes each call to its body and undefines them on unload. It has no commands.
#pragma once

#include "frame/AcRxArxApp.h"
#include "frame/LispRegistry.h"

class CKelvaneApp : public AcRxArxApp {
public:
    constexpr explicit CKelvaneApp(std::span<const LispFunctionEntry> lispFunctions)
        : AcRxArxApp({}), m_lispFunctions(lispFunctions)
    {
    }

    AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override;
    AcRx::AppRetCode On_kLoadDwgMsg(void* pkt) override;
    AcRx::AppRetCode On_kInvkSubrMsg(void* pkt) override;
    void RegisterServerComponents() override {}

private:
    std::span<const LispFunctionEntry> m_lispFunctions;
};
