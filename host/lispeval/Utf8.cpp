#include "host/lispeval/Utf8.h"

namespace dh::lisp {

std::size_t utf8CharLength(std::string_view text, std::size_t pos)
{
    auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (pos + length > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::size_t utf8CountChars(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += utf8CharLength(text, pos)) {
        ++count;
    }
    return count;
}

bool utf8Valid(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = utf8CharLength(text, pos);
        if (length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::size_t utf8ByteOffset(std::string_view text, std::size_t charIndex)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < charIndex && pos < text.size(); ++i) {
        pos += utf8CharLength(text, pos);
    }
    return pos;
}

} // namespace dh::lisp

namespace dh::lisp {

char32_t utf8Decode(std::string_view text, std::size_t pos)
{
    std::size_t length = utf8CharLength(text, pos);
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    if (length == 1) {
        return byte(0);
    }
    static constexpr unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t cp = byte(0) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i) {
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    return cp;
}

std::string utf8Encode(char32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace dh::lisp
