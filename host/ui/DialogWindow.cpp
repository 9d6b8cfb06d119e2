#include "host/ui/DialogWindow.h"

#include "host/ed/Session.h"
#include "host/ui/DialogFonts.h"
#include "host/ui/ListWidget.h"

#include <acui/AcUiDialog.h>
#include <acui/AcUiListBox.h>

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <exception>
#include <iostream>

namespace dh::ui {
namespace {

QLocale localeOf(int language)
{
    return language == res::kLanguageChineseSimplified ? QLocale(QLocale::Chinese, QLocale::China)
                                                       : QLocale::system();
}

QString textOf(const char* text)
{
    return QString::fromUtf8(text ? text : "");
}

} // namespace

QWidget* widgetOf(HWND handle)
{
    return reinterpret_cast<QWidget*>(handle);
}

HWND handleOf(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

DialogWindow* dialogWindowOf(HWND handle)
{
    QWidget* widget = widgetOf(handle);
    return widget ? dynamic_cast<DialogWindow*>(widget->window()) : nullptr;
}

void reportDialogError(const std::string& reason)
{
    if (ed::Session* session = ed::Session::current()) {
        session->printResultLine("; error: " + reason);
        session->fail(ed::kExitFailed, reason);
    } else {
        std::cerr << reason << '\n';
    }
}

DialogWindow::DialogWindow(const res::DialogTemplate& dialogTemplate, CDialog& owner)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_template(dialogTemplate), m_owner(owner)
{
    setWindowTitle(textOf(dialogTemplate.caption));
    setModal(true);
    const QFont font = dialogFont(dialogTemplate.fontName, dialogTemplate.fontPointSize);
    setFont(font);
    const QSize base = dialogBaseUnits(font);
    setFixedSize(dialogRect(base, 0, 0, dialogTemplate.width, dialogTemplate.height).size());
    for (const res::DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = makeControl(control, base);
        m_controls.emplace_back(control.id, widget);
        if (widget->focusPolicy() != Qt::NoFocus) {
            widget->installEventFilter(this);
            if (m_focusId == 0)
                m_focusId = control.id;
        }
    }
}

DialogWindow::~DialogWindow()
{
    for (auto& [id, wnd] : m_bound)
        wnd->m_hWnd = nullptr;
    for (auto& [id, wnd] : m_owned)
        wnd->m_hWnd = nullptr;
}

QWidget* DialogWindow::makeControl(const res::DialogControl& control, const QSize& base)
{
    QWidget* widget = nullptr;
    switch (control.kind) {
    case res::ControlKind::PushButton: {
        auto* button = new QPushButton(textOf(control.text), this);
        button->setDefault((control.style & res::kDefaultButton) != 0);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this, [this, id] { command(id, BN_CLICKED); });
        widget = button;
        break;
    }
    case res::ControlKind::StaticText: {
        auto* label = new QLabel(textOf(control.text), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setAutoFillBackground((control.style & res::kTransparent) == 0);
        widget = label;
        break;
    }
    case res::ControlKind::StaticFrame: {
        auto* frame = new QFrame(this);
        if (control.style & res::kSunkenHorizontalLine) {
            frame->setFrameShape(QFrame::HLine);
            frame->setFrameShadow(QFrame::Sunken);
        }
        widget = frame;
        break;
    }
    case res::ControlKind::ListBox: {
        auto* list = new ListWidget(this, (control.style & res::kSorted) != 0,
                                    (control.style & res::kMultipleSelection) != 0,
                                    localeOf(m_template.language));
        list->setVerticalScrollBarPolicy((control.style & res::kVerticalScroll)
                                             ? Qt::ScrollBarAsNeeded
                                             : Qt::ScrollBarAlwaysOff);
        if (!(control.style & res::kBorder))
            list->setFrameShape(QFrame::NoFrame);
        const int id = control.id;
        list->setDropHandler([this, id](int src, int gap) { dropItem(id, src, gap); });
        widget = list;
        break;
    }
    }
    widget->setGeometry(dialogRect(base, control.x, control.y, control.width, control.height));
    return widget;
}

QWidget* DialogWindow::control(int id) const
{
    for (const auto& [controlId, widget] : m_controls) {
        if (controlId == id)
            return widget;
    }
    return nullptr;
}

int DialogWindow::controlId(const QWidget* widget) const
{
    for (const auto& [id, w] : m_controls) {
        if (w == widget)
            return id;
    }
    return 0;
}

ListWidget* DialogWindow::list(int id) const
{
    return dynamic_cast<ListWidget*>(control(id));
}

std::vector<int> DialogWindow::listIds() const
{
    std::vector<int> ids;
    for (const auto& [id, widget] : m_controls) {
        if (dynamic_cast<ListWidget*>(widget))
            ids.push_back(id);
    }
    return ids;
}

CWnd* DialogWindow::boundWnd(int id) const
{
    auto found = m_bound.find(id);
    return found == m_bound.end() ? nullptr : found->second;
}

void DialogWindow::bind(int id, CWnd& wnd)
{
    m_bound[id] = &wnd;
}

void DialogWindow::unbind(const CWnd& wnd)
{
    std::erase_if(m_bound, [&](const auto& entry) { return entry.second == &wnd; });
}

CWnd* DialogWindow::wndFor(int id)
{
    if (CWnd* bound = boundWnd(id))
        return bound;
    QWidget* widget = control(id);
    if (!widget)
        return nullptr;
    std::unique_ptr<CWnd>& owned = m_owned[id];
    if (!owned) {
        if (dynamic_cast<ListWidget*>(widget))
            owned = std::make_unique<CListBox>();
        else
            owned = std::make_unique<CWnd>();
        owned->m_hWnd = handleOf(widget);
    }
    return owned.get();
}

template <class F>
void DialogWindow::guarded(const char* what, int id, F&& handler)
{
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        reportDialogError("dialog " + std::to_string(m_template.id) + ": " + what + " of control " +
                          std::to_string(id) + " failed: " + e.what());
    } catch (...) {
        reportDialogError("dialog " + std::to_string(m_template.id) + ": " + what + " of control " +
                          std::to_string(id) + " failed");
    }
    finish(-1);
}

void DialogWindow::command(int id, unsigned code)
{
    guarded("the handler", id, [&] { m_owner.OnCmdMsg(static_cast<UINT>(id), code); });
}

void DialogWindow::noteFocus(int id)
{
    if (id == m_focusId)
        return;
    m_focusId = id;
    if (list(id))
        command(id, LBN_SETFOCUS);
}

void DialogWindow::focusControl(int id)
{
    QWidget* widget = control(id);
    if (!widget)
        return;
    // A shown, active window delivers the focus event itself; a hidden one is told here.
    if (isVisible())
        widget->setFocus(Qt::OtherFocusReason);
    noteFocus(id);
}

void DialogWindow::dropItem(int id, int src, int gap)
{
    guarded("the drop", id, [&] {
        if (auto* drag = dynamic_cast<CDragListBox*>(boundWnd(id)))
            drag->Dropped(src, gap);
        else if (ListWidget* target = list(id))
            target->moveToGap(src, gap);
    });
}

QPixmap DialogWindow::picture()
{
    const QPixmap client = grab();
    const int bar = fontMetrics().height() + 10;
    QPixmap picture(client.width(), client.height() + bar);
    picture.fill(palette().color(QPalette::Window));
    QPainter painter(&picture);
    painter.fillRect(0, 0, picture.width(), bar, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    QFont captionFont = font();
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.drawText(QRect(8, 0, picture.width() - 16, bar), Qt::AlignLeft | Qt::AlignVCenter,
                     windowTitle());
    painter.drawPixmap(0, bar, client);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

void DialogWindow::finish(int result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_result = result;
    QDialog::done(result);
}

void DialogWindow::accept()
{
    command(IDOK, BN_CLICKED);
}

void DialogWindow::reject()
{
    command(IDCANCEL, BN_CLICKED);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (const int id = controlId(static_cast<QWidget*>(watched)))
            noteFocus(id);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dh::ui
