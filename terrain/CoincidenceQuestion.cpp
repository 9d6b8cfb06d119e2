#include "terrain/CoincidenceQuestion.h"

#include "toolkit/KeywordPicker.h"
#include "toolkit/SystemVariables.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommand.h>
#include <aced/AcEdCommandLine.h>

#include <cstdio>

namespace dh::terrain {
namespace {

constexpr double kZoomHeight = 30.0;

void zoomOn(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    AcDbExtents extents;
    bool known = false;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
        known = entity->getGeomExtents(extents) == Acad::eOk;
        entity->close();
    }
    const AcGePoint3d low = known ? extents.minPoint() : AcGePoint3d::kOrigin;
    const AcGePoint3d high = known ? extents.maxPoint() : AcGePoint3d::kOrigin;
    const ads_point centre = {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};

    int echo = 1;
    if (toolkit::getVarInt("CMDECHO", echo) != 0)
        echo = 1;
    toolkit::setVarInt("CMDECHO", 0);
    acedCommand(RTSTR, "Zoom", RTSTR, "C", RT3DPOINT, centre, RTREAL, kZoomHeight, 0);
    toolkit::setVarInt("CMDECHO", echo);
}

} // namespace

int askWhichToDelete(double keptElevation, double newElevation, AcDbObjectId newId)
{
    acutPrintf("\n发现有实体在平面上重合,高程分别是%.3f和%.3f", keptElevation, newElevation);
    zoomOn(newId);
    char prompt[160];
    std::snprintf(prompt, sizeof prompt, "(D)全部删除/(B)删除高程%.3f<删除高程%.3f>", keptElevation,
                  newElevation);
    toolkit::KeywordPicker picker(prompt, "D B");
    picker.allowEmpty = true;
    switch (picker.pick()) {
    case toolkit::kPickEmpty: return kDeleteNew;
    case toolkit::kPickValue:
        if (picker.isInput("D"))
            return kDeleteBoth;
        if (picker.isInput("B"))
            return kDeleteKept;
        return kStopPass;
    default: return kStopPass;
    }
}

void eraseEntity(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
        return;
    entity->erase();
    entity->close();
}

} // namespace dh::terrain
