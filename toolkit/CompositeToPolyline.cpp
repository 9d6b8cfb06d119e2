#include "toolkit/CompositeToPolyline.h"

#include "toolkit/Bulge.h"
#include "toolkit/GeometryStatus.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>

#include <memory>

namespace dh::toolkit {
namespace {

struct Ends {
    AcGePoint2d start;
    AcGePoint2d end;
    bool closed = false;
};

// 0 with the ends and the closed test (or the closed state wanted), 1 without ends, 3 for
// ends that coincide on a chain that does not count as closed.
int readEnds(const AcGeCompositeCurve2d* composite, const bool* closedWanted, Ends& ends)
{
    if (composite == nullptr)
        return kGeNothing;
    if (!composite->hasStartPoint(ends.start) || !composite->hasEndPoint(ends.end))
        return kGeNoEnds;
    if (closedWanted != nullptr) {
        ends.closed = *closedWanted;
        return kGeOk;
    }
    AcGeTol tol;
    tol.setEqualPoint(kCompositeCloseTolerance);
    ends.closed = composite->isClosed(tol);
    if (!ends.closed && ends.start.isEqualTo(ends.end, tol))
        return kGeNothing;
    return kGeOk;
}

// visit(start point, the component as an arc or nullptr) for every component that has a
// start point, in order.
template <class Visit>
void forEachComponent(const AcGeCompositeCurve2d& composite, Visit visit)
{
    AcGeCurve2dPtrArray components;
    composite.getCurveList(components);
    for (int i = 0; i < components.length(); ++i) {
        AcGePoint2d start;
        if (!components[i]->hasStartPoint(start))
            continue;
        const bool isArc = components[i]->isKindOf(AcGe::kCircArc2d);
        visit(start, isArc ? static_cast<const AcGeCircArc2d*>(components[i]) : nullptr);
    }
}

int buildPolyline(const AcGeCompositeCurve2d* composite, double width, const bool* closedWanted,
                  AcDbPolyline*& polyline)
{
    polyline = nullptr;
    Ends ends;
    if (const int status = readEnds(composite, closedWanted, ends); status != kGeOk)
        return status;
    auto result = std::make_unique<AcDbPolyline>();
    Acad::ErrorStatus es = Acad::eOk;
    unsigned int added = 0;
    forEachComponent(*composite, [&](const AcGePoint2d& start, const AcGeCircArc2d* arc) {
        const double bulge = arc ? arcPieceBulge(arc, arc->startPoint(), arc->endPoint()) : 0.0;
        es = result->addVertexAt(added, start, bulge, width, width);
        if (es == Acad::eOk)
            ++added;
    });
    if (ends.closed)
        result->setClosed(true);
    else if ((es = result->addVertexAt(added, ends.end, 0.0, width, width)) == Acad::eOk)
        ++added;
    if (es != Acad::eOk)
        return es;
    if (added == 0)
        return kGeNothing;
    polyline = result.release();
    return kGeOk;
}

} // namespace

int compositeToPolyline(const AcGeCompositeCurve2d* composite, double width,
                        AcDbPolyline*& polyline)
{
    return buildPolyline(composite, width, nullptr, polyline);
}

int compositeToPolyline(const AcGeCompositeCurve2d* composite, double width, bool closed,
                        AcDbPolyline*& polyline)
{
    return buildPolyline(composite, width, &closed, polyline);
}

int compositeToPolyline2d(const AcGeCompositeCurve2d* composite, double width,
                          AcDb2dPolyline*& polyline)
{
    polyline = nullptr;
    Ends ends;
    if (const int status = readEnds(composite, nullptr, ends); status != kGeOk)
        return status;
    auto result = std::make_unique<AcDb2dPolyline>();
    int appended = 0;
    forEachComponent(*composite, [&](const AcGePoint2d& start, const AcGeCircArc2d* arc) {
        auto* vertex = new AcDb2dVertex(AcGePoint3d(start.x, start.y, 0.0), 0.0, width, width, 0.0);
        if (arc)
            vertex->setBulge(arcBulge(*arc));
        if (result->appendVertex(vertex) == Acad::eOk)
            ++appended;
        else
            delete vertex;
    });
    // A polyline without vertices would be reported as made; it is nothing to build.
    if (appended == 0)
        return kGeNothing;
    Acad::ErrorStatus es = Acad::eOk;
    if (ends.closed) {
        es = result->makeClosed();
    } else {
        auto* last = new AcDb2dVertex(AcGePoint3d(ends.end.x, ends.end.y, 0.0), 0.0, width, width, 0.0);
        if ((es = result->appendVertex(last)) != Acad::eOk)
            delete last;
    }
    if (es != Acad::eOk)
        return es;
    polyline = result.release();
    return kGeOk;
}

} // namespace dh::toolkit
