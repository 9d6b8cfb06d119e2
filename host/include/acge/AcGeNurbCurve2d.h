// AcGeNurbCurve2d: a non-uniform rational B-spline in the plane, with the same definition
// data, fit data and parameterisation as AcGeNurbCurve3d (it is one at z = 0).
#pragma once

#include <acge/AcGeCurve2d.h>
#include <acge/AcGeNurbCurve3d.h>

class ADESK_EXPORT AcGeNurbCurve2d : public AcGeCurve2d {
public:
    AcGeNurbCurve2d() = default;
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                    bool isPeriodic = false);
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& controlPoints,
                    const AcGeDoubleArray& weights, bool isPeriodic = false);
    AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeVector2d& startTangent,
                    const AcGeVector2d& endTangent, bool startTangentDefined = true, bool endTangentDefined = true,
                    const AcGeTol& fitTolerance = AcGeContext::gTol);
    explicit AcGeNurbCurve2d(const AcGePoint2dArray& fitPoints, const AcGeTol& fitTolerance = AcGeContext::gTol);
    // The XY shadow of a 3D spline (weights and knots kept).
    explicit AcGeNurbCurve2d(const AcGeNurbCurve3d& curve);

    int degree() const { return m_curve.degree(); }
    int order() const { return m_curve.order(); }
    bool isRational() const { return m_curve.isRational(); }
    bool isPeriodic() const { return m_curve.isPeriodic(); }
    int numControlPoints() const { return m_curve.numControlPoints(); }
    AcGePoint2d controlPointAt(int index) const { return m_curve.controlPointAt(index).convert2d(); }
    double weightAt(int index) const { return m_curve.weightAt(index); }
    const AcGeKnotVector& knots() const { return m_curve.knots(); }
    double startParam() const { return m_curve.startParam(); }
    double endParam() const { return m_curve.endParam(); }

    void getDefinitionData(int& degree, bool& rational, bool& periodic, AcGeKnotVector& knots,
                           AcGePoint2dArray& controlPoints, AcGeDoubleArray& weights) const;
    bool getFitData(AcGePoint2dArray& fitPoints, AcGeTol& fitTolerance, bool& tangentsExist,
                    AcGeVector2d& startTangent, AcGeVector2d& endTangent) const;
    bool hasFitData() const { return m_curve.hasFitData(); }
    AcGeNurbCurve2d& makeOpen();
    AcGeNurbCurve2d& makeClosed();
    // The same curve at z = 0.
    const AcGeNurbCurve3d& curve3d() const { return m_curve; }

    AcGe::EntityId type() const override { return AcGe::kNurbCurve2d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kNurbCurve2d || id == AcGe::kSplineEnt2d || AcGeCurve2d::isKindOf(id);
    }
    AcGeNurbCurve2d* copy() const override { return new AcGeNurbCurve2d(*this); }
    AcGeNurbCurve2d& transformBy(const AcGeMatrix2d& xform) override;
    void getInterval(AcGeInterval& range) const override { m_curve.getInterval(range); }
    AcGePoint2d evalPoint(double param) const override { return m_curve.evalPoint(param).convert2d(); }
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const override;
    AcGeNurbCurve2d& reverseParam() override;
    void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override;

private:
    AcGeNurbCurve3d m_curve;
};
