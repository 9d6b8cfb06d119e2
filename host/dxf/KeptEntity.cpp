#include "host/dxf/KeptEntity.h"

#include "host/dxf/ReadFiler.h"

#include <acdb/AcDbHandle.h>

namespace dh::dxf {

ACRX_DEFINE_MEMBERS(KeptEntity, AcDbEntity);
ACRX_DEFINE_MEMBERS(KeptObject, AcDbObject);

void writeTags(AcDbDxfFiler* filer, const Tags& tags)
{
    for (const AcDbDxfTag& tag : tags) {
        switch (tag.kind) {
        case AcDbDxfTag::Kind::kString: filer->writeString(tag.code, tag.text); break;
        case AcDbDxfTag::Kind::kInt: filer->writeInt64(tag.code, tag.integer); break;
        case AcDbDxfTag::Kind::kDouble: filer->writeDouble(tag.code, tag.xyz[0]); break;
        case AcDbDxfTag::Kind::kHandle:
            filer->writeHandle(tag.code, AcDbHandle(static_cast<std::uint64_t>(tag.integer)));
            break;
        case AcDbDxfTag::Kind::kBinary:
            filer->writeBinaryChunk(tag.code, tag.text.data(), tag.text.size());
            break;
        case AcDbDxfTag::Kind::kPoint:
            if (tag.hasZ) filer->writeXYZ(tag.code, tag.xyz[0], tag.xyz[1], tag.xyz[2]);
            else filer->writeXY(tag.code, tag.xyz[0], tag.xyz[1]);
            break;
        }
    }
}

Acad::ErrorStatus KeptEntity::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (auto* reader = dynamic_cast<ReadFiler*>(filer)) {
        if (Acad::ErrorStatus check = assertWriteEnabled(); check != Acad::eOk) return check;
        m_tags = reader->takeRest();
    }
    return Acad::eOk;
}

Acad::ErrorStatus KeptEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    writeTags(filer, m_tags);
    return Acad::eOk;
}

Acad::ErrorStatus KeptObject::dxfInFields(AcDbDxfFiler* filer)
{
    if (auto* reader = dynamic_cast<ReadFiler*>(filer)) {
        if (Acad::ErrorStatus check = assertWriteEnabled(); check != Acad::eOk) return check;
        m_tags = reader->takeRest();
    }
    return Acad::eOk;
}

Acad::ErrorStatus KeptObject::dxfOutFields(AcDbDxfFiler* filer) const
{
    writeTags(filer, m_tags);
    return Acad::eOk;
}

} // namespace dh::dxf
