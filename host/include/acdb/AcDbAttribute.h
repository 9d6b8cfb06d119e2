// AcDbAttribute: the value of an attribute of a block reference: a text with a tag and
// the attribute flags, owned by its block reference.
#pragma once

#include <acdb/AcDbText.h>

class AcDbAttributeDefinition;

class ADESK_EXPORT AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    ACDB_DECLARE_COPY_MEMBERS(AcDbAttribute);

    AcDbAttribute() = default;
    AcDbAttribute(const AcGePoint3d& position, const char* text, const char* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);

    char* tag() const;
    const char* tagConst() const { return m_tag.c_str(); }
    Acad::ErrorStatus setTag(const char* tag);
    bool isInvisible() const { return (m_flags & 1) != 0; }
    Acad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (m_flags & 2) != 0; }
    bool isVerifiable() const { return (m_flags & 4) != 0; }
    bool isPreset() const { return (m_flags & 8) != 0; }
    int fieldLength() const { return m_fieldLength; }
    Acad::ErrorStatus setFieldLength(int length);
    // Takes the definition's text properties, tag and flags, placed by blockTransform.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                            const AcGeMatrix3d& blockTransform);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::string m_tag;
    int m_flags = 0;
    int m_fieldLength = 0;
};
