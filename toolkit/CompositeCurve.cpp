#include "toolkit/CompositeCurve.h"

#include "toolkit/GeometryStatus.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>

#include <cmath>
#include <memory>

namespace dh::toolkit {
namespace {

// The closing arc of a closed lightweight polyline ends short of the start by this share
// of its sweep.
constexpr double kClosingArcShortening = 0.01;

template <class Array>
void deleteComponents(Array& curves)
{
    for (int i = 0; i < curves.length(); ++i)
        delete curves[i];
    curves.removeAll();
}

// A straight or circular component from a to b with the polyline bulge of the segment.
// Coincident ends give nothing: an arc through two equal points is undefined.
void appendSegment(AcGeCurve2dPtrArray& curves, const AcGePoint2d& a, const AcGePoint2d& b,
                   double bulge)
{
    if (a.isEqualTo(b))
        return;
    if (bulge == 0.0)
        curves.append(new AcGeLineSeg2d(a, b));
    else
        curves.append(new AcGeCircArc2d(a, b, bulge, false));
}

void appendLightweightSegment(const AcDbPolyline& polyline, unsigned int index,
                              AcGeCurve2dPtrArray& curves, AcGePoint2d& lastEnd)
{
    switch (polyline.segType(index)) {
    case AcDbPolyline::kLine: {
        AcGeLineSeg2d line;
        if (polyline.getLineSegAt(index, line) == Acad::eOk) {
            curves.append(line.copy());
            lastEnd = line.endPoint();
        }
        break;
    }
    case AcDbPolyline::kArc: {
        AcGeCircArc2d arc;
        if (polyline.getArcSegAt(index, arc) == Acad::eOk) {
            curves.append(arc.copy());
            lastEnd = arc.endPoint();
        }
        break;
    }
    default: break;
    }
}

void appendClosingSegment(const AcDbPolyline& polyline, bool fullClosingArc,
                          AcGeCurve2dPtrArray& curves, AcGePoint2d lastEnd)
{
    const unsigned int last = polyline.numVerts() - 1;
    AcGePoint2d start;
    polyline.getPointAt(0, start);
    switch (polyline.segType(last)) {
    case AcDbPolyline::kArc: {
        AcGeCircArc2d arc;
        if (polyline.getArcSegAt(last, arc) != Acad::eOk)
            return;
        if (!fullClosingArc) {
            const double sweep = arc.endAng() - arc.startAng();
            arc.setAngles(arc.startAng(), arc.endAng() - kClosingArcShortening * sweep);
        }
        curves.append(arc.copy());
        return;
    }
    case AcDbPolyline::kLine:
        // From where the chain got to (the last vertex unless trailing segments were
        // coincident) back to the first vertex, in the polyline's own coordinates.
        if (curves.isEmpty())
            polyline.getPointAt(last, lastEnd);
        curves.append(new AcGeLineSeg2d(lastEnd, start));
        return;
    default: return;
    }
}

// One vertex as the walk over an old-style polyline sees it.
struct WalkedVertex {
    AcGePoint3d position;
    double bulge = 0.0;
    bool onCurve = true;
};

Acad::ErrorStatus readVertex(const AcDb2dPolyline& polyline, AcDbObjectId id, WalkedVertex& out)
{
    AcDb2dVertex* vertex = nullptr;
    const Acad::ErrorStatus es = polyline.openVertex(vertex, id, AcDb::kForRead, true);
    if (es != Acad::eOk)
        return es;
    out.position = vertex->position();
    out.bulge = vertex->bulge();
    out.onCurve = vertex->vertexType() != AcDb::k2dSplineCtlVertex;
    vertex->close();
    return Acad::eOk;
}

Acad::ErrorStatus readVertex(const AcDb3dPolyline& polyline, AcDbObjectId id, WalkedVertex& out)
{
    AcDb3dPolylineVertex* vertex = nullptr;
    const Acad::ErrorStatus es = polyline.openVertex(vertex, id, AcDb::kForRead, true);
    if (es != Acad::eOk)
        return es;
    out.position = vertex->position();
    out.onCurve = vertex->vertexType() != AcDb::k3dControlVertex;
    vertex->close();
    return Acad::eOk;
}

AcGePoint2d plan(const AcGePoint3d& point) { return AcGePoint2d(point.x, point.y); }

void appendSegment(AcGeCurve2dPtrArray& curves, const WalkedVertex& from, const AcGePoint3d& to)
{
    appendSegment(curves, plan(from.position), plan(to), from.bulge);
}

void appendSegment(AcGeCurve3dPtrArray& curves, const WalkedVertex& from, const AcGePoint3d& to)
{
    if (!from.position.isEqualTo(to))
        curves.append(new AcGeLineSeg3d(from.position, to));
}

// Walks the curve vertices of an old-style polyline and hands each segment (and the
// closing one) to append; answers the status of the last vertex open. The closing
// segment leaves the vertex whose count is the end parameter less one.
template <class Polyline, class Append>
Acad::ErrorStatus walkSegments(const Polyline& polyline, Append append)
{
    double endParam = 0.0;
    Acad::ErrorStatus es = polyline.getEndParam(endParam);
    if (es != Acad::eOk)
        return es;
    const bool closed = polyline.isClosed();
    const long closingCount = std::lround(endParam) - 1;
    std::unique_ptr<AcDbObjectIterator> vertices(polyline.vertexIterator());
    long count = -1;
    WalkedVertex previous;
    WalkedVertex first;
    for (vertices->start(); !vertices->done(); vertices->step()) {
        WalkedVertex current;
        es = readVertex(polyline, vertices->objectId(), current);
        if (es != Acad::eOk || !current.onCurve)
            continue;
        if (++count == 0)
            first = current;
        else
            append(previous, current.position);
        if (closed && count == closingCount)
            append(current, first.position);
        previous = current;
    }
    return es;
}

// The composite of an old-style polyline's segments: 3 without a segment, the status of
// the last vertex open when that failed.
template <class Curves, class Polyline, class Composite>
int oldStyleComposite(const Polyline* polyline, Composite*& composite)
{
    composite = nullptr;
    if (polyline == nullptr)
        return kGeNothing;
    Curves curves;
    const Acad::ErrorStatus es =
        walkSegments(*polyline, [&](const WalkedVertex& from, const AcGePoint3d& to) {
            appendSegment(curves, from, to);
        });
    if (es != Acad::eOk) {
        deleteComponents(curves);
        return es;
    }
    if (curves.isEmpty())
        return kGeNothing;
    composite = new Composite(curves);
    return kGeOk;
}

template <class Curves, class Composite>
void freeComposite(Composite* composite)
{
    if (composite == nullptr)
        return;
    Curves curves;
    composite->getCurveList(curves);
    deleteComponents(curves);
    delete composite;
}

} // namespace

int polylineToComposite(const AcDbPolyline* polyline, AcGeCompositeCurve2d*& composite,
                        bool fullClosingArc)
{
    composite = nullptr;
    if (polyline == nullptr)
        return kGeNothing;
    const unsigned int n = polyline->numVerts();
    AcGeCurve2dPtrArray curves;
    AcGePoint2d lastEnd;
    for (unsigned int i = 0; i + 1 < n; ++i)
        appendLightweightSegment(*polyline, i, curves, lastEnd);
    if (polyline->isClosed() && n >= 2)
        appendClosingSegment(*polyline, fullClosingArc, curves, lastEnd);
    if (!curves.isEmpty())
        composite = new AcGeCompositeCurve2d(curves);
    return kGeOk;
}

int polyline2dToComposite(const AcDb2dPolyline* polyline, AcGeCompositeCurve2d*& composite)
{
    return oldStyleComposite<AcGeCurve2dPtrArray>(polyline, composite);
}

int polyline3dToComposite(const AcDb3dPolyline* polyline, AcGeCompositeCurve3d*& composite)
{
    return oldStyleComposite<AcGeCurve3dPtrArray>(polyline, composite);
}

void freeCompositeCurve(AcGeCompositeCurve2d* composite)
{
    freeComposite<AcGeCurve2dPtrArray>(composite);
}

void freeCompositeCurve(AcGeCompositeCurve3d* composite)
{
    freeComposite<AcGeCurve3dPtrArray>(composite);
}

} // namespace dh::toolkit
