#include "lisp/LispArgs.h"

#include <acdb/AcDbUtilities.h>

namespace dh::lisp {

const resbuf* LispArgs::item()
{
    ++m_position;
    if (m_next == nullptr)
        throw m_position;
    const resbuf* current = m_next;
    m_next = m_next->rbnext;
    return current;
}

const resbuf* LispArgs::item(int type)
{
    const resbuf* current = item();
    if (current->restype != type)
        throw m_position;
    return current;
}

AcDbObjectId LispArgs::entity()
{
    const resbuf* name = item(RTENAME);
    AcDbObjectId id;
    if (acdbGetObjectId(id, name->resval.rlname) != Acad::eOk || id.isNull())
        throw m_position;
    return id;
}

void LispArgs::end() const
{
    if (m_next != nullptr)
        throw m_position + 1;
}

} // namespace dh::lisp
