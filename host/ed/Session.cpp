#include "host/ed/Session.h"

#include "host/dxf/DxfReader.h"
#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/ChangeReport.h"
#include "host/ed/CommandStack.h"
#include "host/ed/Document.h"
#include "host/ed/DocumentManager.h"
#include "host/ed/DynamicLinker.h"
#include "host/ed/Environment.h"
#include "host/ed/LeakCheck.h"
#include "host/ed/LispBridge.h"
#include "host/ed/ModuleManager.h"
#include "host/ed/SystemVariables.h"
#include "host/ed/ViewCommands.h"
#include "host/lispeval/Interpreter.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acrx/AcRxDictionary.h>

#include <iostream>

namespace dh::ed {

namespace {

Session* g_current = nullptr;

constexpr const char* kCommandsKey = "ACAD_REGISTERED_COMMANDS";
constexpr const char* kLinkerKey = "DynamicLinker";

// The answer LISP's pause stands for.
constexpr const char* kPauseAnswer = "\\";

bool isComment(std::string_view line)
{
    std::string t = trim(line);
    return !t.empty() && t.front() == ';';
}

// The words of a command line: blanks separate them, as the space bar ends an answer;
// double quotes keep a word with blanks ("OPEN "my drawing.dxf"").
std::vector<std::string> splitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        if (line[i] == '"') {
            std::size_t end = line.find('"', i + 1);
            word = std::string(line.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
            i = end == std::string_view::npos ? line.size() : end + 1;
        } else {
            std::size_t start = i;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                ++i;
            word = std::string(line.substr(start, i - start));
        }
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace

Session::Session(SessionOptions options)
    : m_options(std::move(options)), m_out(&std::cout), m_err(&std::cerr)
{
    m_previous = g_current;
    g_current = this;
    m_variables = std::make_unique<SystemVariables>(*this);
    m_environment = std::make_unique<Environment>(m_options.configHome);
    m_commandStack = std::make_unique<CommandStack>();
    m_documentManager = std::make_unique<DocumentManager>(*this);
    m_linker = std::make_unique<DynamicLinker>(*this);
    m_modules = std::make_unique<ModuleManager>(*this);
    m_lisp = std::make_unique<LispBridge>(*this);
    if (m_options.report)
        m_report = std::make_unique<ChangeReport>();
    acrxSysRegistry()->atPut(kCommandsKey, m_commandStack.get());
    acrxSysRegistry()->atPut(kLinkerKey, m_linker.get());
}

Session::~Session()
{
    // As the host quits: modules hear of it, every drawing closes, then the modules go.
    m_modules->broadcast(AcRx::kPreQuitMsg, nullptr);
    m_modules->broadcast(AcRx::kQuitMsg, nullptr);
    while (!m_documents.empty())
        closeDocument(*m_documents.back());
    m_modules->unloadAll();
    if (acrxSysRegistry()->at(kCommandsKey) == m_commandStack.get())
        acrxSysRegistry()->remove(kCommandsKey);
    if (acrxSysRegistry()->at(kLinkerKey) == m_linker.get())
        acrxSysRegistry()->remove(kLinkerKey);
    g_current = m_previous;
    if (m_previous) {
        acrxSysRegistry()->atPut(kCommandsKey, m_previous->m_commandStack.get());
        acrxSysRegistry()->atPut(kLinkerKey, m_previous->m_linker.get());
    }
}

Session* Session::current() { return g_current; }

// --- documents -------------------------------------------------------------------------

Document& Session::newDocument()
{
    return addDocument(std::make_unique<AcDbDatabase>(true), "");
}

Document* Session::openDocument(const std::string& path, std::string& error)
{
    dxf::ReadOptions options;
    options.encoding = m_options.encoding;
    dxf::ReadReport report;
    std::unique_ptr<AcDbDatabase> database = dxf::readDxf(path, options, report);
    if (!database) {
        error = report.error.empty() ? path + ": cannot be read" : report.error;
        return nullptr;
    }
    Document& document = addDocument(std::move(database), path);
    // A drawing opens showing its extents.
    zoomToExtents(document);
    return &document;
}

Document& Session::addDocument(std::unique_ptr<AcDbDatabase> database, const std::string& fileName)
{
    auto document = std::make_unique<Document>(std::move(database), fileName, ++m_documentCounter);
    Document& doc = *document;
    m_documents.push_back(std::move(document));
    m_lisp->prepare(doc);
    m_documentManager->notifyCreated(&doc);
    setActiveDocument(doc);
    m_modules->sendDocumentMessage(AcRx::kLoadDwgMsg, &doc);
    return doc;
}

void Session::closeDocument(Document& document)
{
    m_modules->sendDocumentMessage(AcRx::kUnloadDwgMsg, &document);
    m_documentManager->notifyToBeDestroyed(&document);
    std::string fileName = document.fileName();
    m_lisp->forget(document);
    bool wasActive = m_active == &document;
    std::erase_if(m_documents, [&](const auto& d) { return d.get() == &document; });
    if (wasActive) {
        m_active = nullptr;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        if (!m_documents.empty())
            setActiveDocument(*m_documents.back());
    }
    m_documentManager->notifyDestroyed(fileName.c_str());
}

Document* Session::activeDocument() const { return m_active; }

void Session::setActiveDocument(Document& document)
{
    if (m_active == &document)
        return;
    m_active = &document;
    acdbHostApplicationServices()->setWorkingDatabase(document.database());
    m_documentManager->notifyBecameCurrent(&document);
}

// --- input -----------------------------------------------------------------------------

void Session::setInput(std::unique_ptr<InputSource> input)
{
    m_input = std::move(input);
    m_inputEnded = false;
}

void Session::queueAnswers(const std::vector<std::string>& answers)
{
    m_queued.insert(m_queued.end(), answers.begin(), answers.end());
}

std::vector<std::string> Session::takeQueuedAnswers()
{
    std::vector<std::string> answers(m_queued.begin(), m_queued.end());
    m_queued.clear();
    return answers;
}

InputControl Session::takeInputControl()
{
    InputControl control = std::move(m_inputControl);
    m_inputControl = {};
    return control;
}

std::optional<std::string> Session::nextLine(const std::string& prompt, bool& fromQueue)
{
    fromQueue = false;
    if (!m_queued.empty() && m_queued.front() != kPauseAnswer) {
        fromQueue = true;
        std::string line = m_queued.front();
        m_queued.pop_front();
        return line;
    }
    if (!m_queued.empty())
        m_queued.pop_front();  // pause: this answer comes from the user
    if (!m_input || m_inputEnded)
        return std::nullopt;
    if (m_input->isTerminal()) {
        // The terminal shows the prompt's last line itself, with the typed text.
        std::size_t nl = prompt.rfind('\n');
        std::string head = nl == std::string::npos ? std::string() : prompt.substr(0, nl + 1);
        write(head);
        m_out->flush();
        auto line = m_input->readLine(nl == std::string::npos ? prompt : prompt.substr(nl + 1));
        m_atLineStart = true;
        return line;
    }
    return m_input->readLine(prompt);
}

std::optional<std::string> Session::ask(const std::string& prompt)
{
    for (;;) {
        bool fromQueue = false;
        std::optional<std::string> line = nextLine(prompt, fromQueue);
        if (!line) {
            if (!m_inputEnded) {
                m_inputEnded = true;
                printDialogue(prompt);
                endLine();
                fail(kExitFailed, "the input ended while a prompt waited: " + trim(prompt));
            }
            m_quit = true;
            return std::nullopt;
        }
        if (!fromQueue && isComment(*line))
            continue;
        if (fromQueue || !m_input->isTerminal())
            printDialogue(prompt + *line);
        if (trim(*line) == "^C") {
            printDialogue("*Cancel*");
            return std::nullopt;
        }
        return line;
    }
}

// --- transcript ------------------------------------------------------------------------

void Session::write(std::string_view text)
{
    if (text.empty())
        return;
    m_out->write(text.data(), static_cast<std::streamsize>(text.size()));
    m_atLineStart = text.back() == '\n';
}

void Session::print(std::string_view text) { write(text); }

void Session::printDialogue(std::string_view text)
{
    if (!quiet() && m_dialogueEcho)
        write(text);
}

void Session::printResultLine(std::string_view text)
{
    endLine();
    write(text);
    write("\n");
}

void Session::endLine()
{
    if (!m_atLineStart)
        write("\n");
}

void Session::reportProgress(const ProgressEvent& event) const
{
    if (m_progress)
        m_progress(event);
}

// --- running ---------------------------------------------------------------------------

std::string Session::location() const { return m_input ? m_input->location() : "input"; }

void Session::fail(int status, const std::string& reason)
{
    m_out->flush();
    *m_err << location() << ": " << reason << '\n';
    if (status > m_status)
        m_status = status;
}

bool Session::runLine(const std::string& line)
{
    std::string text = trim(line);
    if (text.empty() || text.front() == ';' || text == "^C")
        return true;
    if (!m_active)
        newDocument();
    int statusBefore = m_status;
    if (m_report)
        m_report->take(m_active->database());
    LeakCheck leaks(*this);
    if (text.front() == '(' || text.front() == '!' || text.front() == '\'')
        runLisp(text.front() == '!' ? text.substr(1) : text);
    else
        runCommand(text);
    leaks.report();
    m_queued.clear();
    if (m_report)
        reportChanges(text);
    return m_status == statusBefore;
}

// The printed results; an error shows as "; error: …" unless the routine's own *error*
// handled it (what the handler printed stands instead). Either way the line failed.
void Session::reportLisp(const lisp::EvalResult& result)
{
    for (const std::string& printed : result.printed) {
        if (!printed.empty())
            printResultLine(printed);
    }
    if (!result.ok()) {
        if (!result.handled)
            printResultLine(result.error);
        fail(kExitFailed, result.error.substr(2));
    }
}

void Session::reportChanges(const std::string& line)
{
    std::string label;
    if (line.front() == '(' || line.front() == '!' || line.front() == '\'') {
        constexpr std::size_t kLongest = 40;
        std::size_t cut = std::min(line.size(), kLongest);
        // Whole characters only.
        while (cut > 0 && cut < line.size() && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        label = cut < line.size() ? line.substr(0, cut) + "..." : line;
    } else {
        label = normalizeCommandName(splitWords(line).front());
    }
    endLine();
    m_out->flush();
    *m_err << m_report->compare(label, m_active ? m_active->database() : nullptr) << '\n';
}

void Session::runLisp(const std::string& line)
{
    std::string source = line;
    for (;;) {
        Document* doc = m_active;
        lisp::EvalResult result = doc->lisp().evaluate(source);
        if (result.status == lisp::EvalResult::Status::Incomplete) {
            bool fromQueue = false;
            std::optional<std::string> more = nextLine("", fromQueue);
            if (!more) {
                printResultLine(result.error);
                fail(kExitFailed, result.error.substr(2));
                return;
            }
            if (fromQueue || !m_input->isTerminal())
                printDialogue("\n" + *more);
            source += "\n" + *more;
            continue;
        }
        reportLisp(result);
        return;
    }
}

// A command defined in LISP, (defun c:NAME () …): it runs like a built-in command and its
// last value is echoed, as the host does (nothing after a closing (princ)).
bool Session::runLispCommand(const std::string& name, const std::vector<std::string>& answers)
{
    lisp::Interpreter& interp = m_active->lisp();
    if (!interp.global("C:" + name).isFunction())
        return false;
    queueAnswers(answers);
    lisp::EvalResult result = interp.evaluate("(C:" + name + ")");
    reportLisp(result);
    return true;
}

void Session::runCommand(const std::string& line)
{
    std::vector<std::string> words = splitWords(line);
    if (words.empty())
        return;
    std::vector<std::string> answers(words.begin() + 1, words.end());
    if (AcEdCommand* command = m_commandStack->lookupCmd(words[0].c_str())) {
        queueAnswers(answers);
        AcRxFunctionPtr fn = command->functionAddr();
        try {
            fn();
        } catch (const std::exception& e) {
            printResultLine(std::string("; error: ") + e.what());
            fail(kExitFailed, std::string("command ") + command->globalName() + ": " + e.what());
        } catch (...) {
            printResultLine("; error: unknown exception");
            fail(kExitFailed, std::string("command ") + command->globalName() + " failed");
        }
        return;
    }
    if (const BuiltinCommand* builtin = BuiltinCommandTable::instance().find(words[0])) {
        queueAnswers(answers);
        try {
            (*builtin)(*this);
        } catch (const std::exception& e) {
            printResultLine(std::string("; error: ") + e.what());
            fail(kExitFailed, "command " + normalizeCommandName(words[0]) + ": " + e.what());
        }
        return;
    }
    if (runLispCommand(normalizeCommandName(words[0]), answers))
        return;
    printDialogue("\nUnknown command \"" + normalizeCommandName(words[0]) +
                  "\".  Press F1 for help.");
    fail(kExitFailed, "unknown command " + normalizeCommandName(words[0]));
}

int Session::run()
{
    while (!m_quit) {
        if (!m_active)
            newDocument();
        std::optional<std::string> line;
        endLine();
        if (m_input && m_input->isTerminal()) {
            m_out->flush();
            line = m_input->readLine("Command: ");
            m_atLineStart = true;
        } else if (m_input && !m_inputEnded) {
            line = m_input->readLine("Command: ");
            while (line && (isComment(*line) || trim(*line).empty()))
                line = m_input->readLine("Command: ");
            if (line)
                printDialogue("Command: " + *line);
        }
        if (!line)
            break;
        runLine(*line);
    }
    endLine();
    m_out->flush();
    return m_status;
}

}  // namespace dh::ed
