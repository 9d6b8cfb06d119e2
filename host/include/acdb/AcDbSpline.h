// AcDbSpline: a NURBS curve, optionally with the fit data it was made from. Its parameter
// is the knot value, from the first to the last knot of the clamped range (the degree's
// knot at each end). Fit data alone is interpolated into control points when set; setting
// NURBS data drops the fit data, as editing control points does.
#pragma once

#include <acdb/AcDbCurve.h>

#include <memory>

class AcGeNurbCurve3d;

class ADESK_EXPORT AcDbSpline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbSpline);

    AcDbSpline();
    AcDbSpline(const AcDbSpline& other);
    AcDbSpline& operator=(const AcDbSpline& other);
    ~AcDbSpline() override;
    ACDB_DECLARE_COPY_MEMBERS(AcDbSpline);

    // Through fit points, with the order (degree + 1) and fit tolerance given.
    AcDbSpline(const AcGePoint3dArray& fitPoints, int order = 4, double fitTolerance = 0.0);
    AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent, const AcGeVector3d& endTangent,
               int order = 4, double fitTolerance = 0.0);
    AcDbSpline(int degree, bool rational, bool closed, bool periodic, const AcGePoint3dArray& controlPoints,
               const AcGeDoubleArray& knots, const AcGeDoubleArray& weights, double controlPtTol = 0.0,
               double knotTol = 0.0);

    int degree() const { return m_degree; }
    bool isRational() const { return m_rational; }
    bool isClosed() const override;
    bool isPeriodic() const override { return m_periodic; }
    int numControlPoints() const { return m_controlPoints.length(); }
    Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& point) const;
    Acad::ErrorStatus setControlPointAt(int index, const AcGePoint3d& point);
    Acad::ErrorStatus getWeightAt(int index, double& weight) const;
    int numFitPoints() const { return m_fitPoints.length(); }
    Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& point) const;
    double fitTolerance() const { return m_fitTolerance; }

    Acad::ErrorStatus getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                   AcGePoint3dArray& controlPoints, AcGeDoubleArray& knots,
                                   AcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const;
    // eInvalidInput unless knots = control points + degree + 1, knots never decrease and
    // weights (when rational) are positive and one per control point.
    Acad::ErrorStatus setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                   const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots,
                                   const AcGeDoubleArray& weights, double controlPtTol = 0.0,
                                   double knotTol = 0.0);
    bool hasFitData() const { return !m_fitPoints.isEmpty(); }
    // eNotApplicable for a spline without fit data.
    Acad::ErrorStatus getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                 bool& tangentsExist, AcGeVector3d& startTangent, AcGeVector3d& endTangent) const;
    // Interpolates the fit points (at least two, degree 1 to 3 … higher degrees use 3).
    Acad::ErrorStatus setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                 const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
    Acad::ErrorStatus purgeFitData();

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;

private:
    void rebuildCurve();

    int m_degree = 3;
    bool m_rational = false;
    bool m_closed = false;
    bool m_periodic = false;
    AcGePoint3dArray m_controlPoints;
    AcGeDoubleArray m_knots;
    AcGeDoubleArray m_weights;
    double m_controlPtTol = 1e-10;
    double m_knotTol = 1e-10;
    AcGePoint3dArray m_fitPoints;
    double m_fitTolerance = 0.0;
    bool m_tangentsExist = false;
    AcGeVector3d m_startTangent;
    AcGeVector3d m_endTangent;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    // The kernel curve of the data above, rebuilt whenever it changes.
    std::unique_ptr<AcGeNurbCurve3d> m_curve;
};
