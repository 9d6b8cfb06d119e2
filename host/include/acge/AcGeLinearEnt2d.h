// AcGeLinearEnt2d: base of the planar straight curves. The point at parameter t is
// pointOnLine() + t * (the defining vector), so a segment runs from t = 0 to t = 1.
#pragma once

#include <acge/AcGeCurve2d.h>

class AcGeLine2d;

class ADESK_EXPORT AcGeLinearEnt2d : public AcGeCurve2d {
public:
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kLinearEnt2d || AcGeCurve2d::isKindOf(id);
    }

    AcGePoint2d pointOnLine() const { return m_point; }
    // Unit direction.
    AcGeVector2d direction() const { return m_vector.normal(); }
    void getLine(AcGeLine2d& line) const;

    bool isParallelTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isColinearTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    // The crossing of the two within both their intervals; false for parallel lines.
    bool intersectWith(const AcGeLinearEnt2d& other, AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint2d evalPoint(double param) const override { return m_point + m_vector * param; }
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    AcGeLinearEnt2d& transformBy(const AcGeMatrix2d& xform) override;
    double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint2d& pnt, bool extend = false) const override;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                         AcGeDoubleArray& paramArray) const override;
    using AcGeCurve2d::getSamplePoints;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length, bool posParamDir = true,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

    // The defining vector: its length is the parameter scale.
    AcGeVector2d vector() const { return m_vector; }

protected:
    AcGeLinearEnt2d() = default;
    AcGeLinearEnt2d(const AcGePoint2d& point, const AcGeVector2d& vector) : m_point(point), m_vector(vector) {}

    AcGePoint2d m_point;
    AcGeVector2d m_vector{1.0, 0.0};
};
