#include "host/shell/Program.h"

#include "host/ed/Document.h"
#include "host/ed/ModuleManager.h"
#include "host/ed/Session.h"
#include "host/render/DrawingRenderer.h"
#include "host/shell/ProgressBar.h"
#include "host/shell/TerminalInput.h"

#include <acdb/AcDbDatabase.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace dh::shell {

namespace {

constexpr const char* kBundledModules[] = {"Kelvane", "Terravue"};

void complain(const std::string& where, const std::string& reason)
{
    std::cout.flush();
    std::cerr << "drafthost: " << where << ": " << reason << '\n';
}

// The input of the run: the scripts and lines in option order, else the terminal or
// standard input. nullptr when a script cannot be opened.
std::unique_ptr<ed::InputSource> makeInput(const Options& options, bool& terminal)
{
    terminal = false;
    if (options.inputs.empty()) {
        if (isatty(STDIN_FILENO)) {
            terminal = true;
            return std::make_unique<TerminalInput>();
        }
        return std::make_unique<ed::StreamInput>("<stdin>", std::cin);
    }
    auto chain = std::make_unique<ed::ChainInput>();
    std::vector<std::string> evals;
    auto flushEvals = [&] {
        if (!evals.empty())
            chain->add(std::make_unique<ed::LineQueueInput>("-e", std::move(evals)));
        evals.clear();
    };
    for (const InputItem& item : options.inputs) {
        if (item.kind == InputItem::Kind::Eval) {
            evals.push_back(item.text);
            continue;
        }
        flushEvals();
        if (item.text == "-") {
            chain->add(std::make_unique<ed::StreamInput>("<stdin>", std::cin));
            continue;
        }
        auto file = std::make_unique<std::ifstream>(item.text);
        if (!*file) {
            complain(item.text, "cannot open the script");
            return nullptr;
        }
        chain->add(std::make_unique<ed::StreamInput>(item.text, std::move(file)));
    }
    flushEvals();
    return chain;
}

bool loadModules(ed::Session& session, const Options& options, const std::string& programDir)
{
    std::string error;
    if (!options.noModules) {
        for (const char* name : kBundledModules) {
            std::filesystem::path path = std::filesystem::path(programDir) / (std::string(name) + ".so");
            if (std::filesystem::exists(path) && !session.modules().load(path.string(), error))
                complain(path.string(), error);
        }
    }
    for (const std::string& module : options.loads) {
        if (!session.modules().load(module, error)) {
            complain(module, error);
            return false;
        }
    }
    return true;
}

}  // namespace

int exitCode(int sessionStatus, bool fileFailed)
{
    if (fileFailed)
        return ed::kExitBadFile;
    return sessionStatus;
}

int runProgram(const Options& options, const std::string& programDir)
{
    // Outlives the session, whose progress sink draws on it.
    ProgressBar bar(stderr);
    ed::SessionOptions sessionOptions;
    sessionOptions.quiet = options.quiet;
    sessionOptions.moduleDir = programDir;
    sessionOptions.encoding = options.encoding;
    sessionOptions.report = options.report;
    ed::Session session(sessionOptions);

    if (isatty(STDERR_FILENO))
        session.setProgressSink([&bar](const ed::ProgressEvent& e) { bar.update(e); });

    bool terminal = false;
    std::unique_ptr<ed::InputSource> input = makeInput(options, terminal);
    if (!input)
        return exitCode(ed::kExitOk, true);
    session.setInput(std::move(input));

    if (!options.drawing.empty()) {
        std::string error;
        if (!session.openDocument(options.drawing, error)) {
            complain(options.drawing, error);
            return exitCode(ed::kExitOk, true);
        }
    } else {
        session.newDocument();
    }
    if (!loadModules(session, options, programDir))
        return exitCode(ed::kExitOk, true);

    int status = session.run();

    if (!options.output.empty()) {
        ed::Document* doc = session.activeDocument();
        Acad::ErrorStatus es = doc ? doc->database()->saveAs(options.output.c_str(),
                                                              dxfVersionNumber(options.dxfVersion))
                                   : Acad::eNullObjectPointer;
        if (es != Acad::eOk) {
            complain(options.output, std::string("cannot save the drawing: ") + acadErrorStatusText(es));
            return exitCode(status, true);
        }
    }
    if (!options.render.empty()) {
        ed::Document* doc = session.activeDocument();
        if (!doc)
            doc = &session.newDocument();
        const render::RenderResult result =
            render::renderDrawing(*doc->database(), options.renderOptions, options.render);
        if (!result.ok()) {
            std::cout.flush();
            std::cerr << "drafthost: " << result.error << '\n';
            return exitCode(status, true);
        }
        if (!options.quiet)
            std::cout << render::describeResult(result, options.renderOptions, options.render) << '\n';
    }
    return exitCode(status, false);
}

}  // namespace dh::shell
