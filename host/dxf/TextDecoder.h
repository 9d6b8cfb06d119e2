// TextDecoder: turns the text values of a file into UTF-8. The code page comes from the
// header ($DWGCODEPAGE; UTF-8 from R2007 on) or from an override. When the file's code page
// cannot decode a text that is valid UTF-8 — files that declare ANSI_936 but hold UTF-8 are
// common — the text is taken as UTF-8 and a warning says so, once.
#pragma once

#include "host/dxf/CodePage.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dh::dxf {

class TextDecoder {
public:
    // An empty override lets the header decide.
    explicit TextDecoder(std::string_view overrideName = {});

    void setFileCodePage(std::string_view dxfName); // from $DWGCODEPAGE
    void setUtf8File(bool utf8);                    // R2007 and later
    const CodePage& codePage() const { return *m_page; }
    // The code page the file declared (before any override), e.g. "ANSI_936".
    const std::string& declared() const { return m_declared; }

    // Decoded text with \U+ and \M+ escapes resolved (or left, for texts that are joined
    // from pieces first: an escape may be cut between two pieces).
    std::string decode(std::string_view raw, bool escapes = true);

    std::vector<std::string>& warnings() { return m_warnings; }

private:
    struct CachedText {
        std::string raw; // empty: unused (an empty text is ASCII and never cached)
        std::string text;
    };
    static constexpr std::size_t kCachedLength = 64;

    std::string decodedBytes(std::string_view raw);
    void forgetCache();
    std::string decodeBytes(std::string_view raw);
    std::string fallback(std::string_view raw);

    std::unique_ptr<CodePage> m_page;
    std::string m_override;
    std::string m_declared;
    bool m_utf8File = false;
    bool m_warnedUtf8 = false;
    bool m_warnedInvalid = false;
    std::vector<std::string> m_warnings;
    std::array<CachedText, 8> m_cache;
    std::size_t m_nextCacheSlot = 0;
};

} // namespace dh::dxf
