// AcGeCircArc2d: a circular arc in the plane. The parameter is the angle in radians,
// measured from the reference vector counter-clockwise, or clockwise for a clockwise arc;
// the arc runs from startAng() to endAng() >= startAng() in its own direction. A full
// circle spans 2 pi. Beyond its angles the arc extends along its circle.
#pragma once

#include <acge/AcGeCurve2d.h>

class AcGeLinearEnt2d;

class ADESK_EXPORT AcGeCircArc2d : public AcGeCurve2d {
public:
    // The unit circle at the origin.
    AcGeCircArc2d();
    AcGeCircArc2d(const AcGePoint2d& center, double radius);
    AcGeCircArc2d(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                  const AcGeVector2d& refVec = AcGeVector2d::kXAxis, bool isClockWise = false);
    // Through three points (counter-clockwise or clockwise as they turn); collinear points
    // leave the unit circle and set error, when given, to kDegenerateGeometry.
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point, const AcGePoint2d& endPoint);
    // From start point, end point and bulge. With bulgeFlag false the bulge is tan of a
    // quarter of the included angle, negative for a clockwise arc; with bulgeFlag true it is
    // the signed distance between the chord's middle and the arc. A zero bulge or equal
    // points give the unit circle.
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge, bool bulgeFlag = true);

    AcGeCircArc2d& set(const AcGePoint2d& center, double radius);
    AcGeCircArc2d& set(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                       const AcGeVector2d& refVec = AcGeVector2d::kXAxis, bool isClockWise = false);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& point, const AcGePoint2d& endPoint,
                       AcGe::ErrorCondition& error);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                       bool bulgeFlag, AcGe::ErrorCondition& error);

    AcGePoint2d center() const { return m_center; }
    double radius() const { return m_radius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    bool isClockWise() const { return m_clockWise; }
    AcGeVector2d refVec() const { return m_refVec; }
    AcGePoint2d startPoint() const { return evalPoint(m_startAng); }
    AcGePoint2d endPoint() const { return evalPoint(m_endAng); }

    AcGeCircArc2d& setCenter(const AcGePoint2d& center);
    AcGeCircArc2d& setRadius(double radius);
    // endAng below startAng is raised by whole turns.
    AcGeCircArc2d& setAngles(double startAngle, double endAngle);
    AcGeCircArc2d& setRefVec(const AcGeVector2d& vec);
    AcGeCircArc2d& setToComplement();
    // The angle of a point about the centre, in the arc's direction from refVec, in [0, 2pi).
    double angleOf(const AcGePoint2d& pnt) const;
    bool isInside(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGe::EntityId type() const override { return AcGe::kCircArc2d; }
    bool isKindOf(AcGe::EntityId id) const override { return id == AcGe::kCircArc2d || AcGeCurve2d::isKindOf(id); }
    AcGeCircArc2d* copy() const override { return new AcGeCircArc2d(*this); }
    AcGeCircArc2d& transformBy(const AcGeMatrix2d& xform) override;
    void getInterval(AcGeInterval& range) const override { range = AcGeInterval(m_startAng, m_endAng); }
    AcGePoint2d evalPoint(double param) const override;
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    AcGeCircArc2d& reverseParam() override;
    bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const override;
    double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint2d& pnt, bool extend = false) const override;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                         AcGeDoubleArray& paramArray) const override;
    using AcGeCurve2d::getSamplePoints;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length, bool posParamDir = true,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

private:
    AcGePoint2d m_center;
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 6.283185307179586476925286766559;
    AcGeVector2d m_refVec{1.0, 0.0};
    bool m_clockWise = false;
};
