#include "host/dxf/ObjectTags.h"

namespace dh::dxf {

void ObjectTags::clear()
{
    type.clear();
    handle = 0;
    owner = 0;
    appData.clear();
    body.clear();
    lines.clear();
    xdata.clear();
    line = 0;
}

bool ObjectTags::hasSubclassMarkers() const
{
    for (const AcDbDxfTag& tag : body)
        if (tag.code == 100) return true;
    return false;
}

const AcDbDxfTag* ObjectTags::find(int code) const
{
    for (const AcDbDxfTag& tag : body)
        if (tag.code == code) return &tag;
    return nullptr;
}

AcDbDxfTag makeTextTag(int code, std::string text)
{
    AcDbDxfTag tag;
    tag.code = code;
    tag.kind = AcDbDxfTag::Kind::kString;
    tag.text = std::move(text);
    return tag;
}

AcDbDxfTag makeIntTag(int code, std::int64_t value)
{
    AcDbDxfTag tag;
    tag.code = code;
    tag.kind = AcDbDxfTag::Kind::kInt;
    tag.integer = value;
    return tag;
}

AcDbDxfTag makeHandleTag(int code, std::uint64_t handle)
{
    AcDbDxfTag tag;
    tag.code = code;
    tag.kind = AcDbDxfTag::Kind::kHandle;
    tag.integer = static_cast<std::int64_t>(handle);
    return tag;
}

} // namespace dh::dxf
