#include "host/dxf/OutputFiler.h"

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

namespace dh::dxf {

void OutputFiler::writeXY(int code, double x, double y)
{
    putDouble(code, x);
    putDouble(code + 10, y);
}

void OutputFiler::writeXYZ(int code, double x, double y, double z)
{
    putDouble(code, x);
    putDouble(code + 10, y);
    putDouble(code + 20, z);
}

void OutputFiler::writePoint2d(int code, const AcGePoint2d& point) { writeXY(code, point.x, point.y); }

void OutputFiler::writePoint3d(int code, const AcGePoint3d& point)
{
    writeXYZ(code, point.x, point.y, point.z);
}

void OutputFiler::writeVector3d(int code, const AcGeVector3d& vector)
{
    writeXYZ(code, vector.x, vector.y, vector.z);
}

void OutputFiler::writeObjectId(int code, const AcDbObjectId& id)
{
    putHandle(code, id.isNull() ? 0 : id.handle().value());
}

void OutputFiler::writeHandle(int code, const AcDbHandle& handle) { putHandle(code, handle.value()); }

void OutputFiler::writeTag(const AcDbDxfTag& tag)
{
    switch (tag.kind) {
    case AcDbDxfTag::Kind::kString: putString(tag.code, tag.text); break;
    case AcDbDxfTag::Kind::kInt: putInt(tag.code, tag.integer); break;
    case AcDbDxfTag::Kind::kDouble: putDouble(tag.code, tag.xyz[0]); break;
    case AcDbDxfTag::Kind::kHandle: putHandle(tag.code, static_cast<std::uint64_t>(tag.integer)); break;
    case AcDbDxfTag::Kind::kBinary: putBinary(tag.code, tag.text.data(), tag.text.size()); break;
    case AcDbDxfTag::Kind::kPoint:
        putDouble(tag.code, tag.xyz[0]);
        putDouble(tag.code + 10, tag.xyz[1]);
        if (tag.hasZ) putDouble(tag.code + 20, tag.xyz[2]);
        break;
    }
}

} // namespace dh::dxf
