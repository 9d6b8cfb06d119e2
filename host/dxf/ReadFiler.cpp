#include "host/dxf/ReadFiler.h"

#include <acdb/AcDbDatabase.h>

#include <cstring>

namespace dh::dxf {

bool ReadFiler::readTag(AcDbDxfTag& tag)
{
    if (m_pos >= m_object.body.size() || m_object.body[m_pos].code == 100) return false;
    m_last = m_pos;
    tag = m_object.body[m_pos++];
    return true;
}

void ReadFiler::pushBackItem()
{
    if (m_last < m_pos) m_pos = m_last;
}

bool ReadFiler::atSubclassData(const char* name)
{
    if (m_pos >= m_object.body.size()) return false;
    const AcDbDxfTag& tag = m_object.body[m_pos];
    if (tag.code != 100 || tag.text != name) return false;
    m_last = m_pos++;
    return true;
}

bool ReadFiler::atEmbeddedObjectStart()
{
    if (m_pos >= m_object.body.size() || m_object.body[m_pos].code != 101) return false;
    m_last = m_pos++;
    return true;
}

bool ReadFiler::objectIdForHandle(std::uint64_t handle, AcDbObjectId& id)
{
    if (handle == 0 || !m_db) return false;
    return m_db->getAcDbObjectId(id, true, AcDbHandle(handle)) == Acad::eOk;
}

void ReadFiler::reportError(std::string_view reason)
{
    if (m_error) return;
    m_error = std::string(reason);
    m_errorLine = m_object.lines.empty() ? m_object.line
                                         : m_object.lines[std::min(m_last, m_object.lines.size() - 1)];
}

Tags ReadFiler::takeRest()
{
    Tags rest(m_object.body.begin() + static_cast<std::ptrdiff_t>(m_pos), m_object.body.end());
    m_pos = m_object.body.size();
    return rest;
}

} // namespace dh::dxf
