#include "host/db/OpenObjectRegistry.h"

#include "host/db/ObjectAccess.h"

#include <acrx/AcRxClass.h>

#include <unordered_map>

namespace dh::db {
namespace {

// The list runs from the oldest open (head) to the newest (tail).
AcDbObject* g_head = nullptr;
AcDbObject* g_tail = nullptr;
std::size_t g_count = 0;

std::unordered_map<const AcDbObject*, std::unique_ptr<AcRxObject>>& undoCopies()
{
    static std::unordered_map<const AcDbObject*, std::unique_ptr<AcRxObject>> copies;
    return copies;
}

} // namespace

void linkOpen(AcDbObject* object)
{
    ObjectAccess::openPrev(*object) = g_tail;
    ObjectAccess::openNext(*object) = nullptr;
    if (g_tail)
        ObjectAccess::openNext(*g_tail) = object;
    else
        g_head = object;
    g_tail = object;
    ++g_count;
}

void unlinkOpen(AcDbObject* object)
{
    AcDbObject*& prev = ObjectAccess::openPrev(*object);
    AcDbObject*& next = ObjectAccess::openNext(*object);
    (prev ? ObjectAccess::openNext(*prev) : g_head) = next;
    (next ? ObjectAccess::openPrev(*next) : g_tail) = prev;
    prev = nullptr;
    next = nullptr;
    --g_count;
}

std::vector<OpenObjectInfo> openObjects()
{
    std::vector<OpenObjectInfo> result;
    for (AcDbObject* o = g_head; o; o = ObjectAccess::openNext(*o)) {
        OpenObjectInfo info;
        info.className = o->isA()->name();
        info.handle = o->objectHandle();
        info.mode = ObjectAccess::writer(*o) ? AcDb::kForWrite : AcDb::kForRead;
        info.readers = ObjectAccess::readers(*o);
        result.push_back(std::move(info));
    }
    return result;
}

std::size_t openObjectCount() { return g_count; }

std::size_t closeAllOpenObjects()
{
    std::size_t closed = 0;
    while (g_head) {
        AcDbObject* o = g_head;
        while (ObjectAccess::writer(*o) || ObjectAccess::readers(*o) > 0)
            o->close();
        ++closed;
    }
    return closed;
}

std::unique_ptr<AcRxObject> makeUndoCopy(const AcDbObject* object)
{
    std::unique_ptr<AcRxObject> copy(object->isA()->create());
    if (copy && copy->copyFrom(object) == Acad::eOk)
        return copy;
    return std::unique_ptr<AcRxObject>(object->clone());
}

void storeUndoCopy(const AcDbObject* object, std::unique_ptr<AcRxObject> copy)
{
    undoCopies()[object] = std::move(copy);
}

std::unique_ptr<AcRxObject> takeUndoCopy(const AcDbObject* object)
{
    auto& copies = undoCopies();
    const auto it = copies.find(object);
    if (it == copies.end())
        return nullptr;
    std::unique_ptr<AcRxObject> copy = std::move(it->second);
    copies.erase(it);
    return copy;
}

void dropUndoCopy(const AcDbObject* object) { undoCopies().erase(object); }

} // namespace dh::db
