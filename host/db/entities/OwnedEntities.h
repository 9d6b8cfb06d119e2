// The sub-entities an entity owns (a polyline's vertices, a block reference's attributes).
// Before the owner joins a database they are held here as objects; when it joins, they are
// added to the database under it (closed) and held as ids. Reading walks either form and
// skips erased items; a copy of the owner shares the ids (the state kept for cancel), while
// detachCopies turns them into private copies (clone).
#pragma once

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/ObjectStub.h"

#include <acdb/AcDbEntity.h>

#include <memory>
#include <vector>

namespace dh::db {

template <class T>
class OwnedEntities {
public:
    OwnedEntities() = default;
    OwnedEntities(const OwnedEntities& other) : m_ids(other.m_ids) { copyPending(other); }
    OwnedEntities& operator=(const OwnedEntities& other)
    {
        if (this != &other) {
            m_ids = other.m_ids;
            m_pending.clear();
            copyPending(other);
        }
        return *this;
    }

    // Takes item. An owner in a database adds it at once (closed), with the owner's
    // properties when it has none of its own.
    Acad::ErrorStatus append(const AcDbEntity& owner, T* item, AcDbObjectId* id = nullptr)
    {
        if (!item)
            return Acad::eNullObjectPointer;
        if (!item->objectId().isNull())
            return Acad::eAlreadyInDb;
        AcDbDatabase* db = owner.database();
        if (!db) {
            m_pending.emplace_back(item);
            return Acad::eOk;
        }
        if (item->layerId().isNull())
            item->setPropertiesFrom(&owner);
        const AcDbObjectId added = DatabaseAccess::addObject(*db, item, owner.objectId(), false);
        if (added.isNull())
            return Acad::eHandleInUse;
        m_ids.push_back(added);
        if (id)
            *id = added;
        return Acad::eOk;
    }

    // Moves the held objects into db under owner; called when the owner joins db.
    Acad::ErrorStatus addPending(AcDbDatabase* db, const AcDbEntity& owner)
    {
        std::vector<std::unique_ptr<T>> pending = std::move(m_pending);
        m_pending.clear();
        for (auto& item : pending) {
            if (item->layerId().isNull() || item->layerId().database() != db)
                item->setPropertiesFrom(&owner);
            const AcDbObjectId id = DatabaseAccess::addObject(*db, item.get(), owner.objectId(), false);
            if (id.isNull())
                return Acad::eHandleInUse;
            item.release();
            m_ids.push_back(id);
        }
        return Acad::eOk;
    }

    const std::vector<AcDbObjectId>& ids() const { return m_ids; }

    // Every live item in order, in the database or held here.
    std::vector<T*> items() const
    {
        std::vector<T*> out;
        for (AcDbObjectId id : m_ids) {
            AcDbObject* object = objectOf(id);
            if (object && !object->isErased())
                if (T* item = T::cast(object))
                    out.push_back(item);
        }
        for (const auto& item : m_pending)
            out.push_back(item.get());
        return out;
    }

    // Replaces the ids by private copies of their objects.
    void detachCopies()
    {
        std::vector<std::unique_ptr<T>> copies;
        for (T* item : items())
            copies.emplace_back(static_cast<T*>(item->clone()));
        m_ids.clear();
        m_pending = std::move(copies);
    }

    bool hasPending() const { return !m_pending.empty(); }

private:
    void copyPending(const OwnedEntities& other)
    {
        for (const auto& item : other.m_pending)
            m_pending.emplace_back(static_cast<T*>(item->clone()));
    }

    std::vector<AcDbObjectId> m_ids;
    std::vector<std::unique_ptr<T>> m_pending;
};

// Changes an owned item as part of a change of its owner (a transform moves the vertices
// too), whether or not the item itself is open.
struct OwnedEntitiesAccess {
    template <class T, class Change>
    static void set(T& item, Change&& change)
    {
        const bool writer = ObjectAccess::writer(item);
        ObjectAccess::setWriter(item, true);
        change(item);
        ObjectAccess::setWriter(item, writer);
    }
};

} // namespace dh::db
