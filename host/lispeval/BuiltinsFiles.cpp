// Files and output: open, close, read-line, write-line, read-char, write-char, the print
// functions (to the command line or a file), prompt and alert.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/LispFile.h"
#include "host/lispeval/Utf8.h"

#include <cstdint>

namespace dh::lisp {

namespace {

// The open file argument i, or nullptr when it is absent or nil.
LispFile* fileArg(const Args& args, std::size_t i, bool forWriting)
{
    if (!args.has(i) || args[i].isNil()) {
        return nullptr;
    }
    const Value& v = args[i];
    if (!v.isFile() || !v.asFile().isOpen()) {
        throwBadArgumentType("streamp", v);
    }
    if (v.asFile().isReading() == forWriting) {
        throwBadArgumentValue(forWriting ? "file open for reading" : "file open for writing", v);
    }
    return &v.asFile();
}

void writeText(Interpreter& interp, LispFile* file, const std::string& text, const Value& fileValue)
{
    if (!file) {
        interp.write(text);
        return;
    }
    if (!file->write(text)) {
        throw Error("write failed: " + file->name() + ": " + file->error() + ": " +
                    shownValue(fileValue));
    }
}

std::string lowerAscii(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return text;
}

// (open name mode [encoding]): the file, or nil when it cannot be opened.
Value open(Interpreter& interp, const Args& args)
{
    args.expect(2, 3);
    const std::string& name = args.string(0);
    std::string mode = lowerAscii(args.string(1));
    if (mode != "r" && mode != "w" && mode != "a") {
        throwBadArgumentValue("file mode", args[1]);
    }
    const HostHooks& hooks = interp.hooks();
    TextCodec codec;
    TextCodec fallback; // for a file read without an encoding that is not UTF-8
    bool bom = false;
    if (args.has(2) && !args[2].isNil()) {
        std::string encoding = lowerAscii(args.string(2));
        bom = encoding == "utf8-bom";
        if (encoding != "utf8" && !bom) {
            std::optional<TextCodec> named =
                hooks.codec ? hooks.codec(args.string(2)) : std::nullopt;
            if (!named) {
                throwBadArgumentValue("encoding", args[2]);
            }
            codec = *named;
        }
    } else if (hooks.codec) {
        fallback = hooks.codec("").value_or(TextCodec{});
    }
    std::string path = hooks.filePath ? hooks.filePath(name) : name;
    LispFile::Mode how = mode == "r"   ? LispFile::Mode::Read
                         : mode == "w" ? LispFile::Mode::Write
                                       : LispFile::Mode::Append;
    auto file = std::make_shared<LispFile>(path, name, how, codec, fallback, bom);
    return file->isOpen() ? Value::file(std::move(file)) : Value();
}

Value close(Interpreter&, const Args& args)
{
    args.expect(1);
    const Value& v = args[0];
    if (!v.isFile() || !v.asFile().isOpen()) {
        throwBadArgumentType("streamp", v);
    }
    if (!v.asFile().close()) {
        throw Error("close failed: " + v.asFile().name() + ": " + v.asFile().error());
    }
    return Value();
}

std::optional<std::string> keyboardLine(Interpreter& interp)
{
    return interp.hooks().readLine ? interp.hooks().readLine("") : std::nullopt;
}

Value readLine(Interpreter& interp, const Args& args)
{
    args.expect(0, 1);
    LispFile* file = fileArg(args, 0, false);
    std::optional<std::string> line = file ? file->readLine() : keyboardLine(interp);
    return line ? Value::string(std::move(*line)) : Value();
}

Value readChar(Interpreter& interp, const Args& args)
{
    args.expect(0, 1);
    LispFile* file = fileArg(args, 0, false);
    if (file) {
        std::optional<char32_t> c = file->readChar();
        return c ? Value::integer(static_cast<std::int32_t>(*c)) : Value();
    }
    std::optional<std::string> line = keyboardLine(interp);
    if (!line) {
        return Value();
    }
    return Value::integer(line->empty() ? 10 : static_cast<std::int32_t>(utf8Decode(*line, 0)));
}

Value writeLine(Interpreter& interp, const Args& args)
{
    args.expect(1, 2);
    const std::string& text = args.string(0);
    writeText(interp, fileArg(args, 1, true), text + "\n", args.has(1) ? args[1] : Value());
    return args[0];
}

Value writeChar(Interpreter& interp, const Args& args)
{
    args.expect(1, 2);
    std::int32_t code = args.integer(0);
    LispFile* file = fileArg(args, 1, true);
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || (code == 0 && file)) {
        throwBadArgumentValue("character code", args[0]);
    }
    writeText(interp, file, code == 0 ? std::string() : utf8Encode(static_cast<char32_t>(code)),
              args.has(1) ? args[1] : Value());
    return args[0];
}

// princ and prin1: the value's printed form, raw or readable; no argument prints nothing
// and gives the value whose echo is empty (the quiet end of a program).
Value princ(Interpreter& interp, const Args& args, bool readable)
{
    args.expect(0, 2);
    if (args.empty()) {
        return Value::voidValue();
    }
    writeText(interp, fileArg(args, 1, true), args[0].toString(readable),
              args.has(1) ? args[1] : Value());
    return args[0];
}

Value print(Interpreter& interp, const Args& args)
{
    args.expect(0, 2);
    if (args.empty()) {
        return Value::voidValue();
    }
    writeText(interp, fileArg(args, 1, true), "\n" + args[0].toString(true) + " ",
              args.has(1) ? args[1] : Value());
    return args[0];
}

Value terpri(Interpreter& interp, const Args& args)
{
    args.expect(0, 1);
    writeText(interp, fileArg(args, 0, true), "\n", args.has(0) ? args[0] : Value());
    return Value();
}

Value prompt(Interpreter& interp, const Args& args)
{
    args.expect(1);
    interp.write(args.string(0));
    return Value();
}

// A message box; on a command line the message is printed on lines of its own.
Value alert(Interpreter& interp, const Args& args)
{
    args.expect(1);
    interp.write("\n" + args.string(0) + "\n");
    return Value();
}

} // namespace

std::span<const Builtin> fileBuiltins()
{
    static const std::vector<Builtin> table = {
        {"open", open},
        {"close", close},
        {"read-line", readLine},
        {"read-char", readChar},
        {"write-line", writeLine},
        {"write-char", writeChar},
        {"princ", [](Interpreter& i, const Args& a) { return princ(i, a, false); }},
        {"prin1", [](Interpreter& i, const Args& a) { return princ(i, a, true); }},
        {"print", print},
        {"terpri", terpri},
        {"prompt", prompt},
        {"alert", alert},
    };
    return table;
}

} // namespace dh::lisp
