#include <acdb/AcDbObjectId.h>

#include "host/db/ObjectStub.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return m_stub && m_stub->object; }

bool AcDbObjectId::isErased() const { return m_stub && m_stub->object && m_stub->object->isErased(); }

AcDbHandle AcDbObjectId::handle() const { return m_stub ? m_stub->handle : 0; }

AcDbDatabase* AcDbObjectId::database() const { return m_stub ? m_stub->database : nullptr; }

AcRxClass* AcDbObjectId::objectClass() const
{
    return m_stub && m_stub->object ? m_stub->object->isA() : nullptr;
}
