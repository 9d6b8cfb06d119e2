#include "host/db/entities/TextMetric.h"

#include <cctype>

namespace dh::db {

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

bool isFullWidth(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
        || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
        || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

static double advance(char32_t c)
{
    return isFullWidth(c) ? kFullWidthAdvance : kHalfWidthAdvance;
}

double textWidthFactor(std::string_view text, bool raw)
{
    std::u32string s = decodeUtf8(text);
    double width = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (!raw && s[i] == U'%' && i + 2 < s.size() && s[i + 1] == U'%') {
            char32_t code = s[i + 2];
            if (code == U'u' || code == U'U' || code == U'o' || code == U'O' || code == U'k' || code == U'K') {
                i += 2;
                continue;
            }
            if (code >= U'0' && code <= U'9') {
                // %%nnn: the character with that code, up to three digits.
                size_t j = i + 2;
                while (j < s.size() && j < i + 5 && s[j] >= U'0' && s[j] <= U'9')
                    ++j;
                width += kHalfWidthAdvance;
                i = j - 1;
                continue;
            }
            // %%d, %%p, %%c and %%% are one character each.
            width += kHalfWidthAdvance;
            i += 2;
            continue;
        }
        width += advance(s[i]);
    }
    return width;
}

double lineWidthFactor(const std::u32string& line)
{
    double width = 0.0;
    for (char32_t c : line)
        width += advance(c);
    return width;
}

// Skips a "\X...;" value starting at i (pointing at X); returns the index after ';'.
static size_t skipValue(const std::u32string& s, size_t i)
{
    while (i < s.size() && s[i] != U';')
        ++i;
    return i < s.size() ? i + 1 : i;
}

std::vector<std::u32string> mtextLines(std::string_view contents)
{
    std::u32string s = decodeUtf8(contents);
    std::vector<std::u32string> lines(1);
    size_t i = 0;
    while (i < s.size()) {
        char32_t c = s[i];
        if (c == U'{' || c == U'}') {
            ++i;
            continue;
        }
        if (c == U'^' && i + 1 < s.size()) {
            // Caret-encoded control characters: ^J breaks the line, ^I is a tab, the rest are dropped.
            if (s[i + 1] == U'J')
                lines.emplace_back();
            else if (s[i + 1] == U'I')
                lines.back().push_back(U' ');
            i += 2;
            continue;
        }
        if (c != U'\\' || i + 1 >= s.size()) {
            lines.back().push_back(c == U'\t' ? U' ' : c);
            ++i;
            continue;
        }
        char32_t code = s[i + 1];
        switch (code) {
        case U'P':
            lines.emplace_back();
            i += 2;
            break;
        case U'~':
            lines.back().push_back(U' ');
            i += 2;
            break;
        case U'\\': case U'{': case U'}':
            lines.back().push_back(code);
            i += 2;
            break;
        case U'L': case U'l': case U'O': case U'o': case U'K': case U'k': case U'N':
            i += 2;
            break;
        case U'S': {
            // Stacked fraction: both parts side by side, the separator dropped.
            size_t j = i + 2;
            while (j < s.size() && s[j] != U';') {
                if (s[j] != U'^' && s[j] != U'/' && s[j] != U'#')
                    lines.back().push_back(s[j]);
                ++j;
            }
            i = j < s.size() ? j + 1 : j;
            break;
        }
        case U'A': case U'C': case U'c': case U'F': case U'f': case U'H': case U'h': case U'Q': case U'q':
        case U'T': case U't': case U'W': case U'w': case U'p':
            i = skipValue(s, i + 1);
            break;
        default:
            lines.back().push_back(code);
            i += 2;
            break;
        }
    }
    return lines;
}

std::vector<std::u32string> wrapMTextLines(std::string_view contents, double maxWidth)
{
    std::vector<std::u32string> paragraphs = mtextLines(contents);
    if (maxWidth <= 0.0)
        return paragraphs;
    std::vector<std::u32string> out;
    for (const std::u32string& para : paragraphs) {
        std::u32string line;
        double width = 0.0;
        size_t lastBreak = std::u32string::npos;
        for (char32_t c : para) {
            double a = advance(c);
            if (width + a > maxWidth + 1e-12 && !line.empty()) {
                if (c == U' ') {
                    out.push_back(line);
                    line.clear();
                    width = 0.0;
                    lastBreak = std::u32string::npos;
                    continue;
                }
                if (lastBreak != std::u32string::npos && !isFullWidth(c)) {
                    out.push_back(line.substr(0, lastBreak));
                    line = line.substr(lastBreak + 1);
                } else {
                    out.push_back(line);
                    line.clear();
                }
                width = lineWidthFactor(line);
                lastBreak = std::u32string::npos;
            }
            if (c == U' ')
                lastBreak = line.size();
            else if (isFullWidth(c))
                lastBreak = std::u32string::npos;
            line.push_back(c);
            width += a;
        }
        out.push_back(line);
    }
    return out;
}

} // namespace dh::db
