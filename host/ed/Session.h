// A run of the host: the open documents and the active one, the modules, the input source,
// the transcript and the run's exit status. One session is current at a time
// (Session::current()); the host-interface calls act on it.
//
// Transcript: in normal mode the output shows the dialogue as the command line would —
// "Command: " with the typed line, every prompt with its answer, every acutPrintf text and
// every LISP result on its own line. In quiet mode only LISP results and module messages
// (acutPrintf) are shown. A failure prints "; error: ..." or the host's complaint in the
// transcript and one line "location: reason" on the error stream.
#pragma once

#include "host/ed/InputSource.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AcDbDatabase;

namespace dh::lisp {
struct EvalResult;
}

namespace dh::ed {

class ChangeReport;
class CommandStack;
class Document;
class DocumentManager;
class DynamicLinker;
class Environment;
class LispBridge;
class ModuleManager;
class SystemVariables;

// Exit statuses of a run: every line ran / a line failed / bad options or a drawing that
// could not be read or written.
enum ExitStatus : int { kExitOk = 0, kExitFailed = 1, kExitBadFile = 2 };

struct SessionOptions {
    bool quiet = false;
    // Folder searched for modules named without a path (the program's own folder).
    std::string moduleDir;
    // Folder holding drafthost/environment; empty: $XDG_CONFIG_HOME, else ~/.config.
    std::string configHome;
    // Code page of the drawings to read when their header is wrong; empty: the header's.
    std::string encoding;
    // After every line, one line on the error stream of what it changed (ChangeReport).
    bool report = false;
};

// The status-bar progress meter, as the program draws it.
struct ProgressEvent {
    enum class Kind { Start, Position, End };
    Kind kind = Kind::Start;
    std::string label;
    int minPos = 0;
    int maxPos = 0;
    int pos = 0;
};
using ProgressSink = std::function<void(const ProgressEvent&)>;

// The input controls of acedInitGet: they apply to the next input call only.
struct InputControl {
    int bits = 0;
    std::string keywords;
};

class Session {
public:
    explicit Session(SessionOptions options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The session the host-interface calls act on; nullptr when none runs.
    static Session* current();

    const SessionOptions& options() const { return m_options; }
    bool quiet() const { return m_options.quiet; }

    // --- documents ---------------------------------------------------------------------
    // A new empty drawing, made active; modules hear kLoadDwgMsg for it.
    Document& newDocument();
    // Reads a drawing and makes it active; nullptr with the reason in error when it cannot.
    Document* openDocument(const std::string& path, std::string& error);
    // Takes a drawing in (read elsewhere) as a new active document.
    Document& addDocument(std::unique_ptr<AcDbDatabase> database, const std::string& fileName);
    void closeDocument(Document& document);
    Document* activeDocument() const;
    void setActiveDocument(Document& document);
    const std::vector<std::unique_ptr<Document>>& documents() const { return m_documents; }

    // --- input -------------------------------------------------------------------------
    void setInput(std::unique_ptr<InputSource> input);
    InputSource* input() const { return m_input.get(); }
    // Answers taken before the input source (items of acedCommand, tests).
    void queueAnswers(const std::vector<std::string>& answers);
    void clearQueuedAnswers() { m_queued.clear(); }
    std::size_t queuedAnswerCount() const { return m_queued.size(); }
    std::vector<std::string> takeQueuedAnswers();
    // The prompt primitive of every input call: shows prompt, takes the next answer line
    // (comment lines skipped) and echoes it. nullopt is cancel: "^C" or the end of input
    // (which also fails the run).
    std::optional<std::string> ask(const std::string& prompt);
    // Input controls of the next input call; taking them clears them.
    void setInputControl(InputControl control) { m_inputControl = std::move(control); }
    InputControl takeInputControl();
    const InputControl& pendingInputControl() const { return m_inputControl; }
    // Text of the last answer an input call gave as RTKWORD (acedGetInput).
    void setLastKeyword(std::string text) { m_lastKeyword = std::move(text); }
    const std::string& lastKeyword() const { return m_lastKeyword; }

    // --- transcript --------------------------------------------------------------------
    void setOutput(std::ostream& out) { m_out = &out; }
    void setErrorOutput(std::ostream& err) { m_err = &err; }
    // Module messages: shown in every mode.
    void print(std::string_view text);
    // The dialogue (prompts, echoes, complaints): shown in normal mode only, and not while
    // command echo is off.
    void printDialogue(std::string_view text);
    // A LISP result or error line on its own line: shown in every mode.
    void printResultLine(std::string_view text);
    // Ends the current transcript line if one is open.
    void endLine();
    // CMDECHO off: commands run by a module do not show their dialogue.
    void setDialogueEcho(bool on) { m_dialogueEcho = on; }
    bool dialogueEcho() const { return m_dialogueEcho; }
    void setProgressSink(ProgressSink sink) { m_progress = std::move(sink); }
    void reportProgress(const ProgressEvent& event) const;

    // --- running -----------------------------------------------------------------------
    // Runs one line typed at "Command:": a command, a LISP expression, a comment or Enter.
    // False when the line failed.
    bool runLine(const std::string& line);
    // Runs the input source's lines until it ends or QUIT. Answers the exit status.
    int run();
    void requestQuit() { m_quit = true; }
    bool quitRequested() const { return m_quit; }
    // Records a failure: one line "location: reason" on the error stream; status is
    // kExitFailed or kExitBadFile (the worst one wins).
    void fail(int status, const std::string& reason);
    int exitStatus() const { return m_status; }
    // Where the current line came from ("script.scr:3", "-e:2").
    std::string location() const;

    // --- parts -------------------------------------------------------------------------
    SystemVariables& variables() { return *m_variables; }
    Environment& environment() { return *m_environment; }
    ModuleManager& modules() { return *m_modules; }
    LispBridge& lisp() { return *m_lisp; }
    CommandStack& commandStack() { return *m_commandStack; }
    DocumentManager& documentManager() { return *m_documentManager; }

private:
    void runCommand(const std::string& line);
    void runLisp(const std::string& line);
    bool runLispCommand(const std::string& name, const std::vector<std::string>& answers);
    void reportLisp(const lisp::EvalResult& result);
    void reportChanges(const std::string& line);
    std::optional<std::string> nextLine(const std::string& prompt, bool& fromQueue);
    void write(std::string_view text);

    SessionOptions m_options;
    std::unique_ptr<InputSource> m_input;
    std::deque<std::string> m_queued;
    InputControl m_inputControl;
    std::string m_lastKeyword;
    std::ostream* m_out;
    std::ostream* m_err;
    bool m_atLineStart = true;
    bool m_dialogueEcho = true;
    ProgressSink m_progress;
    bool m_quit = false;
    bool m_inputEnded = false;
    int m_status = kExitOk;
    int m_documentCounter = 0;

    std::vector<std::unique_ptr<Document>> m_documents;
    Document* m_active = nullptr;

    std::unique_ptr<SystemVariables> m_variables;
    std::unique_ptr<Environment> m_environment;
    std::unique_ptr<CommandStack> m_commandStack;
    std::unique_ptr<DocumentManager> m_documentManager;
    std::unique_ptr<DynamicLinker> m_linker;
    std::unique_ptr<ModuleManager> m_modules;
    std::unique_ptr<LispBridge> m_lisp;
    std::unique_ptr<ChangeReport> m_report;
    Session* m_previous = nullptr;
};

}  // namespace dh::ed
