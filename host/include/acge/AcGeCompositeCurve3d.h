// AcGeCompositeCurve3d: an ordered chain of curves in space. The composite references its
// components and does not own them: whoever built the list frees the curves (copy() makes
// new components that the caller of copy() owns likewise).
//
// Global parameter p lies on component floor(p) at the local parameter that divides its
// interval in the ratio p - floor(p); a line segment (0 to 1) therefore has local
// parameter p - floor(p). The chain's interval is [0, number of components]. As for the 2D
// chain, a component changed through its own pointer needs setCurveList again.
#pragma once

#include <acge/AcGeCurve3d.h>

#include <memory>

namespace dh::ge {
struct ProjectedChain;
}

class ADESK_EXPORT AcGeCompositeCurve3d : public AcGeCurve3d {
public:
    AcGeCompositeCurve3d() = default;
    explicit AcGeCompositeCurve3d(const AcGeVoidPointerArray& curveList);
    explicit AcGeCompositeCurve3d(const AcGeCurve3dPtrArray& curveList);

    void getCurveList(AcGeVoidPointerArray& curveList) const;
    void getCurveList(AcGeCurve3dPtrArray& curveList) const;
    AcGeCompositeCurve3d& setCurveList(const AcGeVoidPointerArray& curveList);
    AcGeCompositeCurve3d& setCurveList(const AcGeCurve3dPtrArray& curveList);
    int numCurves() const { return m_curves.length(); }
    const AcGeCurve3d* curveAt(int index) const { return m_curves[index]; }

    double globalToLocalParam(double param, int& segNum) const;
    double localToGlobalParam(double param, int segNum) const;

    AcGe::EntityId type() const override { return AcGe::kCompositeCrv3d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kCompositeCrv3d || AcGeCurve3d::isKindOf(id);
    }
    AcGeCompositeCurve3d* copy() const override;
    AcGeCompositeCurve3d& transformBy(const AcGeMatrix3d& xform) override;
    void getInterval(AcGeInterval& range) const override;
    AcGePoint3d evalPoint(double param) const override;
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const override;
    AcGeCompositeCurve3d& reverseParam() override;
    bool hasStartPoint(AcGePoint3d& startPoint) const override;
    bool hasEndPoint(AcGePoint3d& endPoint) const override;
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

    // The components seen in a plane, prepared and indexed for intersection queries; kept
    // for the last plane asked.
    const dh::ge::ProjectedChain& projectedIndex(const AcGePlanarEnt& plane) const;

private:
    void rebuild();
    // The component's global parameter for a local one, for any closest-point search.
    double nearestOverComponents(const AcGePoint3d& pnt, const AcGeVector3d* dir, bool extend) const;

    AcGeCurve3dPtrArray m_curves;
    AcGeDoubleArray m_lower;
    AcGeDoubleArray m_upper;
    mutable std::shared_ptr<const dh::ge::ProjectedChain> m_projected;
};
