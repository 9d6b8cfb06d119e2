// Cutting NURBS data: the stretch between two parameters as NURBS data of its own, by
// inserting knots until both ends are clamped (Boehm's algorithm on weighted points).
#pragma once

#include <acge/AcGeArrays.h>
#include <acge/AcGePoint3d.h>

namespace dh::db {

struct NurbsData {
    int degree = 3;
    AcGePoint3dArray points;
    AcGeDoubleArray knots;
    AcGeDoubleArray weights; // empty: all 1
};

// The curve between t0 < t1 inside the knot range; false when the data is unusable.
bool nurbsStretch(const NurbsData& in, double t0, double t1, NurbsData& out);

// b appended after a (b starts where a ends); knots of b are shifted to follow a's.
NurbsData joinNurbs(const NurbsData& a, const NurbsData& b);

} // namespace dh::db
