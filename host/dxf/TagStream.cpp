#include "host/dxf/TagStream.h"

#include "host/dxf/GroupCode.h"
#include "host/dxf/ReadError.h"
#include "host/dxf/TagWriter.h"

#include <charconv>
#include <cmath>

namespace dh::dxf {

namespace {

inline std::string_view trimmed(std::string_view s)
{
    if (!s.empty() && s.front() != ' ' && s.front() != '\t' && s.back() != ' ' && s.back() != '\t') return s;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Exact powers of ten a double holds.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Plain decimals ("-504364.453") of at most 15 digits: the digits make an integer a double
// holds exactly, and one division by an exact power of ten rounds correctly, so the result
// is the one from_chars gives. False for anything else (exponents, long mantissas, junk).
inline bool parsePlainDecimal(std::string_view text, double& value)
{
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    if (end - p > 16) return false;
    std::uint64_t mantissa = 0;
    const char* whole = p;
    while (p != end && static_cast<unsigned char>(*p) - unsigned{'0'} <= 9)
        mantissa = mantissa * 10 + (static_cast<unsigned char>(*p++) - unsigned{'0'});
    std::ptrdiff_t digits = p - whole;
    std::ptrdiff_t fraction = 0;
    if (p != end && *p == '.') {
        const char* part = ++p;
        while (p != end && static_cast<unsigned char>(*p) - unsigned{'0'} <= 9)
            mantissa = mantissa * 10 + (static_cast<unsigned char>(*p++) - unsigned{'0'});
        fraction = p - part;
        digits += fraction;
    }
    if (p != end || digits == 0 || digits > 15) return false;
    double result = static_cast<double>(mantissa);
    if (fraction > 0) result /= kPowersOfTen[fraction];
    value = negative ? -result : result;
    return true;
}

// Plain integers of at most 18 digits, which cannot overflow.
inline bool parsePlainInteger(std::string_view text, std::int64_t& value)
{
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (p != end && *p == '-') {
        negative = true;
        ++p;
    }
    if (p == end || end - p > 18) return false;
    std::int64_t result = 0;
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) return false;
        result = result * 10 + digit;
    }
    value = negative ? -result : result;
    return true;
}

} // namespace

TagStream::TagStream(TagReader& reader, TextDecoder& decoder)
    : m_reader(reader), m_decoder(decoder)
{
}

void TagStream::fail(const std::string& reason) const { m_reader.fail(m_reader.where(), reason); }

void TagStream::failAt(std::size_t where, const std::string& reason) const
{
    m_reader.fail(where, reason);
}

double TagStream::parseDouble(const Tag& raw) const
{
    if (raw.numeric) return raw.number;
    std::string_view text = trimmed(raw.raw);
    double value = 0.0;
    if (text.empty()) return 0.0;
    if (parsePlainDecimal(text, value)) return value;
    if (text.front() == '+') text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) return 0.0;
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        failAt(raw.where, "invalid number '" + std::string(text.substr(0, 40)) + "' in group " +
                              std::to_string(raw.code));
    return value;
}

std::int64_t TagStream::parseInt(const Tag& raw) const
{
    if (raw.numeric) return raw.integer;
    std::string_view text = trimmed(raw.raw);
    if (text.empty()) return 0;
    std::int64_t value = 0;
    if (parsePlainInteger(text, value)) return value;
    if (text.front() == '+') text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && ptr == text.data() + text.size()) return value;
    // Some writers put integers as reals ("1.0"); take them when they are whole.
    double real = 0.0;
    auto [rptr, rec] = std::from_chars(text.data(), text.data() + text.size(), real);
    if (rec == std::errc() && rptr == text.data() + text.size() && std::isfinite(real) &&
        real == std::floor(real) && std::fabs(real) < 9.2e18)
        return static_cast<std::int64_t>(real);
    failAt(raw.where, "invalid integer '" + std::string(text.substr(0, 40)) + "' in group " +
                          std::to_string(raw.code));
}

std::uint64_t TagStream::parseHandle(const Tag& raw) const
{
    std::string_view text = trimmed(raw.raw);
    if (text.size() > 16) return 0; // an invalid handle reads as none; the reader repairs it
    std::uint64_t value = 0;
    for (char c : text) {
        int d = hexValue(c);
        if (d < 0) return 0;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

void TagStream::parseBinary(const Tag& raw, std::string& out) const
{
    out.clear();
    if (m_reader.binary()) {
        out.assign(raw.raw);
        return;
    }
    std::string_view text = trimmed(raw.raw);
    if (text.size() % 2 != 0)
        failAt(raw.where, "binary data of odd length in group " + std::to_string(raw.code));
    out.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int hi = hexValue(text[i]), lo = hexValue(text[i + 1]);
        if (hi < 0 || lo < 0)
            failAt(raw.where, "invalid binary data in group " + std::to_string(raw.code));
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
}

bool TagStream::next(AcDbDxfTag& tag, std::size_t* where)
{
    do {
        if (!m_reader.next(m_raw)) return false;
    } while (m_raw.code == 999);
    if (where) *where = m_raw.where;
    tag.code = m_raw.code;
    tag.hasZ = false;
    if (isPointX(m_raw.code)) {
        tag.kind = AcDbDxfTag::Kind::kPoint;
        tag.xyz[0] = parseDouble(m_raw);
        tag.xyz[1] = tag.xyz[2] = 0.0;
        int x = m_raw.code;
        const Tag* following = m_reader.peek();
        if (following && following->code == x + 10) {
            m_reader.next(m_raw);
            tag.xyz[1] = parseDouble(m_raw);
            following = m_reader.peek();
            if (following && following->code == x + 20) {
                m_reader.next(m_raw);
                tag.xyz[2] = parseDouble(m_raw);
                tag.hasZ = true;
            }
        }
        return true;
    }
    if (m_raw.code < 0) failAt(m_raw.where, "invalid group code " + std::to_string(m_raw.code));
    switch (valueType(m_raw.code)) {
    case ValueType::kDouble:
        tag.kind = AcDbDxfTag::Kind::kDouble;
        tag.xyz[0] = parseDouble(m_raw);
        break;
    case ValueType::kInt16:
    case ValueType::kInt32:
    case ValueType::kInt64:
    case ValueType::kBool:
        tag.kind = AcDbDxfTag::Kind::kInt;
        tag.integer = parseInt(m_raw);
        break;
    case ValueType::kHandle:
        tag.kind = AcDbDxfTag::Kind::kHandle;
        tag.integer = static_cast<std::int64_t>(parseHandle(m_raw));
        break;
    case ValueType::kBinary:
        tag.kind = AcDbDxfTag::Kind::kBinary;
        parseBinary(m_raw, tag.text);
        break;
    case ValueType::kString:
        tag.kind = AcDbDxfTag::Kind::kString;
        if (m_raw.code == 0 || m_raw.code == 100 || m_raw.code == 102 || m_raw.code == 1001 ||
            m_raw.code == 9)
            tag.text.assign(trimmed(m_raw.raw)); // structure names: ASCII, spaces are noise
        else
            tag.text = m_decoder.decode(m_raw.raw,
                                        !(m_textInPieces && (m_raw.code == 1 || m_raw.code == 3)));
        if (!m_reader.binary() && tag.text.find('^') != std::string::npos)
            tag.text = caretDecode(tag.text);
        break;
    }
    return true;
}

bool TagStream::peekCode(int& code)
{
    const Tag* following = m_reader.peek();
    while (following && following->code == 999) {
        m_reader.next(m_raw);
        following = m_reader.peek();
    }
    if (!following) return false;
    code = following->code;
    return true;
}

bool TagStream::peekIs(int code, std::string_view value)
{
    int next = 0;
    if (!peekCode(next) || next != code) return false;
    return trimmed(m_reader.peek()->raw) == value;
}

void TagStream::readObject(ObjectTags& object)
{
    object.clear();
    AcDbDxfTag tag;
    std::size_t where = 0;
    if (!next(tag, &where) || tag.code != 0) fail("expected the start of an object (group 0)");
    object.type = tag.text;
    object.line = where;
    m_textInPieces = object.type == "MTEXT";
    bool inXData = false;
    bool seenSubclass = false;
    int code = 0;
    while (peekCode(code) && code != 0) {
        next(tag, &where);
        if (inXData && tag.code < 1000) inXData = false; // a writer that appends after it
        if (inXData || tag.code == 1001) {
            inXData = true;
            object.xdata.push_back(tag);
            continue;
        }
        if (tag.code == 102 && !tag.text.empty() && tag.text.front() == '{') {
            AppDataGroup group;
            group.name = tag.text.substr(1);
            for (;;) {
                if (!peekCode(code) || code == 0)
                    failAt(where, "application data group " + tag.text + " is not closed");
                next(tag, &where);
                if (tag.code == 102) break; // "}"
                group.tags.push_back(tag);
            }
            object.appData.push_back(std::move(group));
            continue;
        }
        if ((tag.code == 5 || (tag.code == 105 && object.type == "DIMSTYLE")) &&
            object.handle == 0) {
            object.handle = static_cast<std::uint64_t>(tag.integer);
            continue;
        }
        if (tag.code == 330 && !seenSubclass && object.owner == 0) {
            object.owner = static_cast<std::uint64_t>(tag.integer);
            continue;
        }
        if (tag.code == 100) seenSubclass = true;
        object.body.push_back(std::move(tag));
        object.lines.push_back(where);
    }
    if (m_textInPieces) joinTextPieces(object);
    m_textInPieces = false;
}

void TagStream::joinTextPieces(ObjectTags& object)
{
    Tags body;
    std::vector<std::size_t> lines;
    std::string pieces;
    for (std::size_t i = 0; i < object.body.size(); ++i) {
        AcDbDxfTag& tag = object.body[i];
        if (tag.code == 3 && tag.kind == AcDbDxfTag::Kind::kString) {
            pieces += tag.text;
            continue;
        }
        if (tag.code == 1 && tag.kind == AcDbDxfTag::Kind::kString) {
            tag.text = decodeEscapes(pieces + tag.text);
            pieces.clear();
        }
        body.push_back(std::move(tag));
        lines.push_back(object.lines[i]);
    }
    if (!pieces.empty()) { // pieces without their closing group 1
        body.push_back(makeTextTag(1, decodeEscapes(pieces)));
        lines.push_back(object.line);
    }
    object.body = std::move(body);
    object.lines = std::move(lines);
}

} // namespace dh::dxf
