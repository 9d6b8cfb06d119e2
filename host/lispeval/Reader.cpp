#include "host/lispeval/Reader.h"

#include "host/lispeval/Error.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace dh::lisp {

namespace {

// Nesting beyond this is refused: no real program comes near it, and the reader, printer
// and evaluator recurse once per level.
constexpr int kMaxReadDepth = 1000;

// Thrown inside the reader when the text ends in the middle of a form.
struct Incomplete
{
    const char* reason;
};

bool isDelimiter(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '(' ||
           c == ')' || c == '\'' || c == '"' || c == ';';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// [+-]? (digits ('.' digits?)? | '.' digits) ([eE] [+-]? digits)?
bool isNumberToken(std::string_view t, bool& isInteger)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t intDigits = 0;
    while (i < t.size() && isDigit(t[i])) {
        ++i;
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    bool point = i < t.size() && t[i] == '.';
    if (point) {
        ++i;
        while (i < t.size() && isDigit(t[i])) {
            ++i;
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0) {
        return false;
    }
    bool exponent = i < t.size() && (t[i] == 'e' || t[i] == 'E');
    if (exponent) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < t.size() && isDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    isInteger = !point && !exponent;
    return i == t.size();
}

Value parseNumber(std::string_view token, bool isInteger)
{
    std::string_view digits = token.front() == '+' ? token.substr(1) : token;
    if (isInteger) {
        std::int64_t value = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (ec == std::errc() && end == digits.data() + digits.size() &&
            value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max()) {
            return Value::integer(static_cast<std::int32_t>(value));
        }
        // Too large for 32 bits: the host reads it as a real.
    }
    double value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) {
        throw Error("invalid number on input: " + std::string(token));
    }
    return Value::real(value);
}

class Parser
{
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool atEndAfterSpace()
    {
        skipSpace();
        return m_pos >= m_text.size();
    }

    Value readForm()
    {
        skipSpace();
        if (m_pos >= m_text.size()) {
            throw Incomplete{"malformed list on input"};
        }
        char c = m_text[m_pos];
        if (c == '(') {
            return readList();
        }
        if (c == ')') {
            throw Error("extra right paren on input");
        }
        if (c == '\'') {
            ++m_pos;
            DepthGuard guard(*this);
            return Value::list({Value::symbol("QUOTE"), readForm()});
        }
        if (c == '"') {
            return readString();
        }
        return readAtom();
    }

private:
    struct DepthGuard
    {
        explicit DepthGuard(Parser& p) : parser(p)
        {
            if (++parser.m_depth > kMaxReadDepth) {
                throw Error("malformed list on input: nested too deeply");
            }
        }
        ~DepthGuard() { --parser.m_depth; }
        Parser& parser;
    };

    void skipSpace()
    {
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos];
            if (c == ';') {
                skipComment();
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++m_pos;
            } else {
                return;
            }
        }
    }

    void skipComment()
    {
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '|') {
            std::size_t end = m_text.find("|;", m_pos + 2);
            if (end == std::string_view::npos) {
                throw Incomplete{"malformed comment on input"};
            }
            m_pos = end + 2;
            return;
        }
        std::size_t end = m_text.find('\n', m_pos);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
    }

    bool atDotToken() const
    {
        return m_text[m_pos] == '.' &&
               (m_pos + 1 >= m_text.size() || isDelimiter(m_text[m_pos + 1]));
    }

    Value readList()
    {
        DepthGuard guard(*this);
        ++m_pos; // '('
        ListBuilder items;
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size()) {
                throw Incomplete{"malformed list on input"};
            }
            if (m_text[m_pos] == ')') {
                ++m_pos;
                return items.finish();
            }
            if (atDotToken()) {
                if (items.empty()) {
                    throw Error("misplaced dot on input");
                }
                ++m_pos;
                skipSpace();
                if (m_pos < m_text.size() && m_text[m_pos] == ')') {
                    throw Error("misplaced dot on input");
                }
                Value tail = readForm();
                skipSpace();
                if (m_pos >= m_text.size()) {
                    throw Incomplete{"malformed list on input"};
                }
                if (m_text[m_pos] != ')') {
                    throw Error("misplaced dot on input");
                }
                ++m_pos;
                return items.finish(tail);
            }
            items.add(readForm());
        }
    }

    Value readString()
    {
        ++m_pos; // opening quote
        std::string text;
        for (;;) {
            if (m_pos >= m_text.size()) {
                throw Incomplete{"malformed string on input"};
            }
            char c = m_text[m_pos++];
            if (c == '"') {
                return Value::string(std::move(text));
            }
            if (c != '\\') {
                text += c;
                continue;
            }
            if (m_pos >= m_text.size()) {
                throw Incomplete{"malformed string on input"};
            }
            text += readEscape();
        }
    }

    char readEscape()
    {
        char c = m_text[m_pos++];
        switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'e':
            return '\x1b';
        default:
            break;
        }
        if (c < '0' || c > '7') {
            return c; // \\, \" and any other character stand for themselves
        }
        int code = c - '0';
        for (int i = 0;
             i < 2 && m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '7'; ++i) {
            code = code * 8 + (m_text[m_pos++] - '0');
        }
        return static_cast<char>(code & 0xFF);
    }

    Value readAtom()
    {
        std::size_t start = m_pos;
        while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos])) {
            ++m_pos;
        }
        std::string_view token = m_text.substr(start, m_pos - start);
        if (token == ".") {
            throw Error("misplaced dot on input");
        }
        bool isInteger = false;
        if (isNumberToken(token, isInteger)) {
            return parseNumber(token, isInteger);
        }
        return Value::symbol(token);
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_depth = 0;
};

} // namespace

ReadResult readForms(std::string_view text)
{
    ReadResult result;
    Parser parser(text);
    try {
        while (!parser.atEndAfterSpace()) {
            result.forms.push_back(parser.readForm());
        }
    } catch (const Incomplete& cut) {
        result.incomplete = true;
        result.incompleteReason = cut.reason;
    }
    return result;
}

Value readForm(std::string_view text)
{
    ReadResult result = readForms(text);
    if (result.incomplete) {
        throw Error(result.incompleteReason);
    }
    if (result.forms.size() != 1) {
        throw Error(result.forms.empty() ? "no expression on input"
                                         : "more than one expression on input");
    }
    return result.forms.front();
}

bool needsMoreInput(std::string_view text)
{
    try {
        return readForms(text).incomplete;
    } catch (const Error&) {
        return false;
    }
}

} // namespace dh::lisp
