#include "toolkit/PolylineConversion.h"

#include "toolkit/CompositeCurve.h"
#include "toolkit/CompositeToPolyline.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineData.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGeCompositeCurve2d.h>

#include <memory>

namespace dh::toolkit {
namespace {

// Start width of the first vertex that is on the curve; 0 when there is none.
double firstCurveVertexWidth(const AcDb2dPolyline& polyline)
{
    std::unique_ptr<AcDbObjectIterator> vertices(polyline.vertexIterator());
    for (vertices->start(); !vertices->done(); vertices->step()) {
        AcDb2dVertex* vertex = nullptr;
        if (polyline.openVertex(vertex, vertices->objectId(), AcDb::kForRead) != Acad::eOk)
            continue;
        const bool onCurve = vertex->vertexType() != AcDb::k2dSplineCtlVertex;
        const double width = vertex->startWidth();
        vertex->close();
        if (onCurve)
            return width;
    }
    return 0.0;
}

} // namespace

int convertPolyline2dToPolyline(const AcDb2dPolyline* source, AcDbPolyline*& polyline)
{
    polyline = nullptr;
    if (source == nullptr)
        return kGeNothing;
    const double width = firstCurveVertexWidth(*source);
    AcGeCompositeCurve2d* composite = nullptr;
    int status = polyline2dToComposite(source, composite);
    if (status != kGeOk)
        return status;
    // The source's own open or closed state: an open polyline whose ends lie close together
    // stays open.
    status = compositeToPolyline(composite, 0.0, source->isClosed(), polyline);
    freeCompositeCurve(composite);
    if (status != kGeOk)
        return status;
    copyPlacement(*polyline, *source);
    for (unsigned int i = 0; i < polyline->numVerts(); ++i)
        polyline->setWidthsAt(i, width, width);
    return kGeOk;
}

} // namespace dh::toolkit
