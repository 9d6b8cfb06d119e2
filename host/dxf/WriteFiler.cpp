#include "host/dxf/WriteFiler.h"

#include <algorithm>

namespace dh::dxf {

void WriteFiler::begin(const std::vector<KeptGroup>* kept)
{
    m_kept = kept && !kept->empty() ? kept : nullptr;
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
