#include "host/db/ObjectAccess.h"
#include "host/db/ObjectStub.h"
#include "host/db/OpenObjectRegistry.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>

#include <limits>

using dh::db::ObjectAccess;

namespace {

Acad::ErrorStatus openForRead(AcDbObject* object)
{
    if (ObjectAccess::writer(*object))
        return Acad::eWasOpenForWrite;
    const std::uint16_t readers = ObjectAccess::readers(*object);
    if (readers == std::numeric_limits<std::uint16_t>::max())
        return Acad::eAtMaxReaders;
    ObjectAccess::setReaders(*object, readers + 1);
    if (readers == 0)
        dh::db::linkOpen(object);
    return Acad::eOk;
}

Acad::ErrorStatus openForWrite(AcDbObject* object)
{
    if (ObjectAccess::writer(*object))
        return Acad::eWasOpenForWrite;
    if (ObjectAccess::readers(*object) > 0)
        return Acad::eWasOpenForRead;
    if (ObjectAccess::isOnLockedLayer(*object))
        return Acad::eOnLockedLayer;
    ObjectAccess::setWriter(*object, true);
    ObjectAccess::setErasedAtOpen(*object, object->isErased());
    dh::db::linkOpen(object);
    // The state cancel() goes back to; classes that cannot copy themselves keep none.
    dh::db::storeUndoCopy(object, dh::db::makeUndoCopy(object));
    return Acad::eOk;
}

} // namespace

// The read path is a few pointer steps and no allocation: it runs for every entity a
// selection or a query touches (see bench/host/db).
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased)
{
    object = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    AcDbObject* target = dh::db::objectOf(id);
    if (!target)
        return Acad::eUnknownHandle;
    if (target->isErased() && !openErased)
        return Acad::eWasErased;
    Acad::ErrorStatus es = Acad::eInvalidOpenState;
    if (mode == AcDb::kForRead)
        es = openForRead(target);
    else if (mode == AcDb::kForWrite)
        es = openForWrite(target);
    else if (mode == AcDb::kForNotify)
        es = openForRead(target);
    if (es == Acad::eOk)
        object = target;
    return es;
}

Acad::ErrorStatus acdbOpenObject(AcDbObject*& object, AcDbObjectId id, AcRxClass* cls,
                                 AcDb::OpenMode mode, bool openErased)
{
    object = nullptr;
    AcDbObject* target = dh::db::objectOf(id);
    // Checked before opening, so that a refused class leaves nothing open.
    if (target && cls && !target->isKindOf(cls))
        return Acad::eNotThatKindOfClass;
    return acdbOpenAcDbObject(object, id, mode, openErased);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased)
{
    entity = nullptr;
    AcDbObject* target = dh::db::objectOf(id);
    if (target && !target->isKindOf(AcDbEntity::desc()))
        return Acad::eNotAnEntity;
    AcDbObject* opened = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(opened, id, mode, openErased);
    entity = static_cast<AcDbEntity*>(opened);
    return es;
}
