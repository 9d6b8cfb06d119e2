// The OBJECTS section: the drawing's own objects as they were read, or — for a drawing
// that has none (new, or read from R12) — the root dictionary, the group and layout
// dictionaries and the two layouts that a strict reader requires.
#include "host/dxf/KeptEntity.h"
#include "host/dxf/WriterContext.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

namespace dh::dxf {

namespace {

void writeDictionary(WriterContext& ctx, std::uint64_t handle, std::uint64_t owner,
                     const std::vector<std::pair<std::string, std::uint64_t>>& entries)
{
    TagWriter& out = ctx.out;
    ctx.writeStart("DICTIONARY", handle, nullptr, owner);
    out.writeRaw(100, "AcDbDictionary");
    out.writeInt(281, 1);
    for (const auto& [name, entry] : entries) {
        out.writeRaw(3, name);
        out.writeHandle(350, entry);
    }
}

void writeLayout(WriterContext& ctx, std::uint64_t handle, const char* name, int tabOrder,
                 std::uint64_t block, bool model)
{
    TagWriter& out = ctx.out;
    ctx.writeStart("LAYOUT", handle, nullptr, ctx.layoutDictionary);
    out.writeRaw(100, "AcDbPlotSettings");
    out.writeRaw(1, "");
    out.writeRaw(2, "none_device");
    out.writeRaw(4, "");
    out.writeRaw(6, "");
    for (int code : {40, 41, 42, 43}) out.writeDouble(code, 0.0);
    out.writeDouble(44, 420.0);
    out.writeDouble(45, 297.0);
    for (int code : {46, 47, 48, 49, 140, 141}) out.writeDouble(code, 0.0);
    out.writeDouble(142, 1.0);
    out.writeDouble(143, 1.0);
    out.writeInt(70, model ? 1024 : 0);
    out.writeInt(72, 1);
    out.writeInt(73, 0);
    out.writeInt(74, 5);
    out.writeRaw(7, "");
    out.writeInt(75, 16);
    out.writeInt(76, 0);
    out.writeInt(77, 2);
    out.writeInt(78, 300);
    out.writeDouble(147, 1.0);
    out.writeDouble(148, 0.0);
    out.writeDouble(149, 0.0);
    out.writeRaw(100, "AcDbLayout");
    out.writeString(1, name);
    out.writeInt(70, 1);
    out.writeInt(71, tabOrder);
    auto xy = [&](int code, double x, double y) {
        out.writeDouble(code, x);
        out.writeDouble(code + 10, y);
    };
    auto xyz = [&](int code, double x, double y, double z) {
        xy(code, x, y);
        out.writeDouble(code + 20, z);
    };
    xy(10, 0.0, 0.0);
    xy(11, 420.0, 297.0);
    xyz(12, 0.0, 0.0, 0.0);
    xyz(14, 1e20, 1e20, 1e20);
    xyz(15, -1e20, -1e20, -1e20);
    out.writeDouble(146, 0.0);
    xyz(13, 0.0, 0.0, 0.0);
    xyz(16, 1.0, 0.0, 0.0);
    xyz(17, 0.0, 1.0, 0.0);
    out.writeInt(76, 0);
    out.writeHandle(330, block);
}

} // namespace

void planObjects(WriterContext& ctx)
{
    if (!ctx.generateObjects) return;
    ctx.rootDictionary = ctx.fresh();
    ctx.groupDictionary = ctx.fresh();
    ctx.layoutDictionary = ctx.fresh();
    ctx.modelLayout = ctx.fresh();
    ctx.paperLayout = ctx.fresh();
}

void writeObjectsSection(WriterContext& ctx)
{
    ctx.out.writeRaw(0, "SECTION");
    ctx.out.writeRaw(2, "OBJECTS");
    if (ctx.generateObjects) {
        std::vector<std::pair<std::string, std::uint64_t>> rootEntries{{"ACAD_GROUP", ctx.groupDictionary},
                                                                         {"ACAD_LAYOUT", ctx.layoutDictionary}};
        if (ctx.data)
            for (const auto& [name, id] : ctx.data->rootEntries)
                if (const AcDbObject* object = db::objectOf(id); object && !object->isErased())
                    rootEntries.emplace_back(name, object->objectHandle().value());
        writeDictionary(ctx, ctx.rootDictionary, 0, rootEntries);
        writeDictionary(ctx, ctx.groupDictionary, ctx.rootDictionary, {});
        writeDictionary(ctx, ctx.layoutDictionary, ctx.rootDictionary,
                        {{"Model", ctx.modelLayout}, {"Layout1", ctx.paperLayout}});
        writeLayout(ctx, ctx.modelLayout, "Model", 0, ctx.db.modelSpaceId().handle().value(), true);
        writeLayout(ctx, ctx.paperLayout, "Layout1", 1, ctx.db.paperSpaceId().handle().value(), false);
    }
    if (ctx.data) {
        for (AcDbObjectId id : ctx.data->objects) {
            auto* object = KeptObject::cast(db::objectOf(id));
            if (!object || object->isErased()) continue;
            const KeptTags* kept = ctx.keptFor(id);
            std::uint64_t owner = object->ownerId().isNull() ? 0 : object->ownerId().handle().value();
            if (owner == 0 && ctx.generateObjects) owner = ctx.rootDictionary; // named by it
            ctx.writeStart(object->dxfType(), ctx.claim(object->objectHandle().value()), kept, owner);
            ctx.writeFields(object, kept);
        }
    }
    ctx.out.writeRaw(0, "ENDSEC");
}

} // namespace dh::dxf
