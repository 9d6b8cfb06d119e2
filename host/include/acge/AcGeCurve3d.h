// AcGeCurve3d: a parametric curve in space. Every curve evaluates points and derivatives
// over its interval; the base class answers closest points (also along a projection
// direction), sampling and lengths numerically from that, and simple curves override with
// closed forms. Parameters outside the interval evaluate the natural extension where the
// curve has one and are clamped elsewhere. Nothing throws.
#pragma once

#include <acge/AcGeArrays.h>
#include <acge/AcGeEntity3d.h>
#include <acge/AcGeInterval.h>

#include <vector>
#include <acge/AcGePlane.h>

class AcGeCurve2d;
class AcGeNurbCurve2d;
namespace dh::ge {
class ProjectedCurve2d;
}

class ADESK_EXPORT AcGeCurve3d : public AcGeEntity3d {
public:
    bool isKindOf(AcGe::EntityId id) const override
    {
        return id == AcGe::kCurve3d || AcGeEntity3d::isKindOf(id);
    }
    AcGeCurve3d* copy() const override = 0;

    virtual void getInterval(AcGeInterval& range) const = 0;
    void getInterval(AcGeInterval& range, AcGePoint3d& startPoint, AcGePoint3d& endPoint) const;
    virtual AcGePoint3d evalPoint(double param) const = 0;
    virtual AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivs) const = 0;
    virtual AcGeCurve3d& reverseParam() = 0;

    virtual bool hasStartPoint(AcGePoint3d& startPoint) const;
    virtual bool hasEndPoint(AcGePoint3d& endPoint) const;
    virtual bool isClosed(const AcGeTol& tol = AcGeContext::gTol) const;

    virtual double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const override;
    bool isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The curve point whose projection along projectDirection is nearest to the projection
    // of pnt. Returns pnt's own projection distance through the curve's point.
    AcGePoint3d projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol = AcGeContext::gTol) const;
    virtual double closestParamTo(const AcGePoint3d& pnt, bool extend = false) const;
    // As projClosestPointTo, answering the parameter; extend as closestParamTo.
    virtual double projClosestParamTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                      bool extend = false) const;
    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The nearest point, plainly or seen along a direction (see projClosestPointTo), on the
    // curve or also on its extension; false for a zero direction or a curve without ends.
    bool getClosestPointTo(const AcGePoint3d& pnt, AcGePoint3d& result, bool extend = false) const;
    bool getClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& direction, AcGePoint3d& result,
                           bool extend = false) const;

    virtual void getSamplePoints(double fromParam, double toParam, double approxEps,
                                 AcGePoint3dArray& pointArray, AcGeDoubleArray& paramArray) const;
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray) const;
    void getSamplePoints(int numSample, AcGePoint3dArray& pointArray) const;

    virtual double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const;
    virtual double paramAtLength(double datumParam, double length, bool posParamDir = true,
                                 double tol = AcGeContext::gTol.equalPoint()) const;

    virtual void getExtents(AcGePoint3d& minPoint, AcGePoint3d& maxPoint) const;

    // The curve's orthogonal projection into the plane's coordinates, parameterised as this
    // curve is (the same parameter gives the projected point). New object, caller owns it.
    virtual AcGeCurve2d* convertTo2d(const AcGePlanarEnt& plane = AcGePlane::kXYPlane) const;

protected:
    friend class dh::ge::ProjectedCurve2d;
    friend class AcGeNurbCurve2d;

    // Parameters from..to (either order) dividing the curve into pieces simple enough for the
    // numerical answers to start from: knot spans, quarter turns. Default: 16 even steps.
    virtual std::vector<double> paramGrid(double from, double to) const;
    // The interval's bounds, with unbounded sides replaced by the given fallback.
    void getBounds(double& lower, double& upper, double fallback = 1e6) const;
    // projClosestParamTo searched over [lo, hi].
    double projClosestParamIn(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection, double lo,
                              double hi) const;

    AcGeCurve3d() = default;
    AcGeCurve3d(const AcGeCurve3d&) = default;
    AcGeCurve3d& operator=(const AcGeCurve3d&) = default;
};
