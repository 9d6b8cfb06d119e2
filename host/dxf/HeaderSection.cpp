// The HEADER section: every variable is kept (DocumentData::header) so that settings the
// database does not model are written back; those naming records are applied as soon as
// the tables are read (entities without a style take the drawing's current one), the
// others at the end.
#include "host/dxf/ReaderContext.h"

#include <acdb/AcCmColor.h>

#include <algorithm>
#include <cstdlib>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

namespace {

int versionNumber(const std::string& acadver)
{
    // "AC1015"; older files have "AC1006" and the like.
    if (acadver.size() >= 6 && acadver.compare(0, 2, "AC") == 0)
        return std::atoi(acadver.c_str() + 2);
    return 1009;
}

void applyEarly(ReaderContext& ctx, const HeaderVariable& variable)
{
    if (variable.values.empty()) return;
    const AcDbDxfTag& value = variable.values.front();
    if (variable.name == "$ACADVER") {
        ctx.version = versionNumber(value.text);
        ctx.r12 = ctx.version <= 1009;
        ctx.stream.decoder().setUtf8File(ctx.version >= 1021);
    } else if (variable.name == "$DWGCODEPAGE") {
        ctx.stream.decoder().setFileCodePage(value.text);
    } else if (variable.name == "$HANDSEED") {
        ctx.fileSeed = static_cast<std::uint64_t>(value.integer);
        if (value.kind != AcDbDxfTag::Kind::kHandle) ctx.fileSeed = 0;
        // Fresh handles (objects without one) start above the file's.
        if (ctx.fileSeed > 0) DatabaseAccess::objects(ctx.db).setSeed(ctx.fileSeed);
    }
}

const AcDbDxfTag* firstValue(const DocumentData& data, std::string_view name)
{
    for (const HeaderVariable& variable : data.header)
        if (variable.name == name && !variable.values.empty()) return &variable.values.front();
    return nullptr;
}

} // namespace

void readHeaderSection(ReaderContext& ctx)
{
    TagStream& stream = ctx.stream;
    AcDbDxfTag tag;
    std::size_t where = 0;
    HeaderVariable* current = nullptr;
    while (stream.next(tag, &where)) {
        if (tag.code == 0) {
            if (tag.text == "ENDSEC") {
                if (current) applyEarly(ctx, *current);
                return;
            }
            break;
        }
        if (tag.code == 9) {
            if (current) applyEarly(ctx, *current);
            ctx.data.header.push_back({tag.text, {}});
            current = &ctx.data.header.back();
            continue;
        }
        if (!current) ctx.fail(where, "a header value without a variable name");
        // $HANDSEED is a handle although group 5 is the object handle code elsewhere.
        current->values.push_back(tag);
    }
    ctx.fail(where, "the HEADER section has no ENDSEC");
}

void applyTableSettings(ReaderContext& ctx)
{
    AcDbDatabase& db = ctx.db;
    auto recordOf = [&](TableKind kind, const char* name) {
        const AcDbDxfTag* value = firstValue(ctx.data, name);
        return value ? DatabaseAccess::findRecord(db, kind, value->text.c_str()) : AcDbObjectId();
    };
    if (AcDbObjectId id = recordOf(TableKind::kLayer, "$CLAYER"); !id.isNull()) db.setClayer(id);
    if (AcDbObjectId id = recordOf(TableKind::kLinetype, "$CELTYPE"); !id.isNull()) db.setCeltype(id);
    if (AcDbObjectId id = recordOf(TableKind::kTextStyle, "$TEXTSTYLE"); !id.isNull()) db.setTextstyle(id);
    if (AcDbObjectId id = recordOf(TableKind::kDimStyle, "$DIMSTYLE"); !id.isNull()) db.setDimstyle(id);
}

void applyHeaderSettings(ReaderContext& ctx)
{
    AcDbDatabase& db = ctx.db;
    DatabaseAccess::ensureStandardObjects(db);
    const DocumentData& data = ctx.data;
    applyTableSettings(ctx);
    auto point = [](const AcDbDxfTag& tag) { return AcGePoint3d(tag.xyz[0], tag.xyz[1], tag.xyz[2]); };
    if (const AcDbDxfTag* v = firstValue(data, "$EXTMIN"); v && v->kind == AcDbDxfTag::Kind::kPoint)
        db.setExtmin(point(*v));
    if (const AcDbDxfTag* v = firstValue(data, "$EXTMAX"); v && v->kind == AcDbDxfTag::Kind::kPoint)
        db.setExtmax(point(*v));
    if (const AcDbDxfTag* v = firstValue(data, "$INSBASE"); v && v->kind == AcDbDxfTag::Kind::kPoint)
        db.setInsbase(point(*v));
    if (const AcDbDxfTag* v = firstValue(data, "$LTSCALE"); v && v->real() > 0.0) db.setLtscale(v->real());
    if (const AcDbDxfTag* v = firstValue(data, "$TEXTSIZE"); v && v->real() > 0.0) db.setTextsize(v->real());
    if (const AcDbDxfTag* v = firstValue(data, "$CELTSCALE"); v && v->real() > 0.0) db.setCeltscale(v->real());
    if (const AcDbDxfTag* v = firstValue(data, "$CECOLOR"); v && v->kind == AcDbDxfTag::Kind::kInt) {
        AcCmColor color;
        if (color.setColorIndex(static_cast<Adesk::UInt16>(std::abs(v->integer))) == Acad::eOk)
            db.setCecolor(color);
    }
    if (ctx.fileSeed > 0 && db.handseed().value() < ctx.fileSeed)
        db.setHandseed(AcDbHandle(ctx.fileSeed));
}

} // namespace dh::dxf
