#include <acdb/AcDbExtents.h>

void AcDbExtents::transformBy(const AcGeMatrix3d& m)
{
    if (isEmpty())
        return;
    const AcGePoint3d lo = m_min;
    const AcGePoint3d hi = m_max;
    *this = AcDbExtents();
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d corner((i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z);
        addPoint(corner.transformBy(m));
    }
}
