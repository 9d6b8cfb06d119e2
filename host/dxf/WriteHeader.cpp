// HEADER and CLASSES of a written file. The variables the database models are written from
// it; the others come back as the file had them (handle values only when the handle still
// names an object), and a new drawing gets the few a strict reader expects.
#include "host/dxf/WriterContext.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <algorithm>
#include <cstdio>

namespace dh::dxf {

namespace {

const char* const kWritten[] = {"$ACADVER", "$DWGCODEPAGE", "$HANDSEED", "$INSBASE", "$EXTMIN",
                                "$EXTMAX", "$CLAYER", "$CELTYPE", "$CECOLOR", "$CELTSCALE",
                                "$LTSCALE", "$TEXTSIZE", "$TEXTSTYLE", "$DIMSTYLE"};

bool writtenByUs(const std::string& name)
{
    return std::any_of(std::begin(kWritten), std::end(kWritten),
                       [&](const char* n) { return name == n; });
}

std::string recordName(AcDbObjectId id, const char* fallback)
{
    auto* record = AcDbSymbolTableRecord::cast(db::objectOf(id));
    return record ? record->getName() : fallback;
}

void point(TagWriter& out, int code, const AcGePoint3d& p)
{
    out.writeDouble(code, p.x);
    out.writeDouble(code + 10, p.y);
    out.writeDouble(code + 20, p.z);
}

bool handlesValid(const AcDbDatabase& db, const Tags& values)
{
    for (const AcDbDxfTag& tag : values) {
        if (tag.kind != AcDbDxfTag::Kind::kHandle || tag.integer == 0) continue;
        const db::ObjectStub* stub =
            db::DatabaseAccess::objects(const_cast<AcDbDatabase&>(db)).find(static_cast<std::uint64_t>(tag.integer));
        if (!stub || !stub->object || stub->object->isErased()) return false;
    }
    return true;
}

} // namespace

void writeHeaderSection(WriterContext& ctx, TagWriter& out)
{
    AcDbDatabase& db = ctx.db;
    out.writeRaw(0, "SECTION");
    out.writeRaw(2, "HEADER");
    char acadver[16];
    std::snprintf(acadver, sizeof acadver, "AC%d", ctx.version);
    out.writeRaw(9, "$ACADVER");
    out.writeRaw(1, acadver);
    out.writeRaw(9, "$DWGCODEPAGE");
    out.writeRaw(3, ctx.version >= 1021 ? (ctx.data ? ctx.data->codePage : "ANSI_936")
                                        : CodePage(ctx.data ? ctx.data->codePage : "ANSI_936").name());
    out.writeRaw(9, "$INSBASE");
    point(out, 10, db.insbase());
    AcGePoint3d extmin = db.extmin(), extmax = db.extmax();
    out.writeRaw(9, "$EXTMIN");
    point(out, 10, extmin);
    out.writeRaw(9, "$EXTMAX");
    point(out, 10, extmax);
    out.writeRaw(9, "$LTSCALE");
    out.writeDouble(40, db.ltscale());
    out.writeRaw(9, "$TEXTSIZE");
    out.writeDouble(40, db.textsize());
    out.writeRaw(9, "$CLAYER");
    out.writeString(8, recordName(db.clayer(), "0"));
    out.writeRaw(9, "$CELTYPE");
    out.writeString(6, recordName(db.celtype(), "ByLayer"));
    out.writeRaw(9, "$CECOLOR");
    out.writeInt(62, db.cecolor().colorIndex());
    out.writeRaw(9, "$CELTSCALE");
    out.writeDouble(40, db.celtscale());
    out.writeRaw(9, "$TEXTSTYLE");
    out.writeString(7, recordName(db.textstyle(), "Standard"));
    out.writeRaw(9, "$DIMSTYLE");
    out.writeString(2, recordName(db.dimstyle(), "Standard"));
    bool hasInsUnits = false, hasUnits = false, hasPrecision = false;
    if (ctx.data) {
        for (const HeaderVariable& variable : ctx.data->header) {
            if (writtenByUs(variable.name) || !handlesValid(db, variable.values)) continue;
            hasInsUnits = hasInsUnits || variable.name == "$INSUNITS";
            hasUnits = hasUnits || variable.name == "$LUNITS";
            hasPrecision = hasPrecision || variable.name == "$LUPREC";
            out.writeRaw(9, variable.name);
            ctx.filer.begin(nullptr);
            for (const AcDbDxfTag& tag : variable.values) {
                if (tag.kind == AcDbDxfTag::Kind::kString) out.writeString(tag.code, tag.text);
                else if (tag.kind == AcDbDxfTag::Kind::kHandle) out.writeHandle(tag.code, static_cast<std::uint64_t>(tag.integer));
                else if (tag.kind == AcDbDxfTag::Kind::kInt) out.writeInt(tag.code, tag.integer);
                else if (tag.kind == AcDbDxfTag::Kind::kDouble) out.writeDouble(tag.code, tag.xyz[0]);
                else if (tag.kind == AcDbDxfTag::Kind::kPoint) {
                    out.writeDouble(tag.code, tag.xyz[0]);
                    out.writeDouble(tag.code + 10, tag.xyz[1]);
                    if (tag.hasZ) out.writeDouble(tag.code + 20, tag.xyz[2]);
                }
            }
        }
    }
    // What the file gave is kept; only what it lacks gets the survey defaults.
    if (!hasInsUnits) {
        out.writeRaw(9, "$INSUNITS");
        out.writeInt(70, 6); // metres: the drawings this host serves are survey drawings
    }
    if (!hasUnits) {
        out.writeRaw(9, "$LUNITS");
        out.writeInt(70, 2);
    }
    if (!hasPrecision) {
        out.writeRaw(9, "$LUPREC");
        out.writeInt(70, 4);
    }
    // Last, so that it is above every handle written, the writer's own included.
    out.writeRaw(9, "$HANDSEED");
    out.writeHandle(5, ctx.fresh());
    out.writeRaw(0, "ENDSEC");
}

void writeClassesSection(WriterContext& ctx)
{
    TagWriter& out = ctx.out;
    out.writeRaw(0, "SECTION");
    out.writeRaw(2, "CLASSES");
    bool hasLayout = false;
    if (ctx.data) {
        for (const Tags& body : ctx.data->classes) {
            out.writeRaw(0, "CLASS");
            ctx.filer.begin(nullptr);
            for (const AcDbDxfTag& tag : body) {
                if (tag.code == 1 && tag.text == "LAYOUT") hasLayout = true;
                ctx.filer.writeTag(tag);
            }
        }
    }
    if (ctx.generateObjects && !hasLayout) {
        out.writeRaw(0, "CLASS");
        out.writeRaw(1, "LAYOUT");
        out.writeRaw(2, "AcDbLayout");
        out.writeRaw(3, "ObjectDBX Classes");
        out.writeInt(90, 0);
        out.writeInt(280, 0);
        out.writeInt(281, 0);
    }
    out.writeRaw(0, "ENDSEC");
}

} // namespace dh::dxf
