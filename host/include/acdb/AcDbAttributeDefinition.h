// AcDbAttributeDefinition: the template of an attribute in a block definition: a text
// (its default value) with a tag, a prompt and the attribute flags.
#pragma once

#include <acdb/AcDbText.h>

class ADESK_EXPORT AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    ACDB_DECLARE_COPY_MEMBERS(AcDbAttributeDefinition);

    AcDbAttributeDefinition() = default;
    AcDbAttributeDefinition(const AcGePoint3d& position, const char* text, const char* tag, const char* prompt,
                            AcDbObjectId style = AcDbObjectId::kNull);

    // New copies freed by the caller with free().
    char* tag() const;
    const char* tagConst() const { return m_tag.c_str(); }
    Acad::ErrorStatus setTag(const char* tag);
    char* prompt() const;
    const char* promptConst() const { return m_prompt.c_str(); }
    Acad::ErrorStatus setPrompt(const char* prompt);
    bool isInvisible() const { return (m_flags & 1) != 0; }
    Acad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (m_flags & 2) != 0; }
    Acad::ErrorStatus setConstant(bool value);
    bool isVerifiable() const { return (m_flags & 4) != 0; }
    Acad::ErrorStatus setVerifiable(bool value);
    bool isPreset() const { return (m_flags & 8) != 0; }
    Acad::ErrorStatus setPreset(bool value);
    int fieldLength() const { return m_fieldLength; }
    Acad::ErrorStatus setFieldLength(int length);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    Acad::ErrorStatus setFlag(int bit, bool value);

    std::string m_tag;
    std::string m_prompt;
    int m_flags = 0;
    int m_fieldLength = 0;
};
