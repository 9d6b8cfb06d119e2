#include "terrain/CurveShapes.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb2dVertex.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGeContext.h>
#include <acge/AcGePoint2d.h>

#include <memory>

namespace dh::terrain {
namespace {

int byElevation(double a, double b)
{
    return a != b ? kSameShapeOtherElevation : kIdentical;
}

int compareLightweight(const AcDbPolyline* a, const AcDbPolyline* b)
{
    if (a->numVerts() != b->numVerts())
        return kDifferentShape;
    for (unsigned int i = 0; i < a->numVerts(); ++i) {
        AcGePoint2d pa;
        AcGePoint2d pb;
        double ba = 0.0;
        double bb = 0.0;
        a->getPointAt(i, pa);
        b->getPointAt(i, pb);
        a->getBulgeAt(i, ba);
        b->getBulgeAt(i, bb);
        if (!pa.isEqualTo(pb, AcGeContext::gTol) || ba != bb)
            return kDifferentShape;
    }
    return byElevation(a->elevation(), b->elevation());
}

// Position (x, y) and bulge of the vertex; false when it cannot be opened.
bool readVertex(const AcDb2dPolyline* polyline, AcDbObjectId id, AcGePoint2d& at, double& bulge)
{
    AcDb2dVertex* vertex = nullptr;
    if (polyline->openVertex(vertex, id, AcDb::kForRead) != Acad::eOk)
        return false;
    at.set(vertex->position().x, vertex->position().y);
    bulge = vertex->bulge();
    vertex->close();
    return true;
}

int compareOldStyle(const AcDb2dPolyline* a, const AcDb2dPolyline* b)
{
    std::unique_ptr<AcDbObjectIterator> ia(a->vertexIterator());
    std::unique_ptr<AcDbObjectIterator> ib(b->vertexIterator());
    if (!ia || !ib)
        return kDifferentShape;
    for (ia->start(), ib->start(); !ia->done() || !ib->done(); ia->step(), ib->step()) {
        if (ia->done() || ib->done())
            return kDifferentShape;
        AcGePoint2d pa;
        AcGePoint2d pb;
        double ba = 0.0;
        double bb = 0.0;
        if (!readVertex(a, ia->objectId(), pa, ba) || !readVertex(b, ib->objectId(), pb, bb))
            return kDifferentShape;
        if (!pa.isEqualTo(pb, AcGeContext::gTol) || ba != bb)
            return kDifferentShape;
    }
    return byElevation(a->elevation(), b->elevation());
}

} // namespace

int compareCurveShapes(const AcDbCurve* a, const AcDbCurve* b)
{
    const auto* la = AcDbPolyline::cast(a);
    const auto* lb = AcDbPolyline::cast(b);
    if (la && lb)
        return compareLightweight(la, lb);
    const auto* pa = AcDb2dPolyline::cast(a);
    const auto* pb = AcDb2dPolyline::cast(b);
    if (pa && pb)
        return compareOldStyle(pa, pb);
    return kDifferentShape;
}

} // namespace dh::terrain
