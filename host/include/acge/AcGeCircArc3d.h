// AcGeCircArc3d: a circular arc in space: centre, unit normal, reference vector (in the
// arc's plane), radius and angles. The parameter is the angle measured from the reference
// vector counter-clockwise about the normal; the arc runs from startAng() to
// endAng() >= startAng(). A full circle spans 2 pi. Beyond its angles the arc extends along
// its circle.
#pragma once

#include <acge/AcGeCurve3d.h>

class ADESK_EXPORT AcGeCircArc3d : public AcGeCurve3d {
public:
    // The unit circle at the origin in the XY plane.
    AcGeCircArc3d();
    // A full circle; the reference vector is the normal's arbitrary-axis X direction.
    AcGeCircArc3d(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    AcGeCircArc3d(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& refVec, double radius,
                  double startAngle, double endAngle);
    // Through three points; collinear points leave the unit circle.
    AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& point, const AcGePoint3d& endPoint);

    AcGeCircArc3d& set(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    AcGeCircArc3d& set(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& refVec,
                       double radius, double startAngle, double endAngle);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& point, const AcGePoint3d& endPoint,
                       AcGe::ErrorCondition& error);

    AcGePoint3d center() const { return m_center; }
    AcGeVector3d normal() const { return m_normal; }
    AcGeVector3d refVec() const { return m_refVec; }
    double radius() const { return m_radius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    AcGePoint3d startPoint() const { return evalPoint(m_startAng); }
    AcGePoint3d endPoint() const { return evalPoint(m_endAng); }
    AcGePlane getPlane() const;

    AcGeCircArc3d& setCenter(const AcGePoint3d& center);
    // refVec is projected into the plane of the normal.
    AcGeCircArc3d& setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec);
    AcGeCircArc3d& setRadius(double radius);
    AcGeCircArc3d& setAngles(double startAngle, double endAngle);
    // The angle of a point (projected into the arc's plane) from refVec about the normal, in [0, 2pi).
    double angleOf(const AcGePoint3d& pnt) const;

    AcGe::EntityId type() const override { return AcGe::kCircArc3d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kCircArc3d || AcGeCurve3d::isKindOf(id); }
    AcGeCircArc3d* copy() const override { return new AcGeCircArc3d(*this); }
    AcGeCircArc3d& transformBy(const AcGeMatrix3d& xform) override;
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(m_startAng, m_endAng); }
    AcGePoint3d evalPoint(double param) const override;
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const override;
    AcGeCircArc3d& reverseParam() override;
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint3d& pnt, bool extend = false) const override;
    // With extend, the whole circle or ellipse is searched.
    double projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                              bool extend = false) const override;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                         AcGeDoubleArray& paramArray) const override;
    using AcGeCurve3d::getSamplePoints;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length, bool posParamDir = true,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    void getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const override;
    AcGeCurve2d* convertTo2d(const AcGePlanarEnt& plane = AcGePlane::kXYPlane) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override;

private:
    AcGePoint3d m_center;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    AcGeVector3d m_refVec{1.0, 0.0, 0.0};
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586476925286766559;
};
