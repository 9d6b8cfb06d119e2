// CodePage: converts drawing texts between a DXF code page ($DWGCODEPAGE names such as
// ANSI_936, ANSI_1252, DOS850) and UTF-8, through iconv. Texts the code page cannot hold
// are written as \U+XXXX; reading decodes \U+XXXX and the old \M+nXXXX escapes.
// One object keeps its iconv handles open; it is not shared between threads.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace dh::dxf {

class CodePage {
public:
    // A name the table does not know falls back to ANSI_1252; known() tells.
    explicit CodePage(std::string_view dxfName);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // The DXF name as it is written back (upper case, e.g. "ANSI_936").
    const std::string& name() const { return m_name; }
    bool known() const { return m_known; }
    bool isUtf8() const { return m_utf8; }

    // Bytes of this code page to UTF-8 (escapes not decoded); false when they are not
    // valid in it.
    bool toUtf8(std::string_view bytes, std::string& out);
    // UTF-8 to this code page; characters it cannot hold become \U+XXXX.
    void fromUtf8(std::string_view utf8, std::string& out);

private:
    struct Handles;
    std::string m_name;
    bool m_known = true;
    bool m_utf8 = false;
    std::unique_ptr<Handles> m_handles;
};

// The iconv name of a DXF code page name, or "" when unknown.
std::string iconvName(std::string_view dxfName);

bool isAscii(std::string_view text);
bool isValidUtf8(std::string_view text);

// Replaces \U+XXXX and \M+nXXXX (n: 1 Japanese, 2 Traditional Chinese, 3 Korean,
// 4 Korean Johab, 5 Simplified Chinese) by their characters in UTF-8.
std::string decodeEscapes(std::string_view utf8);

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace dh::dxf
