#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>

#include "host/db/entities/DxfFields.h"

#include <cstdlib>
#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbAttribute, AcDbText)

namespace {

char* copyString(const std::string& s)
{
    char* copy = static_cast<char*>(std::malloc(s.size() + 1));
    if (copy)
        std::memcpy(copy, s.c_str(), s.size() + 1);
    return copy;
}

// The host keeps tags in capitals without spaces.
bool validTag(const char* tag)
{
    return tag && *tag && !std::strchr(tag, ' ');
}

} // namespace

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const char* text, const char* tag, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : "")
{
}

char* AcDbAttribute::tag() const
{
    return copyString(m_tag);
}

Acad::ErrorStatus AcDbAttribute::setTag(const char* tag)
{
    if (!validTag(tag))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_tag = tag;
    return es;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool value)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_flags = value ? (m_flags | 1) : (m_flags & ~1);
    return es;
}

Acad::ErrorStatus AcDbAttribute::setFieldLength(int length)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_fieldLength = length;
    return es;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                                       const AcGeMatrix3d& blockTransform)
{
    if (!definition)
        return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    const std::string value = m_text;
    AcDbText::operator=(*definition);
    if (!value.empty())
        m_text = value;
    m_tag = definition->tagConst();
    m_flags = (definition->isInvisible() ? 1 : 0) | (definition->isConstant() ? 2 : 0)
        | (definition->isVerifiable() ? 4 : 0) | (definition->isPreset() ? 8 : 0);
    m_fieldLength = definition->fieldLength();
    return transformBy(blockTransform);
}

Acad::ErrorStatus AcDbAttribute::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbText");
    writeTextFields(filer);
    filer->writeSubclass("AcDbAttribute");
    filer->writeString(2, m_tag);
    filer->writeInt16(70, static_cast<std::int16_t>(m_flags));
    if (m_fieldLength != 0)
        filer->writeInt16(73, static_cast<std::int16_t>(m_fieldLength));
    if (m_vertMode != AcDb::kTextBase)
        filer->writeInt16(74, static_cast<std::int16_t>(m_vertMode));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbText::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDbAttribute", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 2: m_tag = tag.text; break;
        case 70: m_flags = static_cast<int>(tag.integer); break;
        case 73: m_fieldLength = static_cast<int>(tag.integer); break;
        case 74: m_vertMode = static_cast<AcDb::TextVertMode>(std::clamp<std::int64_t>(tag.integer, 0, 3)); break;
        default: break;
        }
    });
}
