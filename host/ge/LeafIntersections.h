// Intersections of two simple curve pieces ("leaves"): a line, a circular arc, or any other
// curve. Lines and arcs meet in closed form; other pairs by chord sampling and Newton
// refinement on the true curves.
#pragma once

#include <acge/AcGeCurve2d.h>
#include <acge/AcGeArrays.h>
#include <acge/AcGeCurve3d.h>

#include "host/ge/BoxTree.h"
#include "host/ge/CurveIntersector.h"

#include <memory>
#include <vector>

namespace dh::ge {

enum class LeafShape { kLine, kArc, kOther };

struct Leaf {
    const AcGeCurve2d* curve = nullptr;
    LeafShape shape = LeafShape::kOther;
    int index = -1;     // component index in the owning composite
    double lo = 0.0;    // parameters accepted (may be +-1e300 for an extended line)
    double hi = 0.0;
    bool wrapAngles = false; // arc or ellipse extended to its whole circle or ellipse
    Box2 box;
};

// A leaf for a curve: its shape, accepted parameters and box. Extending a line frees its
// parameter range on that side; extending an arc or ellipse opens it to the whole turn.
Leaf makeLeaf(const AcGeCurve2d& curve, int index, bool extendBefore, bool extendAfter);

// The components of a chain as leaves, with an index over their boxes. The index is built
// from the second query on: a chain met once is cheaper to scan than to index.
class ChainIndex {
public:
    explicit ChainIndex(const AcGeCurve2dPtrArray& curves);

    const std::vector<Leaf>& leaves() const { return m_leaves; }
    // The index, or none for a chain's first query.
    const BoxTree* treeForQuery() const;

private:
    std::vector<Leaf> m_leaves;
    mutable std::unique_ptr<BoxTree> m_tree;
    mutable int m_queries = 0;
};

// The components of a 3D chain seen in a plane, prepared and indexed like a 2D chain.
struct ProjectedChain {
    ProjectedChain(const AcGeCurve3dPtrArray& curves, const AcGePlanarEnt& plane);
    bool isFor(const AcGePlanarEnt& other) const;

    AcGePoint3d origin;
    AcGeVector3d uAxis;
    AcGeVector3d vAxis;
    std::vector<std::unique_ptr<AcGeCurve2d>> parts;
    ChainIndex index;
};

struct LeafHit {
    AcGePoint2d point;
    double ta = 0.0;
    double tb = 0.0;
    HitKind kind = HitKind::kCross;
};

std::vector<LeafHit> intersectLeaves(const Leaf& a, const Leaf& b, const AcGeTol& tol);

// The sampled path of intersectLeaves, for pairs without a closed form.
std::vector<LeafHit> intersectGeneric(const Leaf& a, const Leaf& b, const AcGeTol& tol);

} // namespace dh::ge
