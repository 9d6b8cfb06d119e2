// AcDbCircle: a full circle in the plane of its normal. Its parameter is the angle from
// the plane's x axis (the drawing format's arbitrary-axis rule), 0 … 2π; it is closed and
// periodic. Split at two or more angles it gives arcs.
#pragma once

#include <acdb/AcDbCurve.h>

class ADESK_EXPORT AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    ACDB_DECLARE_COPY_MEMBERS(AcDbCircle);

    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);

    AcGePoint3d center() const { return m_center; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const { return m_radius; }
    Acad::ErrorStatus setRadius(double radius);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    double circumference() const;
    Acad::ErrorStatus setCircumference(double length);
    double diameter() const { return 2.0 * m_radius; }
    Acad::ErrorStatus setDiameter(double diameter) { return setRadius(0.5 * diameter); }

    bool isClosed() const override { return true; }
    bool isPeriodic() const override { return true; }
    using AcDbCurve::getClosestPointTo;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        bool extend = false) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;
    int splitValuesToOpen() const override { return 2; }

private:
    AcGePoint3d m_center;
    double m_radius = 0.0;
    double m_thickness = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
};
