// AcGeCompositeCurve2d: an ordered chain of planar curves. The composite references its
// components and does not own them: whoever built the list frees the curves (copy() makes
// new components that the caller of copy() owns likewise).
//
// The global parameter is the arc length from the start of the chain; component i covers
// [localToGlobalParam(start of i, i), localToGlobalParam(end of i, i)]. Lengths and the
// intersection index are computed when the list is set: a component changed through its
// own pointer afterwards needs setCurveList again.
#pragma once

#include <acge/AcGeCurve2d.h>

#include <memory>

namespace dh::ge {
class ChainIndex;
}

class ADESK_EXPORT AcGeCompositeCurve2d : public AcGeCurve2d {
public:
    AcGeCompositeCurve2d();
    explicit AcGeCompositeCurve2d(const AcGeVoidPointerArray& curveList);
    explicit AcGeCompositeCurve2d(const AcGeCurve2dPtrArray& curveList);
    AcGeCompositeCurve2d(const AcGeCompositeCurve2d& other);
    AcGeCompositeCurve2d& operator=(const AcGeCompositeCurve2d& other);
    ~AcGeCompositeCurve2d() override;

    void getCurveList(AcGeVoidPointerArray& curveList) const;
    void getCurveList(AcGeCurve2dPtrArray& curveList) const;
    AcGeCompositeCurve2d& setCurveList(const AcGeVoidPointerArray& curveList);
    AcGeCompositeCurve2d& setCurveList(const AcGeCurve2dPtrArray& curveList);
    int numCurves() const { return m_curves.length(); }
    const AcGeCurve2d* curveAt(int index) const { return m_curves[index]; }

    // The local parameter on component segNum (set) for a global parameter.
    double globalToLocalParam(double param, int& segNum) const;
    double localToGlobalParam(double param, int segNum) const;

    AcGe::EntityId type() const override { return AcGe::kCompositeCrv2d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kCompositeCrv2d || AcGeCurve2d::isKindOf(id);
    }
    // Deep copy: the new composite refers to new copies of the components.
    AcGeCompositeCurve2d* copy() const override;
    // Transforms the components in place.
    AcGeCompositeCurve2d& transformBy(const AcGeMatrix2d& xform) override;
    void getInterval(AcGeInterval& range) const override;
    AcGePoint2d evalPoint(double param) const override;
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    // Reverses the order and each component in place.
    AcGeCompositeCurve2d& reverseParam() override;
    bool hasStartPoint(AcGePoint2d& startPoint) const override;
    bool hasEndPoint(AcGePoint2d& endPoint) const override;
    double closestParamTo(const AcGePoint2d& pnt, bool extend = false) const override;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                         AcGeDoubleArray& paramArray) const override;
    using AcGeCurve2d::getSamplePoints;
    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const override;
    double paramAtLength(double datumParam, double length, bool posParamDir = true,
                         double tol = AcGeContext::gTol.equalPoint()) const override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

    // The components prepared and indexed for intersection queries; built on first use.
    const dh::ge::ChainIndex& componentIndex() const;

private:
    void rebuild();
    double componentLength(int i) const { return m_starts[i + 1] - m_starts[i]; }

    AcGeCurve2dPtrArray m_curves;
    AcGeDoubleArray m_starts; // global start of each component, then the total length
    AcGeDoubleArray m_lower;  // local interval of each component
    AcGeDoubleArray m_upper;
    mutable std::shared_ptr<const dh::ge::ChainIndex> m_index;
};
