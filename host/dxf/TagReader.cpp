#include "host/dxf/TagReader.h"

#include "host/dxf/GroupCode.h"
#include "host/dxf/ReadError.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cstring>
#include <string>

namespace dh::dxf {

namespace {

constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

inline bool isBlankByte(char c) { return c == ' ' || c == '\t'; }

inline std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlankByte(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlankByte(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Group codes are short runs of digits; anything else (a sign, overflow, junk) goes through
// from_chars so that its verdict stays the one that counts.
inline bool parseCode(std::string_view text, int& code)
{
    if (!text.empty() && text.size() <= 9) {
        int value = 0;
        std::size_t i = 0;
        for (; i < text.size(); ++i) {
            const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
            if (digit > 9) break;
            value = value * 10 + static_cast<int>(digit);
        }
        if (i == text.size()) {
            code = value;
            return true;
        }
    }
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
    return ec == std::errc() && ptr == text.data() + text.size();
}

template <typename T>
T loadLittleEndian(const char* p)
{
    T value;
    std::memcpy(&value, p, sizeof value); // the hosts we build for are little-endian
    return value;
}

} // namespace

TagReader::TagReader(std::string_view data) : m_data(data)
{
    m_binary = isBinary(data);
    if (m_binary) {
        m_pos = kBinarySentinel.size();
        // The first group is "0 SECTION": R12 writes its code in one byte, later
        // versions in two, so a zero after the first code byte means two-byte codes.
        m_shortCodes = m_data.size() > m_pos + 1 && m_data[m_pos + 1] != '\0';
    } else if (data.size() >= 3 && data.substr(0, 3) == "\xEF\xBB\xBF") {
        m_pos = 3; // a byte-order mark some writers put before R2007 files
    }
}

bool TagReader::isBinary(std::string_view data)
{
    return data.substr(0, kBinarySentinel.size()) == kBinarySentinel;
}

void TagReader::fail(std::size_t where, const std::string& reason) const
{
    throw ReadError(where, reason, m_binary);
}

namespace {
// Values are short lines; what lies a megabyte behind the reader is never looked at again.
constexpr std::size_t kReleaseMargin = 1u << 20;
} // namespace

void TagReader::releasePassed()
{
    m_release(m_pos - kReleaseMargin);
    m_nextRelease = m_pos + kReleaseStep;
}

namespace {

// The first '\n' in [p, limit), or limit: eight bytes at a time, since most values are
// longer than a code line.
inline const char* findNewline(const char* p, const char* limit)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    constexpr std::uint64_t kNewlines = kOnes * static_cast<unsigned char>('\n');
    while (limit - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t x = word ^ kNewlines;
        // The lowest flagged byte is the first zero byte (the hosts are little-endian).
        const std::uint64_t found = (x - kOnes) & ~x & kHighs;
        if (found != 0) return p + (std::countr_zero(found) >> 3);
        p += 8;
    }
    while (p != limit && *p != '\n') ++p;
    return p;
}

} // namespace

bool TagReader::readLine(std::string_view& line)
{
    const std::size_t size = m_data.size();
    if (m_pos >= size) return false;
    const char* begin = m_data.data() + m_pos;
    const char* limit = m_data.data() + size;
    const char* nl = findNewline(begin, limit);
    std::size_t length = static_cast<std::size_t>(nl - begin);
    m_pos += nl == limit ? length : length + 1;
    if (length != 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, length);
    ++m_line;
    return true;
}

bool TagReader::readCodeQuickly(int& code)
{
    // The usual code line: spaces, up to nine digits, the line end.
    const char* data = m_data.data();
    const char* limit = data + m_data.size();
    const char* p = data + m_pos;
    while (p != limit && *p == ' ') ++p;
    const char* digits = p;
    int value = 0;
    while (p != limit && p - digits < 9 && static_cast<unsigned char>(*p) - unsigned{'0'} <= 9)
        value = value * 10 + (*p++ - '0');
    if (p == digits || p == limit) return false;
    if (*p == '\r' && p + 1 != limit && p[1] == '\n') ++p;
    if (*p != '\n') return false;
    m_pos = static_cast<std::size_t>(p + 1 - data);
    ++m_line;
    code = value;
    return true;
}

bool TagReader::readAscii(Tag& tag)
{
    if (m_done || m_pos >= m_data.size()) return false;
    int code = 0;
    if (!readCodeQuickly(code)) {
        std::string_view codeLine;
        readLine(codeLine);
        std::string_view codeText = trim(codeLine);
        if (codeText.empty()) {
            // Blank lines after the last group are harmless; elsewhere they are damage.
            std::size_t rest = m_pos;
            while (rest < m_data.size() && std::isspace(static_cast<unsigned char>(m_data[rest]))) ++rest;
            if (rest >= m_data.size()) return false;
        }
        if (!parseCode(codeText, code))
            fail(m_line, "invalid group code '" + std::string(codeText.substr(0, 40)) + "'");
    }
    tag.code = code;
    tag.where = m_line;
    tag.numeric = false;
    if (!readLine(tag.raw)) fail(m_line, "the file ends inside group " + std::to_string(code));
    if (code == 0 && trim(tag.raw) == "EOF") m_done = true;
    return true;
}

void TagReader::need(std::size_t bytes) const
{
    if (m_data.size() - m_pos < bytes) fail(m_pos, "the file ends inside a group");
}

bool TagReader::readBinary(Tag& tag)
{
    if (m_done || m_pos >= m_data.size()) return false;
    tag.where = m_pos;
    if (m_shortCodes) {
        auto first = static_cast<unsigned char>(m_data[m_pos++]);
        if (first == 255) {
            need(2);
            tag.code = loadLittleEndian<std::uint16_t>(m_data.data() + m_pos);
            m_pos += 2;
        } else {
            tag.code = first;
        }
    } else {
        need(2);
        tag.code = loadLittleEndian<std::int16_t>(m_data.data() + m_pos);
        m_pos += 2;
    }
    const char* p = m_data.data() + m_pos;
    tag.numeric = true;
    tag.raw = {};
    switch (valueType(tag.code)) {
    case ValueType::kDouble:
        need(8);
        tag.number = loadLittleEndian<double>(p);
        m_pos += 8;
        break;
    case ValueType::kInt16:
        need(2);
        tag.integer = loadLittleEndian<std::int16_t>(p);
        m_pos += 2;
        break;
    case ValueType::kInt32:
        need(4);
        tag.integer = loadLittleEndian<std::int32_t>(p);
        m_pos += 4;
        break;
    case ValueType::kInt64:
        need(8);
        tag.integer = loadLittleEndian<std::int64_t>(p);
        m_pos += 8;
        break;
    case ValueType::kBool:
        need(1);
        tag.integer = static_cast<unsigned char>(*p);
        m_pos += 1;
        break;
    case ValueType::kBinary: {
        need(1);
        auto length = static_cast<unsigned char>(*p);
        need(1u + length);
        tag.raw = m_data.substr(m_pos + 1, length);
        tag.numeric = false;
        m_pos += 1u + length;
        break;
    }
    default: {
        const void* nul = std::memchr(p, '\0', m_data.size() - m_pos);
        if (!nul) fail(tag.where, "the file ends inside a text of group " + std::to_string(tag.code));
        std::size_t length = static_cast<const char*>(nul) - p;
        tag.raw = m_data.substr(m_pos, length);
        tag.numeric = false;
        m_pos += length + 1;
        break;
    }
    }
    if (tag.code == 0 && tag.raw == "EOF") m_done = true;
    return true;
}

} // namespace dh::dxf
