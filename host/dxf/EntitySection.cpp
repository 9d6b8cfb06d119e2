// The BLOCKS and ENTITIES sections: block definitions and the entities of every space.
// Each entity is read by its class before it is added under its file handle; what the
// class does not model is kept. An old-style polyline or a block reference with attributes
// comes with its followers up to SEQEND.
#include "host/dxf/EntityFactory.h"
#include "host/dxf/KeptEntity.h"
#include "host/dxf/ReadFiler.h"
#include "host/dxf/ReaderContext.h"
#include "host/dxf/SubclassMarkers.h"

#include "host/db/ObjectAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <algorithm>
#include <map>
#include <memory>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

namespace {

// Block table records open for write while a section appends to them.
class OpenBlocks {
public:
    explicit OpenBlocks(ReaderContext& ctx) : m_ctx(ctx) {}
    ~OpenBlocks() { closeAll(); }
    AcDbBlockTableRecord* get(AcDbObjectId id)
    {
        auto it = m_open.find(id);
        if (it != m_open.end()) return it->second;
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, id, AcDb::kForWrite) != Acad::eOk) return nullptr;
        m_open[id] = block;
        return block;
    }
    void closeAll()
    {
        for (auto& [id, block] : m_open) block->close();
        m_open.clear();
    }

private:
    ReaderContext& m_ctx;
    std::map<AcDbObjectId, AcDbBlockTableRecord*> m_open;
};

bool isCommonCode(int code)
{
    return code == 8 || code == 6 || code == 62 || code == 67 || code == 48 || code == 60 ||
           code == 370 || code == 420 || code == 440 || code == 347 || code == 284 || code == 390;
}

// Some writers put the common properties before the AcDbEntity marker; they belong after it.
void moveLeadingCommonGroups(ObjectTags& tags)
{
    if (tags.body.empty() || tags.body.front().code == 100) return;
    Tags leading, rest;
    std::vector<std::size_t> leadingLines, restLines;
    std::size_t i = 0;
    for (; i < tags.body.size() && tags.body[i].code != 100; ++i) {
        (isCommonCode(tags.body[i].code) ? leading : rest).push_back(tags.body[i]);
        (isCommonCode(tags.body[i].code) ? leadingLines : restLines).push_back(tags.lines[i]);
    }
    Tags body = rest;
    std::vector<std::size_t> lines = restLines;
    bool hasEntityMarker = i < tags.body.size() && tags.body[i].text == "AcDbEntity";
    if (!hasEntityMarker) {
        body.push_back(makeTextTag(100, "AcDbEntity"));
        lines.push_back(tags.line);
    } else {
        body.push_back(tags.body[i]);
        lines.push_back(tags.lines[i]);
        ++i;
    }
    body.insert(body.end(), leading.begin(), leading.end());
    lines.insert(lines.end(), leadingLines.begin(), leadingLines.end());
    body.insert(body.end(), tags.body.begin() + static_cast<std::ptrdiff_t>(i), tags.body.end());
    lines.insert(lines.end(), tags.lines.begin() + static_cast<std::ptrdiff_t>(i), tags.lines.end());
    tags.body = std::move(body);
    tags.lines = std::move(lines);
}

// Others leave the AcDbEntity subclass empty and put the layer and the other common
// properties right after the next marker; they belong before it.
void moveTrailingCommonGroups(ObjectTags& tags)
{
    Tags& body = tags.body;
    std::size_t marker = 0;
    while (marker < body.size() && !(body[marker].code == 100 && body[marker].text == "AcDbEntity")) ++marker;
    if (marker + 1 >= body.size() || body[marker + 1].code != 100) return;
    std::size_t start = marker + 2, end = start;
    bool layer = false;
    for (; end < body.size() && isCommonCode(body[end].code); ++end) layer = layer || body[end].code == 8;
    if (!layer) return;
    auto first = static_cast<std::ptrdiff_t>(marker + 1), middle = static_cast<std::ptrdiff_t>(start),
         last = static_cast<std::ptrdiff_t>(end);
    std::rotate(body.begin() + first, body.begin() + middle, body.begin() + last);
    if (tags.lines.size() == body.size())
        std::rotate(tags.lines.begin() + first, tags.lines.begin() + middle, tags.lines.begin() + last);
}

void prepare(ReaderContext&, ObjectTags& tags)
{
    if (!tags.hasSubclassMarkers()) {
        addEntitySubclassMarkers(tags);
    } else {
        moveLeadingCommonGroups(tags);
        moveTrailingCommonGroups(tags);
    }
}

// Reads the entity's fields; a refusal is damage in the file.
void readFields(ReaderContext& ctx, AcDbEntity* entity, const ObjectTags& tags)
{
    ReadFiler filer(&ctx.db, ctx.version, tags);
    Acad::ErrorStatus es = entity->dxfInFields(&filer);
    if (filer.error()) ctx.fail(filer.errorLine(), tags.type + ": " + *filer.error());
    if (es != Acad::eOk) ctx.fail(tags.line, tags.type + ": " + acadErrorStatusText(es));
}

void reserve(ReaderContext& ctx, const ObjectTags& tags)
{
    if (tags.handle == 0) return;
    const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(tags.handle);
    if (stub && stub->object)
        ctx.fix("duplicate-handle", tags.handle, tags.type + " given a new handle");
    else
        DatabaseAccess::reserveHandle(ctx.db, tags.handle);
}

AcDbEntity* makeEntity(const ObjectTags& tags)
{
    if (AcDbEntity* entity = createEntity(tags)) return entity;
    return new KeptEntity(tags.type);
}

bool hasFollowers(const ObjectTags& tags)
{
    if (tags.type == "POLYLINE") return true;
    if (tags.type != "INSERT") return false;
    const AcDbDxfTag* flag = tags.find(66);
    return flag && flag->integer != 0;
}

// Reads the followers of `owner` up to and including SEQEND.
void readFollowers(ReaderContext& ctx, AcDbEntity* owner, const ObjectTags& ownerTags)
{
    ObjectTags tags;
    auto* kept = KeptEntity::cast(owner);
    for (;;) {
        int code = 0;
        if (!ctx.stream.peekCode(code) || ctx.stream.peekIs(0, "ENDSEC") ||
            ctx.stream.peekIs(0, "ENDBLK") || ctx.stream.peekIs(0, "EOF")) {
            ctx.fix("seqend", ownerTags.handle, ownerTags.type + " without SEQEND; completed");
            return;
        }
        bool follower = ctx.stream.peekIs(0, "VERTEX") || ctx.stream.peekIs(0, "ATTRIB") ||
                        ctx.stream.peekIs(0, "SEQEND");
        if (!follower) {
            ctx.fix("seqend", ownerTags.handle, ownerTags.type + " without SEQEND; completed");
            return;
        }
        ctx.stream.readObject(tags);
        prepare(ctx, tags);
        if (kept) {
            // Keep the follower's handle taken so that nothing else gets it.
            AcDbObjectId placeholder;
            if (tags.handle != 0) {
                const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(tags.handle);
                if (stub) tags.handle = 0; // in use: a fresh one is given on saving
                else ctx.db.getAcDbObjectId(placeholder, true, AcDbHandle(tags.handle));
            }
            kept->followers().push_back({tags.type, tags.handle, tags.body, tags.xdata});
            if (tags.type == "SEQEND") return;
            continue;
        }
        if (tags.type == "SEQEND") return; // the owner writes its own
        std::unique_ptr<AcDbEntity> entity(createFollower(owner, tags));
        if (!entity) {
            ctx.unfixed("follower", tags.handle, tags.type + " of " + ownerTags.type + " left out");
            continue;
        }
        readFields(ctx, entity.get(), tags);
        applyExtendedData(ctx, entity.get(), tags);
        reserve(ctx, tags);
        AcDbEntity* raw = entity.release();
        if (appendFollower(owner, raw) != Acad::eOk) {
            ctx.unfixed("follower", tags.handle, tags.type + " of " + ownerTags.type + " refused");
            continue;
        }
        keepUnmodelled(ctx, raw, tags);
    }
}

// Reads one entity (and its followers) into `block`.
void readEntity(ReaderContext& ctx, OpenBlocks& blocks, ObjectTags& tags, AcDbObjectId blockId)
{
    prepare(ctx, tags);
    std::unique_ptr<AcDbEntity> entity(makeEntity(tags));
    if (hasFollowers(tags) && !KeptEntity::cast(entity.get()) && !takesFollowers(entity.get()))
        entity.reset(new KeptEntity(tags.type));
    readFields(ctx, entity.get(), tags);
    applyExtendedData(ctx, entity.get(), tags);
    AcDbBlockTableRecord* block = blocks.get(blockId);
    if (!block) ctx.fail(tags.line, "the block of " + tags.type + " cannot be opened");
    reserve(ctx, tags);
    AcDbObjectId id;
    Acad::ErrorStatus es = block->appendAcDbEntity(id, entity.get());
    if (es != Acad::eOk) {
        ctx.unfixed("entity-refused", tags.handle,
                    tags.type + " refused (" + acadErrorStatusText(es) + "); left out");
        if (hasFollowers(tags)) {
            ObjectTags skipped;
            while (ctx.stream.peekIs(0, "VERTEX") || ctx.stream.peekIs(0, "ATTRIB"))
                ctx.stream.readObject(skipped);
            if (ctx.stream.peekIs(0, "SEQEND")) ctx.stream.readObject(skipped);
        }
        return;
    }
    AcDbEntity* added = entity.release();
    if (hasFollowers(tags)) readFollowers(ctx, added, tags);
    added->close();
    keepUnmodelled(ctx, added, tags);
}

// ENTITIES holds model space and paper space: the owner handle picks a layout, anything
// else (writers that name model space "*U") falls back to the paper-space flag.
// The layout last found by owner handle: entities come in long runs of one space.
struct LastLayout {
    std::uint64_t owner = 0;
    AcDbObjectId id;
};

AcDbObjectId spaceOf(ReaderContext& ctx, const ObjectTags& tags, LastLayout& last)
{
    if (tags.owner != 0) {
        if (tags.owner == last.owner) return last.id;
        if (const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(tags.owner))
            if (auto* block = AcDbBlockTableRecord::cast(stub->object.get()); block && block->isLayout()) {
                last.owner = tags.owner;
                last.id = AcDbObjectId(const_cast<db::ObjectStub*>(stub));
                return last.id;
            }
    }
    const AcDbDxfTag* paper = tags.find(67);
    return paper && paper->integer == 1 ? ctx.db.paperSpaceId() : ctx.db.modelSpaceId();
}

std::string blockName(ReaderContext& ctx, const ObjectTags& tags)
{
    const AcDbDxfTag* name = tags.find(2);
    std::string text = name ? name->text : "";
    if (text.empty()) {
        const AcDbDxfTag* alt = tags.find(3);
        text = alt ? alt->text : "";
    }
    // R12 names the two spaces differently.
    if (text == "$MODEL_SPACE") return ACDB_MODEL_SPACE;
    if (text == "$PAPER_SPACE") return ACDB_PAPER_SPACE;
    if (text.empty()) {
        text = "*U" + std::to_string(++ctx.anonymousBlocks + 9000);
        ctx.fix("block-name", tags.handle, "block without a name named " + text);
    }
    return text;
}

// The block table record a BLOCK record opens, made when the file has none for it.
AcDbObjectId blockRecordFor(ReaderContext& ctx, const ObjectTags& tags, const std::string& name)
{
    AcDbObjectId id = DatabaseAccess::findRecord(ctx.db, TableKind::kBlock, name.c_str());
    if (!id.isNull()) return id;
    // The BLOCK names its record by handle; some writers give the record another name
    // ("*U" for model space): the BLOCK's name wins.
    if (tags.owner != 0) {
        const db::ObjectStub* stub = DatabaseAccess::objects(ctx.db).find(tags.owner);
        if (stub && AcDbBlockTableRecord::cast(stub->object.get())) {
            AcDbObjectId owner(const_cast<db::ObjectStub*>(stub));
            AcDbBlockTableRecord* block = nullptr;
            if (acdbOpenObject(block, owner, AcDb::kForWrite) == Acad::eOk) {
                std::string old = block->getName();
                Acad::ErrorStatus es = block->setName(name.c_str());
                block->close();
                if (es == Acad::eOk) {
                    ctx.fix("block-name", tags.owner,
                            "block record '" + old + "' renamed '" + name + "' after its BLOCK");
                    return owner;
                }
            }
        }
    }
    id = DatabaseAccess::ensureRecord(ctx.db, TableKind::kBlock, name.c_str());
    if (id.isNull()) ctx.fail(tags.line, "invalid block name '" + name + "'");
    return id;
}

void readBlock(ReaderContext& ctx, ObjectTags& begin)
{
    prepare(ctx, begin);
    std::string name = blockName(ctx, begin);
    AcDbObjectId blockId = blockRecordFor(ctx, begin, name);
    BlockEnds ends;
    ends.beginHandle = begin.handle;
    std::string subclass;
    for (const AcDbDxfTag& tag : begin.body) {
        if (tag.code == 100) {
            subclass = tag.text;
            continue;
        }
        if (subclass == "AcDbBlockBegin" && (tag.code == 2 || tag.code == 3)) continue;
        if (subclass == "AcDbBlockBegin" && tag.code == 70) {
            ends.flags = static_cast<int>(tag.integer);
            continue;
        }
        if (subclass == "AcDbBlockBegin" && tag.code == 10) {
            AcDbBlockTableRecord* block = nullptr;
            if (acdbOpenObject(block, blockId, AcDb::kForWrite) == Acad::eOk) {
                block->setOrigin(AcGePoint3d(tag.xyz[0], tag.xyz[1], tag.xyz[2]));
                block->close();
            }
            continue;
        }
        if (subclass == "AcDbBlockBegin" && tag.code == 1 && !tag.text.empty()) {
            AcDbBlockTableRecord* block = nullptr;
            if (acdbOpenObject(block, blockId, AcDb::kForWrite) == Acad::eOk) {
                block->setPathName(tag.text.c_str());
                block->close();
            }
            continue;
        }
        ends.beginKept.push_back(tag);
    }
    AcDbObjectId placeholder;
    if (begin.handle && !DatabaseAccess::objects(ctx.db).find(begin.handle))
        ctx.db.getAcDbObjectId(placeholder, true, AcDbHandle(begin.handle));
    else
        ends.beginHandle = 0;

    OpenBlocks blocks(ctx);
    ObjectTags tags;
    for (;;) {
        int code = 0;
        if (!ctx.stream.peekCode(code) || ctx.stream.peekIs(0, "ENDSEC") || ctx.stream.peekIs(0, "EOF"))
            ctx.fail(ctx.stream.where(), "block '" + name + "' has no ENDBLK");
        ctx.stream.readObject(tags);
        if (tags.type == "ENDBLK") break;
        if (tags.type == "BLOCK") ctx.fail(tags.line, "block '" + name + "' has no ENDBLK");
        readEntity(ctx, blocks, tags, blockId);
    }
    blocks.closeAll();
    ends.endHandle = tags.handle;
    if (tags.handle && !DatabaseAccess::objects(ctx.db).find(tags.handle))
        ctx.db.getAcDbObjectId(placeholder, true, AcDbHandle(tags.handle));
    else
        ends.endHandle = 0;
    ctx.data.blockEnds[blockId] = std::move(ends);
}

} // namespace

void readBlocksSection(ReaderContext& ctx)
{
    ensureSeed(ctx);
    // Without a block table (R12) the blocks need one; a file with its own gets the
    // standard records only after its blocks, which may rename its records.
    if (!DatabaseAccess::table(ctx.db, TableKind::kBlock)) DatabaseAccess::ensureStandardObjects(ctx.db);
    ObjectTags tags;
    for (;;) {
        int code = 0;
        if (!ctx.stream.peekCode(code)) ctx.fail(ctx.stream.where(), "the BLOCKS section has no ENDSEC");
        if (ctx.stream.peekIs(0, "ENDSEC")) {
            AcDbDxfTag end;
            ctx.stream.next(end);
            return;
        }
        if (ctx.stream.peekIs(0, "EOF")) ctx.fail(ctx.stream.where(), "a section without ENDSEC");
        ctx.stream.readObject(tags);
        if (tags.type != "BLOCK") ctx.fail(tags.line, "expected BLOCK, found " + tags.type);
        readBlock(ctx, tags);
    }
}

void readEntitiesSection(ReaderContext& ctx)
{
    ensureSeed(ctx);
    DatabaseAccess::ensureStandardObjects(ctx.db);
    OpenBlocks blocks(ctx);
    ObjectTags tags;
    LastLayout lastLayout;
    for (;;) {
        int code = 0;
        if (!ctx.stream.peekCode(code)) ctx.fail(ctx.stream.where(), "the ENTITIES section has no ENDSEC");
        if (ctx.stream.peekIs(0, "ENDSEC")) {
            AcDbDxfTag end;
            ctx.stream.next(end);
            return;
        }
        if (ctx.stream.peekIs(0, "EOF")) ctx.fail(ctx.stream.where(), "a section without ENDSEC");
        ctx.stream.readObject(tags);
        if (tags.type == "SEQEND" || tags.type == "VERTEX" || tags.type == "ATTRIB") {
            ctx.fix("stray", tags.handle, "stray " + tags.type + " left out");
            continue;
        }
        readEntity(ctx, blocks, tags, spaceOf(ctx, tags, lastLayout));
    }
}

} // namespace dh::dxf
