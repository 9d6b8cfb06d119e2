#include "host/dxf/TextDecoder.h"

namespace dh::dxf {

TextDecoder::TextDecoder(std::string_view overrideName)
    : m_page(std::make_unique<CodePage>("ANSI_1252")), m_override(overrideName),
      m_declared("ANSI_1252")
{
    if (!m_override.empty()) {
        m_page = std::make_unique<CodePage>(m_override);
        if (!m_page->known())
            m_warnings.push_back("unknown encoding '" + m_override + "', using ANSI_1252");
    }
}

void TextDecoder::setFileCodePage(std::string_view dxfName)
{
    CodePage page(dxfName);
    m_declared = page.name();
    if (!page.known())
        m_warnings.push_back("unknown code page '" + std::string(dxfName) +
                             "', texts read as ANSI_1252");
    if (m_override.empty() && !m_utf8File) m_page = std::make_unique<CodePage>(dxfName);
    forgetCache();
}

void TextDecoder::setUtf8File(bool utf8)
{
    m_utf8File = utf8;
    if (utf8 && m_override.empty()) m_page = std::make_unique<CodePage>("UTF-8");
    forgetCache();
}

void TextDecoder::forgetCache()
{
    for (CachedText& cached : m_cache) {
        cached.raw.clear();
        cached.text.clear();
    }
}

namespace {

bool isDoubleByte(const CodePage& page)
{
    const std::string& n = page.name();
    return n.find("932") != std::string::npos || n.find("936") != std::string::npos ||
           n.find("949") != std::string::npos || n.find("950") != std::string::npos ||
           n.find("1361") != std::string::npos;
}

// Valid UTF-8 holding at least two characters of the CJK ranges. Short double-byte texts
// are often valid UTF-8 by chance (a lead byte C2–DF with a trail A1–BF), runs of
// three-byte CJK sequences hardly ever are.
bool looksLikeUtf8Cjk(std::string_view raw)
{
    int cjk = 0;
    for (std::size_t i = 0; i + 2 < raw.size(); ++i) {
        auto lead = static_cast<unsigned char>(raw[i]);
        if (lead >= 0xE3 && lead <= 0xEF) {
            ++cjk;
            i += 2;
        }
    }
    return cjk >= 2;
}

} // namespace

namespace {

// ASCII without a backslash is its own UTF-8 and has no escape to resolve.
bool isPlainAscii(std::string_view raw)
{
    unsigned char seen = 0;
    for (char c : raw) {
        seen |= static_cast<unsigned char>(c);
        if (c == '\\') return false;
    }
    return seen < 0x80;
}

} // namespace

std::string TextDecoder::decode(std::string_view raw, bool escapes)
{
    if (isPlainAscii(raw)) return std::string(raw);
    std::string text = decodedBytes(raw);
    return escapes ? decodeEscapes(text) : text;
}

std::string TextDecoder::decodedBytes(std::string_view raw)
{
    // Layer and style names repeat on every entity: the last few conversions are kept.
    if (raw.size() > kCachedLength || isAscii(raw)) return decodeBytes(raw);
    for (const CachedText& cached : m_cache)
        if (cached.raw == raw) return cached.text;
    CachedText& slot = m_cache[m_nextCacheSlot];
    m_nextCacheSlot = (m_nextCacheSlot + 1) % m_cache.size();
    slot.text = decodeBytes(raw);
    slot.raw.assign(raw);
    return slot.text;
}

std::string TextDecoder::decodeBytes(std::string_view raw)
{
    if (isAscii(raw)) return std::string(raw);
    std::string out;
    if (!m_page->isUtf8() && m_override.empty() && isValidUtf8(raw) &&
        (!isDoubleByte(*m_page) || looksLikeUtf8Cjk(raw))) {
        // Text in a single-byte code page is hardly ever valid UTF-8 by chance, while
        // UTF-8 texts under a wrong header are common.
        if (!m_warnedUtf8) {
            m_warnings.push_back("texts are UTF-8 although the file declares " +
                                 m_page->name() + "; read as UTF-8");
            m_warnedUtf8 = true;
        }
        return std::string(raw);
    }
    if (m_page->toUtf8(raw, out)) return out;
    return fallback(raw);
}

std::string TextDecoder::fallback(std::string_view raw)
{
    if (isValidUtf8(raw)) {
        if (!m_warnedUtf8) {
            m_warnings.push_back("texts cannot be decoded as " + m_page->name() +
                                 " but are valid UTF-8; read as UTF-8");
            m_warnedUtf8 = true;
        }
        return std::string(raw);
    }
    if (!m_warnedInvalid) {
        m_warnings.push_back("some texts are not valid in " + m_page->name() +
                             "; undecodable bytes replaced by U+FFFD");
        m_warnedInvalid = true;
    }
    // Decode what can be decoded byte run by byte run; replace the rest.
    std::string out;
    for (std::size_t i = 0; i < raw.size();) {
        auto byte = static_cast<unsigned char>(raw[i]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
            ++i;
            continue;
        }
        std::string piece;
        if (i + 1 < raw.size() && m_page->toUtf8(raw.substr(i, 2), piece)) {
            out += piece;
            i += 2;
        } else if (piece.clear(), m_page->toUtf8(raw.substr(i, 1), piece)) {
            out += piece;
            ++i;
        } else {
            appendUtf8(out, 0xFFFD);
            ++i;
        }
    }
    return out;
}

} // namespace dh::dxf
