// AcGiTextStyle: a text style as the host measures texts with it. The host carries no
// fonts: extents follow its documented metric (see host/db/entities/TextMetric.h) — every
// half-width character advances 0.5 × size × x scale, every full-width (CJK) character
// 1.0 × size × x scale, and a line is `size` tall.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <acdb/AcadErrorStatus.h>
#include <acge/AcGePoint2d.h>
#include <adesk/Adesk.h>

#include <string>

class ADESK_EXPORT AcGiTextStyle {
public:
    AcGiTextStyle() = default;

    // Makes the style ready for measuring; 1 when it is usable (a size above zero).
    int loadStyleRec() const;

    double textSize() const { return m_size; }
    void setTextSize(double size) { m_size = size; }
    double xScale() const { return m_xScale; }
    void setXScale(double scale) { m_xScale = scale; }
    double obliquingAngle() const { return m_oblique; }
    void setObliquingAngle(double angle) { m_oblique = angle; }
    const char* fileName() const { return m_fileName.c_str(); }
    void setFileName(const char* name) { m_fileName = name ? name : ""; }
    const char* bigFontFileName() const { return m_bigFontFileName.c_str(); }
    void setBigFontFileName(const char* name) { m_bigFontFileName = name ? name : ""; }
    const char* styleName() const { return m_styleName.c_str(); }
    void setStyleName(const char* name) { m_styleName = name ? name : ""; }

    // Width (x) and height (y) of the first len bytes of text (len −1: all of it). raw
    // measures the %% control codes as plain characters; penups is accepted for the host's
    // signature and has no effect.
    AcGePoint2d extents(const char* text, bool penups = false, int len = -1, bool raw = false,
                        void* context = nullptr) const;

private:
    double m_size = 1.0;
    double m_xScale = 1.0;
    double m_oblique = 0.0;
    std::string m_fileName;
    std::string m_bigFontFileName;
    std::string m_styleName;
};

// Fills style from a text style record of a drawing: fonts, height (1 when the record's
// height is 0, that is variable), width factor and oblique angle. eInvalidInput for an
// id that is not a text style.
Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& style, const AcDbObjectId& styleId);
