// The polyline functions: old-style polylines and splines to lightweight polylines, the
// orientation of a closed polyline, a reversed copy, thinning in place, the vertex list.
// Argument errors and entities of another class give nil; conversions that fail answer
// the entity name they were given, so that callers can tell no entity was made.
#include "lisp/LispArgs.h"
#include "lisp/LispFunctions.h"
#include "lisp/ResBufPtr.h"
#include "toolkit/DrawingHelpers.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineConversion.h"
#include "toolkit/PolylineOrientation.h"
#include "toolkit/PolylineThinning.h"
#include "toolkit/SplineConversion.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdLisp.h>

#include <algorithm>
#include <memory>

namespace dh::lisp {
namespace {

// The object of id opened as a T, or nullptr for another class or a failed open.
template <class T>
T* openAs(AcDbObjectId id, AcDb::OpenMode mode)
{
    T* object = nullptr;
    return acdbOpenObject(object, id, mode) == Acad::eOk ? object : nullptr;
}

int returnName(AcDbObjectId id)
{
    ads_name name = {0, 0};
    if (acdbGetAdsName(name, id) != Acad::eOk)
        return acedRetNil();
    return acedRetName(name, RTENAME);
}

// Appends a new entity to the current space and answers its name; when the entity was not
// made or not appended, answers `given` (the argument's name) or nil without one.
int returnAppended(int status, AcDbEntity* made, const resbuf* given)
{
    AcDbObjectId id;
    if (status == toolkit::kGeOk && toolkit::appendAndClose(made, &id) == toolkit::kDbOk)
        return returnName(id);
    return given ? acedRetName(given->resval.rlname, RTENAME) : acedRetNil();
}

// The one argument of a function that takes a polyline of class T, opened for read.
template <class T>
T* singlePolyline(const resbuf* args)
{
    LispArgs in(args);
    const AcDbObjectId id = in.entity();
    in.end();
    return openAs<T>(id, AcDb::kForRead);
}

// ((x y z) . bulge)
void appendVertexPair(ResBufChain& list, const AcGePoint3d& point, double bulge)
{
    list.appendType(RTLB);
    resbuf* at = list.appendType(RT3DPOINT);
    at->resval.rpoint[0] = point.x;
    at->resval.rpoint[1] = point.y;
    at->resval.rpoint[2] = point.z;
    list.appendType(RTDOTE);
    list.appendType(RTREAL)->resval.rreal = bulge;
    list.appendType(RTLE);
}

void listVertices(const AcDbPolyline& polyline, ResBufChain& list)
{
    for (unsigned int i = 0; i < polyline.numVerts(); ++i) {
        AcGePoint3d point;
        double bulge = 0.0;
        polyline.getPointAt(i, point);
        polyline.getBulgeAt(i, bulge);
        appendVertexPair(list, point, bulge);
    }
}

void listVertices(const AcDb2dPolyline& polyline, ResBufChain& list)
{
    std::unique_ptr<AcDbObjectIterator> vertices(polyline.vertexIterator());
    for (vertices->start(); !vertices->done(); vertices->step()) {
        AcDb2dVertex* vertex = nullptr;
        if (polyline.openVertex(vertex, vertices->objectId(), AcDb::kForRead) != Acad::eOk)
            continue;
        if (vertex->vertexType() != AcDb::k2dSplineCtlVertex)
            appendVertexPair(list, vertex->position(), vertex->bulge());
        vertex->close();
    }
}

} // namespace

int Cur_PolyToLW(const resbuf* args)
{
    try {
        AcDb2dPolyline* source = singlePolyline<AcDb2dPolyline>(args);
        if (source == nullptr)
            return acedRetNil();
        AcDbPolyline* made = nullptr;
        const int status = toolkit::convertPolyline2dToPolyline(source, made);
        source->close();
        return returnAppended(status, made, args);
    } catch (int) {
        return acedRetNil();
    }
}

int Cur_SPlineToLW(const resbuf* args)
{
    try {
        LispArgs in(args);
        const AcDbObjectId id = in.entity();
        const double distance = in.item(RTREAL)->resval.rreal;
        in.end();
        AcDbSpline* spline = openAs<AcDbSpline>(id, AcDb::kForRead);
        if (spline == nullptr)
            return acedRetNil();
        AcDbPolyline* made = nullptr;
        const int status = toolkit::convertSplineToPolyline(spline, distance, false, made);
        spline->close();
        return returnAppended(status, made, args);
    } catch (int) {
        return acedRetNil();
    }
}

int Cur_isClockwise(const resbuf* args)
{
    try {
        AcDbPolyline* polyline = singlePolyline<AcDbPolyline>(args);
        if (polyline == nullptr)
            return acedRetNil();
        const int orientation = toolkit::isPolylineClockwise(polyline);
        polyline->close();
        return acedRetInt(orientation);
    } catch (int) {
        return acedRetNil();
    }
}

int Cur_ReverseTowards(const resbuf* args)
{
    try {
        AcDbPolyline* source = singlePolyline<AcDbPolyline>(args);
        if (source == nullptr)
            return acedRetNil();
        AcDbPolyline* made = nullptr;
        const int status = toolkit::reversePolyline(source, made);
        source->close();
        return returnAppended(status, made, nullptr);
    } catch (int) {
        return acedRetNil();
    }
}

int Cur_RarefyLwPL(const resbuf* args)
{
    try {
        // Anything after the fourth argument is ignored.
        LispArgs in(args);
        const AcDbObjectId id = in.entity();
        const double tolerance = std::max(0.0, in.item(RTREAL)->resval.rreal);
        const int first = std::max<int>(0, in.shortInt());
        const int last = std::max<int>(0, in.shortInt());
        AcDbPolyline* polyline = openAs<AcDbPolyline>(id, AcDb::kForWrite);
        if (polyline == nullptr)
            return acedRetNil();
        toolkit::rarefyPolyline(polyline, tolerance, first, last);
        polyline->close();
        return acedRetT();
    } catch (int) {
        return acedRetNil();
    }
}

int Cur_ListPolyLine(const resbuf* args)
{
    try {
        LispArgs in(args);
        const AcDbObjectId id = in.entity();
        in.end();
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            return acedRetNil();
        ResBufChain list;
        if (const AcDbPolyline* lightweight = AcDbPolyline::cast(entity))
            listVertices(*lightweight, list);
        else if (const AcDb2dPolyline* old = AcDb2dPolyline::cast(entity))
            listVertices(*old, list);
        entity->close();
        return list.empty() ? acedRetNil() : acedRetList(list.head());
    } catch (int) {
        return acedRetNil();
    }
}

} // namespace dh::lisp
