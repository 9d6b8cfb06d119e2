#include "host/dxf/TagReader.h"

#include "host/dxf/GroupCode.h"
#include "host/dxf/ReadError.h"

#include <cctype>
#include <charconv>
#include <cstring>
#include <string>

namespace dh::dxf {

namespace {

constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
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

const Tag* TagReader::peek()
{
    if (!m_hasPeek) {
        if (!(m_binary ? readBinary(m_peek) : readAscii(m_peek))) return nullptr;
        m_hasPeek = true;
    }
    return &m_peek;
}

bool TagReader::next(Tag& tag)
{
    if (m_release && m_pos > m_nextRelease) {
        m_release(m_pos - kReleaseMargin);
        m_nextRelease = m_pos + kReleaseStep;
    }
    if (m_hasPeek) {
        tag = m_peek;
        m_hasPeek = false;
        return true;
    }
    return m_binary ? readBinary(tag) : readAscii(tag);
}

bool TagReader::readLine(std::string_view& line)
{
    if (m_pos >= m_data.size()) return false;
    const char* begin = m_data.data() + m_pos;
    const void* nl = std::memchr(begin, '\n', m_data.size() - m_pos);
    std::size_t end = nl ? static_cast<const char*>(nl) - m_data.data() : m_data.size();
    line = m_data.substr(m_pos, end - m_pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_pos = nl ? end + 1 : end;
    ++m_line;
    return true;
}

bool TagReader::readAscii(Tag& tag)
{
    if (m_done) return false;
    std::string_view codeLine;
    if (!readLine(codeLine)) return false;
    if (trim(codeLine).empty()) {
        // Blank lines after the last group are harmless; elsewhere they are damage.
        std::size_t rest = m_pos;
        while (rest < m_data.size() && std::isspace(static_cast<unsigned char>(m_data[rest]))) ++rest;
        if (rest >= m_data.size()) return false;
    }
    std::string_view codeText = trim(codeLine);
    int code = 0;
    auto [ptr, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (ec != std::errc() || ptr != codeText.data() + codeText.size())
        fail(m_line, "invalid group code '" + std::string(codeText.substr(0, 40)) + "'");
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
