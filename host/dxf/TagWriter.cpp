#include "host/dxf/TagWriter.h"

#include <charconv>
#include <cmath>

namespace dh::dxf {

TagWriter::TagWriter(std::string_view codePage, bool utf8)
    : m_codePage(utf8 ? std::string_view("UTF-8") : codePage), m_utf8(utf8)
{
    m_out.reserve(1 << 20);
}

void TagWriter::writeCode(int code)
{
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    std::size_t length = static_cast<std::size_t>(end - digits);
    for (std::size_t pad = length; pad < 3; ++pad) m_out.push_back(' ');
    m_out.append(digits, length);
    m_out.push_back('\n');
}

void TagWriter::writeString(int code, std::string_view utf8)
{
    writeCode(code);
    // A line end inside a value would break the group structure of the file.
    bool clean = utf8.find_first_of("\r\n") == std::string_view::npos;
    std::string_view text = utf8;
    std::string flattened;
    if (!clean) {
        flattened.assign(utf8);
        for (char& c : flattened)
            if (c == '\r' || c == '\n') c = ' ';
        text = flattened;
    }
    if (m_utf8) {
        m_out.append(text);
    } else {
        m_scratch.clear();
        m_codePage.fromUtf8(text, m_scratch);
        m_out.append(m_scratch);
    }
    m_out.push_back('\n');
}

void TagWriter::writeRaw(int code, std::string_view text)
{
    writeCode(code);
    m_out.append(text);
    m_out.push_back('\n');
}

void TagWriter::writeInt(int code, std::int64_t value)
{
    writeCode(code);
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    m_out.append(digits, end);
    m_out.push_back('\n');
}

void appendDouble(std::string& out, double value)
{
    if (!std::isfinite(value)) value = 0.0; // no reader accepts nan or inf
    char digits[32];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    std::string_view text(digits, static_cast<std::size_t>(end - digits));
    out.append(text);
    if (text.find_first_of(".eE") == std::string_view::npos) out.append(".0");
}

void TagWriter::writeDouble(int code, double value)
{
    writeCode(code);
    appendDouble(m_out, value);
    m_out.push_back('\n');
}

void TagWriter::writeHandle(int code, std::uint64_t handle)
{
    writeCode(code);
    char digits[20];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, handle, 16);
    for (char* p = digits; p != end; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    m_out.append(digits, end);
    m_out.push_back('\n');
}

void TagWriter::writeBinary(int code, const void* data, std::size_t size)
{
    static const char kHex[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    // Groups of at most 127 bytes, as strict readers expect.
    std::size_t done = 0;
    do {
        std::size_t chunk = std::min<std::size_t>(127, size - done);
        writeCode(code);
        for (std::size_t i = 0; i < chunk; ++i) {
            m_out.push_back(kHex[bytes[done + i] >> 4]);
            m_out.push_back(kHex[bytes[done + i] & 15]);
        }
        m_out.push_back('\n');
        done += chunk;
    } while (done < size);
}

} // namespace dh::dxf
