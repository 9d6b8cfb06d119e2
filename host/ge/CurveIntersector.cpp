#include "host/ge/CurveIntersector.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>
#include <acge/AcGeEllipArc2d.h>
#include <acge/AcGeLinearEnt2d.h>

#include "host/ge/Angles.h"
#include "host/ge/BoxTree.h"
#include "host/ge/CurveNumerics.h"
#include "host/ge/LeafIntersections.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace dh::ge {

namespace {

constexpr double kHuge = 1e300;

// One input curve split into the pieces that are intersected pairwise.
struct Side {
    std::vector<Leaf> ownLeaves;
    const std::vector<Leaf>* leavesPtr = &ownLeaves;
    std::vector<std::unique_ptr<AcGeCurve2d>> owned;
    const AcGeCompositeCurve2d* comp2 = nullptr;
    const AcGeCompositeCurve3d* comp3 = nullptr;
    const BoxTree* index = nullptr;
    std::unique_ptr<BoxTree> ownIndex;

    double toTop(const Leaf& leaf, double t) const
    {
        if (comp2)
            return comp2->localToGlobalParam(t, leaf.index);
        if (comp3)
            return comp3->localToGlobalParam(t, leaf.index);
        return t;
    }

    const std::vector<Leaf>& leaves() const { return *leavesPtr; }
};

void addComponents(Side& side, const AcGeCurve2dPtrArray& parts, bool extend)
{
    const int n = parts.length();
    for (int i = 0; i < n; ++i)
        side.ownLeaves.push_back(makeLeaf(*parts[i], i, extend && i == 0, extend && i == n - 1));
}

void buildSide(Side& side, const AcGeCurve2d& curve, bool extend)
{
    if (curve.type() == AcGe::kCompositeCrv2d) {
        side.comp2 = static_cast<const AcGeCompositeCurve2d*>(&curve);
        if (extend) {
            AcGeCurve2dPtrArray parts;
            side.comp2->getCurveList(parts);
            addComponents(side, parts, extend);
        } else {
            // Prepared once per chain and shared by every query against it.
            const ChainIndex& chain = side.comp2->componentIndex();
            side.leavesPtr = &chain.leaves();
            side.index = chain.treeForQuery();
        }
        return;
    }
    side.ownLeaves.push_back(makeLeaf(curve, -1, extend, extend));
}

void buildSide(Side& side, const AcGeCurve3d& curve, const AcGePlanarEnt& plane, bool extend)
{
    if (curve.type() == AcGe::kCompositeCrv3d) {
        side.comp3 = static_cast<const AcGeCompositeCurve3d*>(&curve);
        const ProjectedChain& chain = side.comp3->projectedIndex(plane);
        if (extend) {
            AcGeCurve2dPtrArray parts;
            for (const auto& part : chain.parts)
                parts.append(part.get());
            addComponents(side, parts, extend);
        } else {
            side.leavesPtr = &chain.index.leaves();
            side.index = chain.index.treeForQuery();
        }
        return;
    }
    side.owned.emplace_back(curve.convertTo2d(plane));
    side.ownLeaves.push_back(makeLeaf(*side.owned.back(), -1, extend, extend));
}

// An index for a side that has many leaves and none of its own.
void ensureIndex(Side& side)
{
    if (side.index || side.leaves().size() < 32)
        return;
    std::vector<Box2> boxes;
    boxes.reserve(side.leaves().size());
    for (const Leaf& l : side.leaves())
        boxes.push_back(l.box);
    side.ownIndex = std::make_unique<BoxTree>(boxes);
    side.index = side.ownIndex.get();
}

void mergeHit(std::vector<CurveHit>& hits, const CurveHit& h, double tol)
{
    // Joints of a chain and the seam of a closed curve report one point twice. The hit
    // kept is the one with the smaller parameters, whatever order the pieces came in.
    for (CurveHit& old : hits) {
        if (old.point.distanceTo(h.point) <= tol) {
            // An overlap end says most, a touch more than a crossing.
            auto rank = [](HitKind k) { return k == HitKind::kCross ? 0 : k == HitKind::kTangent ? 1 : 2; };
            const HitKind kind = rank(h.kind) > rank(old.kind) ? h.kind : old.kind;
            if (h.param1 < old.param1 || (h.param1 == old.param1 && h.param2 < old.param2))
                old = h;
            old.kind = kind;
            return;
        }
    }
    hits.push_back(h);
}

std::vector<CurveHit> intersectSides(Side& s1, Side& s2, const AcGeTol& tol, bool useIndex)
{
    if (!useIndex)
        s1.index = s2.index = nullptr;
    std::vector<CurveHit> hits;
    const double eps = tol.equalPoint();
    auto pair = [&](const Leaf& a, const Leaf& b) {
        if (!a.box.grown(eps).overlaps(b.box))
            return;
        for (const LeafHit& r : intersectLeaves(a, b, tol))
            mergeHit(hits, {r.point, s1.toTop(a, r.ta), s2.toTop(b, r.tb), r.kind}, eps);
    };
    // Walk the side with fewer leaves and look the other one up in its index.
    const bool useIndex2 = s2.index && (s1.leaves().size() <= s2.leaves().size() || !s1.index);
    const bool useIndex1 = !useIndex2 && s1.index;
    if (useIndex2) {
        for (const Leaf& a : s1.leaves())
            s2.index->query(a.box.grown(eps), [&](int j) { pair(a, s2.leaves()[static_cast<size_t>(j)]); });
    } else if (useIndex1) {
        for (const Leaf& b : s2.leaves())
            s1.index->query(b.box.grown(eps), [&](int i) { pair(s1.leaves()[static_cast<size_t>(i)], b); });
    } else {
        for (const Leaf& a : s1.leaves())
            for (const Leaf& b : s2.leaves())
                pair(a, b);
    }
    std::sort(hits.begin(), hits.end(), [](const CurveHit& x, const CurveHit& y) { return x.param1 < y.param1; });
    return hits;
}

} // namespace

std::vector<CurveHit> intersectCurves(const AcGeCurve2d& curve1, const AcGeCurve2d& curve2,
                                      const IntersectOptions& options)
{
    Side s1, s2;
    buildSide(s1, curve1, options.extend1);
    buildSide(s2, curve2, options.extend2);
    if (s1.leaves().size() >= 32 && s2.leaves().size() >= 8)
        ensureIndex(s1);
    if (s2.leaves().size() >= 32 && s1.leaves().size() >= 8)
        ensureIndex(s2);
    return intersectSides(s1, s2, options.tol, options.useIndex);
}

std::vector<CurveHit> intersectCurvesInPlane(const AcGeCurve3d& curve1, const AcGeCurve3d& curve2,
                                             const AcGePlanarEnt& plane, const IntersectOptions& options)
{
    Side s1, s2;
    buildSide(s1, curve1, plane, options.extend1);
    buildSide(s2, curve2, plane, options.extend2);
    if (s1.leaves().size() >= 32 && s2.leaves().size() >= 8)
        ensureIndex(s1);
    if (s2.leaves().size() >= 32 && s1.leaves().size() >= 8)
        ensureIndex(s2);
    return intersectSides(s1, s2, options.tol, options.useIndex);
}

std::vector<CurveHit> intersectCurvesInSpace(const AcGeCurve3d& curve1, const AcGeCurve3d& curve2,
                                             const IntersectOptions& options)
{
    // Look along the axis in which both curves together are thinnest, so that planar
    // curves in any coordinate plane keep their shape.
    AcGePoint3d lo1, hi1, lo2, hi2;
    curve1.getExtents(lo1, hi1);
    curve2.getExtents(lo2, hi2);
    int axis = 2;
    double thinnest = kHuge;
    for (int k = 0; k < 3; ++k) {
        const double extent = std::max(hi1[k], hi2[k]) - std::min(lo1[k], lo2[k]);
        if (extent < thinnest - 1e-12 * std::fabs(thinnest)) {
            thinnest = extent;
            axis = k;
        }
    }
    const AcGePlane plane = axis == 2 ? AcGePlane::kXYPlane
        : axis == 0 ? AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis)
                    : AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis);
    std::vector<CurveHit> hits;
    for (CurveHit h : intersectCurvesInPlane(curve1, curve2, plane, options)) {
        const AcGePoint3d p1 = curve1.evalPoint(h.param1);
        if (p1.distanceTo(curve2.evalPoint(h.param2)) > options.tol.equalPoint())
            continue;
        h.point = p1.convert2d();
        hits.push_back(h);
    }
    return hits;
}

} // namespace dh::ge
