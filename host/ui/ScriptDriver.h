// Drives a dialog that is not shown from the host's input lines, one action a line, and
// shows on the transcript what the dialog holds after each. The lines:
//   select TEXT…     select exactly these items of the focused list (none: clear it);
//                    a text with blanks goes in double quotes, \" and \\ escaped
//   focus left|right|ID   move the focus to a list (or any control by id)
//   click ID         press the button with that control id
//   drag FROM TO     drag the item at index FROM of the drag list so that it ends at TO
//   ok, cancel       press OK; cancel as Escape does
//   grab FILE.png    save a picture of the dialog
//   (empty line)     Enter: press the default button
// A line the dialog cannot take is refused with the reason and the next one read; the
// end of the input cancels the dialog.
#pragma once

#include <string>
#include <vector>

namespace dh::ed {
class Session;
}

namespace dh::ui {

class DialogWindow;

class ScriptDriver {
public:
    ScriptDriver(DialogWindow& window, ed::Session& session);
    // Reads and runs lines until the dialog ends.
    void run();
    // Runs one line; the reason in refusal when the dialog cannot take it.
    bool runLine(const std::string& line, std::string& refusal);
    // What the dialog holds, as shown after each line.
    std::string state() const;

private:
    bool select(const std::vector<std::string>& texts, std::string& refusal);
    bool focus(const std::string& target, std::string& refusal);
    bool click(int id, std::string& refusal);
    bool drag(int from, int to, std::string& refusal);
    bool grab(const std::string& file, std::string& refusal);
    int controlByName(const std::string& name) const;
    std::string nameOf(int id) const;
    std::string header() const;
    void show(const std::string& lines);

    DialogWindow& m_window;
    ed::Session& m_session;
};

// The words of a line: blanks separate them, double quotes keep blanks and take \" and
// \\ escapes. False when a quote is not closed.
bool splitDialogWords(const std::string& line, std::vector<std::string>& words);

} // namespace dh::ui
