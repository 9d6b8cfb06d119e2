#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbSpline.h>

#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/NurbsBuilder.h"

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbCircle, AcDbCurve)

using dh::db::ecsAxes;

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : m_center(center), m_radius(radius), m_normal(normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal())
{
}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_center = center;
    return es;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius)
{
    if (!(radius > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_radius = radius;
    return es;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDbCircle::setThickness(double thickness)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_thickness = thickness;
    return es;
}

double AcDbCircle::circumference() const
{
    return 2.0 * std::numbers::pi * m_radius;
}

Acad::ErrorStatus AcDbCircle::setCircumference(double length)
{
    return setRadius(length / (2.0 * std::numbers::pi));
}

void AcDbCircle::getSpans(std::vector<Span>& spans) const
{
    spans.assign(1, Span{0.0, 2.0 * std::numbers::pi, true});
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const
{
    AcGeVector3d x, y;
    ecsAxes(m_normal, x, y);
    AcDbExtents box;
    dh::db::addArcExtremes(m_center, x, y, m_radius, 0.0, 2.0 * std::numbers::pi, box);
    if (box.isEmpty())
        box.addPoint(m_center);
    extents = box;
    return Acad::eOk;
}

bool AcDbCircle::evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2) const
{
    dh::db::evalCircle(m_center, m_normal, m_radius, param, point, d1, d2);
    return true;
}

AcDbCurve* AcDbCircle::makePiece(double t0, double t1) const
{
    auto* arc = new AcDbArc(m_center, m_normal, m_radius, t0, t1);
    arc->setThickness(m_thickness);
    return arc;
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                                bool) const
{
    // In the circle's plane the nearest point lies on the ray from the centre.
    AcGeVector3d v = givenPoint - m_center;
    v -= m_normal * v.dotProduct(m_normal);
    if (v.isZeroLength()) {
        AcGeVector3d x, y;
        ecsAxes(m_normal, x, y);
        v = x;
    }
    pointOnCurve = m_center + v.normal() * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getSpline(AcDbSpline*& spline) const
{
    AcGeVector3d x, y;
    ecsAxes(m_normal, x, y);
    dh::db::NurbsBuilder builder;
    builder.addArc(m_center, x * m_radius, y * m_radius, 0.0, 2.0 * std::numbers::pi);
    spline = builder.makeSpline(true);
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const
{
    area = std::numbers::pi * m_radius * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGePoint3d center = m_center;
    AcGeVector3d normal = m_normal;
    double radius = m_radius, offset = 0.0;
    if (!dh::db::transformCircle(xform, center, normal, radius, offset))
        return Acad::eNotApplicable;
    m_thickness *= m_radius > 0.0 ? radius / m_radius : 1.0;
    m_center = center;
    m_normal = normal;
    m_radius = radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbCircle");
    dh::db::writeThickness(filer, m_thickness);
    // The file holds the centre in the circle's own coordinate system.
    filer->writePoint3d(10, AcGePoint3d(m_center).transformBy(AcGeMatrix3d::worldToPlane(m_normal)));
    filer->writeDouble(40, m_radius);
    dh::db::writeNormal(filer, m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d ocsCenter;
    es = dh::db::readSubclass(filer, "AcDbCircle", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: ocsCenter = dh::db::tagPoint(tag); break;
        case 40: m_radius = tag.real(); break;
        case 39: m_thickness = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    });
    m_center = ocsCenter.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    return es;
}
