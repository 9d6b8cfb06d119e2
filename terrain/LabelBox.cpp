#include "terrain/LabelBox.h"

#include "terrain/SpaceAppender.h"

#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>
#include <acgi/AcGiTextStyle.h>

#include <algorithm>

namespace dh::terrain {
namespace {

double stringWidth(const AcDbText* text)
{
    AcGiTextStyle style;
    if (fromAcDbTextStyle(style, text->textStyle()) != Acad::eOk)
        return 0.0;
    style.setTextSize(text->height());
    if (style.loadStyleRec() != 1)
        return 0.0;
    return style.extents(text->textStringConst()).x;
}

} // namespace

LabelRectangle labelBox(const AcDbText* text)
{
    const AcGePoint3d p3 = text->position();
    const AcGePoint2d p(p3.x, p3.y);
    const double h = text->height();
    const double w = stringWidth(text);
    AcGePoint2d corners[] = {{p.x, p.y - h / 2}, {p.x + 2 * w, p.y - h / 2}, {p.x, p.y + h},
                             {p.x + 2 * w, p.y + h}};
    for (AcGePoint2d& corner : corners)
        corner.rotateBy(text->rotation(), p);
    LabelRectangle box(corners[0], corners[0]);
    for (const AcGePoint2d& corner : corners) {
        box.minX = std::min(box.minX, corner.x);
        box.minY = std::min(box.minY, corner.y);
        box.maxX = std::max(box.maxX, corner.x);
        box.maxY = std::max(box.maxY, corner.y);
    }
    return box;
}

int drawBox(const LabelRectangle& box, SpaceAppender& appender)
{
    auto* outline = new AcDbPolyline(4);
    outline->addVertexAt(0, AcGePoint2d(box.minX, box.minY));
    outline->addVertexAt(1, AcGePoint2d(box.maxX, box.minY));
    outline->addVertexAt(2, AcGePoint2d(box.maxX, box.maxY));
    outline->addVertexAt(3, AcGePoint2d(box.minX, box.maxY));
    outline->setClosed(true);
    outline->setDatabaseDefaults();
    return appender.append(outline);
}

} // namespace dh::terrain
