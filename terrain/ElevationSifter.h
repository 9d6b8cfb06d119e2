// Elevation points keyed by their plan position (x, y; z is not compared, so a point above
// another has the same key). Points at z = 0 are not checked.
#pragma once

#include "terrain/DuplicateKeyFilter.h"

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint3d.h>

namespace dh::terrain {

class ElevationSifter : public DuplicateKeyFilter<AcGePoint3d, AcDbObjectId> {
public:
    ElevationSifter() : DuplicateKeyFilter(false) {}

    // False asks the caller to stop the pass.
    bool addSpot(AcDbObjectId spotId);
    // A Coincidence for the kept point and the newcomer.
    int resolveCoincidence(const Entry& kept, AcDbObjectId newId);

protected:
    bool onDuplicate(int offset, const AcGePoint3d& key, const AcDbObjectId& newId) override;
    int compare(const AcGePoint3d& a, const AcGePoint3d& b) const override;
};

} // namespace dh::terrain
