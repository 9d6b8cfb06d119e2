#include "host/lispeval/Wildcard.h"

#include "host/lispeval/Utf8.h"

#include <cwctype>
#include <utility>
#include <vector>

namespace dh::lisp {

namespace {

using Chars = std::vector<char32_t>;

Chars decode(std::string_view text)
{
    Chars out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); pos += utf8CharLength(text, pos)) {
        out.push_back(utf8Decode(text, pos));
    }
    return out;
}

char32_t fold(char32_t c, CaseMode mode)
{
    if (mode == CaseMode::Sensitive || c >= 0x10000) {
        return c;
    }
    return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// Letters beyond ASCII (accented, CJK) count as letters, as names in drawings use them.
bool isLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

// One step of a pattern: a star, or a test of exactly one character.
struct Token
{
    enum class Kind
    {
        Star,
        Any,
        Digit,
        Letter,
        Other,
        Literal,
        Class
    };
    Kind kind = Kind::Literal;
    char32_t literal = 0;
    bool negate = false;                               // Class
    std::vector<std::pair<char32_t, char32_t>> ranges; // Class, folded

    bool matches(char32_t c, CaseMode mode) const
    {
        switch (kind) {
        case Kind::Star:
        case Kind::Any:
            return true;
        case Kind::Digit:
            return isDigit(c);
        case Kind::Letter:
            return isLetter(c);
        case Kind::Other:
            return !isDigit(c) && !isLetter(c);
        case Kind::Literal:
            return fold(c, mode) == literal;
        case Kind::Class:
            break;
        }
        char32_t f = fold(c, mode);
        for (const auto& [low, high] : ranges) {
            if (f >= low && f <= high) {
                return !negate;
            }
        }
        return negate;
    }
};

// Reads "[…]" starting at p[i] == '[' and moves i past it; false when it is not closed.
bool readClass(const Chars& p, std::size_t& i, Token& token, CaseMode mode)
{
    std::size_t j = i + 1;
    token.kind = Token::Kind::Class;
    token.negate = j < p.size() && p[j] == '~';
    if (token.negate) {
        ++j;
    }
    bool first = true;
    while (j < p.size() && (p[j] != ']' || first)) {
        char32_t low = p[j];
        if (low == '`' && j + 1 < p.size()) {
            low = p[++j];
        }
        char32_t high = low;
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
            high = p[j + 2];
            j += 2;
        }
        token.ranges.emplace_back(fold(low, mode), fold(high, mode));
        first = false;
        ++j;
    }
    if (j >= p.size()) {
        return false;
    }
    i = j + 1;
    return true;
}

std::vector<Token> compile(const Chars& p, CaseMode mode)
{
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < p.size();) {
        char32_t c = p[i];
        if (c == '[') {
            Token set;
            if (readClass(p, i, set, mode)) {
                tokens.push_back(std::move(set));
                continue;
            }
        }
        Token token;
        ++i;
        switch (c) {
        case '*':
            token.kind = Token::Kind::Star;
            if (!tokens.empty() && tokens.back().kind == Token::Kind::Star) {
                continue; // "**" is "*"
            }
            break;
        case '?':
            token.kind = Token::Kind::Any;
            break;
        case '#':
            token.kind = Token::Kind::Digit;
            break;
        case '@':
            token.kind = Token::Kind::Letter;
            break;
        case '.':
            token.kind = Token::Kind::Other;
            break;
        case '`':
            token.literal = fold(i < p.size() ? p[i++] : c, mode);
            break;
        default:
            token.literal = fold(c, mode);
            break;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Every token but a star takes one character, so on a mismatch only the latest star needs
// to take one more: earlier stars can never do better.
bool matchTokens(const Chars& t, const std::vector<Token>& p, CaseMode mode)
{
    std::size_t ti = 0;
    std::size_t pi = 0;
    std::size_t starP = p.size(); // none yet
    std::size_t starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi].kind == Token::Kind::Star) {
            starP = pi++;
            starT = ti;
        } else if (pi < p.size() && p[pi].matches(t[ti], mode)) {
            ++pi;
            ++ti;
        } else if (starP != p.size()) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi].kind == Token::Kind::Star) {
        ++pi;
    }
    return pi == p.size();
}

// Splits at the commas that are neither quoted nor inside a closed class.
std::vector<Chars> alternatives(const Chars& pattern)
{
    std::vector<Chars> out(1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char32_t c = pattern[i];
        if (c == '`' && i + 1 < pattern.size()) {
            out.back().push_back(c);
            out.back().push_back(pattern[++i]);
            continue;
        }
        if (c == ',') {
            out.emplace_back();
            continue;
        }
        if (c == '[') {
            Token ignored;
            std::size_t end = i;
            if (readClass(pattern, end, ignored, CaseMode::Sensitive)) {
                out.back().insert(out.back().end(), pattern.begin() + static_cast<long>(i),
                                  pattern.begin() + static_cast<long>(end));
                i = end - 1;
                continue;
            }
        }
        out.back().push_back(c);
    }
    return out;
}

} // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern, CaseMode mode)
{
    Chars t = decode(text);
    for (Chars& alt : alternatives(decode(pattern))) {
        bool negate = alt.size() > 1 && alt.front() == '~';
        if (negate) {
            alt.erase(alt.begin());
        }
        if (matchTokens(t, compile(alt, mode), mode) != negate) {
            return true;
        }
    }
    return false;
}

} // namespace dh::lisp
