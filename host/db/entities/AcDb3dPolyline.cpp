#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/CurveDelegation.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/OwnedEntities.h"
#include "host/db/entities/PointChain.h"

#include <algorithm>

ACRX_DEFINE_MEMBERS(AcDb3dPolyline, AcDbCurve)

using Vertices = dh::db::OwnedEntities<AcDb3dPolylineVertex>;

namespace {
constexpr int kClosed = 1;
constexpr int kSplineFit = 4;
constexpr int k3dPolyline = 8;
constexpr int kQuadratic = 5;
constexpr int kCubic = 6;
} // namespace

AcDb3dPolyline::AcDb3dPolyline() : m_vertices(std::make_unique<Vertices>()) {}

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed)
    : m_vertices(std::make_unique<Vertices>()), m_type(type), m_closed(closed)
{
    for (const AcGePoint3d& p : vertices)
        m_vertices->append(*this, new AcDb3dPolylineVertex(p));
}

AcDb3dPolyline::AcDb3dPolyline(const AcDb3dPolyline& other)
    : AcDbCurve(other), m_vertices(std::make_unique<Vertices>(*other.m_vertices)), m_type(other.m_type),
      m_closed(other.m_closed)
{
}

AcDb3dPolyline& AcDb3dPolyline::operator=(const AcDb3dPolyline& other)
{
    if (this == &other)
        return *this;
    AcDbCurve::operator=(other);
    *m_vertices = *other.m_vertices;
    m_type = other.m_type;
    m_closed = other.m_closed;
    return *this;
}

AcDb3dPolyline::~AcDb3dPolyline() = default;

AcRxObject* AcDb3dPolyline::clone() const
{
    auto* copy = new AcDb3dPolyline(*this);
    copy->m_vertices->detachCopies();
    return copy;
}

Acad::ErrorStatus AcDb3dPolyline::copyFrom(const AcRxObject* other)
{
    if (!other || other->isA() != isA())
        return Acad::eWrongObjectType;
    *this = *static_cast<const AcDb3dPolyline*>(other);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex)
{
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb3dPolylineVertex* vertex)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    return m_vertices->append(*this, vertex, &vertexId);
}

AcDbObjectIterator* AcDb3dPolyline::vertexIterator() const
{
    return new AcDbObjectIterator(m_vertices->ids());
}

Acad::ErrorStatus AcDb3dPolyline::openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId vertexId,
                                             AcDb::OpenMode mode, bool openErased) const
{
    const auto& ids = m_vertices->ids();
    if (std::find(ids.begin(), ids.end(), vertexId) == ids.end())
        return Acad::eInvalidInput;
    return acdbOpenObject(vertex, vertexId, mode, openErased);
}

Acad::ErrorStatus AcDb3dPolyline::subAddedToDatabase(AcDbDatabase* db)
{
    return m_vertices->addPending(db, *this);
}

void AcDb3dPolyline::getOwnedIds(std::vector<AcDbObjectId>& ids) const
{
    ids.insert(ids.end(), m_vertices->ids().begin(), m_vertices->ids().end());
}

Acad::ErrorStatus AcDb3dPolyline::setPolyType(AcDb::Poly3dType type)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_type = type;
    return es;
}

Acad::ErrorStatus AcDb3dPolyline::makeClosed()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_closed = true;
    return es;
}

Acad::ErrorStatus AcDb3dPolyline::makeOpen()
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_closed = false;
    return es;
}

dh::db::PointChain AcDb3dPolyline::shape() const
{
    std::vector<AcGePoint3d> points;
    for (const AcDb3dPolylineVertex* v : m_vertices->items())
        if (v->vertexType() != AcDb::k3dControlVertex)
            points.push_back(v->position());
    return dh::db::PointChain(std::move(points), m_closed);
}

DH_DELEGATE_CURVE_TO_SHAPE(AcDb3dPolyline)

Acad::ErrorStatus AcDb3dPolyline::getSpline(AcDbSpline*& spline) const
{
    Acad::ErrorStatus es = shape().getSpline(spline);
    if (es == Acad::eOk)
        spline->setPropertiesFrom(this);
    return es;
}

AcDbCurve* AcDb3dPolyline::makePiece(double t0, double t1) const
{
    const std::vector<AcGePoint3d> points = shape().stretch(t0, t1);
    auto* out = new AcDb3dPolyline();
    for (const AcGePoint3d& p : points)
        out->appendVertex(new AcDb3dPolylineVertex(p));
    return out;
}

Acad::ErrorStatus AcDb3dPolyline::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    for (AcDb3dPolylineVertex* v : m_vertices->items())
        dh::db::OwnedEntitiesAccess::set(*v, [&](AcDb3dPolylineVertex& w) {
            w.setPosition(AcGePoint3d(w.position()).transformBy(xform));
        });
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::explode(AcDbVoidPtrArray& entities) const
{
    const dh::db::PointChain chain = shape();
    const auto& points = chain.points();
    const size_t n = points.size() < 2 ? 0 : m_closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const AcGePoint3d& a = points[i];
        const AcGePoint3d& b = points[(i + 1) % points.size()];
        if (a.isEqualTo(b))
            continue;
        auto* line = new AcDbLine(a, b);
        line->setPropertiesFrom(this);
        entities.append(line);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDb3dPolyline");
    filer->writeXYZ(10, 0.0, 0.0, 0.0);
    int flags = k3dPolyline | (m_closed ? kClosed : 0) | (m_type != AcDb::k3dSimplePoly ? kSplineFit : 0);
    filer->writeInt16(70, static_cast<std::int16_t>(flags));
    if (m_type != AcDb::k3dSimplePoly)
        filer->writeInt16(75, m_type == AcDb::k3dQuadSplinePoly ? kQuadratic : kCubic);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    int flags = 0, curveType = 0;
    es = dh::db::readSubclass(filer, "AcDb3dPolyline", [&](const AcDbDxfTag& tag) {
        if (tag.code == 70)
            flags = static_cast<int>(tag.integer);
        else if (tag.code == 75)
            curveType = static_cast<int>(tag.integer);
    });
    m_closed = (flags & kClosed) != 0;
    m_type = (flags & kSplineFit) ? (curveType == kQuadratic ? AcDb::k3dQuadSplinePoly : AcDb::k3dCubicSplinePoly)
                                  : AcDb::k3dSimplePoly;
    return es;
}
