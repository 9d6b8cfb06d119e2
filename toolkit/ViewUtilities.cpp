#include "toolkit/ViewUtilities.h"

#include "toolkit/SystemVariables.h"

#include <acdb/AcDbSymbolTableRecords.h>
#include <aced/AcEdVariables.h>
#include <aced/AcEdView.h>
#include <acut/ResBuf.h>

#include <algorithm>
#include <cmath>

namespace dh::toolkit {
namespace {

constexpr short kWorld = 0;
constexpr short kUser = 1;
constexpr short kDisplay = 2;

bool readReal(const char* name, double& value)
{
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM || rb.restype != RTREAL)
        return false;
    value = rb.resval.rreal;
    return true;
}

bool readPoint(const char* name, AcGePoint3d& point)
{
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM ||
        (rb.restype != RT3DPOINT && rb.restype != RTPOINT))
        return false;
    point.set(rb.resval.rpoint[0], rb.resval.rpoint[1],
              rb.restype == RT3DPOINT ? rb.resval.rpoint[2] : 0.0);
    return true;
}

AcGePoint3d translate(const AcGePoint3d& point, short from, short to, bool displacement)
{
    resbuf fromRb{};
    fromRb.restype = RTSHORT;
    fromRb.resval.rint = from;
    resbuf toRb{};
    toRb.restype = RTSHORT;
    toRb.resval.rint = to;
    const ads_point in = {point.x, point.y, point.z};
    ads_point out = {point.x, point.y, point.z};
    if (acedTrans(in, &fromRb, &toRb, displacement ? 1 : 0, out) != RTNORM)
        return point;
    return AcGePoint3d(out[0], out[1], out[2]);
}

} // namespace

bool getViewBox(AcGePoint2d& lowerLeft, AcGePoint2d& upperRight)
{
    double height = 0.0;
    AcGePoint3d screen;
    AcGePoint3d centre;
    if (!readReal("VIEWSIZE", height) || !readPoint("SCREENSIZE", screen) ||
        !readPoint("VIEWCTR", centre) || screen.y == 0.0)
        return false;
    const double width = screen.x / screen.y * height;
    int worldUcs = 1;
    if (getVarInt("WORLDUCS", worldUcs) == 0 && worldUcs == 0) {
        const ads_point user = {centre.x, centre.y, centre.z};
        ads_point world = {centre.x, centre.y, centre.z};
        if (acdbUcs2Wcs(user, world, false))
            centre.set(world[0], world[1], world[2]);
    }
    lowerLeft.set(centre.x - width / 2, centre.y - height / 2);
    upperRight.set(centre.x + width / 2, centre.y + height / 2);
    return true;
}

bool isBoxInView(const AcGePoint3d& lower, const AcGePoint3d& upper)
{
    AcGePoint2d lowerLeft;
    AcGePoint2d upperRight;
    getViewBox(lowerLeft, upperRight);
    return upper.x < upperRight.x && upper.y < upperRight.y && lower.x > lowerLeft.x &&
           lower.y > lowerLeft.y;
}

void currentViewRecord(AcDbViewTableRecord& record)
{
    // Perspective and clipping flags of VIEWMODE have no counterpart in our record.
    AcGePoint3d centre;
    if (readPoint("VIEWCTR", centre)) {
        const AcGePoint3d shown = translate(centre, kUser, kDisplay, false);
        record.setCenterPoint(AcGePoint2d(shown.x, shown.y));
    }
    AcGePoint3d target;
    if (readPoint("TARGET", target))
        record.setTarget(translate(target, kUser, kWorld, false));
    AcGePoint3d direction;
    if (readPoint("VIEWDIR", direction))
        record.setViewDirection(translate(direction, kUser, kWorld, true).asVector());
    double height = 0.0;
    AcGePoint3d screen;
    if (readReal("VIEWSIZE", height)) {
        record.setHeight(height);
        if (readPoint("SCREENSIZE", screen) && screen.y != 0.0)
            record.setWidth(height / screen.y * screen.x);
    }
    double twist = 0.0;
    if (readReal("VIEWTWIST", twist))
        record.setViewTwist(twist);
}

Acad::ErrorStatus zoomToBox(const AcGePoint3d& lower, const AcGePoint3d& upper, double factor)
{
    const double xs[2] = {std::min(lower.x, upper.x), std::max(lower.x, upper.x)};
    const double ys[2] = {std::min(lower.y, upper.y), std::max(lower.y, upper.y)};
    const double zs[2] = {std::min(lower.z, upper.z), std::max(lower.z, upper.z)};
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (double x : xs)
        for (double y : ys)
            for (double z : zs) {
                const AcGePoint3d shown = translate(AcGePoint3d(x, y, z), kWorld, kDisplay, false);
                minX = std::min(minX, shown.x);
                maxX = std::max(maxX, shown.x);
                minY = std::min(minY, shown.y);
                maxY = std::max(maxY, shown.y);
            }
    AcDbViewTableRecord record;
    currentViewRecord(record);
    record.setCenterPoint(AcGePoint2d((minX + maxX) / 2, (minY + maxY) / 2));
    record.setHeight(std::fabs(maxY - minY) / factor);
    record.setWidth(std::fabs(maxX - minX) / factor);
    return acedSetCurrentView(&record, nullptr);
}

} // namespace dh::toolkit
