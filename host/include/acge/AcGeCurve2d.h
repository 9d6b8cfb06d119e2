// AcGeCurve2d: a parametric curve in the plane. Every curve evaluates points and
// derivatives over its interval; the base class answers closest points, sampling and
// lengths numerically from that, and simple curves override with closed forms.
//
// Parameters outside the interval evaluate the curve's natural extension where it has one
// (lines, circles, ellipses); elsewhere they are clamped. Nothing throws: queries without
// an answer return false or an empty array.
#pragma once

#include <acge/AcGeArrays.h>
#include <acge/AcGeEntity2d.h>
#include <acge/AcGeInterval.h>

#include <vector>

class AcGePointOnCurve2d;

class ADESK_EXPORT AcGeCurve2d : public AcGeEntity2d {
public:
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kCurve2d || AcGeEntity2d::isKindOf(id);
    }
    AcGeCurve2d* copy() const override = 0;

    virtual void getInterval(AcGeInterval& range) const = 0;
    void getInterval(AcGeInterval& range, AcGePoint2d& startPoint, AcGePoint2d& endPoint) const;
    virtual AcGePoint2d evalPoint(double param) const = 0;
    // derivs receives the first numDeriv derivatives at param.
    virtual AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const = 0;
    virtual AcGeCurve2d& reverseParam() = 0;

    virtual bool hasStartPoint(AcGePoint2d& startPoint) const;
    virtual bool hasEndPoint(AcGePoint2d& endPoint) const;
    virtual bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const;

    // The parameter of the curve point nearest to pnt (pnt need not lie on the curve).
    virtual double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isOn(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    bool isOn(const AcGePoint2d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const;
    // Whether param lies in the curve's interval.
    bool isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint2d closestPointTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    void getClosestPointTo(const AcGePoint2d& pnt, AcGePointOnCurve2d& pntOnCrv,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    // Parameter of the nearest point; with extend, the natural extension of the curve
    // (a line's infinite line, an arc's full circle) is searched too.
    virtual double closestParamTo(const AcGePoint2d& pnt, bool extend = false) const;
    double distanceTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The nearest point on the curve or also on its extension; false for a curve without ends.
    bool getClosestPointTo(const AcGePoint2d& pnt, AcGePoint2d& result, bool extend = false) const;

    // Points from fromParam to toParam, both included, such that every chord between
    // consecutive points stays within approxEps of the curve.
    virtual void getSamplePoints(double fromParam, double toParam, double approxEps,
                                 AcGePoint2dArray& pointArray, AcGeDoubleArray& paramArray) const;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray) const;
    // numSample points evenly spaced in parameter over the interval.
    void getSamplePoints(int numSample, AcGePoint2dArray& pointArray) const;

    virtual double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const;
    // The parameter at the given arc length from datumParam, forward or backward.
    virtual double paramAtLength(double datumParam, double length, bool posParamDir = true,
                                 double tol = AcGeContext::gTol.equalPoint()) const;

    // An axis-aligned box that holds the curve between its bounds (possibly loosely).
    virtual void getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const;

protected:
    // Parameters from..to (either order) dividing the curve into pieces simple enough for the
    // numerical answers to start from: knot spans, quarter turns. Default: 16 even steps.
    virtual std::vector<double> paramGrid(double from, double to) const;
    // The interval's bounds, with unbounded sides replaced by the given fallback.
    void getBounds(double& lower, double& upper, double fallback = 1e6) const;

    AcGeCurve2d() = default;
    AcGeCurve2d(const AcGeCurve2d&) = default;
    AcGeCurve2d& operator=(const AcGeCurve2d&) = default;
};
