// AcGeLinearEnt3d: base of the straight curves in space. The point at parameter t is
// pointOnLine() + t * (the defining vector), so a segment runs from t = 0 to t = 1.
#pragma once

#include <acge/AcGeCurve3d.h>

class AcGeLine3d;

class ADESK_EXPORT AcGeLinearEnt3d : public AcGeCurve3d {
public:
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kLinearEnt3d || AcGeCurve3d::isKindOf(id);
    }

    AcGePoint3d pointOnLine() const { return m_point; }
    AcGeVector3d direction() const { return m_vector.normal(); }
    void getLine(AcGeLine3d& line) const;

    bool isParallelTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d evalPoint(double param) const override { return m_point + m_vector * param; }
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const override;
    AcGeLinearEnt3d& transformBy(const AcGeMatrix3d& xform) override;
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    double closestParamTo(const AcGePoint3d& pnt, bool extend = false) const override;
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

    AcGeVector3d vector() const { return m_vector; }

protected:
    AcGeLinearEnt3d() = default;
    AcGeLinearEnt3d(const AcGePoint3d& point, const AcGeVector3d& vector) : m_point(point), m_vector(vector) {}

    AcGePoint3d m_point;
    AcGeVector3d m_vector{1.0, 0.0, 0.0};
};
