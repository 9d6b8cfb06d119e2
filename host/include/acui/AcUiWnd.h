// Windows of the dialog layer: CWnd is a dialog or one of its controls. A control object
// (a CListBox member of a dialog class, say) is bound to the dialog's control with that id
// by DDX_Control in DoDataExchange, and unbound when the dialog window goes. Calls on an
// unbound object do nothing and answer 0, FALSE or LB_ERR.
#pragma once

#include <acui/AcUiMessageMap.h>

#include <string>

class CFont;
class CWnd;

// The direction of a data exchange and the dialog it runs for.
class ADESK_EXPORT CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
    {
    }
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

class ADESK_EXPORT CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The control id, or 0 for a dialog or an unbound object.
    int GetDlgCtrlID() const;
    // The control with that id of this dialog (the bound object when there is one), or
    // nullptr. Objects made here belong to the dialog window.
    CWnd* GetDlgItem(int id) const;

    // The caption of a dialog, the text of a button or static text.
    void SetWindowText(LPCTSTR text);
    void GetWindowText(std::string& text) const;
    // Answers TRUE when the window was disabled before the call.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // Makes the window draw its text with font (the window keeps its own copy).
    void SetFont(CFont* font, BOOL redraw = TRUE);
    // Moves the keyboard focus here; answers the window that had it, or nullptr.
    CWnd* SetFocus();
    // WM_SETFONT (wParam: the HFONT) sets the font; other messages go to the message map.
    // Answers what the handler answered, 0 when none handled it.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Binds this object to the control with that id of the dialog parent.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Unbinds the object; answers the window it was bound to.
    HWND UnsubclassWindow();

    HWND m_hWnd = nullptr;

protected:
    // Called once the object is bound, before any message reaches it.
    virtual void PreSubclassWindow() {}
};

// Binds control to the control nIDC of the dialog pDX runs for, unless it is bound already.
ADESK_EXPORT void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
