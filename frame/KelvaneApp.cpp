#include "frame/KelvaneApp.h"

AcRx::AppRetCode CKelvaneApp::On_kUnloadAppMsg(void* pkt)
{
    undefineLispFunctions(m_lispFunctions);
    return AcRxArxApp::On_kUnloadAppMsg(pkt);
}

AcRx::AppRetCode CKelvaneApp::On_kLoadDwgMsg(void* pkt)
{
    // A drawing without the functions is no reason to refuse the drawing.
    AcRxArxApp::On_kLoadDwgMsg(pkt);
    defineLispFunctions(m_lispFunctions);
    return AcRx::kRetOK;
}

AcRx::AppRetCode CKelvaneApp::On_kInvkSubrMsg(void* pkt)
{
    // The function's status is not the host's business: it sees only the result set.
    AcRxArxApp::On_kInvkSubrMsg(pkt);
    invokeLispFunction(m_lispFunctions);
    return AcRx::kRetOK;
}
