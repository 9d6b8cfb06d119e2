// The BLOCKS and ENTITIES sections. Model space and the active paper space have empty
// definitions in BLOCKS and their entities in ENTITIES; every other block holds its own.
// Owners with followers (old-style polylines, references with attributes) are followed
// by them and a SEQEND.
#include "host/dxf/CollectFiler.h"
#include "host/dxf/KeptEntity.h"
#include "host/dxf/WriterContext.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <cstdlib>
#include <memory>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

namespace {

std::string layerName(const AcDbEntity* entity)
{
    char* name = entity->layer();
    std::string text = name ? name : "0";
    std::free(name);
    return text;
}

// A dimension whose block is missing is refused by strict readers: it is not written.
bool dimensionBlockExists(WriterContext& ctx, const AcDbEntity* entity)
{
    CollectFiler collect(&ctx.db, ctx.version);
    entity->dxfOutFields(&collect);
    for (const AcDbDxfTag& tag : collect.tags())
        if (tag.code == 2)
            return !tag.text.empty() &&
                   !DatabaseAccess::findRecord(ctx.db, TableKind::kBlock, tag.text.c_str()).isNull();
    return false;
}

void writeSeqend(WriterContext& ctx, std::uint64_t owner, const std::string& layer, bool paper)
{
    ctx.writeStart("SEQEND", ctx.fresh(), nullptr, owner);
    ctx.out.writeRaw(100, "AcDbEntity");
    if (paper) ctx.out.writeInt(67, 1);
    ctx.out.writeString(8, layer);
}

void writeKeptFollowers(WriterContext& ctx, const KeptEntity& owner, std::uint64_t ownerHandle)
{
    for (const FollowerRecord& follower : owner.followers()) {
        std::uint64_t handle = follower.handle;
        if (handle) {
            const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(handle);
            if (stub && stub->object) handle = 0; // taken by an object since it was read
        }
        ctx.writeStart(follower.type, ctx.claim(handle), nullptr, ownerHandle);
        ctx.filer.begin(nullptr);
        for (const AcDbDxfTag& tag : follower.body) ctx.filer.writeTag(tag);
        for (const AcDbDxfTag& tag : follower.xdata) ctx.filer.writeTag(tag);
    }
}

void writeEntity(WriterContext& ctx, const AcDbEntity* entity, std::uint64_t ownerHandle, bool paper);

void writeFollowers(WriterContext& ctx, const AcDbEntity* owner, const std::string& type,
                    std::uint64_t ownerHandle, bool paper)
{
    std::vector<AcDbObjectId> owned;
    owner->getOwnedIds(owned);
    bool wroteSeqend = false;
    bool any = false;
    for (AcDbObjectId id : owned) {
        auto* follower = AcDbEntity::cast(db::objectOf(id));
        if (!follower || follower->isErased()) continue;
        any = true;
        if (dxfTypeOf(follower) == "SEQEND") wroteSeqend = true;
        writeEntity(ctx, follower, ownerHandle, paper);
    }
    if (!wroteSeqend && (type == "POLYLINE" || (type == "INSERT" && any)))
        writeSeqend(ctx, ownerHandle, layerName(owner), paper);
}

void writeEntity(WriterContext& ctx, const AcDbEntity* entity, std::uint64_t ownerHandle, bool paper)
{
    std::string type = dxfTypeOf(entity);
    if (type.empty()) {
        ctx.report.warnings.push_back(std::string("an entity of class ") + entity->isA()->name() +
                                      " has no DXF form; not written");
        return;
    }
    if ((type == "DIMENSION" || type == "ARC_DIMENSION") && !dimensionBlockExists(ctx, entity)) {
        ctx.report.warnings.push_back("dimension " + entity->objectHandle().toString() +
                                      " has no block; not written");
        return;
    }
    const KeptTags* kept = ctx.keptFor(entity->objectId());
    std::uint64_t handle = ctx.claim(entity->objectHandle().value());
    ctx.writeStart(type, handle, kept, ownerHandle);
    ctx.writeFields(entity, kept);
    if (auto* keptEntity = KeptEntity::cast(entity)) writeKeptFollowers(ctx, *keptEntity, handle);
    else writeFollowers(ctx, entity, type, handle, paper);
}

void writeBlockEntities(WriterContext& ctx, const AcDbBlockTableRecord* block, std::uint64_t blockHandle)
{
    bool paper = block->objectId() == ctx.db.paperSpaceId();
    for (AcDbObjectId id : block->entityIds()) {
        auto* entity = AcDbEntity::cast(db::objectOf(id));
        if (entity && !entity->isErased()) writeEntity(ctx, entity, blockHandle, paper);
    }
}

std::uint64_t keptOrFresh(WriterContext& ctx, std::uint64_t handle)
{
    if (handle) {
        const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(handle);
        if (stub && stub->object) handle = 0;
    }
    return ctx.claim(handle);
}

void writeBlock(WriterContext& ctx, const AcDbBlockTableRecord* block)
{
    TagWriter& out = ctx.out;
    const BlockEnds* ends = nullptr;
    if (ctx.data) {
        auto it = ctx.data->blockEnds.find(block->objectId());
        if (it != ctx.data->blockEnds.end()) ends = &it->second;
    }
    std::uint64_t blockHandle = block->objectHandle().value();
    bool isSpace = block->objectId() == ctx.db.modelSpaceId() ||
                   block->objectId() == ctx.db.paperSpaceId();
    bool paper = block->objectId() == ctx.db.paperSpaceId();
    std::string layer = "0";
    Tags beginRest;
    if (ends) {
        for (const AcDbDxfTag& tag : ends->beginKept) {
            if (tag.code == 8) layer = tag.text;
            else if (tag.code != 67 && tag.code != 330) beginRest.push_back(tag);
        }
    }
    ctx.writeStart("BLOCK", keptOrFresh(ctx, ends ? ends->beginHandle : 0), nullptr, blockHandle);
    out.writeRaw(100, "AcDbEntity");
    if (paper) out.writeInt(67, 1);
    out.writeString(8, layer);
    out.writeRaw(100, "AcDbBlockBegin");
    std::string name = block->getName();
    out.writeString(2, name);
    int flags = (ends ? ends->flags & ~7 : 0) | (block->isAnonymous() ? 1 : 0) |
                (block->hasAttributeDefinitions() ? 2 : 0) |
                (block->isFromExternalReference() ? 4 : 0);
    out.writeInt(70, flags);
    AcGePoint3d origin = block->origin();
    out.writeDouble(10, origin.x);
    out.writeDouble(20, origin.y);
    out.writeDouble(30, origin.z);
    out.writeString(3, name);
    const char* path = "";
    block->pathName(path);
    out.writeString(1, path ? path : "");
    ctx.filer.begin(nullptr);
    for (const AcDbDxfTag& tag : beginRest)
        if (tag.code != 1) ctx.filer.writeTag(tag);
    if (!isSpace) writeBlockEntities(ctx, block, blockHandle);
    ctx.writeStart("ENDBLK", keptOrFresh(ctx, ends ? ends->endHandle : 0), nullptr, blockHandle);
    out.writeRaw(100, "AcDbEntity");
    if (paper) out.writeInt(67, 1);
    out.writeString(8, layer);
    out.writeRaw(100, "AcDbBlockEnd");
}

std::vector<const AcDbBlockTableRecord*> liveBlocks(WriterContext& ctx)
{
    std::vector<const AcDbBlockTableRecord*> blocks;
    if (AcDbSymbolTable* table = DatabaseAccess::table(ctx.db, TableKind::kBlock))
        for (AcDbObjectId id : table->recordIds()) {
            auto* block = AcDbBlockTableRecord::cast(db::objectOf(id));
            if (block && !block->isErased()) blocks.push_back(block);
        }
    return blocks;
}

} // namespace

void writeBlocksSection(WriterContext& ctx)
{
    ctx.out.writeRaw(0, "SECTION");
    ctx.out.writeRaw(2, "BLOCKS");
    for (const AcDbBlockTableRecord* block : liveBlocks(ctx)) writeBlock(ctx, block);
    ctx.out.writeRaw(0, "ENDSEC");
}

void writeEntitiesSection(WriterContext& ctx)
{
    ctx.out.writeRaw(0, "SECTION");
    ctx.out.writeRaw(2, "ENTITIES");
    for (AcDbObjectId spaceId : {ctx.db.modelSpaceId(), ctx.db.paperSpaceId()}) {
        auto* space = AcDbBlockTableRecord::cast(db::objectOf(spaceId));
        if (space && !space->isErased()) writeBlockEntities(ctx, space, space->objectHandle().value());
    }
    ctx.out.writeRaw(0, "ENDSEC");
}

} // namespace dh::dxf
