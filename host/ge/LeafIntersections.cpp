#include "host/ge/LeafIntersections.h"

#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeEllipArc2d.h>
#include <acge/AcGeLinearEnt2d.h>

#include "host/ge/Angles.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace dh::ge {

namespace {

constexpr double kHuge = 1e300;

bool within(double t, double lo, double hi, double slack)
{
    return t >= lo - slack && t <= hi + slack;
}

const AcGeLinearEnt2d& asLine(const Leaf& leaf)
{
    return static_cast<const AcGeLinearEnt2d&>(*leaf.curve);
}

const AcGeCircArc2d& asArc(const Leaf& leaf)
{
    return static_cast<const AcGeCircArc2d&>(*leaf.curve);
}

// Parameter of a point of the line on the leaf, if within its accepted range (+- tol).
std::optional<double> lineParam(const Leaf& leaf, const AcGePoint2d& p, double tol)
{
    const AcGeLinearEnt2d& line = asLine(leaf);
    const AcGeVector2d u = line.vector();
    const double len = u.length();
    if (len == 0.0)
        return p.distanceTo(line.pointOnLine()) <= tol ? std::optional<double>(leaf.lo) : std::nullopt;
    const double t = (p - line.pointOnLine()).dotProduct(u) / (len * len);
    if (!within(t, leaf.lo, leaf.hi, tol / len))
        return std::nullopt;
    return std::clamp(t, leaf.lo, leaf.hi);
}

// Parameter (angle) of a point of the circle on the arc leaf, if on the arc (+- tol).
std::optional<double> arcParam(const Leaf& leaf, const AcGePoint2d& p, double tol)
{
    const AcGeCircArc2d& arc = asArc(leaf);
    const double t = arc.paramOf(p);
    if (leaf.wrapAngles)
        return t;
    const double slack = arc.radius() > 0.0 ? tol / arc.radius() : kPi;
    if (!within(t, leaf.lo, leaf.hi, slack))
        return std::nullopt;
    return std::clamp(t, leaf.lo, leaf.hi);
}

std::optional<double> leafParam(const Leaf& leaf, const AcGePoint2d& p, double tol)
{
    return leaf.shape == LeafShape::kLine ? lineParam(leaf, p, tol) : arcParam(leaf, p, tol);
}

void addHit(std::vector<LeafHit>& out, const Leaf& a, const Leaf& b, const AcGePoint2d& p, HitKind kind, double tol)
{
    const auto ta = leafParam(a, p, tol);
    const auto tb = leafParam(b, p, tol);
    if (ta && tb)
        out.push_back({a.curve->evalPoint(*ta), *ta, *tb, kind});
}

bool bounded(const Leaf& leaf)
{
    return leaf.lo > -kHuge && leaf.hi < kHuge;
}

// Two straight pieces that run within tol of each other: the ends of the shared stretch.
std::vector<LeafHit> collinearLines(const Leaf& a, const Leaf& b, double tol)
{
    std::vector<LeafHit> out;
    if (!bounded(a) && !bounded(b))
        return out; // two equal infinite lines: no end points to report
    const AcGeLinearEnt2d& la = asLine(a);
    const AcGeVector2d u = la.vector();
    const double lu = u.length();
    auto along = [&](const AcGePoint2d& p) { return (p - la.pointOnLine()).dotProduct(u) / (lu * lu); };
    double lo = a.lo, hi = a.hi;
    if (bounded(b)) {
        const double t0 = along(b.curve->evalPoint(b.lo)), t1 = along(b.curve->evalPoint(b.hi));
        lo = std::max(lo, std::min(t0, t1));
        hi = std::min(hi, std::max(t0, t1));
    }
    if (lo > hi + tol / lu)
        return out;
    const HitKind first = (hi - lo) * lu <= tol ? HitKind::kCross : HitKind::kOverlapStart;
    const double t0 = std::clamp(lo, a.lo, a.hi);
    addHit(out, a, b, la.evalPoint(first == HitKind::kCross ? std::clamp(0.5 * (lo + hi), a.lo, a.hi) : t0), first, tol);
    if (first != HitKind::kCross)
        addHit(out, a, b, la.evalPoint(std::clamp(hi, a.lo, a.hi)), HitKind::kOverlapEnd, tol);
    return out;
}

std::vector<LeafHit> lineLine(const Leaf& a, const Leaf& b, double tol)
{
    const AcGeLinearEnt2d& la = asLine(a);
    const AcGeLinearEnt2d& lb = asLine(b);
    const AcGeVector2d u = la.vector(), v = lb.vector();
    const double lu = u.length(), lv = v.length();
    std::vector<LeafHit> out;
    if (lu == 0.0 || lv == 0.0) {
        // A zero-length segment meets the other piece where its point lies on it.
        const AcGePoint2d p = lu == 0.0 ? la.pointOnLine() : lb.pointOnLine();
        const Leaf& other = lu == 0.0 ? b : a;
        const AcGePoint2d q = other.curve->evalPoint(std::clamp(other.curve->paramOf(p), other.lo, other.hi));
        if (p.distanceTo(q) <= tol)
            addHit(out, a, b, p, HitKind::kCross, tol);
        return out;
    }
    const AcGeVector2d w = lb.pointOnLine() - la.pointOnLine();
    const double cross = u.crossProduct(v);
    auto offA = [&](double s) { return std::fabs(u.crossProduct(lb.evalPoint(s) - la.pointOnLine())) / lu; };
    auto offB = [&](double t) { return std::fabs(v.crossProduct(la.evalPoint(t) - lb.pointOnLine())) / lv; };
    // Parallel, or so nearly that one piece stays within tol of the other's line.
    const bool parallel = std::fabs(cross) <= 1e-12 * lu * lv;
    if ((parallel && std::fabs(u.crossProduct(w)) / lu <= tol)
        || (bounded(b) && offA(b.lo) <= tol && offA(b.hi) <= tol)
        || (bounded(a) && offB(a.lo) <= tol && offB(a.hi) <= tol))
        return collinearLines(a, b, tol);
    if (parallel)
        return out;
    const double t = w.crossProduct(v) / cross;
    const double s = w.crossProduct(u) / cross;
    if (!within(t, a.lo, a.hi, tol / lu) || !within(s, b.lo, b.hi, tol / lv))
        return out;
    const double tc = std::clamp(t, a.lo, a.hi), sc = std::clamp(s, b.lo, b.hi);
    out.push_back({la.evalPoint(tc), tc, sc, HitKind::kCross});
    return out;
}

// ta on the line, tb on the arc.
std::vector<LeafHit> lineArc(const Leaf& line, const Leaf& arcLeaf, double tol)
{
    std::vector<LeafHit> out;
    const AcGeLinearEnt2d& l = asLine(line);
    const AcGeCircArc2d& arc = asArc(arcLeaf);
    const AcGeVector2d d = l.vector().normal();
    if (d.isZeroLength())
        return out;
    const AcGePoint2d c = arc.center();
    const double r = arc.radius();
    const AcGePoint2d foot = l.pointOnLine() + d * (c - l.pointOnLine()).dotProduct(d);
    const double h = foot.distanceTo(c);
    if (h > r + tol)
        return out;
    if (std::fabs(h - r) <= tol) {
        const AcGePoint2d touch = h > 0.0 ? c + (foot - c) * (r / h) : foot;
        addHit(out, line, arcLeaf, touch, HitKind::kTangent, tol);
        return out;
    }
    const double half = std::sqrt(std::max(0.0, r * r - h * h));
    addHit(out, line, arcLeaf, foot - d * half, HitKind::kCross, tol);
    addHit(out, line, arcLeaf, foot + d * half, HitKind::kCross, tol);
    return out;
}

// Two arcs of one circle: the arc ends lying on the other arc, paired into shared stretches
// where the arcs' middle between two such points is common to both, else single points.
std::vector<LeafHit> sameCircle(const Leaf& a, const Leaf& b, double tol)
{
    const AcGeCircArc2d& ca = asArc(a);
    const AcGeCircArc2d& cb = asArc(b);
    // A whole circle has no ends of its own (its seam is no end).
    const bool fullA = a.wrapAngles || ca.endAng() - ca.startAng() >= kTwoPi - 1e-12;
    const bool fullB = b.wrapAngles || cb.endAng() - cb.startAng() >= kTwoPi - 1e-12;
    std::vector<AcGePoint2d> ends;
    if (!fullA) {
        ends.push_back(ca.evalPoint(a.lo));
        ends.push_back(ca.evalPoint(a.hi));
    }
    if (!fullB) {
        ends.push_back(cb.evalPoint(b.lo));
        ends.push_back(cb.evalPoint(b.hi));
    }
    std::vector<LeafHit> found;
    for (const AcGePoint2d& p : ends) {
        const auto ta = arcParam(a, p, tol);
        const auto tb = arcParam(b, p, tol);
        if (!ta || !tb)
            continue;
        bool seen = false;
        for (const LeafHit& f : found)
            seen = seen || f.point.distanceTo(p) <= tol;
        if (!seen)
            found.push_back({ca.evalPoint(*ta), *ta, *tb, HitKind::kCross});
    }
    std::sort(found.begin(), found.end(), [](const LeafHit& x, const LeafHit& y) { return x.ta < y.ta; });
    auto shared = [&](const LeafHit& x, const LeafHit& y) {
        // Probe half-way along the arc that has ends: a whole circle's seam may lie between.
        const AcGePoint2d mid = fullA ? cb.evalPoint(0.5 * (x.tb + y.tb)) : ca.evalPoint(0.5 * (x.ta + y.ta));
        return arcParam(a, mid, tol) && arcParam(b, mid, tol);
    };
    for (size_t i = 0; i + 1 < found.size(); ++i) {
        if (shared(found[i], found[i + 1])) {
            found[i].kind = HitKind::kOverlapStart;
            found[i + 1].kind = HitKind::kOverlapEnd;
            ++i;
        }
    }
    return found;
}

std::vector<LeafHit> arcArc(const Leaf& a, const Leaf& b, double tol)
{
    std::vector<LeafHit> out;
    const AcGeCircArc2d& ca = asArc(a);
    const AcGeCircArc2d& cb = asArc(b);
    const AcGePoint2d c1 = ca.center(), c2 = cb.center();
    const double r1 = ca.radius(), r2 = cb.radius();
    const double d = c1.distanceTo(c2);
    if (d <= tol && std::fabs(r1 - r2) <= tol)
        return sameCircle(a, b, tol);
    if (d == 0.0 || d > r1 + r2 + tol || d < std::fabs(r1 - r2) - tol)
        return out;
    const AcGeVector2d dir = (c2 - c1) / d;
    if (std::fabs(d - (r1 + r2)) <= tol || std::fabs(d - std::fabs(r1 - r2)) <= tol) {
        // Touching: outside each other the point faces the other centre; inside, the larger
        // circle's far side.
        const bool outside = std::fabs(d - (r1 + r2)) <= tol;
        const AcGePoint2d touch = outside || r1 >= r2 ? c1 + dir * r1 : c1 - dir * r1;
        addHit(out, a, b, touch, HitKind::kTangent, tol);
        return out;
    }
    const double x = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
    const double y = std::sqrt(std::max(0.0, r1 * r1 - x * x));
    const AcGePoint2d m = c1 + dir * x;
    addHit(out, a, b, m + dir.perpVector() * y, HitKind::kCross, tol);
    addHit(out, a, b, m - dir.perpVector() * y, HitKind::kCross, tol);
    return out;
}

} // namespace

Leaf makeLeaf(const AcGeCurve2d& curve, int index, bool extendBefore, bool extendAfter)
{
    Leaf leaf;
    leaf.curve = &curve;
    leaf.index = index;
    AcGeInterval range;
    curve.getInterval(range);
    leaf.lo = range.isBoundedBelow() ? range.lowerBound() : -kHuge;
    leaf.hi = range.isBoundedAbove() ? range.upperBound() : kHuge;
    AcGePoint2d lo, hi;
    if (curve.isKindOf(AcGe::kLinearEnt2d)) {
        leaf.shape = LeafShape::kLine;
        if (extendBefore)
            leaf.lo = -kHuge;
        if (extendAfter)
            leaf.hi = kHuge;
    } else if (curve.type() == AcGe::kCircArc2d) {
        leaf.shape = LeafShape::kArc;
        leaf.wrapAngles = extendBefore || extendAfter;
    } else if (curve.type() == AcGe::kEllipArc2d) {
        leaf.shape = LeafShape::kOther;
        leaf.wrapAngles = extendBefore || extendAfter;
    }
    if (leaf.lo == -kHuge || leaf.hi == kHuge) {
        leaf.box = {-kHuge, -kHuge, kHuge, kHuge};
    } else if (leaf.wrapAngles) {
        // The whole circle or ellipse: its centre plus the largest radius each way.
        const auto* arc = curve.type() == AcGe::kCircArc2d ? static_cast<const AcGeCircArc2d*>(&curve) : nullptr;
        const auto* ell = arc ? nullptr : static_cast<const AcGeEllipArc2d*>(&curve);
        const AcGePoint2d c = arc ? arc->center() : ell->center();
        const double r = arc ? arc->radius() : ell->majorRadius();
        leaf.box = {c.x - r, c.y - r, c.x + r, c.y + r};
    } else {
        curve.getExtents(lo, hi);
        leaf.box = {lo.x, lo.y, hi.x, hi.y};
    }
    return leaf;
}

ChainIndex::ChainIndex(const AcGeCurve2dPtrArray& curves)
{
    m_leaves.reserve(static_cast<size_t>(curves.length()));
    for (int i = 0; i < curves.length(); ++i)
        m_leaves.push_back(makeLeaf(*curves[i], i, false, false));
}

const BoxTree* ChainIndex::treeForQuery() const
{
    if (!m_tree && ++m_queries >= 2) {
        std::vector<Box2> boxes;
        boxes.reserve(m_leaves.size());
        for (const Leaf& l : m_leaves)
            boxes.push_back(l.box);
        m_tree = std::make_unique<BoxTree>(boxes);
    }
    return m_tree.get();
}

namespace {

AcGeCurve2dPtrArray projectAll(const AcGeCurve3dPtrArray& curves, const AcGePlanarEnt& plane,
                               std::vector<std::unique_ptr<AcGeCurve2d>>& owner)
{
    AcGeCurve2dPtrArray out;
    for (const AcGeCurve3d* c : curves) {
        owner.emplace_back(c->convertTo2d(plane));
        out.append(owner.back().get());
    }
    return out;
}

} // namespace

ProjectedChain::ProjectedChain(const AcGeCurve3dPtrArray& curves, const AcGePlanarEnt& plane)
    : origin(plane.origin()), uAxis(plane.uAxis()), vAxis(plane.vAxis()), index(projectAll(curves, plane, parts))
{
}

bool ProjectedChain::isFor(const AcGePlanarEnt& other) const
{
    // Exact comparison: a cached projection serves only the very same plane.
    auto same = [](const auto& a, const auto& b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
    return same(origin, other.origin()) && same(uAxis, other.uAxis()) && same(vAxis, other.vAxis());
}

std::vector<LeafHit> intersectLeaves(const Leaf& a, const Leaf& b, const AcGeTol& tol)
{
    const double eps = tol.equalPoint();
    if (a.shape == LeafShape::kLine && b.shape == LeafShape::kLine)
        return lineLine(a, b, eps);
    if (a.shape == LeafShape::kArc && b.shape == LeafShape::kArc)
        return arcArc(a, b, eps);
    if (a.shape == LeafShape::kLine && b.shape == LeafShape::kArc)
        return lineArc(a, b, eps);
    if (a.shape == LeafShape::kArc && b.shape == LeafShape::kLine) {
        std::vector<LeafHit> hits = lineArc(b, a, eps);
        for (LeafHit& h : hits) {
            std::swap(h.ta, h.tb);
            h.point = a.curve->evalPoint(h.ta);
        }
        return hits;
    }
    return intersectGeneric(a, b, tol);
}

} // namespace dh::ge
