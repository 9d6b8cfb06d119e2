// Root of the application class family: one instance per module turns the host's
// application messages into calls of 17 virtual slots. Slots 0 to 14 take messages 1 to
// 15, slot 15 takes message 0 and slot 16 is the hook the root initialisation calls. Every
// handler answers AcRx::kRetOK; the frame reports nothing to the host.
#pragma once

#include <acrx/AcRxApp.h>

class AcRxDbxApp {
public:
    // Constant-initialised, so that the module start-up step may store the instance
    // handle before any dynamic initialiser of the module has run.
    constexpr AcRxDbxApp() = default;
    virtual ~AcRxDbxApp() = default;

    AcRxDbxApp(const AcRxDbxApp&) = delete;
    AcRxDbxApp& operator=(const AcRxDbxApp&) = delete;

    // Routes a message to its slot; codes outside 0 to 15 answer 0 without a handler.
    AcRx::AppRetCode messageHandler(int code, void* pkt);

    // Slots 0 to 16, in this order.
    virtual AcRx::AppRetCode On_kInitAppMsg(void* pkt);
    virtual AcRx::AppRetCode On_kUnloadAppMsg(void* pkt);
    virtual AcRx::AppRetCode On_kLoadDwgMsg(void* pkt);
    virtual AcRx::AppRetCode On_kUnloadDwgMsg(void* pkt);
    virtual AcRx::AppRetCode On_kInvkSubrMsg(void* pkt);
    virtual AcRx::AppRetCode On_kCfgMsg(void* pkt);
    virtual AcRx::AppRetCode On_kEndMsg(void* pkt);
    virtual AcRx::AppRetCode On_kQuitMsg(void* pkt);
    virtual AcRx::AppRetCode On_kSaveMsg(void* pkt);
    virtual AcRx::AppRetCode On_kDependencyMsg(void* pkt);
    virtual AcRx::AppRetCode On_kNoDependencyMsg(void* pkt);
    virtual AcRx::AppRetCode On_kOleUnloadAppMsg(void* pkt);
    virtual AcRx::AppRetCode On_kPreQuitMsg(void* pkt);
    virtual AcRx::AppRetCode On_kInitDialogMsg(void* pkt);
    virtual AcRx::AppRetCode On_kEndDialogMsg(void* pkt);
    virtual AcRx::AppRetCode On_kNullMsg(void* pkt);
    virtual void RegisterServerComponents() = 0;

    HINSTANCE instanceHandle() const { return m_hInstance; }
    void setInstanceHandle(HINSTANCE handle) { m_hInstance = handle; }

protected:
    HINSTANCE m_hInstance = nullptr;
    bool m_bUnlock = true;
    bool m_bMDIAware = true;
};
