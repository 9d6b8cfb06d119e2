#include "terrain/ElevationSifter.h"

#include "terrain/CoincidenceQuestion.h"
#include "terrain/SpotEntity.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>

#include <cmath>

namespace dh::terrain {
namespace {

constexpr double kSameElevation = 0.001;

bool positionOf(AcDbObjectId id, AcGePoint3d& position)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return false;
    position = spotPosition(entity);
    entity->close();
    return true;
}

} // namespace

bool ElevationSifter::addSpot(AcDbObjectId spotId)
{
    AcGePoint3d position;
    if (!positionOf(spotId, position) || position.z == 0.0)
        return true;
    return insert(position, spotId);
}

int ElevationSifter::resolveCoincidence(const Entry& kept, AcDbObjectId newId)
{
    AcGePoint3d incoming;
    positionOf(newId, incoming);
    if (std::fabs(kept.key.z - incoming.z) <= kSameElevation)
        return kDeleteNew;
    return askWhichToDelete(kept.key.z, incoming.z, newId);
}

// Keys are unique: the run holds only the kept point, at offset 0.
bool ElevationSifter::onDuplicate(int offset, const AcGePoint3d& key, const AcDbObjectId& newId)
{
    const Entry kept = runOf(key)[static_cast<size_t>(offset)];
    const AcDbObjectId keptId = kept.value;
    switch (resolveCoincidence(kept, newId)) {
    case kDeleteNew: eraseEntity(newId); return true;
    case kDeleteKept:
        eraseEntity(keptId);
        setInRun(offset, key, newId);
        return true;
    case kDeleteBoth:
        eraseEntity(keptId);
        eraseEntity(newId);
        removeFromRun(offset, key);
        return true;
    default: return false;
    }
}

int ElevationSifter::compare(const AcGePoint3d& a, const AcGePoint3d& b) const
{
    return comparePlanPositions(a, b);
}

} // namespace dh::terrain
