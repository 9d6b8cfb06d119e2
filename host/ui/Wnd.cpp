// CCmdTarget's message maps and CWnd: the interface objects over the dialog window's
// widgets.
#include "host/ui/DialogWindow.h"
#include "host/ui/DialogFonts.h"

#include <acui/AcUiFont.h>
#include <acui/AcUiWnd.h>

#include <QAbstractButton>
#include <QLabel>

namespace {

using dh::ui::dialogWindowOf;
using dh::ui::widgetOf;

const AcUiMessageMapEntry* findEntry(const AcUiMessageMap* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->base ? map->base() : nullptr) {
        for (const AcUiMessageMapEntry* entry = map->entries; entry->message != 0; ++entry) {
            if (entry->message != message)
                continue;
            if (message != WM_COMMAND || (entry->code == code && entry->id == id))
                return entry;
        }
    }
    return nullptr;
}

} // namespace

const AcUiMessageMap* CCmdTarget::GetThisMessageMap()
{
    static const AcUiMessageMapEntry entries[] = {{0, 0, 0, nullptr, nullptr}};
    static const AcUiMessageMap map = {nullptr, entries};
    return &map;
}

const AcUiMessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const AcUiMessageMapEntry* entry = findEntry(GetMessageMap(), WM_COMMAND, code, id);
    if (!entry || !entry->command)
        return FALSE;
    (this->*entry->command)();
    return TRUE;
}

LRESULT CCmdTarget::dispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& found)
{
    const AcUiMessageMapEntry* entry =
        message == WM_COMMAND ? nullptr : findEntry(GetMessageMap(), message, 0, 0);
    found = entry && entry->handler;
    return found ? (this->*entry->handler)(wParam, lParam) : 0;
}

CWnd::~CWnd()
{
    UnsubclassWindow();
}

int CWnd::GetDlgCtrlID() const
{
    dh::ui::DialogWindow* window = dialogWindowOf(m_hWnd);
    return window ? window->controlId(widgetOf(m_hWnd)) : 0;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    auto* window = dynamic_cast<dh::ui::DialogWindow*>(widgetOf(m_hWnd));
    return window ? window->wndFor(id) : nullptr;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    QWidget* widget = widgetOf(m_hWnd);
    const QString value = QString::fromUtf8(text ? text : "");
    if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        button->setText(value);
    else if (auto* label = dynamic_cast<QLabel*>(widget))
        label->setText(value);
    else if (widget)
        widget->setWindowTitle(value);
}

void CWnd::GetWindowText(std::string& text) const
{
    QWidget* widget = widgetOf(m_hWnd);
    QString value;
    if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        value = button->text();
    else if (auto* label = dynamic_cast<QLabel*>(widget))
        value = label->text();
    else if (widget)
        value = widget->windowTitle();
    const QByteArray bytes = value.toUtf8();
    text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* widget = widgetOf(m_hWnd);
    if (!widget)
        return FALSE;
    const BOOL wasDisabled = widget->isEnabled() ? FALSE : TRUE;
    widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* widget = widgetOf(m_hWnd);
    return widget && widget->isEnabled() ? TRUE : FALSE;
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    if (font)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(*font)), redraw);
}

CWnd* CWnd::SetFocus()
{
    dh::ui::DialogWindow* window = dialogWindowOf(m_hWnd);
    const int id = GetDlgCtrlID();
    if (!window || id == 0)
        return nullptr;
    CWnd* previous = window->focusedId() ? window->wndFor(window->focusedId()) : nullptr;
    window->focusControl(id);
    return previous;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFONT) {
        QWidget* widget = widgetOf(m_hWnd);
        const auto* logFont = reinterpret_cast<const LOGFONTA*>(wParam);
        if (widget && logFont) {
            widget->setFont(dh::ui::fontFromLogFont(*logFont));
            if (lParam)
                widget->update();
        }
        return 0;
    }
    bool found = false;
    return dispatchMessage(message, wParam, lParam, found);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    auto* window = parent ? dynamic_cast<dh::ui::DialogWindow*>(widgetOf(parent->m_hWnd)) : nullptr;
    QWidget* control = window ? window->control(static_cast<int>(id)) : nullptr;
    if (!control || m_hWnd || window->boundWnd(static_cast<int>(id)))
        return FALSE;
    m_hWnd = dh::ui::handleOf(control);
    window->bind(static_cast<int>(id), *this);
    PreSubclassWindow();
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND handle = m_hWnd;
    if (dh::ui::DialogWindow* window = dialogWindowOf(handle))
        window->unbind(*this);
    m_hWnd = nullptr;
    return handle;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control)
{
    if (pDX && !control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}
