// String functions. Lengths and positions count characters of the UTF-8 text, not bytes.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Utf8.h"
#include "host/lispeval/Wildcard.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace dh::lisp {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::size_t skipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    return i;
}

Value strcat(Interpreter&, const Args& args)
{
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        out += args.string(i);
    }
    return Value::string(std::move(out));
}

Value strlen(Interpreter&, const Args& args)
{
    std::size_t total = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        total += utf8CountChars(args.string(i));
    }
    return Value::integer(static_cast<std::int32_t>(total));
}

// (substr text start [length]): start counts from 1.
Value substr(Interpreter&, const Args& args)
{
    args.expect(2, 3);
    const std::string& text = args.string(0);
    std::int32_t start = args.integer(1);
    if (start < 1) {
        throwBadArgumentValue("positive", args[1]);
    }
    std::size_t from = utf8ByteOffset(text, static_cast<std::size_t>(start - 1));
    std::size_t to = text.size();
    if (args.has(2)) {
        std::int32_t length = args.integer(2);
        if (length < 0) {
            throwBadArgumentValue("non-negative", args[2]);
        }
        to = from +
             utf8ByteOffset(std::string_view(text).substr(from), static_cast<std::size_t>(length));
    }
    return Value::string(text.substr(from, to - from));
}

// Leading blanks, then as many digits as form an integer; "12abc" is 12, "abc" is 0.
Value atoi(Interpreter&, const Args& args)
{
    args.expect(1);
    std::string_view text = args.string(0);
    text.remove_prefix(skipSpace(text));
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 32);
    }
    value = negative ? -value : value;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return Value::integer(static_cast<std::int32_t>(value));
}

// The longest leading part that reads as a number; "2.5m" is 2.5, "abc" is 0.0.
Value atof(Interpreter&, const Args& args)
{
    args.expect(1);
    std::string_view text = args.string(0);
    text.remove_prefix(skipSpace(text));
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        value = text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return Value::real(value);
}

Value itoa(Interpreter&, const Args& args)
{
    args.expect(1);
    return Value::string(std::to_string(args.integer(0)));
}

// (strcase text [lower]): ASCII letters only; other characters are left as they are.
Value strcase(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    std::string text = args.string(0);
    bool lower = args.has(1) && args[1].isTrue();
    for (char& c : text) {
        if (lower && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (!lower && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return Value::string(std::move(text));
}

Value chr(Interpreter&, const Args& args)
{
    args.expect(1);
    std::int32_t code = args.integer(0);
    // Surrogate halves have no UTF-8 form of their own.
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        throwBadArgumentValue("character code", args[0]);
    }
    return Value::string(code == 0 ? std::string() : utf8Encode(static_cast<char32_t>(code)));
}

Value ascii(Interpreter&, const Args& args)
{
    args.expect(1);
    const std::string& text = args.string(0);
    return Value::integer(text.empty() ? 0 : static_cast<std::int32_t>(utf8Decode(text, 0)));
}

Value wcmatch(Interpreter&, const Args& args)
{
    args.expect(2);
    return Value::boolean(wildcardMatch(args.string(0), args.string(1)));
}

} // namespace

std::span<const Builtin> stringBuiltins()
{
    static const std::vector<Builtin> table = {
        {"strcat", strcat}, {"strlen", strlen},   {"substr", substr},   {"atoi", atoi},
        {"atof", atof},     {"itoa", itoa},       {"strcase", strcase}, {"chr", chr},
        {"ascii", ascii},   {"wcmatch", wcmatch},
    };
    return table;
}

} // namespace dh::lisp
