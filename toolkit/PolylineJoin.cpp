#include "toolkit/PolylineJoin.h"

#include "toolkit/CompositeCurve.h"
#include "toolkit/CompositeToPolyline.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineData.h"

#include <acdb/AcDb2dPolyline.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeLineSeg2d.h>

namespace dh::toolkit {

int joinPolylines2d(const AcDb2dPolyline* first, bool firstAtStart, const AcDb2dPolyline* second,
                    bool secondAtStart, AcDb2dPolyline*& joined)
{
    joined = nullptr;
    AcGeCompositeCurve2d* a = nullptr;
    AcGeCompositeCurve2d* b = nullptr;
    if (polyline2dToComposite(first, a) != kGeOk || polyline2dToComposite(second, b) != kGeOk) {
        freeCompositeCurve(a);
        freeCompositeCurve(b);
        return kGeNothing;
    }
    // The end of a meets the start of b.
    if (firstAtStart)
        a->reverseParam();
    if (!secondAtStart)
        b->reverseParam();

    AcGeCurve2dPtrArray chain;
    a->getCurveList(chain);
    AcGePoint2d end;
    AcGePoint2d start;
    a->hasEndPoint(end);
    b->hasStartPoint(start);
    if (!end.isEqualTo(start, AcGeContext::gTol))
        chain.append(new AcGeLineSeg2d(end, start));
    AcGeCurve2dPtrArray tail;
    b->getCurveList(tail);
    chain.append(tail);
    // a now holds every component; b is emptied so that each is freed once.
    a->setCurveList(chain);
    b->setCurveList(AcGeCurve2dPtrArray());
    freeCompositeCurve(b);

    const int status = compositeToPolyline2d(a, 0.0, joined);
    freeCompositeCurve(a);
    if (status != kGeOk)
        return status;
    copyPlacement(*joined, *first);
    return kGeOk;
}

} // namespace dh::toolkit
