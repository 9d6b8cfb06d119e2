// The symbol tables from LISP: tblsearch, tblnext, tblobjname, and the records' lists that
// they and entget give. A record's list is (0 . "LAYER") and its groups as the drawing
// format has them (70 flags, 62 colour, negative for a layer that is off, 6 linetype, …),
// angles in radians; a BLOCK gives its name, flags, base point and (-2 . first entity).
#include "host/ed/Document.h"
#include "host/ed/EntityList.h"
#include "host/ed/LispBridge.h"
#include "host/ed/ResbufConversion.h"
#include "host/ed/Session.h"
#include "host/ed/TableLists.h"

#include "host/dxf/CollectFiler.h"
#include "host/lispeval/Args.h"
#include "host/lispeval/Error.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <map>

namespace dh::ed {
namespace {

using lisp::Args;
using lisp::Value;

constexpr double kPi = 3.14159265358979323846;

struct TableKind {
    const char* name;
    AcDbObjectId (AcDbDatabase::*table)() const;
};

const TableKind kTables[] = {
    {"LAYER", &AcDbDatabase::layerTableId},   {"LTYPE", &AcDbDatabase::linetypeTableId},
    {"VIEW", &AcDbDatabase::viewTableId},     {"STYLE", &AcDbDatabase::textStyleTableId},
    {"BLOCK", &AcDbDatabase::blockTableId},   {"UCS", &AcDbDatabase::UCSTableId},
    {"APPID", &AcDbDatabase::regAppTableId},  {"DIMSTYLE", &AcDbDatabase::dimStyleTableId},
    {"VPORT", &AcDbDatabase::viewportTableId},
};

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return text;
}

const TableKind& tableArg(const Args& args, std::size_t i)
{
    const std::string name = upper(args.string(i));
    for (const TableKind& kind : kTables)
        if (name == kind.name)
            return kind;
    lisp::throwBadArgumentValue("table name", args[i]);
}

AcDbDatabase& activeDatabase()
{
    Session* s = Session::current();
    Document* doc = s ? s->activeDocument() : nullptr;
    if (!doc)
        throw lisp::Error("no drawing is open");
    return *doc->database();
}

lisp::Value group(int code, lisp::Value value) { return lisp::Value::cons(lisp::Value::integer(code), std::move(value)); }

// Records a walk returns: live ones; of the blocks, not the layouts (model and paper space).
bool listed(const TableKind& kind, AcDbObjectId id)
{
    if (id.isErased())
        return false;
    if (std::string(kind.name) != "BLOCK")
        return true;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, id, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool layout = block->isLayout();
    block->close();
    return !layout;
}

std::vector<AcDbObjectId> recordIds(AcDbDatabase& db, const TableKind& kind)
{
    AcDbSymbolTable* table = nullptr;
    if (acdbOpenObject(table, (db.*kind.table)(), AcDb::kForRead) != Acad::eOk)
        return {};
    std::vector<AcDbObjectId> ids = table->recordIds();
    table->close();
    return ids;
}

// Where tblnext goes on, per drawing and table.
std::map<std::pair<const AcDbDatabase*, std::string>, std::size_t>& cursors()
{
    static std::map<std::pair<const AcDbDatabase*, std::string>, std::size_t> positions;
    return positions;
}

// (tblnext table [rewind]): the next record's list; nil after the last.
Value tblnext(lisp::Interpreter&, const Args& args)
{
    args.expect(1, 2);
    const TableKind& kind = tableArg(args, 0);
    AcDbDatabase& db = activeDatabase();
    std::size_t& next = cursors()[{&db, kind.name}];
    if (args.has(1) && args[1].isTrue())
        next = 0;
    const std::vector<AcDbObjectId> ids = recordIds(db, kind);
    for (; next < ids.size(); ++next) {
        if (listed(kind, ids[next]))
            return recordList(ids[next++], false);
    }
    return Value();
}

AcDbObjectId findRecord(AcDbDatabase& db, const TableKind& kind, const std::string& name)
{
    AcDbSymbolTable* table = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(table, (db.*kind.table)(), AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    return id;
}

// (tblsearch table name [setnext]): the record's list or nil; with setnext, tblnext goes
// on after it.
Value tblsearch(lisp::Interpreter&, const Args& args)
{
    args.expect(2, 3);
    const TableKind& kind = tableArg(args, 0);
    AcDbDatabase& db = activeDatabase();
    const AcDbObjectId id = findRecord(db, kind, args.string(1));
    if (id.isNull() || !listed(kind, id))
        return Value();
    if (args.has(2) && args[2].isTrue()) {
        const std::vector<AcDbObjectId> ids = recordIds(db, kind);
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id)
                cursors()[{&db, kind.name}] = i + 1;
    }
    return recordList(id, false);
}

Value tblobjname(lisp::Interpreter&, const Args& args)
{
    args.expect(2);
    const TableKind& kind = tableArg(args, 0);
    const AcDbObjectId id = findRecord(activeDatabase(), kind, args.string(1));
    ads_name name;
    if (id.isNull() || acdbGetAdsName(name, id) != Acad::eOk)
        return Value();
    return entityValue(name);
}

const LispBuiltinRegistrar kRegistrars[] = {
    {"TBLNEXT", tblnext},
    {"TBLSEARCH", tblsearch},
    {"TBLOBJNAME", tblobjname},
};

// The type name of a record's class.
std::string recordType(const AcDbObject& record)
{
    static const std::pair<AcRxClass*, const char*> kTypes[] = {
        {AcDbLayerTableRecord::desc(), "LAYER"},       {AcDbLinetypeTableRecord::desc(), "LTYPE"},
        {AcDbTextStyleTableRecord::desc(), "STYLE"},   {AcDbRegAppTableRecord::desc(), "APPID"},
        {AcDbUCSTableRecord::desc(), "UCS"},           {AcDbViewTableRecord::desc(), "VIEW"},
        {AcDbViewportTableRecord::desc(), "VPORT"},    {AcDbDimStyleTableRecord::desc(), "DIMSTYLE"},
        {AcDbBlockTableRecord::desc(), "BLOCK_RECORD"},
    };
    for (const auto& [cls, name] : kTypes)
        if (record.isKindOf(cls))
            return name;
    return "";
}

}  // namespace

Value recordList(AcDbObjectId id, bool forEntget)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk)
        return Value();
    AcDbDatabase* db = record->database();
    lisp::ListBuilder list;
    ads_name name;
    if (forEntget && acdbGetAdsName(name, id) == Acad::eOk)
        list.add(group(-1, entityValue(name)));
    const std::string type = recordType(*record);
    const auto* block = AcDbBlockTableRecord::cast(record);
    list.add(group(0, Value::string(block && !forEntget ? "BLOCK" : type)));
    if (forEntget)
        list.add(group(5, Value::string(id.handle().toString())));
    if (block && !forEntget) {
        // A block as a table entry: what its BLOCK record says, and its first entity.
        const int flags = (block->isAnonymous() ? 1 : 0) | (block->hasAttributeDefinitions() ? 2 : 0) |
                          (block->isFromExternalReference() ? 4 : 0);
        list.add(group(2, Value::string(block->getName())));
        list.add(group(70, Value::integer(flags)));
        const AcGePoint3d base = block->origin();
        list.add(group(10, Value::list({Value::real(base.x), Value::real(base.y), Value::real(base.z)})));
        for (AcDbObjectId entity : block->entityIds()) {
            if (!entity.isErased() && acdbGetAdsName(name, entity) == Acad::eOk) {
                list.add(group(-2, entityValue(name)));
                break;
            }
        }
        record->close();
        return list.finish();
    }
    dxf::CollectFiler filer(db, AcDb::kDHL_CURRENT);
    record->dxfOutFields(&filer);
    record->close();
    for (const AcDbDxfTag& tag : filer.tags()) {
        if (!forEntget && (tag.code == 100 || tag.kind == AcDbDxfTag::Kind::kHandle))
            continue;
        Value value = tagValue(tag, db);
        // Angles are radians in LISP.
        if ((type == "STYLE" && tag.code == 50) || ((type == "VPORT" || type == "VIEW") && (tag.code == 50 || tag.code == 51)))
            value = Value::real(tag.real() * kPi / 180.0);
        list.add(group(tag.code, value));
    }
    return list.finish();
}

}  // namespace dh::ed
