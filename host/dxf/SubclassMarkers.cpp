#include "host/dxf/SubclassMarkers.h"

#include <algorithm>
#include <initializer_list>

namespace dh::dxf {

namespace {

// A later subclass and the groups that belong to it; groups of no later subclass stay in
// the first one.
struct Later {
    const char* name;
    std::initializer_list<int> codes;
};

bool isCommonEntityCode(int code)
{
    return code == 8 || code == 6 || code == 62 || code == 67 || code == 48 || code == 60 ||
           code == 370 || code == 420 || code == 430 || code == 440 || code == 347 ||
           code == 284 || code == 390;
}

void rebuild(ObjectTags& object, bool entity, const char* first,
             std::initializer_list<Later> later = {})
{
    Tags head, main;
    std::vector<std::size_t> headLines, mainLines;
    std::vector<Tags> rest(later.size());
    std::vector<std::vector<std::size_t>> restLines(later.size());
    for (std::size_t i = 0; i < object.body.size(); ++i) {
        AcDbDxfTag& tag = object.body[i];
        std::size_t line = object.lines[i];
        if (entity && isCommonEntityCode(tag.code)) {
            head.push_back(std::move(tag));
            headLines.push_back(line);
            continue;
        }
        std::size_t k = 0;
        for (const Later& sub : later) {
            if (std::find(sub.codes.begin(), sub.codes.end(), tag.code) != sub.codes.end()) break;
            ++k;
        }
        if (k < later.size()) {
            rest[k].push_back(std::move(tag));
            restLines[k].push_back(line);
        } else {
            main.push_back(std::move(tag));
            mainLines.push_back(line);
        }
    }
    Tags body;
    std::vector<std::size_t> lines;
    auto append = [&](const char* name, Tags& tags, std::vector<std::size_t>& tagLines) {
        body.push_back(makeTextTag(100, name));
        lines.push_back(object.line);
        for (std::size_t i = 0; i < tags.size(); ++i) {
            body.push_back(std::move(tags[i]));
            lines.push_back(tagLines[i]);
        }
    };
    if (entity) append("AcDbEntity", head, headLines);
    else append("AcDbSymbolTableRecord", head, headLines);
    if (first) append(first, main, mainLines);
    std::size_t k = 0;
    for (const Later& sub : later) {
        append(sub.name, rest[k], restLines[k]);
        ++k;
    }
    object.body = std::move(body);
    object.lines = std::move(lines);
}

std::int64_t flags(const ObjectTags& object)
{
    const AcDbDxfTag* tag = object.find(70);
    return tag ? tag->integer : 0;
}

void addDimensionMarkers(ObjectTags& object)
{
    switch (flags(object) & 0x0F) {
    case 0:
        return rebuild(object, true, "AcDbDimension",
                       {{"AcDbAlignedDimension", {13, 14, 50, 52}}, {"AcDbRotatedDimension", {}}});
    case 1: return rebuild(object, true, "AcDbDimension", {{"AcDbAlignedDimension", {13, 14, 50}}});
    case 2:
        return rebuild(object, true, "AcDbDimension",
                       {{"AcDb2LineAngularDimension", {13, 14, 15, 16}}});
    case 3: return rebuild(object, true, "AcDbDimension", {{"AcDbDiametricDimension", {15, 40}}});
    case 4: return rebuild(object, true, "AcDbDimension", {{"AcDbRadialDimension", {15, 40}}});
    case 5:
        return rebuild(object, true, "AcDbDimension",
                       {{"AcDb3PointAngularDimension", {13, 14, 15, 16}}});
    case 6: return rebuild(object, true, "AcDbDimension", {{"AcDbOrdinateDimension", {13, 14}}});
    default: return rebuild(object, true, "AcDbDimension");
    }
}

} // namespace

void addEntitySubclassMarkers(ObjectTags& object)
{
    if (object.hasSubclassMarkers()) return;
    const std::string& type = object.type;
    if (type == "LINE") return rebuild(object, true, "AcDbLine");
    if (type == "POINT") return rebuild(object, true, "AcDbPoint");
    if (type == "CIRCLE") return rebuild(object, true, "AcDbCircle");
    if (type == "ARC") return rebuild(object, true, "AcDbCircle", {{"AcDbArc", {50, 51}}});
    if (type == "TEXT") return rebuild(object, true, "AcDbText", {{"AcDbText", {73}}});
    if (type == "ATTDEF")
        return rebuild(object, true, "AcDbText",
                       {{"AcDbAttributeDefinition", {3, 2, 70, 73, 74}}});
    if (type == "ATTRIB")
        return rebuild(object, true, "AcDbText", {{"AcDbAttribute", {2, 70, 73, 74}}});
    if (type == "INSERT") return rebuild(object, true, "AcDbBlockReference");
    if (type == "SOLID" || type == "TRACE") return rebuild(object, true, "AcDbTrace");
    if (type == "3DFACE") return rebuild(object, true, "AcDbFace");
    if (type == "SHAPE") return rebuild(object, true, "AcDbShape");
    if (type == "VIEWPORT") return rebuild(object, true, "AcDbViewport");
    if (type == "DIMENSION") return addDimensionMarkers(object);
    if (type == "BLOCK") return rebuild(object, true, "AcDbBlockBegin");
    if (type == "ENDBLK") return rebuild(object, true, "AcDbBlockEnd");
    if (type == "SEQEND") return rebuild(object, true, nullptr);
    if (type == "POLYLINE") {
        std::int64_t f = flags(object);
        const char* name = (f & 64)   ? "AcDbPolyFaceMesh"
                           : (f & 16) ? "AcDbPolygonMesh"
                           : (f & 8)  ? "AcDb3dPolyline"
                                      : "AcDb2dPolyline";
        return rebuild(object, true, name);
    }
    if (type == "VERTEX") {
        std::int64_t f = flags(object);
        const char* name = (f & 128) && !(f & 64) && object.find(10) == nullptr
                               ? "AcDbFaceRecord"
                           : (f & 128) ? "AcDbPolyFaceMeshVertex"
                           : (f & 64)  ? "AcDbPolygonMeshVertex"
                           : (f & 32)  ? "AcDb3dPolylineVertex"
                                       : "AcDb2dVertex";
        rebuild(object, true, name);
        // AcDbVertex comes first and holds no groups of its own.
        auto marker = std::find_if(object.body.begin() + 1, object.body.end(),
                                   [](const AcDbDxfTag& tag) { return tag.code == 100; });
        std::size_t at = static_cast<std::size_t>(marker - object.body.begin());
        object.body.insert(marker, makeTextTag(100, "AcDbVertex"));
        object.lines.insert(object.lines.begin() + static_cast<std::ptrdiff_t>(at), object.line);
        return;
    }
    rebuild(object, true, nullptr);
}

const char* tableRecordSubclass(std::string_view type)
{
    if (type == "LAYER") return "AcDbLayerTableRecord";
    if (type == "LTYPE") return "AcDbLinetypeTableRecord";
    if (type == "STYLE") return "AcDbTextStyleTableRecord";
    if (type == "VIEW") return "AcDbViewTableRecord";
    if (type == "UCS") return "AcDbUCSTableRecord";
    if (type == "VPORT") return "AcDbViewportTableRecord";
    if (type == "APPID") return "AcDbRegAppTableRecord";
    if (type == "DIMSTYLE") return "AcDbDimStyleTableRecord";
    if (type == "BLOCK_RECORD") return "AcDbBlockTableRecord";
    return "";
}

void addTableRecordSubclassMarkers(ObjectTags& object)
{
    if (object.hasSubclassMarkers()) return;
    const char* name = tableRecordSubclass(object.type);
    rebuild(object, false, *name ? name : nullptr);
}

} // namespace dh::dxf
