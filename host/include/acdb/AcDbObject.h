// Base of every database object. An object not yet added to a database belongs to whoever
// made it and may be changed freely; once added, the database owns it and it is reached
// only through open and close: many readers or one writer at a time. close() commits,
// cancel() undoes every change made since the write open (an erase included).
//
// Concrete classes make cancel and clone work by copying their state: add
// ACDB_DECLARE_COPY_MEMBERS(Class) to the class body. Copying an object copies its value
// (properties, extended data), never its identity (id, owner, open state).
#pragma once

#include <acdb/AcDb.h>
#include <acdb/AcDbHandle.h>
#include <acdb/AcDbObjectId.h>
#include <acdb/AcadErrorStatus.h>
#include <acrx/AcRxClass.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct resbuf;
class AcDbDxfFiler;
class AcDbDatabase;
namespace dh::db {
struct ObjectAccess;
class XData;
}

class ADESK_EXPORT AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);

    AcDbObject();
    AcDbObject(const AcDbObject& other);
    AcDbObject& operator=(const AcDbObject& other);
    ~AcDbObject() override;

    AcDbObjectId objectId() const { return m_id; }
    AcDbObjectId ownerId() const { return m_ownerId; }
    // Only for an object not yet in a database, or by its owner.
    Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
    AcDbDatabase* database() const;
    AcDbHandle objectHandle() const;
    void getAcDbHandle(AcDbHandle& handle) const { handle = objectHandle(); }

    // Open state.
    Acad::ErrorStatus close();
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return false; }
    // Added to the database and not yet closed since.
    bool isNewObject() const;
    bool isErased() const { return m_erased; }
    // eOk when changes are allowed (open for write, or not in a database), else
    // eNotOpenForWrite; setters call it first and return its status.
    Acad::ErrorStatus assertWriteEnabled() const;
    Acad::ErrorStatus assertReadEnabled() const;

    // Marks the object erased (true) or brings it back (false); needs a write open.
    // Erasing an owner erases the objects it owns.
    Acad::ErrorStatus erase(bool erasing = true);

    // Extended data: a fresh chain the caller releases with acutRelRb, nullptr when there
    // is none. With an application name, its 1001 item and that application's items; with
    // none, every application's data in the order it was set.
    resbuf* xData(const char* appName = nullptr) const;
    // Replaces the data of each application named by a 1001 item in the chain; an
    // application given with no items loses its data. Every name must be registered in
    // the object's database (eRegappIdNotFound otherwise).
    Acad::ErrorStatus setXData(const resbuf* chain);

    // DXF group codes of the class's own fields (and its parents').
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;

    // Objects this one owns (vertices, attributes). They are erased with their owner and
    // copied with it by wblock.
    virtual void getOwnedIds(std::vector<AcDbObjectId>& ids) const;
    // Replaces every id the object holds (owned objects, styles, blocks) by its image
    // under map; wblock calls it on copies it moves into another database. Classes that
    // hold ids override it and call their parent's.
    virtual void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map);

protected:
    // Called once the object has an id in db: owners add their pending sub-objects here.
    virtual Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db);
    // Whether a write open must be refused because the object sits on a locked layer.
    virtual bool isOnLockedLayer() const;

private:
    friend struct dh::db::ObjectAccess;

    AcDbObjectId m_id;
    AcDbObjectId m_ownerId;
    // Link in the list of open objects (see host/db/OpenObjectRegistry.h).
    AcDbObject* m_openPrev = nullptr;
    AcDbObject* m_openNext = nullptr;
    std::unique_ptr<dh::db::XData> m_xdata;
    std::uint16_t m_readers = 0;
    bool m_writer = false;
    bool m_erased = false;
    bool m_erasedAtOpen = false;
    bool m_new = false;
};

// clone() and copyFrom() for a concrete class with a value-copying copy constructor and
// assignment (the base classes copy their value and keep the identity).
#define ACDB_DECLARE_COPY_MEMBERS(CLASS)                                                   \
    AcRxObject* clone() const override { return new CLASS(*this); }                        \
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override                           \
    {                                                                                      \
        if (!other || other->isA() != isA())                                               \
            return Acad::eWrongObjectType;                                                 \
        *this = *static_cast<const CLASS*>(other);                                         \
        return Acad::eOk;                                                                  \
    }

// Opens the object of id. With openErased an erased object opens too.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
// The same with a class check: eNotThatKindOfClass when the object is not of cls (or
// derived from it); nothing stays open then.
Acad::ErrorStatus acdbOpenObject(AcDbObject*& object, AcDbObjectId id, AcRxClass* cls,
                                 AcDb::OpenMode mode, bool openErased = false);

template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false)
{
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(opened, id, T::desc(), mode, openErased);
    object = es == Acad::eOk ? static_cast<T*>(opened) : nullptr;
    return es;
}
