#include "host/ed/EntityList.h"

#include "host/dxf/CollectFiler.h"
#include "host/ed/ResbufConversion.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
#include <acrx/AcRxClass.h>

#include <cctype>
#include <map>

namespace dh::ed {

namespace {

lisp::Value nameOf(AcDbObjectId id)
{
    ads_name name = {0, 0};
    if (acdbGetAdsName(name, id) != Acad::eOk)
        return {};
    return entityValue(name);
}

}  // namespace

lisp::Value tagValue(const AcDbDxfTag& tag, AcDbDatabase* db)
{
    switch (tag.kind) {
    case AcDbDxfTag::Kind::kString:
        return lisp::Value::string(tag.text);
    case AcDbDxfTag::Kind::kInt:
        return lisp::Value::integer(static_cast<std::int32_t>(tag.integer));
    case AcDbDxfTag::Kind::kDouble:
        return lisp::Value::real(tag.real());
    case AcDbDxfTag::Kind::kPoint:
        if (tag.hasZ)
            return lisp::Value::point(tag.xyz[0], tag.xyz[1], tag.xyz[2]);
        return lisp::Value::list({lisp::Value::real(tag.xyz[0]), lisp::Value::real(tag.xyz[1])});
    case AcDbDxfTag::Kind::kHandle: {
        AcDbObjectId id;
        if (db && db->getAcDbObjectId(id, false, AcDbHandle(static_cast<std::uint64_t>(tag.integer))) ==
                      Acad::eOk)
            return nameOf(id);
        return {};
    }
    case AcDbDxfTag::Kind::kBinary: {
        static const char* kHex = "0123456789ABCDEF";
        std::string hex;
        for (unsigned char c : tag.text) {
            hex += kHex[c >> 4];
            hex += kHex[c & 15];
        }
        return lisp::Value::string(hex);
    }
    }
    return {};
}

namespace {

// A point group's value is its coordinates as the list's tail: (10 1.0 2.0).
lisp::Value group(int code, const lisp::Value& value) { return lisp::Value::cons(lisp::Value::integer(code), value); }

bool wanted(const std::vector<std::string>& apps, const std::string& app)
{
    for (const std::string& a : apps) {
        if (a == "*")
            return true;
        if (a.size() == app.size()) {
            bool same = true;
            for (std::size_t i = 0; i < a.size() && same; ++i)
                same = std::toupper(static_cast<unsigned char>(a[i])) ==
                       std::toupper(static_cast<unsigned char>(app[i]));
            if (same)
                return true;
        }
    }
    return false;
}

lisp::Value extendedData(const AcDbEntity& entity, const std::vector<std::string>& apps)
{
    ResbufChain chain(entity.xData(nullptr));
    lisp::ListBuilder groups;
    lisp::ListBuilder current;
    std::string currentApp;
    bool keep = false;
    auto flush = [&] {
        if (keep)
            groups.add(current.finish());
        current = lisp::ListBuilder();
        keep = false;
    };
    for (const resbuf* rb = chain.get(); rb; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            flush();
            currentApp = rb->resval.rstring ? rb->resval.rstring : "";
            keep = wanted(apps, currentApp);
            current.add(lisp::Value::string(currentApp));
            continue;
        }
        lisp::Value value;
        int code = rb->restype;
        if ((code >= 1010 && code <= 1013))
            value = lisp::Value::point(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        else if (code == 1000 || code == 1002 || code == 1003 || code == 1005)
            value = lisp::Value::string(rb->resval.rstring ? rb->resval.rstring : "");
        else if (code >= 1040 && code <= 1042)
            value = lisp::Value::real(rb->resval.rreal);
        else if (code == 1070)
            value = lisp::Value::integer(rb->resval.rint);
        else if (code == 1071)
            value = lisp::Value::integer(rb->resval.rlong);
        else
            continue;
        current.add(group(code, value));
    }
    flush();
    if (groups.empty())
        return {};
    return lisp::Value::cons(lisp::Value::integer(-3), groups.finish());
}

}  // namespace

std::string dxfTypeName(const AcDbEntity& entity)
{
    static const std::map<std::string, std::string> kNames = {
        {"AcDbLine", "LINE"},          {"AcDbArc", "ARC"},
        {"AcDbCircle", "CIRCLE"},      {"AcDbEllipse", "ELLIPSE"},
        {"AcDbSpline", "SPLINE"},      {"AcDbPoint", "POINT"},
        {"AcDbText", "TEXT"},          {"AcDbMText", "MTEXT"},
        {"AcDbAttribute", "ATTRIB"},   {"AcDbAttributeDefinition", "ATTDEF"},
        {"AcDbPolyline", "LWPOLYLINE"}, {"AcDb2dPolyline", "POLYLINE"},
        {"AcDb3dPolyline", "POLYLINE"}, {"AcDb2dVertex", "VERTEX"},
        {"AcDb3dPolylineVertex", "VERTEX"}, {"AcDbBlockReference", "INSERT"},
        {"AcDbSequenceEnd", "SEQEND"}, {"AcDbLeader", "LEADER"},
    };
    for (AcRxClass* cls = entity.isA(); cls; cls = cls->myParent()) {
        std::string name = cls->name();
        auto it = kNames.find(name);
        if (it != kNames.end())
            return it->second;
        if (name.find("Dimension") != std::string::npos)
            return "DIMENSION";
    }
    std::string name = entity.isA() ? entity.isA()->name() : "ENTITY";
    if (name.rfind("AcDb", 0) == 0)
        name.erase(0, 4);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

lisp::Value entityList(const AcDbEntity& entity, const std::vector<std::string>& apps)
{
    AcDbDatabase* db = entity.database();
    lisp::ListBuilder list;
    list.add(group(-1, nameOf(entity.objectId())));
    list.add(group(0, lisp::Value::string(dxfTypeName(entity))));
    list.add(group(5, lisp::Value::string(entity.objectId().handle().toString())));
    dxf::CollectFiler filer(db, AcDb::kDHL_CURRENT);
    entity.dxfOutFields(&filer);
    for (const AcDbDxfTag& tag : filer.tags()) {
        lisp::Value value = tagValue(tag, db);
        list.add(group(tag.code, value));
    }
    if (!apps.empty()) {
        lisp::Value xdata = extendedData(entity, apps);
        if (!xdata.isNil())
            list.add(xdata);
    }
    return list.finish();
}

}  // namespace dh::ed
