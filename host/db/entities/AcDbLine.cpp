#include <acdb/AcDbLine.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/DxfFields.h"
#include "host/db/entities/NurbsBuilder.h"

#include <acge/AcGeMatrix3d.h>

#include <cmath>

ACRX_DEFINE_MEMBERS(AcDbLine, AcDbCurve)

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_start = point;
    return es;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_end = point;
    return es;
}

Acad::ErrorStatus AcDbLine::setThickness(double thickness)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_thickness = thickness;
    return es;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDbLine::getStartParam(double& param) const
{
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndParam(double& param) const
{
    param = m_start.distanceTo(m_end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& point) const
{
    point = m_start;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& point) const
{
    point = m_end;
    return Acad::eOk;
}

void AcDbLine::getSpans(std::vector<Span>& spans) const
{
    spans.assign(1, Span{0.0, m_start.distanceTo(m_end), true});
}

bool AcDbLine::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    const AcGeVector3d v = m_end - m_start;
    const double len = v.length();
    const AcGeVector3d dir = len > 0.0 ? v / len : AcGeVector3d();
    point = len > 0.0 && param == len ? m_end : m_start + dir * param;
    if (d1)
        *d1 = dir;
    if (d2)
        *d2 = AcGeVector3d();
    return true;
}

AcDbCurve* AcDbLine::makePiece(double t0, double t1) const
{
    auto* piece = new AcDbLine(*this);
    evaluate(t0, piece->m_start);
    evaluate(t1, piece->m_end);
    return piece;
}

// Closest point on the unbounded line, distances measured across `normal` when given.
static AcGePoint3d closestOnInfiniteLine(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& q,
                                         const AcGeVector3d* normal)
{
    AcGeVector3d d = b - a;
    AcGeVector3d r = q - a;
    if (normal) {
        const AcGeVector3d n = normal->normal();
        d -= n * d.dotProduct(n);
        r -= n * r.dotProduct(n);
    }
    const double dd = d.lengthSqrd();
    if (dd == 0.0)
        return a;
    return a + (b - a) * (r.dotProduct(d) / dd);
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                              bool extend) const
{
    if (!extend)
        return AcDbCurve::getClosestPointTo(givenPoint, pointOnCurve, false);
    pointOnCurve = closestOnInfiniteLine(m_start, m_end, givenPoint, nullptr);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPoint, const AcGeVector3d& normal,
                                              AcGePoint3d& pointOnCurve, bool extend) const
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    if (!extend)
        return AcDbCurve::getClosestPointTo(givenPoint, normal, pointOnCurve, false);
    pointOnCurve = closestOnInfiniteLine(m_start, m_end, givenPoint, &normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getSpline(AcDbSpline*& spline) const
{
    dh::db::NurbsBuilder builder;
    builder.addLine(m_start, m_end);
    spline = builder.makeSpline(false);
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getArea(double& area) const
{
    area = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::extend(double newParam)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    const double len = m_start.distanceTo(m_end);
    if (len == 0.0 || !std::isfinite(newParam))
        return Acad::eInvalidInput;
    const AcGePoint3d p = m_start + (m_end - m_start) * (newParam / len);
    if (newParam < 0.0)
        m_start = p;
    else if (newParam > len)
        m_end = p;
    else
        return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::extend(bool extendStart, const AcGePoint3d& toPoint)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    // The new end must lie on the line's own extension.
    const AcGePoint3d onLine = closestOnInfiniteLine(m_start, m_end, toPoint, nullptr);
    if (onLine.distanceTo(toPoint) > onCurveTolerance())
        return Acad::eInvalidInput;
    (extendStart ? m_start : m_end) = toPoint;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const
{
    AcDbExtents box;
    box.addPoint(m_start);
    box.addPoint(m_end);
    if (m_thickness != 0.0) {
        box.addPoint(m_start + m_normal * m_thickness);
        box.addPoint(m_end + m_normal * m_thickness);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_start.transformBy(xform);
    m_end.transformBy(xform);
    AcGeVector3d n = m_normal * (m_thickness == 0.0 ? 1.0 : m_thickness);
    n.transformBy(xform);
    if (!n.isZeroLength()) {
        if (m_thickness != 0.0)
            m_thickness = n.length();
        m_normal = n.normal();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbLine");
    dh::db::writeThickness(filer, m_thickness);
    filer->writePoint3d(10, m_start);
    filer->writePoint3d(11, m_end);
    dh::db::writeNormal(filer, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDbLine", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_start = dh::db::tagPoint(tag); break;
        case 11: m_end = dh::db::tagPoint(tag); break;
        case 39: m_thickness = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    });
}
