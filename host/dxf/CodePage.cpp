#include "host/dxf/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace dh::dxf {

namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Converts the whole of `in`; false on an invalid or incomplete sequence.
bool convert(iconv_t handle, std::string_view in, std::string& out)
{
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t start = out.size();
    out.resize(start + in.size() * 4 + 8);
    char* dst = out.data() + start;
    std::size_t dstLeft = out.size() - start;
    std::size_t rc = iconv(handle, &src, &srcLeft, &dst, &dstLeft);
    out.resize(out.size() - dstLeft);
    if (rc == static_cast<std::size_t>(-1)) {
        out.resize(start);
        return false;
    }
    return true;
}

// Length of the UTF-8 sequence starting with `lead`, 0 if it cannot start one.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

char32_t decodeAt(std::string_view s, std::size_t i, int length)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    switch (length) {
    case 1: return byte(0);
    case 2: return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    case 3: return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    default:
        return ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) |
               ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool readHex4(std::string_view s, std::size_t at, unsigned& value)
{
    if (at + 4 > s.size()) return false;
    value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        int d = hexDigit(s[at + k]);
        if (d < 0) return false;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return true;
}

const char* multibyteCodePage(char n)
{
    switch (n) {
    case '1': return "ANSI_932";
    case '2': return "ANSI_950";
    case '3': return "ANSI_949";
    case '4': return "ANSI_1361";
    case '5': return "ANSI_936";
    default: return nullptr;
    }
}

} // namespace

struct CodePage::Handles {
    iconv_t toUtf8 = reinterpret_cast<iconv_t>(-1);
    iconv_t fromUtf8 = reinterpret_cast<iconv_t>(-1);
    ~Handles()
    {
        if (toUtf8 != reinterpret_cast<iconv_t>(-1)) iconv_close(toUtf8);
        if (fromUtf8 != reinterpret_cast<iconv_t>(-1)) iconv_close(fromUtf8);
    }
};

std::string iconvName(std::string_view dxfName)
{
    std::string name = upper(dxfName);
    if (name == "UTF-8" || name == "UTF8") return "UTF-8";
    if (name.rfind("ANSI_", 0) == 0) {
        std::string number = name.substr(5);
        if (number == "936") return "CP936";
        if (number == "950") return "BIG5";
        if (number == "932") return "CP932";
        if (number == "949") return "CP949";
        if (number == "1361") return "JOHAB";
        if (number == "874") return "CP874";
        if (number.size() == 4 && number >= "1250" && number <= "1258") return "CP" + number;
        return "";
    }
    if (name.rfind("DOS", 0) == 0) {
        std::string number = name.substr(3);
        if (number == "932") return "CP932";
        if (number == "936") return "CP936";
        if (number == "949") return "CP949";
        if (number == "950") return "BIG5";
        if (!number.empty() && std::all_of(number.begin(), number.end(), ::isdigit))
            return "CP" + number;
        return "";
    }
    if (name == "MAC-ROMAN" || name == "MACINTOSH") return "MACINTOSH";
    if (name.rfind("ISO8859-", 0) == 0) return "ISO-8859-" + name.substr(8);
    if (name == "BIG5") return "BIG5";
    if (name == "GB2312") return "CP936";
    return "";
}

CodePage::CodePage(std::string_view dxfName) : m_handles(std::make_unique<Handles>())
{
    m_name = upper(dxfName);
    std::string iconvCp = iconvName(m_name);
    if (iconvCp.empty()) {
        m_known = false;
        m_name = "ANSI_1252";
        iconvCp = "CP1252";
    }
    m_utf8 = iconvCp == "UTF-8";
    if (m_utf8) return;
    m_handles->toUtf8 = iconv_open("UTF-8", iconvCp.c_str());
    m_handles->fromUtf8 = iconv_open(iconvCp.c_str(), "UTF-8");
    if (m_handles->toUtf8 == reinterpret_cast<iconv_t>(-1) ||
        m_handles->fromUtf8 == reinterpret_cast<iconv_t>(-1)) {
        m_known = false;
        m_name = "ANSI_1252";
        m_handles = std::make_unique<Handles>();
        m_handles->toUtf8 = iconv_open("UTF-8", "CP1252");
        m_handles->fromUtf8 = iconv_open("CP1252", "UTF-8");
    }
}

CodePage::~CodePage() = default;

bool CodePage::toUtf8(std::string_view bytes, std::string& out)
{
    if (m_utf8 || isAscii(bytes)) {
        if (m_utf8 && !isValidUtf8(bytes)) return false;
        out.append(bytes);
        return true;
    }
    return convert(m_handles->toUtf8, bytes, out);
}

void CodePage::fromUtf8(std::string_view utf8, std::string& out)
{
    if (m_utf8 || isAscii(utf8)) {
        out.append(utf8);
        return;
    }
    // Convert runs of ASCII directly and each other character on its own, so that
    // one character the code page lacks costs only its own escape.
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        int length = sequenceLength(lead);
        if (length == 1) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        if (length == 0 || i + length > utf8.size()) { // not UTF-8: keep the byte
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        if (!convert(m_handles->fromUtf8, utf8.substr(i, length), out)) {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\U+%04X",
                          static_cast<unsigned>(decodeAt(utf8, i, length)));
            out.append(escape);
        }
        i += length;
    }
}

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        int length = sequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + length > text.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string decodeEscapes(std::string_view s)
{
    if (s.find('\\') == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned value = 0;
        if (s[i] == '\\' && i + 7 <= s.size() && (s[i + 1] == 'U' || s[i + 1] == 'u') &&
            s[i + 2] == '+' && readHex4(s, i + 3, value)) {
            std::size_t used = 7;
            // Surrogate pairs written as two escapes.
            unsigned low = 0;
            if (value >= 0xD800 && value <= 0xDBFF && i + 14 <= s.size() &&
                s[i + 7] == '\\' && s[i + 9] == '+' && readHex4(s, i + 10, low) &&
                low >= 0xDC00 && low <= 0xDFFF) {
                value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
                used = 14;
            }
            appendUtf8(out, value);
            i += used;
            continue;
        }
        if (s[i] == '\\' && i + 8 <= s.size() && (s[i + 1] == 'M' || s[i + 1] == 'm') &&
            s[i + 2] == '+' && multibyteCodePage(s[i + 3]) && readHex4(s, i + 4, value)) {
            std::string bytes;
            if (value > 0xFF) bytes.push_back(static_cast<char>(value >> 8));
            bytes.push_back(static_cast<char>(value & 0xFF));
            CodePage page(multibyteCodePage(s[i + 3]));
            std::string decoded;
            if (page.known() && page.toUtf8(bytes, decoded)) {
                out += decoded;
                i += 8;
                continue;
            }
        }
        out.push_back(s[i]);
        ++i;
    }
    return out;
}

} // namespace dh::dxf
