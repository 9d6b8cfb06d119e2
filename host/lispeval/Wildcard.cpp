#include "host/lispeval/Wildcard.h"

#include "host/lispeval/Utf8.h"

#include <vector>

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

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// Letters beyond ASCII (accented, CJK) count as letters, as names in drawings use them.
bool isLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

// Matches c against the class starting after "[" at p[i]; moves i past "]".
bool matchClass(const Chars& p, std::size_t& i, char32_t c)
{
    bool negate = i < p.size() && p[i] == '~';
    if (negate) {
        ++i;
    }
    bool found = false;
    bool first = true;
    while (i < p.size() && (p[i] != ']' || first)) {
        char32_t low = p[i];
        if (low == '`' && i + 1 < p.size()) {
            low = p[++i];
        }
        char32_t high = low;
        if (i + 2 < p.size() && p[i + 1] == '-' && p[i + 2] != ']') {
            high = p[i + 2];
            i += 2;
        }
        found = found || (c >= low && c <= high);
        first = false;
        ++i;
    }
    ++i; // "]", or the end of an unclosed class
    return found != negate;
}

bool matchFrom(const Chars& t, std::size_t ti, const Chars& p, std::size_t pi)
{
    while (pi < p.size()) {
        char32_t c = p[pi];
        if (c == '*') {
            while (pi < p.size() && p[pi] == '*') {
                ++pi;
            }
            for (std::size_t k = ti; k <= t.size(); ++k) {
                if (matchFrom(t, k, p, pi)) {
                    return true;
                }
            }
            return false;
        }
        if (ti >= t.size()) {
            return false;
        }
        char32_t x = t[ti];
        bool ok = false;
        ++pi;
        switch (c) {
        case '?':
            ok = true;
            break;
        case '#':
            ok = isDigit(x);
            break;
        case '@':
            ok = isLetter(x);
            break;
        case '.':
            ok = !isDigit(x) && !isLetter(x);
            break;
        case '[':
            ok = matchClass(p, pi, x);
            break;
        case '`':
            ok = pi < p.size() && p[pi++] == x;
            break;
        default:
            ok = c == x;
            break;
        }
        if (!ok) {
            return false;
        }
        ++ti;
    }
    return ti == t.size();
}

// Splits at the commas that are neither quoted nor inside a class.
std::vector<Chars> alternatives(const Chars& pattern)
{
    std::vector<Chars> out(1);
    bool inClass = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char32_t c = pattern[i];
        if (c == '`' && i + 1 < pattern.size()) {
            out.back().push_back(c);
            out.back().push_back(pattern[++i]);
            continue;
        }
        if (c == ',' && !inClass) {
            out.emplace_back();
            continue;
        }
        if (c == '[' && !inClass) {
            inClass = true;
        } else if (c == ']' && inClass) {
            inClass = false;
        }
        out.back().push_back(c);
    }
    return out;
}

} // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern)
{
    Chars t = decode(text);
    for (const Chars& alt : alternatives(decode(pattern))) {
        bool negate = !alt.empty() && alt.front() == '~';
        if (matchFrom(t, 0, alt, negate ? 1 : 0) != negate) {
            return true;
        }
    }
    return false;
}

} // namespace dh::lisp
