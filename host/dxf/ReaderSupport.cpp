// Steps every section of the reader shares: adding objects under their file handles,
// keeping what an object's class does not model, and extended data.
#include "host/dxf/CollectFiler.h"
#include "host/dxf/ExtendedData.h"
#include "host/dxf/ReaderContext.h"
#include "host/dxf/TagReader.h"

#include <acut/ResBuf.h>

#include <algorithm>
#include <memory>

namespace dh::dxf {

using db::DatabaseAccess;
using db::TableKind;

AcDbObjectId addWithFileHandle(ReaderContext& ctx, AcDbObject* object, std::uint64_t handle,
                               AcDbObjectId owner, const std::string& type)
{
    db::ObjectTable& table = DatabaseAccess::objects(ctx.db);
    if (handle != 0) {
        const db::ObjectStub* stub = table.find(handle);
        if (stub && stub->object) {
            ctx.fix("duplicate-handle", handle,
                    type + " has the handle of another object; given a new handle");
        } else {
            DatabaseAccess::reserveHandle(ctx.db, handle);
        }
    }
    AcDbObjectId id = DatabaseAccess::addObject(ctx.db, object, owner, false);
    if (id.isNull()) ctx.unfixed("not-added", handle, type + " could not be added");
    return id;
}

namespace {

using Written = std::vector<std::pair<std::string, int>>;

bool allWritten(const Written& written, const Tags& body)
{
    std::string_view subclass;
    for (const AcDbDxfTag& tag : body) {
        if (tag.code == 100) {
            subclass = tag.text;
            continue;
        }
        bool found = std::any_of(written.begin(), written.end(), [&](const auto& entry) {
            return entry.second == tag.code && entry.first == subclass;
        });
        if (!found) return false;
    }
    return true;
}

void learn(Written& written, const Tags& output)
{
    std::string subclass;
    for (const AcDbDxfTag& tag : output) {
        if (tag.code == 100) {
            subclass = tag.text;
            continue;
        }
        bool found = std::any_of(written.begin(), written.end(), [&](const auto& entry) {
            return entry.second == tag.code && entry.first == subclass;
        });
        if (!found) written.emplace_back(subclass, tag.code);
    }
}

} // namespace

void ensureSeed(ReaderContext& ctx)
{
    if (ctx.seedChecked) return;
    ctx.seedChecked = true;
    if (ctx.fileSeed != 0) return;
    TagReader scan(ctx.fileData);
    Tag tag;
    std::uint64_t largest = 0;
    while (scan.next(tag)) {
        if ((tag.code != 5 && tag.code != 105) || tag.raw.empty() || tag.raw.size() > 16) continue;
        std::uint64_t value = 0;
        bool hex = true;
        for (char c : tag.raw) {
            int d = (c >= '0' && c <= '9') ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                    : c == ' ' || c == '\r' ? -2 : -1;
            if (d == -2) continue;
            if (d < 0) { hex = false; break; }
            value = value * 16 + static_cast<unsigned>(d);
        }
        if (hex && value > largest) largest = value;
    }
    if (largest > 0) DatabaseAccess::objects(ctx.db).setSeed(largest + 1);
}

void applyDeferredXData(ReaderContext& ctx)
{
    for (auto& [id, xdata] : ctx.deferredXData) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, id, AcDb::kForWrite) != Acad::eOk) continue;
        ObjectTags tags;
        tags.handle = id.handle().value();
        tags.xdata = std::move(xdata);
        applyExtendedData(ctx, object, tags);
        object->close();
    }
    ctx.deferredXData.clear();
}

void keepUnmodelled(ReaderContext& ctx, AcDbObject* object, const ObjectTags& tags)
{
    KeptTags kept;
    kept.appData = tags.appData;
    // R12 files hold only groups of their own era; the modern layout has no place for the
    // ones the classes ignore, so they are not carried into later versions.
    if (!ctx.r12) {
        std::vector<bool>& codes = ctx.writtenCodes[tags.type];
        bool known = !codes.empty() && std::all_of(tags.body.begin(), tags.body.end(), [&](const AcDbDxfTag& tag) {
            return tag.code >= 0 && static_cast<std::size_t>(tag.code) < codes.size() && codes[static_cast<std::size_t>(tag.code)];
        });
        Written* written = known ? nullptr : &ctx.written[tags.type];
        if (written && !allWritten(*written, tags.body)) {
            CollectFiler output(&ctx.db, ctx.version);
            if (object->dxfOutFields(&output) == Acad::eOk) {
                learn(*written, output.tags());
                kept.groups = findUnmodelled(tags.body, output.tags());
                if (codes.empty()) codes.assign(1072, false);
                codes[100] = true;
                for (const auto& entry : *written)
                    if (entry.second >= 0 && entry.second < 1072) codes[static_cast<std::size_t>(entry.second)] = true;
            }
        }
    }
    if (!kept.empty()) ctx.data.kept[object->objectId()] = std::move(kept);
}

namespace {

bool isExtendedDataCode(const AcDbDxfTag& tag)
{
    int code = tag.code;
    if (code >= 1010 && code <= 1013) return tag.kind == AcDbDxfTag::Kind::kPoint;
    return (code >= 1000 && code <= 1005) || (code >= 1040 && code <= 1042) || code == 1070 ||
           code == 1071;
}

} // namespace

void applyExtendedData(ReaderContext& ctx, AcDbObject* object, const ObjectTags& original)
{
    if (original.xdata.empty()) return;
    // Coordinates out of their point (a y or z without its x) and codes outside the
    // extended-data set are refused by strict readers; they are left out.
    const ObjectTags* source = &original;
    ObjectTags cleaned;
    if (!std::all_of(original.xdata.begin(), original.xdata.end(), isExtendedDataCode)) {
        cleaned.handle = original.handle;
        for (const AcDbDxfTag& tag : original.xdata)
            if (isExtendedDataCode(tag)) cleaned.xdata.push_back(tag);
        ctx.fix("xdata", original.handle, "invalid groups in extended data left out");
        source = &cleaned;
    }
    const ObjectTags& tags = *source;
    if (tags.xdata.empty()) return;
    if (tags.xdata.front().code != 1001) {
        ctx.fix("xdata", tags.handle, "extended data without an application name dropped");
        return;
    }
    for (const std::string& name : applicationNames(tags.xdata)) {
        if (DatabaseAccess::findRecord(ctx.db, TableKind::kRegApp, name.c_str()).isNull()) {
            if (DatabaseAccess::ensureRecord(ctx.db, TableKind::kRegApp, name.c_str()).isNull()) {
                ctx.fix("xdata", tags.handle,
                        "extended data of an invalid application name '" + name + "' dropped");
                return;
            }
            ctx.fix("regapp", tags.handle,
                    "application '" + name + "' of extended data was not registered; registered");
        }
    }
    std::unique_ptr<resbuf, int (*)(resbuf*)> chain(chainFromTags(tags.xdata), acutRelRb);
    Acad::ErrorStatus es = object->setXData(chain.get());
    if (es != Acad::eOk)
        ctx.fix("xdata", tags.handle, "extended data the database refused was dropped");
}

} // namespace dh::dxf
