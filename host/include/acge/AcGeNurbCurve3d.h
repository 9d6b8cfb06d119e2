// AcGeNurbCurve3d: a non-uniform rational B-spline in space: degree, knots, control
// points and optional weights (none: non-rational). The parameter runs over the knots'
// active range [knot(degree), knot(numControlPoints)]; evaluation outside it is clamped.
// A curve built from fit points remembers them (getFitData) and interpolates them exactly,
// which satisfies any fit tolerance.
#pragma once

#include <acge/AcGeCurve3d.h>
#include <acge/AcGeKnotVector.h>

class AcGeLineSeg3d;

class ADESK_EXPORT AcGeNurbCurve3d : public AcGeCurve3d {
public:
    AcGeNurbCurve3d() = default;
    AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& controlPoints,
                    bool isPeriodic = false);
    AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& controlPoints,
                    const AcGeDoubleArray& weights, bool isPeriodic = false);
    // Cubic interpolation of the fit points, with end tangents where defined (their
    // directions count; lengths are normalised).
    AcGeNurbCurve3d(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                    const AcGeVector3d& endTangent, bool startTangentDefined = true, bool endTangentDefined = true,
                    const AcGeTol& fitTolerance = AcGeContext::gTol);
    explicit AcGeNurbCurve3d(const AcGePoint3dArray& fitPoints, const AcGeTol& fitTolerance = AcGeContext::gTol);
    explicit AcGeNurbCurve3d(const AcGeLineSeg3d& line);

    int degree() const { return m_degree; }
    int order() const { return m_degree + 1; }
    bool isRational() const;
    bool isPeriodic() const { return m_periodic; }
    int numControlPoints() const { return m_controlPoints.length(); }
    AcGePoint3d controlPointAt(int index) const { return m_controlPoints[index]; }
    AcGeNurbCurve3d& setControlPointAt(int index, const AcGePoint3d& point);
    double weightAt(int index) const { return m_weights.isEmpty() ? 1.0 : m_weights[index]; }
    AcGeNurbCurve3d& setWeightAt(int index, double weight);
    int numKnots() const { return m_knots.length(); }
    double knotAt(int index) const { return m_knots[index]; }
    const AcGeKnotVector& knots() const { return m_knots; }
    double startParam() const;
    double endParam() const;

    void getDefinitionData(int& degree, bool& rational, bool& periodic, AcGeKnotVector& knots,
                           AcGePoint3dArray& controlPoints, AcGeDoubleArray& weights) const;
    // False when the curve was not made from fit points.
    bool getFitData(AcGePoint3dArray& fitPoints, AcGeTol& fitTolerance, bool& tangentsExist,
                    AcGeVector3d& startTangent, AcGeVector3d& endTangent) const;
    bool hasFitData() const { return m_hasFitData; }
    int numFitPoints() const { return m_hasFitData ? m_fitPoints.length() : 0; }
    bool getFitPointAt(int index, AcGePoint3d& point) const;
    // Rebuilds the curve through the points; false (curve unchanged) with fewer than two
    // distinct points.
    bool setFitData(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                    const AcGeVector3d& endTangent, const AcGeTol& fitTolerance = AcGeContext::gTol);
    AcGeNurbCurve3d& purgeFitData();

    // Clears the periodic flag; the shape is unchanged.
    AcGeNurbCurve3d& makeOpen();
    // A curve whose ends differ gets a straight closing span from its end to its start.
    AcGeNurbCurve3d& makeClosed();
    AcGeNurbCurve3d& makeRational(double weight = 1.0);

    AcGe::EntityId type() const override { return AcGe::kNurbCurve3d; }
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kNurbCurve3d || id == AcGe::kSplineEnt3d || AcGeCurve3d::isKindOf(id);
    }
    AcGeNurbCurve3d* copy() const override { return new AcGeNurbCurve3d(*this); }
    AcGeNurbCurve3d& transformBy(const AcGeMatrix3d& xform) override;
    void getInterval(AcGeInterval& range) const override;
    AcGePoint3d evalPoint(double param) const override;
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const override;
    AcGeNurbCurve3d& reverseParam() override;
    void getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const override;

protected:
    std::vector<double> paramGrid(double from, double to) const override;

private:
    bool isValid() const;
    bool interpolate(const AcGePoint3dArray& fitPoints, const AcGeVector3d* startTangent,
                     const AcGeVector3d* endTangent);

    int m_degree = 0;
    AcGeKnotVector m_knots;
    AcGePoint3dArray m_controlPoints;
    AcGeDoubleArray m_weights;
    bool m_periodic = false;

    bool m_hasFitData = false;
    AcGePoint3dArray m_fitPoints;
    AcGeTol m_fitTol;
    bool m_tangentsExist = false;
    AcGeVector3d m_startTangent;
    AcGeVector3d m_endTangent;
};
