#include "terrain/SpotEntity.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>

#include <cctype>

namespace dh::terrain {

bool isSpotEntity(const AcDbEntity* entity)
{
    return entity && (entity->isKindOf(AcDbCircle::desc()) || entity->isKindOf(AcDbPoint::desc()) ||
                      entity->isKindOf(AcDbArc::desc()) ||
                      entity->isKindOf(AcDbBlockReference::desc()));
}

AcGePoint3d spotPosition(const AcDbEntity* entity)
{
    if (const auto* circle = AcDbCircle::cast(entity))
        return circle->center();
    if (const auto* arc = AcDbArc::cast(entity))
        return arc->center();
    if (const auto* point = AcDbPoint::cast(entity))
        return point->position();
    if (const auto* reference = AcDbBlockReference::cast(entity))
        return reference->position();
    return AcGePoint3d::kOrigin;
}

double contourElevation(const AcDbCurve* curve)
{
    if (const auto* polyline = AcDbPolyline::cast(curve))
        return polyline->elevation();
    if (const auto* polyline = AcDb2dPolyline::cast(curve))
        return polyline->elevation();
    return 0.0;
}

int numberTextKind(const char* text)
{
    const unsigned char* c = reinterpret_cast<const unsigned char*>(text ? text : "");
    bool integer = true;
    bool decimal = true;
    int dots = 0;
    for (const unsigned char* p = c; *p; ++p) {
        const bool digit = std::isdigit(*p) != 0;
        const bool sign = p == c && (*p == '+' || *p == '-');
        integer = integer && (digit || sign);
        decimal = decimal && (digit || *p == '.');
        dots += *p == '.';
    }
    if (integer)
        return 1;
    return decimal && dots > 0 ? 2 : 0;
}

} // namespace dh::terrain
