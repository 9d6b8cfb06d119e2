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
    std::string_view text = utf8;
    std::string encoded;
    if (needsCaret(utf8)) {
        encoded = caretEncode(utf8);
        text = encoded;
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

bool needsCaret(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == '^') return true;
    return false;
}

// Control characters (a line end would break the file's line structure) are written in
// caret notation: ^J for a line feed, and a caret that could be read as one as "^ ".
std::string caretEncode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20) {
            out.push_back('^');
            out.push_back(static_cast<char>(c + 0x40));
        } else if (c == '^' && i + 1 < text.size() &&
                   (text[i + 1] == ' ' || (text[i + 1] >= 0x40 && text[i + 1] <= 0x5F))) {
            out += "^ ";
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string caretDecode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size()) {
            char next = text[i + 1];
            if (next == ' ') {
                out.push_back('^');
                ++i;
                continue;
            }
            if (next >= 0x40 && next <= 0x5F) {
                out.push_back(static_cast<char>(next - 0x40));
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
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
