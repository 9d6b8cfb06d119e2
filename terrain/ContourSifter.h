// Contours keyed by the plan position (x, y) of their start point, compared exactly.
// Copies of a kept contour are erased; the same shape at another elevation is asked about.
// Contours starting at z = 0 are not checked.
#pragma once

#include "terrain/DuplicateKeyFilter.h"

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint2d.h>

class AcDbCurve;

namespace dh::terrain {

class ContourSifter : public DuplicateKeyFilter<AcGePoint2d, AcDbObjectId> {
public:
    ContourSifter() : DuplicateKeyFilter(true) {}

    // False asks the caller to stop the pass.
    bool addCurve(AcDbObjectId curveId);
    // A Coincidence for the kept contour and the newcomer.
    int resolveCoincidence(const Entry& kept, AcDbObjectId newId);

protected:
    bool onDuplicate(int offset, const AcGePoint2d& key, const AcDbObjectId& newId) override;
    int compare(const AcGePoint2d& a, const AcGePoint2d& b) const override;
};

} // namespace dh::terrain
