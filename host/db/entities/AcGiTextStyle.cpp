#include <acgi/AcGiTextStyle.h>

#include <acdb/AcDbSymbolTableRecords.h>

#include "host/db/ObjectStub.h"
#include "host/db/entities/TextMetric.h"

#include <cstring>

int AcGiTextStyle::loadStyleRec() const
{
    return m_size > 0.0 ? 1 : 0;
}

AcGePoint2d AcGiTextStyle::extents(const char* text, bool, int len, bool raw, void*) const
{
    if (!text)
        return AcGePoint2d(0.0, 0.0);
    const size_t n = len < 0 ? std::strlen(text) : std::min(static_cast<size_t>(len), std::strlen(text));
    const double width = dh::db::textWidthFactor(std::string_view(text, n), raw) * m_size * m_xScale;
    return AcGePoint2d(width, n == 0 ? 0.0 : m_size);
}

Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& style, const AcDbObjectId& styleId)
{
    const auto* record = AcDbTextStyleTableRecord::cast(dh::db::objectOf(styleId));
    if (!record || record->isErased())
        return Acad::eInvalidInput;
    const char* name = nullptr;
    record->fileName(name);
    style.setFileName(name);
    name = nullptr;
    record->bigFontFileName(name);
    style.setBigFontFileName(name);
    style.setStyleName(record->getName());
    style.setTextSize(record->textSize() > 0.0 ? record->textSize() : 1.0);
    style.setXScale(record->xScale());
    style.setObliquingAngle(record->obliquingAngle());
    return Acad::eOk;
}
