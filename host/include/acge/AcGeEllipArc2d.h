// AcGeEllipArc2d: an elliptical arc in the plane. The parameter t is the eccentric angle:
// the point is center + majorRadius cos t majorAxis + minorRadius sin t minorAxis, from
// startAng() to endAng() >= startAng(). The minor axis is the major axis turned a quarter
// counter-clockwise, or clockwise for a clockwise arc.
#pragma once

#include <acge/AcGeCurve2d.h>

class AcGeCircArc2d;

class ADESK_EXPORT AcGeEllipArc2d : public AcGeCurve2d {
public:
    AcGeEllipArc2d();
    explicit AcGeEllipArc2d(const AcGeCircArc2d& arc);
    AcGeEllipArc2d(const AcGePoint2d& center, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius);
    AcGeEllipArc2d(const AcGePoint2d& center, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius, double startAngle, double endAngle);

    AcGeEllipArc2d& set(const AcGePoint2d& center, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                        double majorRadius, double minorRadius, double startAngle, double endAngle);
    AcGeEllipArc2d& set(const AcGeCircArc2d& arc);

    AcGePoint2d center() const { return m_center; }
    AcGeVector2d majorAxis() const { return m_major; }
    AcGeVector2d minorAxis() const { return m_minor; }
    double majorRadius() const { return m_majorRadius; }
    double minorRadius() const { return m_minorRadius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    AcGePoint2d startPoint() const { return evalPoint(m_startAng); }
    AcGePoint2d endPoint() const { return evalPoint(m_endAng); }
    bool isClockWise() const { return m_major.crossProduct(m_minor) < 0.0; }
    bool isCircular(const AcGeTol& tol = AcGeContext::gTol) const
    {
        return std::fabs(m_majorRadius - m_minorRadius) <= tol.equalPoint();
    }

    AcGeEllipArc2d& setCenter(const AcGePoint2d& center);
    AcGeEllipArc2d& setMajorRadius(double radius);
    AcGeEllipArc2d& setMinorRadius(double radius);
    AcGeEllipArc2d& setAxes(const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis);
    AcGeEllipArc2d& setAngles(double startAngle, double endAngle);

    AcGe::EntityId type() const override { return AcGe::kEllipArc2d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kEllipArc2d || AcGeCurve2d::isKindOf(id); }
    AcGeEllipArc2d* copy() const override { return new AcGeEllipArc2d(*this); }
    // Any affine transformation; the parameter of a point may shift when the axes turn.
    AcGeEllipArc2d& transformBy(const AcGeMatrix2d& xform) override;
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(m_startAng, m_endAng); }
    AcGePoint2d evalPoint(double param) const override;
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    AcGeEllipArc2d& reverseParam() override;
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint2d& pnt, bool extend = false) const override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override;

private:
    AcGePoint2d m_center;
    AcGeVector2d m_major{1.0, 0.0};
    AcGeVector2d m_minor{0.0, 1.0};
    double m_majorRadius = 1.0;
    double m_minorRadius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586476925286766559;
};
