// Intersections of two planar curves (and of 3D curves seen in a plane), with the
// parameters of every point on both curves. Lines and circular arcs are intersected in
// closed form; other curves by chord sampling refined with Newton's method on the true
// curves. Tangency and overlap are decided under the given equal-point tolerance: points
// closer than it are one point, an overlap is reported by its two end points.
//
// A composite is handled component by component; long composites use their component
// index, so that many queries against one polyline cost O(log m) each rather than O(m).
// Nothing throws; no intersection is an empty list.
#pragma once

#include <acge/AcGeCurve2d.h>
#include <acge/AcGeCurve3d.h>

#include <vector>

namespace dh::ge {

enum class HitKind {
    kCross,        // the curves cross (or meet at an end)
    kTangent,      // the curves touch without crossing
    kOverlapStart, // first point of a stretch the curves share (in the first curve's direction)
    kOverlapEnd,   // last point of a shared stretch
};

struct CurveHit {
    AcGePoint2d point;   // on the first curve (in the plane's coordinates for 3D curves)
    double param1 = 0.0; // parameter on the first curve
    double param2 = 0.0; // parameter on the second curve
    HitKind kind = HitKind::kCross;
};

struct IntersectOptions {
    AcGeTol tol = AcGeContext::gTol;
    // Intersect the natural extension of the curve too: a segment's line, an arc's circle,
    // an elliptical arc's ellipse, a composite's first and last component so extended.
    bool extend1 = false;
    bool extend2 = false;
    // Look components up in a composite's index; off scans every pair (for comparisons).
    bool useIndex = true;
};

// Sorted by param1.
std::vector<CurveHit> intersectCurves(const AcGeCurve2d& curve1, const AcGeCurve2d& curve2,
                                      const IntersectOptions& options = {});

// The curves projected orthogonally onto the plane; parameters are those of the 3D curves.
std::vector<CurveHit> intersectCurvesInPlane(const AcGeCurve3d& curve1, const AcGeCurve3d& curve2,
                                             const AcGePlanarEnt& plane, const IntersectOptions& options = {});

// Points where the 3D curves meet in space: intersections seen along the axis in which
// the two are thinnest, kept where the 3D points agree within the tolerance. point holds
// the x and y of the meeting point; use param1 on curve1 for its full position.
std::vector<CurveHit> intersectCurvesInSpace(const AcGeCurve3d& curve1, const AcGeCurve3d& curve2,
                                             const IntersectOptions& options = {});

} // namespace dh::ge
