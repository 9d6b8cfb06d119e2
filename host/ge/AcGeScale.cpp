#include <acge/AcGeScale3d.h>

const AcGeScale2d AcGeScale2d::kIdentity(1.0, 1.0);
const AcGeScale3d AcGeScale3d::kIdentity(1.0, 1.0, 1.0);

AcGeMatrix2d AcGeScale2d::getMatrix() const
{
    AcGeMatrix2d m;
    m.entry[0][0] = sx;
    m.entry[1][1] = sy;
    return m;
}

AcGeMatrix3d AcGeScale3d::getMatrix() const
{
    AcGeMatrix3d m;
    m.entry[0][0] = sx;
    m.entry[1][1] = sy;
    m.entry[2][2] = sz;
    return m;
}
