#include "host/ed/EntityWalk.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTables.h>

#include <optional>
#include <unordered_map>
#include <vector>

namespace dh::ed {
namespace {

// Where each entity of one block sits in its list.
struct PositionIndex {
    AcDbObjectId block;
    std::unordered_map<AcDbObjectId, std::size_t> positions;
};

std::optional<std::size_t> positionIn(AcDbObjectId blockId, const std::vector<AcDbObjectId>& ids, AcDbObjectId id)
{
    static PositionIndex index;
    auto trusted = [&]() -> std::optional<std::size_t> {
        if (index.block != blockId)
            return std::nullopt;
        auto it = index.positions.find(id);
        if (it == index.positions.end() || it->second >= ids.size() || ids[it->second] != id)
            return std::nullopt;
        return it->second;
    };
    if (auto found = trusted())
        return found;
    index.block = blockId;
    index.positions.clear();
    for (std::size_t i = 0; i < ids.size(); ++i)
        index.positions.emplace(ids[i], i);
    return trusted();
}

// The layouts in walking order: model space first, then the paper spaces.
std::vector<AcDbObjectId> layouts(AcDbDatabase& db)
{
    std::vector<AcDbObjectId> result{db.modelSpaceId()};
    AcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return result;
    for (AcDbObjectId id : table->recordIds()) {
        AcDbBlockTableRecord* block = nullptr;
        if (id == db.modelSpaceId() || acdbOpenObject(block, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (block->isLayout())
            result.push_back(id);
        block->close();
    }
    table->close();
    return result;
}

// The live entity at or after position from in the block; null at the end.
AcDbObjectId liveFrom(AcDbObjectId blockId, std::size_t from)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbObjectId found;
    const auto& ids = block->entityIds();
    for (std::size_t i = from; i < ids.size() && found.isNull(); ++i)
        if (!ids[i].isErased())
            found = ids[i];
    block->close();
    return found;
}

// The live main entity after id in its block, then in the layouts after it.
AcDbObjectId nextMain(AcDbObjectId blockId, AcDbObjectId id)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return {};
    const std::optional<std::size_t> at = positionIn(blockId, block->entityIds(), id);
    const bool layout = block->isLayout();
    block->close();
    if (!at)
        return {};
    AcDbObjectId found = liveFrom(blockId, *at + 1);
    if (!found.isNull() || !layout)
        return found;
    const std::vector<AcDbObjectId> order = layouts(*blockId.database());
    bool after = false;
    for (AcDbObjectId next : order) {
        if (after && !(found = liveFrom(next, 0)).isNull())
            return found;
        after = after || next == blockId;
    }
    return {};
}

std::vector<AcDbObjectId> ownedIds(AcDbObjectId id)
{
    std::vector<AcDbObjectId> owned;
    AcDbObject* object = nullptr;
    if (acdbOpenObject(object, id, AcDb::kForRead, true) == Acad::eOk) {
        object->getOwnedIds(owned);
        object->close();
    }
    return owned;
}

AcDbObjectId firstLive(const std::vector<AcDbObjectId>& ids, std::size_t from)
{
    for (std::size_t i = from; i < ids.size(); ++i)
        if (!ids[i].isErased())
            return ids[i];
    return {};
}

AcDbObjectId ownerOf(AcDbObjectId id)
{
    AcDbObject* object = nullptr;
    if (acdbOpenObject(object, id, AcDb::kForRead, true) != Acad::eOk)
        return {};
    AcDbObjectId owner = object->ownerId();
    object->close();
    return owner;
}

bool isBlock(AcDbObjectId id)
{
    return !id.isNull() && id.objectClass() != nullptr && id.objectClass()->isDerivedFrom(AcDbBlockTableRecord::desc());
}

}  // namespace

AcDbObjectId firstEntity(AcDbDatabase& db)
{
    for (AcDbObjectId layout : layouts(db)) {
        AcDbObjectId found = liveFrom(layout, 0);
        if (!found.isNull())
            return found;
    }
    return {};
}

AcDbObjectId nextEntity(AcDbObjectId id)
{
    if (id.isNull() || id.objectClass() == nullptr || !id.objectClass()->isDerivedFrom(AcDbEntity::desc()))
        return {};
    const AcDbObjectId owner = ownerOf(id);
    if (isBlock(owner)) {
        if (!id.isErased()) {
            AcDbObjectId sub = firstLive(ownedIds(id), 0);
            if (!sub.isNull())
                return sub;
        }
        return nextMain(owner, id);
    }
    // A vertex or an attribute: its siblings, then what follows its owner.
    const std::vector<AcDbObjectId> siblings = ownedIds(owner);
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i] == id) {
            AcDbObjectId sub = firstLive(siblings, i + 1);
            if (!sub.isNull())
                return sub;
            break;
        }
    }
    const AcDbObjectId block = ownerOf(owner);
    return isBlock(block) ? nextMain(block, owner) : AcDbObjectId();
}

AcDbObjectId lastEntity(AcDbDatabase& db)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, db.currentSpaceId(), AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbObjectId found;
    const auto& ids = block->entityIds();
    for (std::size_t i = ids.size(); i > 0 && found.isNull(); --i)
        if (!ids[i - 1].isErased())
            found = ids[i - 1];
    block->close();
    return found;
}

bool isLayoutEntity(AcDbObjectId id)
{
    const AcDbObjectId owner = ownerOf(id);
    if (!isBlock(owner))
        return false;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, owner, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool layout = block->isLayout();
    block->close();
    return layout;
}

}  // namespace dh::ed
