// The window of one CDialog while it runs: a QDialog with the template's controls placed
// in dialog units of the template's font. It routes button clicks (BN_CLICKED), a list's
// gaining the focus (LBN_SETFOCUS), drops in a drag list, Escape and the close box
// (IDCANCEL) to the dialog's message map. No exception of a handler leaves it: one is
// reported on the transcript and ends the dialog with -1.
//
// The window tracks which control has the focus itself, so that a dialog driven by input
// lines, never shown, behaves as a shown one: the focus moves to a list or button when it
// is used, and a list hears LBN_SETFOCUS when the focus moves to it from elsewhere.
#pragma once

#include <acui/AcUiResources.h>
#include <acui/AcUiWinTypes.h>

#include <QDialog>
#include <QPixmap>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CDialog;
class CWnd;

namespace dh::ui {

class ListWidget;

class DialogWindow : public QDialog {
public:
    DialogWindow(const res::DialogTemplate& dialogTemplate, CDialog& owner);
    ~DialogWindow() override;

    const res::DialogTemplate& dialogTemplate() const { return m_template; }
    CDialog& owner() const { return m_owner; }

    // The control with that id, or nullptr.
    QWidget* control(int id) const;
    // The id of a control of this window, or 0.
    int controlId(const QWidget* widget) const;
    ListWidget* list(int id) const;
    // The list boxes, in template order.
    std::vector<int> listIds() const;

    // The object bound to a control by DDX_Control, or nullptr.
    CWnd* boundWnd(int id) const;
    void bind(int id, CWnd& wnd);
    void unbind(const CWnd& wnd);
    // The object standing for the control: the bound one, else one the window owns.
    CWnd* wndFor(int id);

    // Runs the message-map handler of WM_COMMAND (id, code), guarded.
    void command(int id, unsigned code);
    // Moves the focus to the control (a list hears LBN_SETFOCUS when it gains it).
    void focusControl(int id);
    int focusedId() const { return m_focusId; }
    // A drop of row src into gap of the list id, as the bound CDragListBox takes it.
    void dropItem(int id, int src, int gap);

    // The dialog as a person sees it: a caption bar over the client area, drawn here so
    // that platforms without window decorations show the caption too.
    QPixmap picture();

    // Ends the dialog with result (once; later calls are ignored).
    void finish(int result);
    bool finished() const { return m_finished; }
    int result() const { return m_result; }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeControl(const res::DialogControl& control, const QSize& baseUnits);
    void noteFocus(int id);
    template <class F>
    void guarded(const char* what, int id, F&& handler);

    const res::DialogTemplate& m_template;
    CDialog& m_owner;
    std::vector<std::pair<int, QWidget*>> m_controls;
    std::map<int, CWnd*> m_bound;
    std::map<int, std::unique_ptr<CWnd>> m_owned;
    int m_focusId = 0;
    bool m_finished = false;
    int m_result = -1;
};

// The window of a bound control or dialog (nullptr when there is none).
QWidget* widgetOf(HWND handle);
HWND handleOf(QWidget* widget);
// The dialog window a control or dialog belongs to, or nullptr.
DialogWindow* dialogWindowOf(HWND handle);

// Reports a failure of the dialog layer on the transcript and the error stream.
void reportDialogError(const std::string& reason);

} // namespace dh::ui
