// acedTrans and the user <-> world conversions. The user system is the world system here
// (no UCS command exists), display coordinates follow the active document's view, and an
// entity's or a normal's own system follows the arbitrary-axis rule of the DXF format.
#include "host/ed/Document.h"
#include "host/ed/Session.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdVariables.h>

#include <cmath>
#include <optional>

namespace {

using dh::ed::ViewPoint;

struct Frame {
    ViewPoint x, y, z;
};

ViewPoint cross(const ViewPoint& a, const ViewPoint& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

ViewPoint unit(const ViewPoint& v)
{
    double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return l > 0 ? ViewPoint{v.x / l, v.y / l, v.z / l} : ViewPoint{0, 0, 1};
}

// The arbitrary-axis rule: the object's X axis from the normal.
Frame objectFrame(const ViewPoint& normal)
{
    ViewPoint n = unit(normal);
    constexpr double kLimit = 1.0 / 64.0;
    ViewPoint ax = (std::fabs(n.x) < kLimit && std::fabs(n.y) < kLimit) ? cross({0, 1, 0}, n)
                                                                          : cross({0, 0, 1}, n);
    ax = unit(ax);
    return {ax, unit(cross(n, ax)), n};
}

enum class System { World, Display, Object };

struct Spec {
    System system = System::World;
    ViewPoint normal{0, 0, 1};
};

// The normal of a planar entity that keeps its points in its own system (circle, arc,
// text, polyline, block reference); other entities lie in the world system.
ViewPoint entityNormal(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead, true) != Acad::eOk)
        return {0, 0, 1};
    AcGeVector3d n = AcGeVector3d::kZAxis;
    if (auto* circle = AcDbCircle::cast(entity))
        n = circle->normal();
    else if (auto* arc = AcDbArc::cast(entity))
        n = arc->normal();
    else if (auto* text = AcDbText::cast(entity))
        n = text->normal();
    else if (auto* pline = AcDbPolyline::cast(entity))
        n = pline->normal();
    else if (auto* pline2d = AcDb2dPolyline::cast(entity))
        n = pline2d->normal();
    else if (auto* insert = AcDbBlockReference::cast(entity))
        n = insert->normal();
    entity->close();
    return {n.x, n.y, n.z};
}

std::optional<Spec> specOf(const resbuf* rb)
{
    if (!rb)
        return std::nullopt;
    switch (rb->restype) {
    case RTSHORT:
        if (rb->resval.rint == 0 || rb->resval.rint == 1)
            return Spec{System::World, {}};
        if (rb->resval.rint == 2 || rb->resval.rint == 3)
            return Spec{System::Display, {}};
        return std::nullopt;
    case RT3DPOINT:
        return Spec{System::Object, {rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]}};
    case RTENAME: {
        AcDbObjectId id;
        if (acdbGetObjectId(id, rb->resval.rlname) != Acad::eOk)
            return std::nullopt;
        return Spec{System::Object, entityNormal(id)};
    }
    default:
        return std::nullopt;
    }
}

const dh::ed::View* activeView()
{
    dh::ed::Session* s = dh::ed::Session::current();
    dh::ed::Document* doc = s ? s->activeDocument() : nullptr;
    return doc ? &doc->view() : nullptr;
}

std::optional<ViewPoint> toWorld(const Spec& spec, const ViewPoint& p, bool disp)
{
    switch (spec.system) {
    case System::World:
        return p;
    case System::Display: {
        const dh::ed::View* view = activeView();
        if (!view)
            return std::nullopt;
        return disp ? view->displayToWorldVector(p) : view->displayToWorld(p);
    }
    case System::Object: {
        Frame f = objectFrame(spec.normal);
        return ViewPoint{f.x.x * p.x + f.y.x * p.y + f.z.x * p.z,
                         f.x.y * p.x + f.y.y * p.y + f.z.y * p.z,
                         f.x.z * p.x + f.y.z * p.y + f.z.z * p.z};
    }
    }
    return std::nullopt;
}

std::optional<ViewPoint> fromWorld(const Spec& spec, const ViewPoint& p, bool disp)
{
    switch (spec.system) {
    case System::World:
        return p;
    case System::Display: {
        const dh::ed::View* view = activeView();
        if (!view)
            return std::nullopt;
        return disp ? view->worldToDisplayVector(p) : view->worldToDisplay(p);
    }
    case System::Object: {
        Frame f = objectFrame(spec.normal);
        return ViewPoint{f.x.x * p.x + f.x.y * p.y + f.x.z * p.z,
                         f.y.x * p.x + f.y.y * p.y + f.y.z * p.z,
                         f.z.x * p.x + f.z.y * p.y + f.z.z * p.z};
    }
    }
    return std::nullopt;
}

}  // namespace

int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result)
{
    if (!pt || !result)
        return RTERROR;
    auto fromSpec = specOf(from);
    auto toSpec = specOf(to);
    if (!fromSpec || !toSpec)
        return RTERROR;
    auto world = toWorld(*fromSpec, {pt[0], pt[1], pt[2]}, disp != 0);
    if (!world)
        return RTERROR;
    auto out = fromWorld(*toSpec, *world, disp != 0);
    if (!out)
        return RTERROR;
    result[0] = out->x;
    result[1] = out->y;
    result[2] = out->z;
    return RTNORM;
}

bool acdbUcs2Wcs(const ads_point p, ads_point q, bool)
{
    if (!p || !q)
        return false;
    q[0] = p[0];
    q[1] = p[1];
    q[2] = p[2];
    return true;
}

bool acdbWcs2Ucs(const ads_point p, ads_point q, bool vec) { return acdbUcs2Wcs(p, q, vec); }
