// The vl-string functions. Positions count characters of the UTF-8 text from 0; a
// character set ("chars" of the trims, "from"/"to" of translate) is a set of characters.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Utf8.h"

#include <cstdint>

namespace dh::lisp {

namespace {

using Chars = std::vector<char32_t>;

Chars decode(std::string_view text)
{
    Chars out;
    for (std::size_t pos = 0; pos < text.size(); pos += utf8CharLength(text, pos)) {
        out.push_back(utf8Decode(text, pos));
    }
    return out;
}

std::string encode(const Chars& chars, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    std::string out;
    for (std::size_t i = from; i < chars.size() && i < to; ++i) {
        out += utf8Encode(chars[i]);
    }
    return out;
}

// An optional 0-based character position; beyond the end is the end.
std::size_t startArg(const Args& args, std::size_t i, std::size_t length)
{
    if (!args.has(i) || args[i].isNil()) {
        return 0;
    }
    std::int32_t start = args.integer(i);
    if (start < 0) {
        throwBadArgumentValue("non-negative", args[i]);
    }
    return std::min<std::size_t>(static_cast<std::size_t>(start), length);
}

// The character index of the first occurrence of pattern at or after start.
std::optional<std::size_t> search(const Chars& text, const Chars& pattern, std::size_t start)
{
    if (pattern.size() > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = start; i + pattern.size() <= text.size(); ++i) {
        if (std::equal(pattern.begin(), pattern.end(), text.begin() + static_cast<long>(i))) {
            return i;
        }
    }
    return std::nullopt;
}

Value stringSearch(Interpreter&, const Args& args)
{
    args.expect(2, 3);
    Chars pattern = decode(args.string(0));
    Chars text = decode(args.string(1));
    auto at = search(text, pattern, startArg(args, 2, text.size()));
    return at ? Value::integer(static_cast<std::int32_t>(*at)) : Value();
}

Value stringSubst(Interpreter&, const Args& args)
{
    args.expect(3, 4);
    Chars replacement = decode(args.string(0));
    Chars pattern = decode(args.string(1));
    Chars text = decode(args.string(2));
    auto at = search(text, pattern, startArg(args, 3, text.size()));
    if (!at) {
        return args[2];
    }
    return Value::string(encode(text, 0, *at) + encode(replacement) +
                         encode(text, *at + pattern.size()));
}

Value trim(const Args& args, bool left, bool right)
{
    args.expect(2);
    Chars set = decode(args.string(0));
    Chars text = decode(args.string(1));
    auto inSet = [&](char32_t c) { return std::find(set.begin(), set.end(), c) != set.end(); };
    std::size_t from = 0;
    std::size_t to = text.size();
    while (left && from < to && inSet(text[from])) {
        ++from;
    }
    while (right && to > from && inSet(text[to - 1])) {
        --to;
    }
    return Value::string(encode(text, from, to));
}

// Each character of from becomes the one at the same place in to; characters of from
// beyond the end of to are left as they are.
Value stringTranslate(Interpreter&, const Args& args)
{
    args.expect(3);
    Chars from = decode(args.string(0));
    Chars to = decode(args.string(1));
    Chars text = decode(args.string(2));
    for (char32_t& c : text) {
        auto it = std::find(from.begin(), from.end(), c);
        std::size_t at = static_cast<std::size_t>(it - from.begin());
        if (it != from.end() && at < to.size()) {
            c = to[at];
        }
    }
    return Value::string(encode(text));
}

Value stringToList(Interpreter&, const Args& args)
{
    args.expect(1);
    ListBuilder out;
    for (char32_t c : decode(args.string(0))) {
        out.add(Value::integer(static_cast<std::int32_t>(c)));
    }
    return out.finish();
}

Value listToString(Interpreter&, const Args& args)
{
    args.expect(1);
    const Value& codes = args.list(0);
    if (!codes.isProperList()) {
        throw Error("bad list: " + shownValue(codes));
    }
    std::string out;
    for (const Value& code : codes.items()) {
        if (!code.isInt()) {
            throwBadArgumentType("fixnump", code);
        }
        std::int32_t c = code.asInt();
        if (c <= 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            throwBadArgumentValue("character code", code);
        }
        out += utf8Encode(static_cast<char32_t>(c));
    }
    return Value::string(std::move(out));
}

Value stringPosition(Interpreter&, const Args& args)
{
    args.expect(2, 4);
    std::int32_t code = args.integer(0);
    Chars text = decode(args.string(1));
    std::size_t start = startArg(args, 2, text.size());
    bool fromEnd = args.has(3) && args[3].isTrue();
    if (fromEnd) {
        for (std::size_t i = text.size(); i > start; --i) {
            if (text[i - 1] == static_cast<char32_t>(code)) {
                return Value::integer(static_cast<std::int32_t>(i - 1));
            }
        }
        return Value();
    }
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == static_cast<char32_t>(code)) {
            return Value::integer(static_cast<std::int32_t>(i));
        }
    }
    return Value();
}

} // namespace

std::span<const Builtin> vlStringBuiltins()
{
    static const std::vector<Builtin> table = {
        {"vl-string-search", stringSearch},
        {"vl-string-subst", stringSubst},
        {"vl-string-trim", [](Interpreter&, const Args& a) { return trim(a, true, true); }},
        {"vl-string-left-trim", [](Interpreter&, const Args& a) { return trim(a, true, false); }},
        {"vl-string-right-trim", [](Interpreter&, const Args& a) { return trim(a, false, true); }},
        {"vl-string-translate", stringTranslate},
        {"vl-string->list", stringToList},
        {"vl-list->string", listToString},
        {"vl-string-position", stringPosition},
    };
    return table;
}

} // namespace dh::lisp
