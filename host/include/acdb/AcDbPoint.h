// AcDbPoint: a point entity at a world position.
#pragma once

#include <acdb/AcDbEntity.h>
#include <acge/AcGeVector3d.h>

class ADESK_EXPORT AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    ACDB_DECLARE_COPY_MEMBERS(AcDbPoint);

    AcDbPoint() = default;
    explicit AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Angle of the point's x axis in its plane, for point styles.
    double ecsRotation() const { return m_ecsRotation; }
    Acad::ErrorStatus setEcsRotation(double angle);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcGePoint3d m_position;
    double m_thickness = 0.0;
    double m_ecsRotation = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
};
