#include "terrain/Cmd_CHGC.h"

#include "terrain/ContourSifter.h"
#include "terrain/ElevationSifter.h"
#include "terrain/SpotBlockConverter.h"
#include "terrain/SpotEntity.h"
#include "terrain/TerrainQuestions.h"
#include "toolkit/DrawingHelpers.h"

#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbCurve.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommandLine.h>

namespace dh::terrain {
namespace {

enum class Kind { kSpot, kContour, kLabel, kOther };

Kind kindOf(const AcDbEntity* entity)
{
    if (isSpotEntity(entity))
        return Kind::kSpot;
    if (entity->isKindOf(AcDbCurve::desc()))
        return Kind::kContour;
    if (entity->isKindOf(AcDbText::desc()))
        return Kind::kLabel;
    return Kind::kOther;
}

} // namespace

void Cmd_CHGC::findTargetLayer(const AcArray<AcDbObjectId>& ids)
{
    for (int i = 0; i < ids.length() && m_layerId.isNull(); ++i) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForRead) != Acad::eOk)
            continue;
        const Kind kind = kindOf(entity);
        if (kind == Kind::kSpot || kind == Kind::kContour)
            m_layerId = entity->layerId();
        entity->close();
    }
}

int Cmd_CHGC::sift(const AcArray<AcDbObjectId>& ids)
{
    ContourSifter contours;
    ElevationSifter spots;
    acedSetStatusBarProgressMeter("处理中...", 0, ids.length());
    findTargetLayer(ids);
    int status = kDone;
    for (int i = 0; i < ids.length() && status == kDone; ++i) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForWrite) != Acad::eOk)
            continue;
        if (!m_layerId.isNull())
            entity->setLayer(m_layerId, true);
        const Kind kind = kindOf(entity);
        entity->close();
        // The sifters open the entity again: it is closed while they compare and erase.
        switch (kind) {
        case Kind::kSpot:
            if (!spots.addSpot(ids[i]))
                status = kCancelled;
            m_spotIds.append(ids[i]);
            break;
        case Kind::kContour:
            if (!contours.addCurve(ids[i]))
                status = kCancelled;
            break;
        case Kind::kLabel: break;
        case Kind::kOther: status = kCancelled; break;
        }
        if (status == kDone)
            acedSetStatusBarProgressMeterPos(i);
    }
    acedRestoreStatusBar();
    return status;
}

AcDbObjectId Cmd_CHGC::redraw(AcDbEntity* spot)
{
    if (const auto* reference = AcDbBlockReference::cast(spot))
        return SpotBlockConverter(m_layerId).convert(reference);
    auto* circle = new AcDbCircle(spotPosition(spot), AcGeVector3d::kZAxis, m_spotRadius);
    circle->setPropertiesFrom(spot, true);
    AcDbObjectId id;
    toolkit::appendAndClose(circle, &id);
    return id;
}

void Cmd_CHGC::rebuildSpots()
{
    for (int i = 0; i < m_spotIds.length(); ++i) {
        AcDbEntity* spot = nullptr;
        if (acdbOpenAcDbEntity(spot, m_spotIds[i], AcDb::kForWrite) != Acad::eOk)
            continue;
        const AcDbObjectId circleId = redraw(spot);
        // A spot that could not be redrawn (a block of 4 or more parts, a refused append)
        // is kept rather than lost.
        if (!circleId.isNull()) {
            spot->erase();
            m_spotIds[i] = circleId;
        }
        spot->close();
    }
}

} // namespace dh::terrain
