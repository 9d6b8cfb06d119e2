// The id of a database object: stable for the life of its drawing, cheap to copy, compare
// and hash. It points at the object's slot in its database, so opening by id needs no
// lookup. A null id names nothing.
#pragma once

#include <acdb/AcDbHandle.h>
#include <adesk/Adesk.h>

#include <cstddef>
#include <cstdint>
#include <functional>

class AcDbDatabase;
class AcRxClass;
namespace dh::db {
struct ObjectStub;
}

class ADESK_EXPORT AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(dh::db::ObjectStub* stub) : m_stub(stub) {}

    static const AcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    void setNull() { m_stub = nullptr; }
    // True for a non-null id whose object is still in its database (erased or not).
    bool isValid() const;
    bool isErased() const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    // The runtime class of the object, nullptr for a null id.
    AcRxClass* objectClass() const;

    // The id as one integer (and back), as entity names and old interfaces carry it.
    std::intptr_t asOldId() const { return reinterpret_cast<std::intptr_t>(m_stub); }
    AcDbObjectId& setFromOldId(std::intptr_t oldId)
    {
        m_stub = reinterpret_cast<dh::db::ObjectStub*>(oldId);
        return *this;
    }

    dh::db::ObjectStub* stub() const { return m_stub; }

    bool operator==(const AcDbObjectId& other) const = default;
    bool operator<(const AcDbObjectId& other) const
    {
        return std::less<const void*>()(m_stub, other.m_stub);
    }
    bool operator>(const AcDbObjectId& other) const { return other < *this; }
    bool operator<=(const AcDbObjectId& other) const { return !(other < *this); }
    bool operator>=(const AcDbObjectId& other) const { return !(*this < other); }

private:
    dh::db::ObjectStub* m_stub = nullptr;
};

template <>
struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept
    {
        return std::hash<const void*>()(id.stub());
    }
};
