#include "toolkit/PolylineOrientation.h"

#include "toolkit/CompositeCurve.h"
#include "toolkit/CompositeToPolyline.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineData.h"

#include <acdb/AcDbPolyline.h>
#include <acge/AcGeCompositeCurve2d.h>

#include <algorithm>
#include <cmath>

namespace dh::toolkit {
namespace {

// Twice the area below this share of the squared size of the vertices' box counts as none:
// collinear vertices leave only rounding.
constexpr double kFlatAreaShare = 1e-12;

} // namespace

int isPolylineClockwise(const AcDbPolyline* polyline)
{
    if (polyline == nullptr || !polyline->isClosed() || polyline->numVerts() < 3)
        return 0;
    const unsigned int n = polyline->numVerts();
    AcGePoint3d origin;
    polyline->getPointAt(0, origin);
    // Shoelace sum about the first vertex, which keeps far-off coordinates from cancelling.
    double twiceArea = 0.0;
    double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
    AcGePoint3d point;
    polyline->getPointAt(n - 1, point);
    double prevX = point.x - origin.x;
    double prevY = point.y - origin.y;
    for (unsigned int i = 0; i < n; ++i) {
        polyline->getPointAt(i, point);
        const double x = point.x - origin.x;
        const double y = point.y - origin.y;
        twiceArea += prevX * y - x * prevY;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        prevX = x;
        prevY = y;
    }
    const double size = std::max(maxX - minX, maxY - minY);
    if (std::fabs(twiceArea) <= kFlatAreaShare * size * size)
        return 0;
    return twiceArea > 0.0 ? 1 : -1;
}

int reversePolyline(const AcDbPolyline* source, AcDbPolyline*& polyline)
{
    polyline = nullptr;
    AcGeCompositeCurve2d* composite = nullptr;
    // The whole closing arc, so that a closed source gives a closed copy.
    int status = polylineToComposite(source, composite, true);
    if (status != kGeOk)
        return status;
    if (composite == nullptr)
        return kGeNothing;
    composite->reverseParam();
    status = compositeToPolyline(composite, 0.0, source->isClosed(), polyline);
    freeCompositeCurve(composite);
    if (status != kGeOk)
        return status;
    copyPlacement(*polyline, *source);
    return kGeOk;
}

} // namespace dh::toolkit
