#include "terrain/Spot.h"

#include <acdb/AcDbCircle.h>
#include <acdb/AcDbObject.h>

namespace dh::terrain {

bool Spot::setElevation(double z) const
{
    AcDbCircle* entity = nullptr;
    if (acdbOpenObject(entity, circle, AcDb::kForWrite) != Acad::eOk)
        return false;
    AcGePoint3d centre = entity->center();
    centre.z = z;
    entity->setCenter(centre);
    entity->close();
    return true;
}

Spot* chooseSpot(const AcGePoint2d& reference, const AcArray<Spot*>& candidates)
{
    Spot* best = nullptr;
    double bestSquared = 0.0;
    for (Spot* spot : candidates) {
        if (!spot || spot->used)
            continue;
        const double dx = spot->position.x - reference.x;
        const double dy = spot->position.y - reference.y;
        const double squared = dx * dx + dy * dy;
        // Strictly nearer only: a tie keeps the one reported first.
        if (!best || squared < bestSquared) {
            best = spot;
            bestSquared = squared;
        }
    }
    return best;
}

} // namespace dh::terrain
