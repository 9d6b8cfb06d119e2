#include <acdb/AcDbAttributeDefinition.h>

#include "host/db/entities/DxfFields.h"

#include <cstdlib>
#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText)

namespace {

char* copyString(const std::string& s)
{
    char* copy = static_cast<char*>(std::malloc(s.size() + 1));
    if (copy)
        std::memcpy(copy, s.c_str(), s.size() + 1);
    return copy;
}

} // namespace

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const char* text, const char* tag,
                                                 const char* prompt, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : ""), m_prompt(prompt ? prompt : "")
{
}

char* AcDbAttributeDefinition::tag() const
{
    return copyString(m_tag);
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const char* tag)
{
    if (!tag || !*tag || std::strchr(tag, ' '))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_tag = tag;
    return es;
}

char* AcDbAttributeDefinition::prompt() const
{
    return copyString(m_prompt);
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const char* prompt)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_prompt = prompt ? prompt : "";
    return es;
}

Acad::ErrorStatus AcDbAttributeDefinition::setFlag(int bit, bool value)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_flags = value ? (m_flags | bit) : (m_flags & ~bit);
    return es;
}

Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool value) { return setFlag(1, value); }
Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool value) { return setFlag(2, value); }
Acad::ErrorStatus AcDbAttributeDefinition::setVerifiable(bool value) { return setFlag(4, value); }
Acad::ErrorStatus AcDbAttributeDefinition::setPreset(bool value) { return setFlag(8, value); }

Acad::ErrorStatus AcDbAttributeDefinition::setFieldLength(int length)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_fieldLength = length;
    return es;
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbText");
    writeTextFields(filer);
    filer->writeSubclass("AcDbAttributeDefinition");
    filer->writeString(3, m_prompt);
    filer->writeString(2, m_tag);
    filer->writeInt16(70, static_cast<std::int16_t>(m_flags));
    if (m_fieldLength != 0)
        filer->writeInt16(73, static_cast<std::int16_t>(m_fieldLength));
    if (m_vertMode != AcDb::kTextBase)
        filer->writeInt16(74, static_cast<std::int16_t>(m_vertMode));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbText::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDbAttributeDefinition", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 3: m_prompt = tag.text; break;
        case 2: m_tag = tag.text; break;
        case 70: m_flags = static_cast<int>(tag.integer); break;
        case 73: m_fieldLength = static_cast<int>(tag.integer); break;
        case 74: m_vertMode = static_cast<AcDb::TextVertMode>(std::clamp<std::int64_t>(tag.integer, 0, 3)); break;
        default: break;
        }
    });
}
