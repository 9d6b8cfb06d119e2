// The CLASSES and TABLES sections. Table records are read by their own classes; what they
// do not model is kept. A record the table refuses (duplicate or invalid name) is left out
// and listed in the audit.
#include "host/dxf/ReadFiler.h"
#include "host/dxf/ReaderContext.h"
#include "host/dxf/SubclassMarkers.h"

#include "host/db/ObjectAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <memory>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;
using db::newRecord;
using db::newTable;

// The header settings that name records (HeaderSection.cpp).
void applyTableSettings(ReaderContext& ctx);

namespace {

struct TableType {
    const char* name;
    TableKind kind;
};

constexpr TableType kTableTypes[] = {
    {"BLOCK_RECORD", TableKind::kBlock}, {"LAYER", TableKind::kLayer},
    {"STYLE", TableKind::kTextStyle},    {"LTYPE", TableKind::kLinetype},
    {"APPID", TableKind::kRegApp},       {"UCS", TableKind::kUCS},
    {"VIEW", TableKind::kView},          {"VPORT", TableKind::kViewport},
    {"DIMSTYLE", TableKind::kDimStyle},
};

// The characters a table refuses in a record name ('*' only leads the host's own names).
bool isValidRecordName(const std::string& name)
{
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::string_view("<>/\\\":;?|,=`").find(name[i]) != std::string_view::npos ||
            (name[i] == '*' && i != 0))
            return false;
    return true;
}

const TableType* tableType(std::string_view name)
{
    for (const TableType& type : kTableTypes)
        if (name == type.name) return &type;
    return nullptr;
}

// The table object of a kind: the database's, or a new one under the file's handle.
AcDbObjectId tableFor(ReaderContext& ctx, TableKind kind, const ObjectTags& head)
{
    if (AcDbSymbolTable* existing = DatabaseAccess::table(ctx.db, kind)) return existing->objectId();
    AcDbObjectId id = addWithFileHandle(ctx, newTable(kind), head.handle, AcDbObjectId(), "TABLE");
    if (id.isNull()) ctx.fail(head.line, "the table could not be created");
    DatabaseAccess::setTable(ctx.db, kind, id);
    // The table head's own groups beyond name and count (e.g. the DIMSTYLE table's list).
    KeptTags kept;
    kept.appData = head.appData;
    Tags standard{makeTextTag(2, head.find(2) ? head.find(2)->text : ""),
                  makeTextTag(100, "AcDbSymbolTable"), makeIntTag(70, 0)};
    if (!ctx.r12) kept.groups = findUnmodelled(head.body, standard);
    if (!kept.empty()) ctx.data.kept[id] = std::move(kept);
    return id;
}

void readRecord(ReaderContext& ctx, TableKind kind, AcDbObjectId tableId, ObjectTags& tags)
{
    if (ctx.r12 || !tags.hasSubclassMarkers()) addTableRecordSubclassMarkers(tags);
    std::unique_ptr<AcDbSymbolTableRecord> record(newRecord(kind));
    ReadFiler filer(&ctx.db, ctx.version, tags);
    Acad::ErrorStatus es = record->dxfInFields(&filer);
    if (filer.error()) ctx.fail(filer.errorLine(), tags.type + ": " + *filer.error());
    if (es != Acad::eOk)
        ctx.fail(tags.line, tags.type + " record: " + acadErrorStatusText(es));
    std::string name = record->getName();
    // Shape-file styles hold the file, not a name: several may have an empty or odd one.
    auto* style = AcDbTextStyleTableRecord::cast(record.get());
    const bool unnamedShape = style && style->isShapeFile() &&
                              (name.empty() || !isValidRecordName(name));
    if (name.empty() && !unnamedShape) {
        ctx.fix("record-name", tags.handle, tags.type + " record without a name left out");
        return;
    }
    if (!unnamedShape && !DatabaseAccess::findRecord(ctx.db, kind, name.c_str()).isNull()) {
        ctx.fix("duplicate-record", tags.handle,
                tags.type + " '" + name + "' defined twice; the second left out");
        return;
    }
    AcDbObject* opened = nullptr;
    if (acdbOpenAcDbObject(opened, tableId, AcDb::kForWrite) != Acad::eOk)
        ctx.fail(tags.line, "the " + tags.type + " table cannot be opened");
    auto* table = static_cast<AcDbSymbolTable*>(opened);
    db::ObjectTable& objects = DatabaseAccess::objects(ctx.db);
    if (tags.handle != 0) {
        const db::ObjectStub* stub = objects.find(tags.handle);
        if (stub && stub->object)
            ctx.fix("duplicate-handle", tags.handle, tags.type + " '" + name + "' given a new handle");
        else
            DatabaseAccess::reserveHandle(ctx.db, tags.handle);
    }
    AcDbObjectId id;
    if (unnamedShape) {
        id = DatabaseAccess::addObject(ctx.db, record.get(), tableId, false);
        if (!id.isNull()) {
            db::ObjectAccess::records(*table).push_back(id);
            db::ObjectAccess::markIndexStale(*table);
        }
        es = id.isNull() ? Acad::eHandleInUse : Acad::eOk;
    } else {
        es = table->add(id, record.get());
    }
    table->close();
    if (es != Acad::eOk) {
        ctx.fix("record-refused", tags.handle,
                tags.type + " '" + name + "' refused (" + acadErrorStatusText(es) + "); left out");
        return;
    }
    AcDbSymbolTableRecord* added = record.release();
    if (!unnamedShape) added->close();
    keepUnmodelled(ctx, added, tags);
    if (!tags.xdata.empty()) ctx.deferredXData.emplace_back(id, tags.xdata);
}

// Tables the file lacks are made empty before its blocks are read, so that an entity on a
// layer no table defined brings its layer along instead of losing it.
void addMissingTables(ReaderContext& ctx)
{
    for (const TableType& type : kTableTypes) {
        if (DatabaseAccess::table(ctx.db, type.kind)) continue;
        AcDbObjectId id = DatabaseAccess::addObject(ctx.db, newTable(type.kind), AcDbObjectId(), false);
        if (!id.isNull()) DatabaseAccess::setTable(ctx.db, type.kind, id);
    }
}

} // namespace

void readClassesSection(ReaderContext& ctx)
{
    ObjectTags object;
    int code = 0;
    while (ctx.stream.peekCode(code)) {
        if (ctx.stream.peekIs(0, "ENDSEC")) {
            AcDbDxfTag end;
            ctx.stream.next(end);
            return;
        }
        ctx.stream.readObject(object);
        if (object.type != "CLASS") ctx.fail(object.line, "expected CLASS, found " + object.type);
        ctx.data.classes.push_back(object.body);
    }
    ctx.fail(ctx.stream.where(), "the CLASSES section has no ENDSEC");
}

void readTablesSection(ReaderContext& ctx)
{
    ensureSeed(ctx);
    ObjectTags object;
    int code = 0;
    while (ctx.stream.peekCode(code)) {
        if (ctx.stream.peekIs(0, "ENDSEC")) {
            AcDbDxfTag end;
            ctx.stream.next(end);
            applyDeferredXData(ctx);
            addMissingTables(ctx);
            applyTableSettings(ctx);
            return;
        }
        ctx.stream.readObject(object);
        const TableType* type = nullptr;
        AcDbObjectId tableId;
        bool headless = false;
        if (object.type != "TABLE") {
            // Records after ENDTAB without their TABLE head: the table follows from them.
            type = tableType(object.type);
            if (!type) ctx.fail(object.line, "expected TABLE, found " + object.type);
            ctx.fix("table-head", object.handle, object.type + " records without a TABLE head");
            ObjectTags head;
            head.type = "TABLE";
            head.line = object.line;
            tableId = tableFor(ctx, type->kind, head);
            readRecord(ctx, type->kind, tableId, object);
            headless = true;
        } else {
            const AcDbDxfTag* nameTag = object.find(2);
            type = nameTag ? tableType(nameTag->text) : nullptr;
            if (type) tableId = tableFor(ctx, type->kind, object);
            else ctx.unfixed("unknown-table", object.handle,
                             "unknown table '" + (nameTag ? nameTag->text : "") + "' skipped");
        }
        (void)headless;
        for (;;) {
            if (!ctx.stream.peekCode(code)) ctx.fail(ctx.stream.where(), "a table without ENDTAB");
            if (ctx.stream.peekIs(0, "ENDTAB")) {
                AcDbDxfTag end;
                ctx.stream.next(end);
                break;
            }
            if (ctx.stream.peekIs(0, "ENDSEC") || ctx.stream.peekIs(0, "EOF"))
                ctx.fail(ctx.stream.where(), "a table without ENDTAB");
            ctx.stream.readObject(object);
            if (type) readRecord(ctx, type->kind, tableId, object);
        }
    }
    ctx.fail(ctx.stream.where(), "the TABLES section has no ENDSEC");
}

} // namespace dh::dxf
