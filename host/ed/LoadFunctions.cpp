// findfile and load: files found on the library path (the working folder, the drawing's
// folder, then the support folders of the "ACAD" environment value, separated by ";"), and
// LISP files read and evaluated form by form.
#include "host/ed/Document.h"
#include "host/ed/Environment.h"
#include "host/ed/LispBridge.h"
#include "host/ed/Session.h"

#include "host/lispeval/Args.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Interpreter.h"
#include "host/lispeval/Reader.h"
#include "host/lispeval/Utf8.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace dh::ed {
namespace {

namespace fs = std::filesystem;
using lisp::Args;
using lisp::Value;

// Files that load files that load … give up here rather than recurse without end.
constexpr int kMaxLoadDepth = 64;
int g_loadDepth = 0;

std::vector<fs::path> libraryPath()
{
    std::vector<fs::path> folders{fs::current_path()};
    Session* s = Session::current();
    Document* doc = s ? s->activeDocument() : nullptr;
    if (doc && *doc->fileName())
        folders.push_back(fs::absolute(doc->fileName()).parent_path());
    const std::optional<std::string> acad = s ? s->environment().get("ACAD") : std::nullopt;
    std::string rest = acad.value_or("");
    while (!rest.empty()) {
        const std::size_t cut = rest.find(';');
        const std::string folder = rest.substr(0, cut);
        if (!folder.empty())
            folders.emplace_back(folder);
        rest = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    }
    return folders;
}

// A name with a folder is looked for there only; a bare name along the library path.
std::optional<fs::path> findOnPath(const std::string& name)
{
    std::error_code ec;
    const fs::path path(name);
    if (name.empty())
        return std::nullopt;
    if (path.has_parent_path())
        return fs::exists(path, ec) ? std::optional<fs::path>(fs::absolute(path, ec)) : std::nullopt;
    for (const fs::path& folder : libraryPath()) {
        const fs::path candidate = folder / path;
        if (fs::exists(candidate, ec))
            return fs::absolute(candidate, ec);
    }
    return std::nullopt;
}

Value findfile(lisp::Interpreter&, const Args& args)
{
    args.expect(1);
    const std::optional<fs::path> found = findOnPath(args.string(0));
    return found ? Value::string(found->lexically_normal().string()) : Value();
}

std::optional<std::string> readText(const fs::path& path, lisp::Interpreter& interp)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        return text.substr(3);
    if (lisp::utf8Valid(text) || !interp.hooks().codec)
        return text;
    // Routines saved by older editors are in the drawing's code page.
    const std::optional<lisp::TextCodec> codec = interp.hooks().codec("");
    return codec && codec->toUtf8 ? codec->toUtf8(text) : text;
}

// (load name [onfailure]): the value of the file's last form. A name without an extension
// is tried with ".lsp" first. When the file is not found or cannot be read, onfailure (or
// what it gives, when it is a function), else an error.
Value load(lisp::Interpreter& interp, const Args& args)
{
    args.expect(1, 2);
    const std::string& name = args.string(0);
    std::optional<fs::path> found;
    if (!fs::path(name).has_extension())
        found = findOnPath(name + ".lsp");
    if (!found)
        found = findOnPath(name);
    const std::optional<std::string> text = found ? readText(*found, interp) : std::nullopt;
    if (!text) {
        if (args.has(1))
            return args[1].isFunction() ? interp.apply(args[1], {}) : args[1];
        throw lisp::Error("LOAD failed: \"" + name + "\"");
    }
    lisp::ReadResult read;
    try {
        read = lisp::readForms(*text);
    } catch (const lisp::Error& e) {
        throw lisp::Error("LOAD failed: \"" + name + "\": " + e.what());
    }
    if (read.incomplete)
        throw lisp::Error("LOAD failed: \"" + name + "\": " + read.incompleteReason);
    if (g_loadDepth >= kMaxLoadDepth)
        throw lisp::Error("LOAD failed: \"" + name + "\": files load each other too deeply");
    struct Depth {
        Depth() { ++g_loadDepth; }
        ~Depth() { --g_loadDepth; }
    } depth;
    Value last;
    for (const Value& form : read.forms)
        last = interp.eval(form);
    return last;
}

const LispBuiltinRegistrar kRegistrars[] = {
    {"FINDFILE", findfile},
    {"LOAD", load},
};

}  // namespace
}  // namespace dh::ed
