#include "host/ui/ScriptDriver.h"

#include "host/ed/Session.h"
#include "host/lispeval/Printer.h"
#include "host/ui/DialogWindow.h"
#include "host/ui/ListWidget.h"

#include <acui/AcUiWinTypes.h>

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace dh::ui {
namespace {

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool parseIndex(const std::string& word, int& value)
{
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::string resultName(int result)
{
    switch (result) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    default: return std::to_string(result);
    }
}

} // namespace

bool splitDialogWords(const std::string& line, std::vector<std::string>& words)
{
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                word += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        for (++i;; ++i) {
            if (i >= line.size())
                return false;
            if (line[i] == '"')
                break;
            if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
                ++i;
            word += line[i];
        }
        ++i;
        words.push_back(std::move(word));
    }
    return true;
}

ScriptDriver::ScriptDriver(DialogWindow& window, ed::Session& session)
    : m_window(window), m_session(session)
{
}

void ScriptDriver::run()
{
    show(header() + "\n" + state());
    while (!m_window.finished()) {
        std::optional<std::string> line = m_session.ask("\nDialog: ");
        if (!line) {
            m_window.reject();
            m_window.finish(IDCANCEL);
            break;
        }
        std::string refusal;
        if (!runLine(*line, refusal))
            show(refusal);
        else if (!m_window.finished())
            show(state());
    }
    show("Dialog closed: " + resultName(m_window.result()));
}

// Text of whole lines, starting on a line of its own however the input was echoed.
void ScriptDriver::show(const std::string& lines)
{
    if (m_session.quiet() || !m_session.dialogueEcho())
        return;
    m_session.endLine();
    m_session.printDialogue(lines);
}

bool ScriptDriver::runLine(const std::string& line, std::string& refusal)
{
    std::vector<std::string> words;
    if (!splitDialogWords(line, words)) {
        refusal = "A quote is not closed.";
        return false;
    }
    if (words.empty()) {
        for (const res::DialogControl& control : m_window.dialogTemplate().controls) {
            if (control.style & res::kDefaultButton)
                return click(control.id, refusal);
        }
        refusal = "The dialog has no default button.";
        return false;
    }
    const std::string verb = lower(words[0]);
    const std::vector<std::string> args(words.begin() + 1, words.end());
    int first = 0;
    int second = 0;
    if (verb == "select")
        return select(args, refusal);
    if (verb == "focus" && args.size() == 1)
        return focus(args[0], refusal);
    if (verb == "click" && args.size() == 1 && parseIndex(args[0], first))
        return click(first, refusal);
    if (verb == "drag" && args.size() == 2 && parseIndex(args[0], first) && parseIndex(args[1], second))
        return drag(first, second, refusal);
    if (verb == "ok" && args.empty()) {
        if (dynamic_cast<QPushButton*>(m_window.control(IDOK)))
            return click(IDOK, refusal);
        m_window.command(IDOK, BN_CLICKED);
        return true;
    }
    if (verb == "cancel" && args.empty()) {
        m_window.reject();
        return true;
    }
    if (verb == "grab" && args.size() == 1)
        return grab(args[0], refusal);
    refusal = "Expected one of: select TEXT..., focus left|right|ID, click ID, drag FROM TO, ok, "
              "cancel, grab FILE.png.";
    return false;
}

bool ScriptDriver::select(const std::vector<std::string>& texts, std::string& refusal)
{
    const int id = m_window.focusedId();
    ListWidget* list = m_window.list(id);
    if (!list) {
        refusal = "No list has the focus: focus left or focus right first.";
        return false;
    }
    if (!list->isMultipleSelection() && texts.size() > 1) {
        refusal = "The " + nameOf(id) + " list selects one item only.";
        return false;
    }
    // The same text twice selects two items that hold it.
    std::vector<int> rows;
    for (const std::string& text : texts) {
        int row = list->findBytes(text);
        while (row >= 0 && std::find(rows.begin(), rows.end(), row) != rows.end())
            row = list->findBytes(text, row + 1);
        if (row < 0) {
            refusal = "The " + nameOf(id) + " list has no " + (list->findBytes(text) < 0 ? "" : "further ") +
                      "item " + lisp::quoteString(text) + ".";
            return false;
        }
        rows.push_back(row);
    }
    if (list->isMultipleSelection()) {
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSelected(std::find(rows.begin(), rows.end(), row) != rows.end());
    } else {
        list->setCurrentSelection(rows.empty() ? -1 : rows.front());
    }
    return true;
}

bool ScriptDriver::focus(const std::string& target, std::string& refusal)
{
    const int id = controlByName(target);
    QWidget* widget = m_window.control(id);
    if (!widget || widget->focusPolicy() == Qt::NoFocus) {
        refusal = "There is no list or button \"" + target + "\" to focus.";
        return false;
    }
    if (!widget->isEnabled()) {
        refusal = "Control " + nameOf(id) + " is disabled.";
        return false;
    }
    m_window.focusControl(id);
    return true;
}

bool ScriptDriver::click(int id, std::string& refusal)
{
    auto* button = dynamic_cast<QPushButton*>(m_window.control(id));
    if (!button) {
        refusal = "There is no button " + std::to_string(id) + ".";
        return false;
    }
    if (!button->isEnabled()) {
        refusal = "Button " + nameOf(id) + " is disabled.";
        return false;
    }
    m_window.focusControl(id);
    button->click();
    return true;
}

bool ScriptDriver::drag(int from, int to, std::string& refusal)
{
    ListWidget* list = nullptr;
    int id = 0;
    for (int candidate : m_window.listIds()) {
        if (m_window.list(candidate)->dragReorder()) {
            id = candidate;
            list = m_window.list(candidate);
            break;
        }
    }
    if (!list) {
        refusal = "The dialog has no list to drag in.";
        return false;
    }
    const int count = list->count();
    if (from < 0 || from >= count || to < 0 || to >= count) {
        refusal = count == 0 ? "The " + nameOf(id) + " list is empty."
                             : "The " + nameOf(id) + " list has items 0 to " +
                                   std::to_string(count - 1) + ".";
        return false;
    }
    // As with the mouse: pressing the item focuses the list and selects the item, the
    // drop moves it.
    m_window.focusControl(id);
    if (!m_window.finished())
        list->setCurrentSelection(from);
    if (!m_window.finished() && from != to)
        m_window.dropItem(id, from, to > from ? to + 1 : to);
    return true;
}

bool ScriptDriver::grab(const std::string& file, std::string& refusal)
{
    const QPixmap picture = m_window.picture();
    if (!picture.save(QString::fromUtf8(file.c_str()))) {
        refusal = "Cannot write the picture of the dialog to " + file + ".";
        return false;
    }
    return true;
}

int ScriptDriver::controlByName(const std::string& name) const
{
    const std::string key = lower(name);
    for (int id : m_window.listIds()) {
        if (lower(nameOf(id)) == key)
            return id;
    }
    int id = 0;
    return parseIndex(name, id) ? id : 0;
}

// Lists by their place from left to right: "left" and "right" for the outer two, "list ID"
// for any between; a single list is "list".
std::string ScriptDriver::nameOf(int id) const
{
    if (m_window.list(id)) {
        std::vector<int> ids = m_window.listIds();
        if (ids.size() == 1)
            return "list";
        std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) {
            return m_window.control(a)->x() < m_window.control(b)->x();
        });
        if (id == ids.front())
            return "left";
        if (id == ids.back())
            return "right";
        return "list " + std::to_string(id);
    }
    std::string name = std::to_string(id);
    if (auto* button = dynamic_cast<QPushButton*>(m_window.control(id)))
        name += " " + lisp::quoteString(utf8(button->text()));
    return name;
}

std::string ScriptDriver::header() const
{
    std::string text = "Dialog " + lisp::quoteString(utf8(m_window.windowTitle()));
    for (const auto& control : m_window.dialogTemplate().controls) {
        auto* label = dynamic_cast<QLabel*>(m_window.control(control.id));
        if (label && !label->text().isEmpty())
            text += " " + lisp::quoteString(utf8(label->text()));
    }
    return text;
}

std::string ScriptDriver::state() const
{
    std::string text;
    for (int id : m_window.listIds()) {
        const ListWidget* list = m_window.list(id);
        text += (text.empty() ? "  " : "\n  ") + nameOf(id) + ":";
        if (list->count() == 0)
            text += " (empty)";
        for (int row = 0; row < list->count(); ++row) {
            const std::string item = std::to_string(row) + " " + lisp::quoteString(list->itemText(row));
            text += list->item(row)->isSelected() ? " [" + item + "]" : " " + item;
        }
    }
    text += "\n  focus: " + (m_window.focusedId() ? nameOf(m_window.focusedId()) : std::string("none"));
    std::string disabled;
    for (const auto& control : m_window.dialogTemplate().controls) {
        auto* button = dynamic_cast<QPushButton*>(m_window.control(control.id));
        if (button && !button->isEnabled())
            disabled += (disabled.empty() ? "" : ", ") + nameOf(control.id);
    }
    if (!disabled.empty())
        text += "\n  disabled: " + disabled;
    return text;
}

} // namespace dh::ui
