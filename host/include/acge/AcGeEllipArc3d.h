// AcGeEllipArc3d: an elliptical arc in space. The parameter t is the eccentric angle: the
// point is center + majorRadius cos t majorAxis + minorRadius sin t minorAxis, from
// startAng() to endAng() >= startAng(); the normal is majorAxis x minorAxis.
#pragma once

#include <acge/AcGeCurve3d.h>

class AcGeCircArc3d;

class ADESK_EXPORT AcGeEllipArc3d : public AcGeCurve3d {
public:
    AcGeEllipArc3d();
    explicit AcGeEllipArc3d(const AcGeCircArc3d& arc);
    AcGeEllipArc3d(const AcGePoint3d& center, const AcGeVector3d& majorAxis, const AcGeVector3d& minorAxis,
                   double majorRadius, double minorRadius);
    AcGeEllipArc3d(const AcGePoint3d& center, const AcGeVector3d& majorAxis, const AcGeVector3d& minorAxis,
                   double majorRadius, double minorRadius, double startAngle, double endAngle);

    AcGeEllipArc3d& set(const AcGePoint3d& center, const AcGeVector3d& majorAxis, const AcGeVector3d& minorAxis,
                        double majorRadius, double minorRadius, double startAngle, double endAngle);
    AcGeEllipArc3d& set(const AcGeCircArc3d& arc);

    AcGePoint3d center() const { return m_center; }
    AcGeVector3d majorAxis() const { return m_major; }
    AcGeVector3d minorAxis() const { return m_minor; }
    AcGeVector3d normal() const { return m_major.crossProduct(m_minor).normal(); }
    double majorRadius() const { return m_majorRadius; }
    double minorRadius() const { return m_minorRadius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    AcGePoint3d startPoint() const { return evalPoint(m_startAng); }
    AcGePoint3d endPoint() const { return evalPoint(m_endAng); }
    bool isCircular(const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(m_majorRadius - m_minorRadius) <= tol.equalPoint();
    }

    AcGeEllipArc3d& setCenter(const AcGePoint3d& center);
    AcGeEllipArc3d& setMajorRadius(double radius);
    AcGeEllipArc3d& setMinorRadius(double radius);
    AcGeEllipArc3d& setAxes(const AcGeVector3d& majorAxis, const AcGeVector3d& minorAxis);
    AcGeEllipArc3d& setAngles(double startAngle, double endAngle);

    AcGe::EntityId type() const override { return AcGe::kEllipArc3d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kEllipArc3d || AcGeCurve3d::isKindOf(id); }
    AcGeEllipArc3d* copy() const override { return new AcGeEllipArc3d(*this); }
    AcGeEllipArc3d& transformBy(const AcGeMatrix3d& xform) override;
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(m_startAng, m_endAng); }
    AcGePoint3d evalPoint(double param) const override;
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const override;
    AcGeEllipArc3d& reverseParam() override;
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint3d& pnt, bool extend = false) const override;
    // With extend, the whole circle or ellipse is searched.
    double projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                              bool extend = false) const override;
    void getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override;

private:
    AcGePoint3d m_center;
    AcGeVector3d m_major{1.0, 0.0, 0.0};
    AcGeVector3d m_minor{0.0, 1.0, 0.0};
    double m_majorRadius = 1.0;
    double m_minorRadius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586476925286766559;
};
