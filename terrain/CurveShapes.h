// Whether two contours have the same plan shape: vertices equal within the kernel's
// tolerance and bulges exactly equal, in the same order.
#pragma once

class AcDbCurve;

namespace dh::terrain {

enum CurveShapeMatch : int {
    kDifferentShape = 0,
    kSameShapeOtherElevation = 1,
    kIdentical = 2,
};

// Only two lightweight or two 2D polylines can match; any other pair gives 0.
int compareCurveShapes(const AcDbCurve* a, const AcDbCurve* b);

} // namespace dh::terrain
