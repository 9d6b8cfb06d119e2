// Dialogs built from a module's dialog template. DoModal finds the template in the
// resources of the module given at construction, else of the module on top of the host's
// resource stack (AcApDocManager::pushResourceHandle), builds the window, runs
// DoDataExchange and OnInitDialog, and waits until EndDialog: in a window when the host
// runs interactively on a display, otherwise driven by the host's input lines. It answers
// the EndDialog value, or -1 when the dialog cannot be made (the reason is printed).
// Button 1 runs OnOK and button 2, Escape and the close box run OnCancel unless the
// dialog's message map routes them elsewhere.
#pragma once

#include <acrx/AcRxApp.h>
#include <acui/AcUiWnd.h>

class ADESK_EXPORT CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Ends the dialog; DoModal answers nResult.
    void EndDialog(int nResult);
    // Runs DoDataExchange: saveAndValidate FALSE fills the controls, TRUE reads them.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT templateId() const { return m_nIDTemplate; }

    DECLARE_MESSAGE_MAP()

    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    // The module whose template is used; nullptr: the current resource handle.
    HINSTANCE m_hDialogResource = nullptr;
};

class ADESK_EXPORT CAdUiBaseDialog : public CDialog {
public:
    explicit CAdUiBaseDialog(UINT nIDTemplate, CWnd* pParent = nullptr,
                             HINSTANCE hDialogResource = nullptr);
};

class ADESK_EXPORT CAdUiDialog : public CAdUiBaseDialog {
public:
    explicit CAdUiDialog(UINT nIDTemplate, CWnd* pParent = nullptr,
                         HINSTANCE hDialogResource = nullptr);
};

class ADESK_EXPORT CAcUiDialog : public CAdUiDialog {
public:
    explicit CAcUiDialog(UINT nIDTemplate, CWnd* pParent = nullptr,
                         HINSTANCE hDialogResource = nullptr);
};
