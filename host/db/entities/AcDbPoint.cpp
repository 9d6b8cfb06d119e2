#include <acdb/AcDbPoint.h>

#include "host/db/entities/DxfFields.h"

#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbPoint, AcDbEntity)

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& position)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_position = position;
    return es;
}

Acad::ErrorStatus AcDbPoint::setThickness(double thickness)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_thickness = thickness;
    return es;
}

Acad::ErrorStatus AcDbPoint::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDbPoint::setEcsRotation(double angle)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_ecsRotation = angle;
    return es;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const
{
    extents.set(m_position, m_position);
    if (m_thickness != 0.0)
        extents.addPoint(m_position + m_normal * m_thickness);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_position.transformBy(xform);
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (!n.isZeroLength())
        m_normal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbPoint");
    filer->writePoint3d(10, m_position);
    dh::db::writeThickness(filer, m_thickness);
    dh::db::writeNormal(filer, m_normal);
    if (m_ecsRotation != 0.0)
        filer->writeDouble(50, m_ecsRotation * 180.0 / std::numbers::pi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    return dh::db::readSubclass(filer, "AcDbPoint", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_position = dh::db::tagPoint(tag); break;
        case 39: m_thickness = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 50: m_ecsRotation = tag.real() * std::numbers::pi / 180.0; break;
        default: break;
        }
    });
}
