// The kernel's array types, all on AcArray.
#pragma once

#include <adesk/AcArray.h>
#include <acge/AcGePoint3d.h>

class AcGeCurve2d;
class AcGeCurve3d;
class AcGeMatrix3d;

typedef AcArray<double> AcGeDoubleArray;
typedef AcArray<int> AcGeIntArray;
typedef AcArray<void*> AcGeVoidPointerArray;
typedef AcArray<AcGeCurve2d*> AcGeCurve2dPtrArray;
typedef AcArray<AcGeCurve3d*> AcGeCurve3dPtrArray;
typedef AcArray<AcGeMatrix3d> AcGeMatrix3dArray;
