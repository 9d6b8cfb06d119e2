#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/CurveDelegation.h"
#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/OwnedEntities.h"

#include <algorithm>
#include <cmath>

ACRX_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve)

using Vertices = dh::db::OwnedEntities<AcDb2dVertex>;

namespace {
// Polyline flags of the drawing format (group 70) and curve types (group 75).
constexpr int kClosed = 1;
constexpr int kCurveFit = 2;
constexpr int kSplineFit = 4;
constexpr int kPlinegen = 128;
constexpr int kQuadratic = 5;
constexpr int kCubic = 6;
} // namespace

AcDb2dPolyline::AcDb2dPolyline() : m_vertices(std::make_unique<Vertices>()) {}

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation,
                               bool closed, double defaultStartWidth, double defaultEndWidth,
                               const AcGeDoubleArray* bulges)
    : m_vertices(std::make_unique<Vertices>()), m_type(type), m_closed(closed), m_elevation(elevation),
      m_defaultStartWidth(defaultStartWidth), m_defaultEndWidth(defaultEndWidth)
{
    for (int i = 0; i < vertices.length(); ++i) {
        const double bulge = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
        const AcGePoint3d p(vertices[i].x, vertices[i].y, elevation);
        m_vertices->append(*this, new AcDb2dVertex(p, bulge, defaultStartWidth, defaultEndWidth));
    }
}

AcDb2dPolyline::AcDb2dPolyline(const AcDb2dPolyline& other)
    : AcDbCurve(other), m_vertices(std::make_unique<Vertices>(*other.m_vertices)), m_type(other.m_type),
      m_closed(other.m_closed), m_plinegen(other.m_plinegen), m_elevation(other.m_elevation),
      m_thickness(other.m_thickness), m_defaultStartWidth(other.m_defaultStartWidth),
      m_defaultEndWidth(other.m_defaultEndWidth), m_normal(other.m_normal)
{
}

AcDb2dPolyline& AcDb2dPolyline::operator=(const AcDb2dPolyline& other)
{
    if (this == &other)
        return *this;
    AcDbCurve::operator=(other);
    *m_vertices = *other.m_vertices;
    m_type = other.m_type;
    m_closed = other.m_closed;
    m_plinegen = other.m_plinegen;
    m_elevation = other.m_elevation;
    m_thickness = other.m_thickness;
    m_defaultStartWidth = other.m_defaultStartWidth;
    m_defaultEndWidth = other.m_defaultEndWidth;
    m_normal = other.m_normal;
    return *this;
}

AcDb2dPolyline::~AcDb2dPolyline() = default;

AcRxObject* AcDb2dPolyline::clone() const
{
    auto* copy = new AcDb2dPolyline(*this);
    copy->m_vertices->detachCopies();
    return copy;
}

Acad::ErrorStatus AcDb2dPolyline::copyFrom(const AcRxObject* other)
{
    if (!other || other->isA() != isA())
        return Acad::eWrongObjectType;
    *this = *static_cast<const AcDb2dPolyline*>(other);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex)
{
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    return m_vertices->append(*this, vertex, &vertexId);
}

AcDbObjectIterator* AcDb2dPolyline::vertexIterator() const
{
    return new AcDbObjectIterator(m_vertices->ids());
}

Acad::ErrorStatus AcDb2dPolyline::openVertex(AcDb2dVertex*& vertex, AcDbObjectId vertexId, AcDb::OpenMode mode,
                                             bool openErased) const
{
    const auto& ids = m_vertices->ids();
    if (std::find(ids.begin(), ids.end(), vertexId) == ids.end())
        return Acad::eInvalidInput;
    return acdbOpenObject(vertex, vertexId, mode, openErased);
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const
{
    const AcGePoint3d p = vertex.position();
    return AcGePoint3d(p.x, p.y, m_elevation).transformBy(AcGeMatrix3d::planeToWorld(m_normal));
}

Acad::ErrorStatus AcDb2dPolyline::subAddedToDatabase(AcDbDatabase* db)
{
    return m_vertices->addPending(db, *this);
}

void AcDb2dPolyline::getOwnedIds(std::vector<AcDbObjectId>& ids) const
{
    ids.insert(ids.end(), m_vertices->ids().begin(), m_vertices->ids().end());
}

#define DH_SETTER(NAME, FIELD, TYPE)                                                                 \
    Acad::ErrorStatus AcDb2dPolyline::NAME(TYPE value)                                               \
    {                                                                                                \
        Acad::ErrorStatus es = assertWriteEnabled();                                                 \
        if (es == Acad::eOk)                                                                         \
            FIELD = value;                                                                           \
        return es;                                                                                   \
    }
DH_SETTER(setPolyType, m_type, AcDb::Poly2dType)
DH_SETTER(setElevation, m_elevation, double)
DH_SETTER(setThickness, m_thickness, double)
DH_SETTER(setDefaultStartWidth, m_defaultStartWidth, double)
DH_SETTER(setDefaultEndWidth, m_defaultEndWidth, double)
#undef DH_SETTER

Acad::ErrorStatus AcDb2dPolyline::makeClosed()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_closed = true;
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_closed = false;
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOn()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_plinegen = true;
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOff()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_plinegen = false;
    return es;
}

AcDbPolyline AcDb2dPolyline::shape() const
{
    AcDbPolyline pline;
    pline.setNormal(m_normal);
    pline.setElevation(m_elevation);
    pline.setThickness(m_thickness);
    pline.setClosed(m_closed);
    unsigned int i = 0;
    for (const AcDb2dVertex* v : m_vertices->items()) {
        if (v->vertexType() == AcDb::k2dSplineCtlVertex)
            continue;
        const AcGePoint3d p = v->position();
        pline.addVertexAt(i++, AcGePoint2d(p.x, p.y), v->bulge(), v->startWidth(), v->endWidth());
    }
    return pline;
}

DH_DELEGATE_CURVE_TO_SHAPE(AcDb2dPolyline)

Acad::ErrorStatus AcDb2dPolyline::getSpline(AcDbSpline*& spline) const
{
    Acad::ErrorStatus es = shape().getSpline(spline);
    if (es == Acad::eOk)
        spline->setPropertiesFrom(this);
    return es;
}

AcDbCurve* AcDb2dPolyline::makePiece(double t0, double t1) const
{
    std::unique_ptr<AcDbCurve> piece(shape().makePiece(t0, t1));
    auto* lw = AcDbPolyline::cast(piece.get());
    if (!lw)
        return nullptr;
    auto* out = new AcDb2dPolyline();
    out->m_normal = m_normal;
    out->m_elevation = m_elevation;
    out->m_thickness = m_thickness;
    out->m_plinegen = m_plinegen;
    out->m_defaultStartWidth = m_defaultStartWidth;
    out->m_defaultEndWidth = m_defaultEndWidth;
    for (unsigned int i = 0; i < lw->numVerts(); ++i) {
        AcGePoint2d p;
        double bulge, sw, ew;
        lw->getPointAt(i, p);
        lw->getBulgeAt(i, bulge);
        lw->getWidthsAt(i, sw, ew);
        out->appendVertex(new AcDb2dVertex(AcGePoint3d(p.x, p.y, m_elevation), bulge, sw, ew));
    }
    return out;
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    AcGeVector3d tx = x, ty = y;
    tx.transformBy(xform);
    ty.transformBy(xform);
    const AcGeVector3d tn = tx.crossProduct(ty);
    if (tn.isZeroLength())
        return Acad::eNotApplicable;
    const double sx = tx.length(), sy = ty.length();
    const bool similar = std::fabs(sx - sy) <= 1e-9 * sx && std::fabs(tx.dotProduct(ty)) <= 1e-9 * sx * sy;
    const std::vector<AcDb2dVertex*> vertices = m_vertices->items();
    if (!similar && std::any_of(vertices.begin(), vertices.end(), [](auto* v) { return v->bulge() != 0.0; }))
        return Acad::eNotApplicable;
    const AcGeVector3d normal = tn.normal();
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(m_normal);
    const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
    AcGePoint3d origin(0.0, 0.0, m_elevation);
    double elevation = origin.transformBy(toWorld).transformBy(xform).transformBy(toPlane).z;
    // Vertices are parts of this polyline: they move with it whether or not they are open.
    for (AcDb2dVertex* v : vertices) {
        const AcGePoint3d p = v->position();
        AcGePoint3d q = AcGePoint3d(p.x, p.y, m_elevation).transformBy(toWorld).transformBy(xform).transformBy(toPlane);
        elevation = q.z;
        dh::db::OwnedEntitiesAccess::set(*v, [&](AcDb2dVertex& w) {
            w.setPosition(AcGePoint3d(q.x, q.y, q.z));
            w.setStartWidth(w.startWidth() * sx);
            w.setEndWidth(w.endWidth() * sx);
        });
    }
    m_normal = normal;
    m_elevation = elevation;
    m_thickness *= sx;
    m_defaultStartWidth *= sx;
    m_defaultEndWidth *= sx;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::explode(AcDbVoidPtrArray& entities) const
{
    AcDbVoidPtrArray parts;
    Acad::ErrorStatus es = shape().explode(parts);
    for (void* p : parts)
        static_cast<AcDbEntity*>(p)->setPropertiesFrom(this);
    entities.append(parts);
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDb2dPolyline");
    filer->writeXYZ(10, 0.0, 0.0, m_elevation);
    dh::db::writeThickness(filer, m_thickness);
    int flags = (m_closed ? kClosed : 0) | (m_plinegen ? kPlinegen : 0);
    if (m_type == AcDb::k2dFitCurvePoly)
        flags |= kCurveFit;
    else if (m_type != AcDb::k2dSimplePoly)
        flags |= kSplineFit;
    filer->writeInt16(70, static_cast<std::int16_t>(flags));
    if (m_defaultStartWidth != 0.0)
        filer->writeDouble(40, m_defaultStartWidth);
    if (m_defaultEndWidth != 0.0)
        filer->writeDouble(41, m_defaultEndWidth);
    if (m_type == AcDb::k2dQuadSplinePoly || m_type == AcDb::k2dCubicSplinePoly)
        filer->writeInt16(75, m_type == AcDb::k2dQuadSplinePoly ? kQuadratic : kCubic);
    dh::db::writeNormal(filer, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    int flags = 0, curveType = 0;
    es = dh::db::readSubclass(filer, "AcDb2dPolyline", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_elevation = tag.xyz[2]; break;
        case 30: m_elevation = tag.real(); break;
        case 39: m_thickness = tag.real(); break;
        case 70: flags = static_cast<int>(tag.integer); break;
        case 40: m_defaultStartWidth = tag.real(); break;
        case 41: m_defaultEndWidth = tag.real(); break;
        case 75: curveType = static_cast<int>(tag.integer); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    });
    m_closed = (flags & kClosed) != 0;
    m_plinegen = (flags & kPlinegen) != 0;
    m_type = (flags & kSplineFit) ? (curveType == kQuadratic ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly)
        : (flags & kCurveFit)    ? AcDb::k2dFitCurvePoly
                                 : AcDb::k2dSimplePoly;
    return es;
}
