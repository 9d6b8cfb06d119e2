// wblock: a new drawing holding deep copies of one block's entities in its model space,
// with every record and block they use. Ids held by the copies are translated into the new
// drawing in two passes: records as each copy is made (so that what a copy adds on joining
// the drawing takes the new records), references between copies once all are made (a
// leader may come before its annotation); references to objects left behind become null.
// Records are matched by name, so the standard ones ("0", "Standard", ...) are shared.
#include <acdb/AcDbDatabase.h>

#include "host/db/CloneHooks.h"
#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"

#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbDimension.h>
#include <acut/ResBuf.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace dh::db {

namespace {

std::vector<CloneHook>& cloneHooks()
{
    static std::vector<CloneHook> hooks;
    return hooks;
}

} // namespace

void addCloneHook(CloneHook hook) { cloneHooks().push_back(std::move(hook)); }

void runCloneHooks(const AcDbObject& source, AcDbObject& copy, const IdMap& map, const IdMap& bringAlong)
{
    for (const CloneHook& hook : cloneHooks())
        hook(source, copy, map, bringAlong);
}

namespace {

class WblockCopier {
public:
    WblockCopier(AcDbDatabase& src, AcDbDatabase& dst) : m_src(src), m_dst(dst) {}

    // Copies the live entities of srcBlock to the end of dstBlock.
    void copyContents(const AcDbBlockTableRecord& srcBlock, AcDbObjectId dstBlockId)
    {
        auto* dstBlock = AcDbBlockTableRecord::cast(objectOf(dstBlockId));
        for (AcDbObjectId id : std::vector<AcDbObjectId>(srcBlock.entityIds())) {
            if (id.isErased())
                continue;
            const AcDbObjectId copy = copyObject(id, dstBlockId);
            if (!copy.isNull())
                ObjectAccess::entities(*dstBlock).push_back(copy);
        }
    }

    // Once every copy is made: references between the copies (annotations, handles in
    // extended data and in kept groups) are translated; those to objects left behind
    // become null.
    void finish()
    {
        for (std::size_t i = 0; i < m_copies.size(); ++i) {
            const auto [srcId, copyId] = m_copies[i];
            AcDbObject* copy = objectOf(copyId);
            const AcDbObject* src = objectOf(srcId);
            if (!copy || !src)
                continue;
            const IdMap map = [this](AcDbObjectId ref) { return translate(ref); };
            const IdMap bringAlong = [this](AcDbObjectId ref) { return copyDetached(ref); };
            copy->translateIds(map);
            registerApplications(*copy);
            translateXDataHandles(*copy);
            runCloneHooks(*src, *copy, map, bringAlong);
        }
    }

    AcDbObjectId translate(AcDbObjectId id)
    {
        if (id.isNull() || id.database() == &m_dst)
            return id;
        if (const auto it = m_map.find(id); it != m_map.end())
            return it->second;
        AcDbObject* object = objectOf(id);
        if (!object || id.database() != &m_src)
            return AcDbObjectId();
        if (auto* table = AcDbSymbolTable::cast(object))
            return tableImage(table);
        if (auto* record = AcDbSymbolTableRecord::cast(object))
            return copyRecord(id, *record);
        // Objects outside the copied blocks are not brought along.
        return AcDbObjectId();
    }

private:
    AcDbObjectId tableImage(const AcDbSymbolTable* table)
    {
        for (int k = 0; k < kTableCount; ++k) {
            const auto kind = static_cast<TableKind>(k);
            if (DatabaseAccess::table(m_src, kind) == table)
                return DatabaseAccess::table(m_dst, kind)->objectId();
        }
        return AcDbObjectId();
    }

    AcDbObjectId copyRecord(AcDbObjectId srcId, const AcDbSymbolTableRecord& record)
    {
        TableKind kind = TableKind::kBlock;
        for (int k = 0; k < kTableCount; ++k)
            if (DatabaseAccess::table(m_src, static_cast<TableKind>(k))
                && DatabaseAccess::table(m_src, static_cast<TableKind>(k))->objectId() == record.ownerId())
                kind = static_cast<TableKind>(k);
        const bool isBlock = kind == TableKind::kBlock;
        auto* srcBlock = AcDbBlockTableRecord::cast(&record);
        if (kind == TableKind::kTextStyle && !isNamable(kind, record.getName()))
            return copyUnnamedRecord(srcId, record, kind);
        AcDbObjectId dstId = DatabaseAccess::findRecord(m_dst, kind, record.getName());
        if (isBlock && srcBlock->isLayout()) {
            m_map[srcId] = dstId;
            return dstId;
        }
        if (!dstId.isNull()) {
            m_map[srcId] = dstId;
            return dstId;
        }
        std::vector<AcDbObject*> made;
        dstId = DatabaseAccess::ensureRecordWith(m_dst, kind, record.getName(), [&](AcDbSymbolTableRecord* r) {
            r->copyFrom(&record);
            made.push_back(r);
        });
        m_map[srcId] = dstId;
        if (!made.empty()) {
            m_copies.emplace_back(srcId, dstId);
            made.front()->translateIds([this](AcDbObjectId id) { return translate(id); });
            if (isBlock)
                copyContents(*srcBlock, dstId);
        }
        return dstId;
    }

    // An object an entity points at (not an entity, not a record): copied without an owner
    // unless its owner was copied too.
    AcDbObjectId copyDetached(AcDbObjectId srcId)
    {
        if (srcId.isNull() || srcId.database() != &m_src)
            return translate(srcId);
        if (const auto it = m_map.find(srcId); it != m_map.end())
            return it->second;
        AcDbObject* object = objectOf(srcId);
        if (!object || object->isErased() || AcDbEntity::cast(object) || AcDbSymbolTableRecord::cast(object)
            || AcDbSymbolTable::cast(object))
            return translate(srcId);
        return copyObject(srcId, translate(object->ownerId()));
    }

    static bool isNamable(TableKind kind, const char* name)
    {
        std::unique_ptr<AcDbSymbolTableRecord> probe(newRecord(kind));
        return probe->setName(name) == Acad::eOk;
    }

    // Shape-file styles may have no name, or one no table accepts: each is its own record.
    AcDbObjectId copyUnnamedRecord(AcDbObjectId srcId, const AcDbSymbolTableRecord& record, TableKind kind)
    {
        AcDbSymbolTable* table = DatabaseAccess::table(m_dst, kind);
        if (!table)
            return AcDbObjectId();
        AcDbSymbolTableRecord* copy = newRecord(kind);
        copy->copyFrom(&record);
        const AcDbObjectId id = DatabaseAccess::addObject(m_dst, copy, table->objectId(), false);
        if (id.isNull()) {
            delete copy;
            return id;
        }
        ObjectAccess::records(*table).push_back(id);
        ObjectAccess::markIndexStale(*table);
        m_map[srcId] = id;
        m_copies.emplace_back(srcId, id);
        return id;
    }

    // Extended-data handles (1005) name objects of the source drawing.
    void translateXDataHandles(AcDbObject& copy)
    {
        resbuf* chain = copy.xData();
        bool changed = false;
        for (resbuf* rb = chain; rb; rb = rb->rbnext) {
            if (rb->restype != 1005 || !rb->resval.rstring)
                continue;
            AcDbObjectId srcId;
            const std::uint64_t handle = std::strtoull(rb->resval.rstring, nullptr, 16);
            if (handle)
                m_src.getAcDbObjectId(srcId, false, AcDbHandle(handle));
            const AcDbObjectId mapped = srcId.isNull() ? AcDbObjectId() : translate(srcId);
            const std::string text = mapped.isNull() ? std::string("0") : mapped.handle().toString();
            if (text == rb->resval.rstring)
                continue;
            std::free(rb->resval.rstring);
            rb->resval.rstring = strdup(text.c_str());
            changed = true;
        }
        if (changed) {
            registerApplications(copy);
            AcDbObject* opened = nullptr;
            if (acdbOpenAcDbObject(opened, copy.objectId(), AcDb::kForWrite, true) == Acad::eOk) {
                opened->setXData(chain);
                opened->close();
            }
        }
        acutRelRb(chain);
    }

    // Owners whose copies keep the source's owned ids get copies of those objects here;
    // owners whose clone() already made private copies add them when they join m_dst.
    AcDbObjectId copyObject(AcDbObjectId srcId, AcDbObjectId dstOwner)
    {
        AcDbObject* src = objectOf(srcId);
        // Blocks named before their definition was read are looked up now, in the source.
        if (auto* reference = AcDbBlockReference::cast(src))
            reference->blockTableRecord();
        else if (auto* dimension = AcDbDimension::cast(src))
            dimension->dimBlockId();
        AcDbObject* copy = src ? AcDbObject::cast(src->clone()) : nullptr;
        if (!copy)
            return AcDbObjectId();
        std::vector<AcDbObjectId> shared;
        copy->getOwnedIds(shared);
        std::vector<AcDbObjectId> subCopies;
        for (AcDbObjectId sub : shared)
            if (sub.database() == &m_src && !sub.isErased())
                subCopies.push_back(copyObject(sub, AcDbObjectId()));
        // Translated before joining m_dst, so that what it adds then takes m_dst's records.
        copy->translateIds([this](AcDbObjectId ref) { return translate(ref); });
        const AcDbObjectId id = DatabaseAccess::addObject(m_dst, copy, dstOwner, false);
        if (id.isNull()) {
            delete copy;
            return id;
        }
        m_map[srcId] = id;
        m_copies.emplace_back(srcId, id);
        for (AcDbObjectId sub : subCopies)
            if (AcDbObject* object = objectOf(sub))
                ObjectAccess::setOwner(*object, id);
        std::vector<AcDbObjectId> owned, srcOwned;
        copy->getOwnedIds(owned);
        src->getOwnedIds(srcOwned);
        // Private copies made by clone() (attributes, vertices) pair with the source's
        // owned objects in order, so that references to them and what is kept beside them
        // follow too.
        const bool paired = owned.size() == srcOwned.size();
        for (std::size_t i = 0; i < owned.size(); ++i) {
            const AcDbObjectId sub = owned[i];
            if (AcDbObject* object = objectOf(sub); object && sub.database() == &m_dst) {
                object->translateIds([this](AcDbObjectId ref) { return translate(ref); });
                registerApplications(*object);
                if (paired && srcOwned[i].database() == &m_src && !m_map.count(srcOwned[i])) {
                    m_map[srcOwned[i]] = sub;
                    m_copies.emplace_back(srcOwned[i], sub);
                }
            }
        }
        registerApplications(*copy);
        return id;
    }

    void registerApplications(const AcDbObject& object)
    {
        resbuf* chain = object.xData();
        for (resbuf* rb = chain; rb; rb = rb->rbnext)
            if (rb->restype == 1001 && rb->resval.rstring)
                DatabaseAccess::ensureRecord(m_dst, TableKind::kRegApp, rb->resval.rstring);
        acutRelRb(chain);
    }

    AcDbDatabase& m_src;
    AcDbDatabase& m_dst;
    std::unordered_map<AcDbObjectId, AcDbObjectId> m_map;
    std::vector<std::pair<AcDbObjectId, AcDbObjectId>> m_copies; // source, copy
};

} // namespace
} // namespace dh::db

Acad::ErrorStatus AcDbDatabase::wblock(AcDbDatabase*& output, AcDbObjectId blockId)
{
    output = nullptr;
    if (blockId.isNull())
        return Acad::eNullObjectId;
    auto* block = AcDbBlockTableRecord::cast(dh::db::objectOf(blockId));
    if (!block || blockId.database() != this)
        return Acad::eInvalidInput;
    if (block->isErased())
        return Acad::eWasErased;
    auto db = std::make_unique<AcDbDatabase>(true);
    db->setInsbase(block->isLayout() ? m_insbase : block->origin());
    dh::db::WblockCopier copier(*this, *db);
    copier.copyContents(*block, db->modelSpaceId());
    copier.finish();
    output = db.release();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::wblock(AcDbDatabase*& output)
{
    const Acad::ErrorStatus es = wblock(output, modelSpaceId());
    if (es != Acad::eOk)
        return es;
    // The whole drawing: every record comes along, used or not.
    dh::db::WblockCopier copier(*this, *output);
    for (int k = 0; k < dh::db::kTableCount; ++k) {
        AcDbSymbolTable* table = dh::db::DatabaseAccess::table(*this, static_cast<dh::db::TableKind>(k));
        if (!table || k == static_cast<int>(dh::db::TableKind::kBlock))
            continue;
        for (AcDbObjectId id : table->recordIds())
            if (!id.isErased())
                copier.translate(id);
    }
    copier.finish();
    return Acad::eOk;
}
