#include "host/dxf/CollectFiler.h"

#include "host/dxf/GroupCode.h"

namespace dh::dxf {

void CollectFiler::putString(int code, std::string_view utf8)
{
    m_pointAxis = 0;
    m_tags.push_back(makeTextTag(code, std::string(utf8)));
}

void CollectFiler::putInt(int code, std::int64_t value)
{
    m_pointAxis = 0;
    m_tags.push_back(makeIntTag(code, value));
}

void CollectFiler::putHandle(int code, std::uint64_t handle)
{
    m_pointAxis = 0;
    m_tags.push_back(makeHandleTag(code, handle));
}

void CollectFiler::putBinary(int code, const void* data, std::size_t size)
{
    m_pointAxis = 0;
    AcDbDxfTag tag;
    tag.code = code;
    tag.kind = AcDbDxfTag::Kind::kBinary;
    tag.text.assign(static_cast<const char*>(data), size);
    m_tags.push_back(std::move(tag));
}

void CollectFiler::putDouble(int code, double value)
{
    if (m_pointAxis > 0 && !m_tags.empty()) {
        AcDbDxfTag& point = m_tags.back();
        if (code == point.code + 10 * m_pointAxis) {
            point.xyz[m_pointAxis] = value;
            if (m_pointAxis == 2) point.hasZ = true;
            m_pointAxis = m_pointAxis == 1 ? 2 : 0;
            return;
        }
    }
    AcDbDxfTag tag;
    tag.code = code;
    tag.xyz[0] = value;
    if (isPointX(code)) {
        tag.kind = AcDbDxfTag::Kind::kPoint;
        m_pointAxis = 1;
    } else {
        tag.kind = AcDbDxfTag::Kind::kDouble;
        m_pointAxis = 0;
    }
    m_tags.push_back(tag);
}

} // namespace dh::dxf
