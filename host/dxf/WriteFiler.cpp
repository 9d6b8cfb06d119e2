#include "host/dxf/WriteFiler.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace dh::dxf {

namespace {

// Angles (50–58) are held in radians and written in degrees; radians to degrees and back
// is not exact, so "30" read would come back as 29.999999999999996. A decimal that gives
// the same degrees through the conversion is written instead when it is clearly shorter
// than the value's own shortest form: a value given to full precision is left alone.
int shortestDigits(double value)
{
    char digits[40];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
    if (ec != std::errc()) return 17;
    int count = 0;
    for (char* p = digits; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') ++count;
    return count;
}

double stableDegrees(double degrees)
{
    if (!std::isfinite(degrees) || degrees == 0.0) return degrees;
    constexpr double kToRadians = std::numbers::pi / 180.0;
    auto converts = [degrees](double candidate) {
        return candidate * std::numbers::pi / 180.0 * 180.0 / std::numbers::pi == degrees ||
               candidate * kToRadians / kToRadians == degrees;
    };
    const int limit = std::min(15, shortestDigits(degrees) - 2);
    char digits[40];
    for (int precision = 1; precision <= limit; ++precision) {
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, degrees,
                                       std::chars_format::general, precision);
        double candidate = 0.0;
        if (ec != std::errc() || std::from_chars(digits, end, candidate).ec != std::errc()) break;
        if (converts(candidate)) return candidate;
    }
    return degrees;
}

} // namespace

void WriteFiler::begin(const std::vector<KeptGroup>* kept)
{
    m_kept = kept && !kept->empty() ? kept : nullptr;
    m_modelled = false;
    m_subclass.clear();
    m_occurrence = 0;
    m_seen.clear();
    m_codes.clear();
}

void WriteFiler::finish()
{
    flushKept();
    m_kept = nullptr;
}

void WriteFiler::note(int code)
{
    if (m_kept && !m_flushing) m_codes.push_back(code);
}

void WriteFiler::flushKept()
{
    if (!m_kept) return;
    m_flushing = true;
    for (const KeptGroup& group : *m_kept) {
        if (group.subclass != m_subclass || group.occurrence != m_occurrence) continue;
        bool wholeSubclass = !group.tags.empty() && group.tags.front().code == 100;
        for (const AcDbDxfTag& tag : group.tags) {
            if (!wholeSubclass &&
                std::find(m_codes.begin(), m_codes.end(), tag.code) != m_codes.end())
                continue;
            writeTag(tag);
        }
    }
    m_flushing = false;
}

void WriteFiler::putString(int code, std::string_view utf8)
{
    if (code == 100 && m_kept && !m_flushing) {
        flushKept();
        m_subclass.assign(utf8);
        m_occurrence = 0;
        for (const auto& seen : m_seen)
            if (seen.first == m_subclass) ++m_occurrence;
        m_seen.emplace_back(m_subclass, 0);
        m_codes.clear();
    } else {
        note(code);
    }
    if (code == 100 || code == 0)
        m_out.writeRaw(code, utf8);
    else
        m_out.writeString(code, utf8);
}

void WriteFiler::putInt(int code, std::int64_t value)
{
    note(code);
    m_out.writeInt(code, value);
}

void WriteFiler::putDouble(int code, double value)
{
    note(code);
    if (m_modelled && !m_flushing && code >= 50 && code <= 58) value = stableDegrees(value);
    m_out.writeDouble(code, value);
}

void WriteFiler::putHandle(int code, std::uint64_t handle)
{
    note(code);
    m_out.writeHandle(code, handle);
}

void WriteFiler::putBinary(int code, const void* data, std::size_t size)
{
    note(code);
    m_out.writeBinary(code, data, size);
}

} // namespace dh::dxf
