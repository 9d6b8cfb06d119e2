// For readers of drawing files: a new dimension of the class its group 70 names (the kind
// in the low three bits: 0 rotated, 1 aligned, 2 two-line angular, 3 diametric, 4 radial,
// 5 three-point angular, 6 ordinate).
#pragma once

class AcDbDimension;

namespace dh::db {
AcDbDimension* newDimensionOfKind(int flags);
}
