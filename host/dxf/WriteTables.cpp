// The TABLES section: the nine tables in the order strict readers expect, each with its
// owner handle and subclass marker, records written by their own classes.
#include "host/dxf/WriterContext.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

namespace {

struct TableOrder {
    TableKind kind;
    const char* name;
};

constexpr TableOrder kOrder[] = {
    {TableKind::kViewport, "VPORT"}, {TableKind::kLinetype, "LTYPE"},
    {TableKind::kLayer, "LAYER"},    {TableKind::kTextStyle, "STYLE"},
    {TableKind::kView, "VIEW"},      {TableKind::kUCS, "UCS"},
    {TableKind::kRegApp, "APPID"},   {TableKind::kDimStyle, "DIMSTYLE"},
    {TableKind::kBlock, "BLOCK_RECORD"},
};

// The layout a space's block record points at, when the writer makes the layouts.
std::vector<KeptGroup> layoutPointer(WriterContext& ctx, const AcDbSymbolTableRecord* record,
                                     const KeptTags* kept)
{
    std::vector<KeptGroup> extra;
    if (!ctx.generateObjects) return extra;
    std::uint64_t layout = 0;
    if (record->objectId() == ctx.db.modelSpaceId()) layout = ctx.modelLayout;
    else if (record->objectId() == ctx.db.paperSpaceId()) layout = ctx.paperLayout;
    if (!layout) return extra;
    if (kept)
        for (const KeptGroup& group : kept->groups)
            for (const AcDbDxfTag& tag : group.tags)
                if (tag.code == 340) return extra;
    extra.push_back({"AcDbBlockTableRecord", 0, {makeHandleTag(340, layout)}});
    return extra;
}

void writeTable(WriterContext& ctx, const TableOrder& order)
{
    AcDbSymbolTable* table = DatabaseAccess::table(ctx.db, order.kind);
    if (!table) return;
    std::vector<const AcDbSymbolTableRecord*> records;
    for (AcDbObjectId id : table->recordIds()) {
        auto* record = AcDbSymbolTableRecord::cast(db::objectOf(id));
        if (record && !record->isErased()) records.push_back(record);
    }
    TagWriter& out = ctx.out;
    const KeptTags* tableKept = ctx.keptFor(table->objectId());
    std::uint64_t tableHandle = ctx.claim(table->objectHandle().value());
    ctx.writeStart("TABLE", tableHandle, tableKept, 0, 5, order.name);
    out.writeRaw(100, "AcDbSymbolTable");
    out.writeInt(70, static_cast<std::int64_t>(records.size()));
    if (tableKept) {
        ctx.filer.begin(nullptr);
        for (const KeptGroup& group : tableKept->groups)
            for (const AcDbDxfTag& tag : group.tags) ctx.filer.writeTag(tag);
    }
    bool dimstyle = order.kind == TableKind::kDimStyle;
    for (const AcDbSymbolTableRecord* record : records) {
        const KeptTags* kept = ctx.keptFor(record->objectId());
        std::uint64_t handle = ctx.claim(record->objectHandle().value());
        ctx.writeStart(order.name, handle, kept, tableHandle, dimstyle ? 105 : 5);
        std::vector<KeptGroup> extra = layoutPointer(ctx, record, kept);
        ctx.writeFields(record, kept, &extra);
    }
    out.writeRaw(0, "ENDTAB");
}

} // namespace

void writeTablesSection(WriterContext& ctx)
{
    ctx.out.writeRaw(0, "SECTION");
    ctx.out.writeRaw(2, "TABLES");
    for (const TableOrder& order : kOrder) writeTable(ctx, order);
    ctx.out.writeRaw(0, "ENDSEC");
}

} // namespace dh::dxf
