// AcDbLine: a straight segment between two world points. Its parameter is the distance
// from the start point (0 … length); extend counts it as the infinite line.
#pragma once

#include <acdb/AcDbCurve.h>

class ADESK_EXPORT AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    ACDB_DECLARE_COPY_MEMBERS(AcDbLine);

    AcDbLine() = default;
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

    AcGePoint3d startPoint() const { return m_start; }
    AcGePoint3d endPoint() const { return m_end; }
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        bool extend = false) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, const AcGeVector3d& normal,
                                        AcGePoint3d& pointOnCurve, bool extend = false) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus extend(double newParam) override;
    Acad::ErrorStatus extend(bool extendStart, const AcGePoint3d& toPoint) override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;

private:
    AcGePoint3d m_start;
    AcGePoint3d m_end;
    double m_thickness = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
};
