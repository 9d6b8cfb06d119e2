#include <acdb/AcDbArc.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCircArc3d.h>
#include <acge/AcGeLineSeg2d.h>
#include <acge/AcGeLineSeg3d.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/NurbsBuilder.h"

#include <cmath>

ACRX_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve)

using dh::db::BulgeArc;
using dh::db::bulgeArc;

AcDbPolyline::AcDbPolyline(unsigned int numVerts)
{
    m_vertices.reserve(numVerts);
}

unsigned int AcDbPolyline::numSegments() const
{
    const auto n = numVerts();
    if (n < 2)
        return 0;
    return m_closed ? n : n - 1;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& point) const
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    return AcGePoint3d::kOrigin + x * point.x + y * point.y + m_normal * m_elevation;
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge,
                                            double startWidth, double endWidth)
{
    if (index > numVerts())
        return Acad::eInvalidIndex;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    Vertex v;
    v.point = point;
    v.bulge = bulge;
    v.startWidth = startWidth < 0.0 ? m_constantWidth : startWidth;
    v.endWidth = endWidth < 0.0 ? m_constantWidth : endWidth;
    m_vertices.insert(m_vertices.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index)
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_vertices.erase(m_vertices.begin() + index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reset(bool reuse, unsigned int numVerts)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    if (!reuse)
        m_vertices.clear();
    else if (numVerts < this->numVerts())
        m_vertices.resize(numVerts);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& point) const
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    point = m_vertices[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& point) const
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    point = toWorld(m_vertices[index].point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& point)
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_vertices[index].point = point;
    return es;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    bulge = m_vertices[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    if (!std::isfinite(bulge))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_vertices[index].bulge = bulge;
    return es;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    startWidth = m_vertices[index].startWidth;
    endWidth = m_vertices[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (index >= numVerts())
        return Acad::eInvalidIndex;
    if (startWidth < 0.0 || endWidth < 0.0)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        m_vertices[index].startWidth = startWidth;
        m_vertices[index].endWidth = endWidth;
    }
    return es;
}

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const
{
    const auto n = numVerts();
    if (n == 0 || index >= n)
        return kEmpty;
    if (n == 1 || (!m_closed && index == n - 1))
        return kPoint;
    const Vertex& v = m_vertices[index];
    if (v.point.isEqualTo(vertexAfter(index).point))
        return kCoincident;
    return v.bulge != 0.0 ? kArc : kLine;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg2d& line) const
{
    const SegType type = segType(index);
    if (type != kLine && type != kCoincident)
        return Acad::eInvalidInput;
    line.set(m_vertices[index].point, vertexAfter(index).point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg3d& line) const
{
    const SegType type = segType(index);
    if (type != kLine && type != kCoincident)
        return Acad::eInvalidInput;
    line.set(toWorld(m_vertices[index].point), toWorld(vertexAfter(index).point));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArcSegAt(unsigned int index, AcGeCircArc2d& arc) const
{
    if (segType(index) != kArc)
        return Acad::eInvalidInput;
    arc = AcGeCircArc2d(m_vertices[index].point, vertexAfter(index).point, m_vertices[index].bulge, false);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const
{
    if (segType(index) != kArc)
        return Acad::eInvalidInput;
    const Vertex& v = m_vertices[index];
    const BulgeArc a = bulgeArc(v.point, vertexAfter(index).point, v.bulge);
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    // Measured from the start point; a clockwise arc runs counter-clockwise about the
    // opposite normal.
    const AcGeVector3d ref = x * std::cos(a.startAngle) + y * std::sin(a.startAngle);
    arc.set(toWorld(a.center), a.sweep > 0.0 ? m_normal : -m_normal, ref, a.radius, 0.0, std::fabs(a.sweep));
    return Acad::eOk;
}

bool AcDbPolyline::onSegAt(unsigned int index, const AcGePoint2d& point, double& param) const
{
    const SegType type = segType(index);
    if (type != kLine && type != kArc)
        return false;
    double t;
    const AcGePoint3d world = toWorld(point);
    if (getParamAtPoint(world, t) != Acad::eOk || t < index || t > index + 1.0)
        return false;
    param = t;
    return true;
}

void AcDbPolyline::setClosed(bool closed)
{
    if (assertWriteEnabled() == Acad::eOk)
        m_closed = closed;
}

bool AcDbPolyline::isOnlyLines() const
{
    return !hasBulges();
}

bool AcDbPolyline::hasBulges() const
{
    for (unsigned int i = 0; i < numSegments(); ++i)
        if (m_vertices[i].bulge != 0.0)
            return true;
    return false;
}

bool AcDbPolyline::hasWidth() const
{
    for (const Vertex& v : m_vertices)
        if (v.startWidth != 0.0 || v.endWidth != 0.0)
            return true;
    return false;
}

Acad::ErrorStatus AcDbPolyline::constantWidth(double& width) const
{
    if (m_vertices.empty()) {
        width = m_constantWidth;
        return Acad::eOk;
    }
    const double w = m_vertices.front().startWidth;
    for (unsigned int i = 0; i < numVerts(); ++i)
        if (m_vertices[i].startWidth != w || m_vertices[i].endWidth != w)
            return Acad::eInvalidInput;
    width = w;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width)
{
    if (width < 0.0)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_constantWidth = width;
    for (Vertex& v : m_vertices)
        v.startWidth = v.endWidth = width;
    return Acad::eOk;
}

void AcDbPolyline::setElevation(double elevation)
{
    if (assertWriteEnabled() == Acad::eOk)
        m_elevation = elevation;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_thickness = thickness;
    return es;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

void AcDbPolyline::setPlinegen(bool plinegen)
{
    if (assertWriteEnabled() == Acad::eOk)
        m_plinegen = plinegen;
}

Acad::ErrorStatus AcDbPolyline::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    plane.set(AcGePoint3d::kOrigin + m_normal * m_elevation, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

void AcDbPolyline::getSpans(std::vector<Span>& spans) const
{
    spans.clear();
    if (m_vertices.empty())
        return;
    const unsigned int n = numSegments();
    if (n == 0) {
        spans.push_back(Span{0.0, 0.0, true});
        return;
    }
    for (unsigned int i = 0; i < n; ++i)
        spans.push_back(Span{static_cast<double>(i), i + 1.0, true});
}

bool AcDbPolyline::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    if (m_vertices.empty())
        return false;
    const unsigned int n = numSegments();
    AcGePoint2d p = m_vertices.front().point;
    AcGeVector2d v1, v2;
    if (n > 0) {
        // Past the end wraps round for the pieces of a closed polyline.
        double t = m_closed ? std::fmod(param, static_cast<double>(n)) : param;
        if (m_closed && param > 0.0 && t == 0.0 && param >= n)
            t = n;
        const unsigned int i = std::min(static_cast<unsigned int>(std::max(0.0, std::floor(t))), n - 1);
        const Vertex& v = m_vertices[i];
        dh::db::evalBulgeSegment(v.point, vertexAfter(i).point, v.bulge, t - i, p, &v1, &v2);
    }
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    point = toWorld(p);
    if (d1)
        *d1 = x * v1.x + y * v1.y;
    if (d2)
        *d2 = x * v2.x + y * v2.y;
    return true;
}

AcDbCurve* AcDbPolyline::makePiece(double t0, double t1) const
{
    const unsigned int n = numSegments();
    if (n == 0)
        return nullptr;
    auto* piece = new AcDbPolyline(*this);
    piece->m_closed = false;
    piece->m_vertices.clear();
    auto pointAt = [&](double t) {
        AcGePoint3d world;
        evaluate(t, world);
        AcGeVector3d x, y;
        dh::db::ecsAxes(m_normal, x, y);
        const AcGeVector3d v = world.asVector();
        return AcGePoint2d(v.dotProduct(x), v.dotProduct(y));
    };
    const double eps = 1e-12 * std::max(1.0, t1);
    Vertex last;
    for (double k = std::floor(t0); k < t1 - eps; k += 1.0) {
        const double a = std::max(t0, k), b = std::min(t1, k + 1.0);
        if (b - a <= eps)
            continue;
        const Vertex& src = m_vertices[static_cast<unsigned int>(k) % n];
        Vertex v;
        v.point = pointAt(a);
        v.bulge = std::tan(std::atan(src.bulge) * (b - a));
        v.startWidth = src.startWidth + (src.endWidth - src.startWidth) * (a - k);
        v.endWidth = src.startWidth + (src.endWidth - src.startWidth) * (b - k);
        piece->m_vertices.push_back(v);
        last = v;
    }
    Vertex end;
    end.point = pointAt(t1);
    end.startWidth = end.endWidth = last.endWidth;
    piece->m_vertices.push_back(end);
    return piece;
}

Acad::ErrorStatus AcDbPolyline::getArea(double& area) const
{
    double sum = 0.0;
    const auto n = numVerts();
    for (unsigned int i = 0; i < n; ++i) {
        const AcGePoint2d& a = m_vertices[i].point;
        const AcGePoint2d& b = m_vertices[(i + 1) % n].point;
        sum += a.x * b.y - b.x * a.y;
    }
    sum *= 0.5;
    for (unsigned int i = 0; i < numSegments(); ++i) {
        const Vertex& v = m_vertices[i];
        if (v.bulge == 0.0 || v.point.isEqualTo(vertexAfter(i).point))
            continue;
        const BulgeArc a = bulgeArc(v.point, vertexAfter(i).point, v.bulge);
        sum += 0.5 * a.radius * a.radius * (a.sweep - std::sin(a.sweep));
    }
    area = std::fabs(sum);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getSpline(AcDbSpline*& spline) const
{
    if (numSegments() == 0)
        return Acad::eDegenerateGeometry;
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    dh::db::NurbsBuilder builder;
    for (unsigned int i = 0; i < numSegments(); ++i) {
        const Vertex& v = m_vertices[i];
        const AcGePoint2d& next = vertexAfter(i).point;
        if (v.point.isEqualTo(next))
            continue;
        if (v.bulge == 0.0) {
            builder.addLine(toWorld(v.point), toWorld(next));
            continue;
        }
        const BulgeArc a = bulgeArc(v.point, next, v.bulge);
        builder.addArc(toWorld(a.center), x * a.radius, y * a.radius, a.startAngle, a.startAngle + a.sweep);
    }
    if (builder.isEmpty())
        return Acad::eDegenerateGeometry;
    spline = builder.makeSpline(m_closed);
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& extents) const
{
    const unsigned int segments = numSegments();
    if (segments == 0)
        return m_vertices.empty() ? Acad::eInvalidExtents : AcDbCurve::getGeomExtents(extents);
    // The vertices, and the extreme points of each arc segment between them.
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    const AcGeVector3d lift = m_normal * m_elevation;
    const bool plan = m_normal.x == 0.0 && m_normal.y == 0.0 && m_normal.z > 0.0;
    AcDbExtents box;
    for (const Vertex& v : m_vertices)
        box.addPoint(plan ? AcGePoint3d(v.point.x, v.point.y, 0.0) + lift : toWorld(v.point));
    for (unsigned int i = 0; i < segments; ++i) {
        const Vertex& v = m_vertices[i];
        const AcGePoint2d& next = m_vertices[(i + 1) % m_vertices.size()].point;
        if (v.bulge == 0.0 || v.point == next)
            continue;
        const BulgeArc a = bulgeArc(v.point, next, v.bulge);
        const AcGePoint3d center = AcGePoint3d::kOrigin + x * a.center.x + y * a.center.y + lift;
        dh::db::addArcExtremes(center, x, y, a.radius, a.startAngle, a.sweep, box);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& xform)
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
    if (!similar && hasBulges())
        return Acad::eNotApplicable;
    const AcGeVector3d normal = tn.normal();
    AcGeVector3d nx, ny;
    dh::db::ecsAxes(normal, nx, ny);
    double elevation = m_elevation;
    for (Vertex& v : m_vertices) {
        AcGePoint3d p = toWorld(v.point);
        p.transformBy(xform);
        const AcGeVector3d pv = p.asVector();
        elevation = pv.dotProduct(normal);
        v.point.set(pv.dotProduct(nx), pv.dotProduct(ny));
        v.startWidth *= sx;
        v.endWidth *= sx;
    }
    if (m_vertices.empty()) {
        AcGePoint3d origin = AcGePoint3d::kOrigin + m_normal * m_elevation;
        origin.transformBy(xform);
        elevation = origin.asVector().dotProduct(normal);
    }
    m_constantWidth *= sx;
    m_thickness *= sx;
    m_normal = normal;
    m_elevation = elevation;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::explode(AcDbVoidPtrArray& entities) const
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    for (unsigned int i = 0; i < numSegments(); ++i) {
        const Vertex& v = m_vertices[i];
        const AcGePoint2d& next = vertexAfter(i).point;
        if (v.point.isEqualTo(next))
            continue;
        AcDbCurve* part = nullptr;
        if (v.bulge == 0.0) {
            auto* line = new AcDbLine(toWorld(v.point), toWorld(next));
            line->setNormal(m_normal);
            line->setThickness(m_thickness);
            part = line;
        } else {
            const BulgeArc a = bulgeArc(v.point, next, v.bulge);
            const double start = a.sweep > 0.0 ? a.startAngle : a.startAngle + a.sweep;
            auto* arc = new AcDbArc(toWorld(a.center), m_normal, a.radius, start, start + std::fabs(a.sweep));
            arc->setThickness(m_thickness);
            part = arc;
        }
        part->setPropertiesFrom(this);
        entities.append(part);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbPolyline");
    filer->writeInt32(90, static_cast<std::int32_t>(numVerts()));
    filer->writeInt16(70, static_cast<std::int16_t>((m_closed ? 1 : 0) | (m_plinegen ? 128 : 0)));
    double constant = 0.0;
    const bool isConstant = constantWidth(constant) == Acad::eOk;
    filer->writeDouble(43, isConstant ? constant : 0.0);
    if (m_elevation != 0.0)
        filer->writeDouble(38, m_elevation);
    dh::db::writeThickness(filer, m_thickness);
    for (const Vertex& v : m_vertices) {
        filer->writePoint2d(10, v.point);
        if (!isConstant) {
            filer->writeDouble(40, v.startWidth);
            filer->writeDouble(41, v.endWidth);
        }
        if (v.bulge != 0.0)
            filer->writeDouble(42, v.bulge);
    }
    dh::db::writeNormal(filer, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    m_vertices.clear();
    return dh::db::readSubclass(filer, "AcDbPolyline", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 70:
            m_closed = (tag.integer & 1) != 0;
            m_plinegen = (tag.integer & 128) != 0;
            break;
        case 43:
            m_constantWidth = tag.real();
            for (Vertex& v : m_vertices)
                v.startWidth = v.endWidth = m_constantWidth;
            break;
        case 38: m_elevation = tag.real(); break;
        case 39: m_thickness = tag.real(); break;
        case 10: {
            Vertex v;
            v.point.set(tag.xyz[0], tag.xyz[1]);
            v.startWidth = v.endWidth = m_constantWidth;
            m_vertices.push_back(v);
            break;
        }
        case 40: if (!m_vertices.empty()) m_vertices.back().startWidth = tag.real(); break;
        case 41: if (!m_vertices.empty()) m_vertices.back().endWidth = tag.real(); break;
        case 42: if (!m_vertices.empty()) m_vertices.back().bulge = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    });
}
