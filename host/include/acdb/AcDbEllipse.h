// AcDbEllipse: an ellipse or elliptical arc. Points are center + cos t · major axis +
// sin t · minor axis, where the minor axis is normal × major axis × radius ratio; the
// parameter is that parametric angle t, running from the start to the end parameter
// (end above start, at most 2π apart). Angles (startAngle, endAngle) are polar angles from
// the major axis; the two are converted with paramAtAngle/angleAtParam.
#pragma once

#include <acdb/AcDbCurve.h>

class ADESK_EXPORT AcDbEllipse : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbEllipse);
    ACDB_DECLARE_COPY_MEMBERS(AcDbEllipse);

    AcDbEllipse() = default;
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startAngle = 0.0, double endAngle = 6.28318530717958647692);

    // eInvalidInput for a ratio outside (0, 1], a zero axis or an axis along the normal.
    Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                          double radiusRatio, double startAngle = 0.0, double endAngle = 6.28318530717958647692);

    AcGePoint3d center() const { return m_center; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    AcGeVector3d normal() const { return m_normal; }
    AcGeVector3d majorAxis() const { return m_major; }
    AcGeVector3d minorAxis() const;
    double radiusRatio() const { return m_ratio; }
    Acad::ErrorStatus setRadiusRatio(double ratio);
    double startAngle() const { return angleAtParam(m_startParam); }
    double endAngle() const { return angleAtParam(m_endParam); }
    Acad::ErrorStatus setStartAngle(double angle) { return setStartParam(paramAtAngle(angle)); }
    Acad::ErrorStatus setEndAngle(double angle) { return setEndParam(paramAtAngle(angle)); }
    double startParam() const { return m_startParam; }
    double endParam() const { return m_endParam; }
    Acad::ErrorStatus setStartParam(double param);
    Acad::ErrorStatus setEndParam(double param);
    double paramAtAngle(double angle) const;
    double angleAtParam(double param) const;

    bool isClosed() const override;
    bool isPeriodic() const override { return isClosed(); }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;

    // Any affine transform: the axes are found again from the image.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;
    int splitValuesToOpen() const override { return 2; }

private:
    void setParams(double start, double end);

    AcGePoint3d m_center;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    AcGeVector3d m_major{1.0, 0.0, 0.0};
    double m_ratio = 1.0;
    double m_startParam = 0.0;
    double m_endParam = 6.28318530717958647692;
};
