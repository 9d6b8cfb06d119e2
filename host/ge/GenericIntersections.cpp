// Intersections of curve pieces without a closed form (ellipses, splines, projected 3D
// curves, and lines or arcs meeting them): chords of both curves within a small deviation
// find the places where the curves come close; Newton's method on C1(s) = C2(t) then
// settles each, with alternating closest-point steps where the curves are tangent and the
// Newton system is singular.
#include "host/ge/LeafIntersections.h"

#include "host/ge/Angles.h"
#include "host/ge/CurveNumerics.h"

#include <algorithm>
#include <cmath>

namespace dh::ge {

namespace {

constexpr double kHuge = 1e300;

struct Range {
    double lo = 0.0;
    double hi = 0.0;
};

double diagonal(const Box2& b)
{
    return std::hypot(b.maxX - b.minX, b.maxY - b.minY);
}

bool finite(const Box2& b)
{
    return b.minX > -kHuge && b.maxX < kHuge && b.minY > -kHuge && b.maxY < kHuge;
}

// The parameter range searched on a leaf: its interval, a whole turn when extended, and an
// unbounded line cut down to where it passes the other piece's box.
bool searchRange(const Leaf& leaf, const Box2& other, Range& r)
{
    r = {leaf.lo, leaf.hi};
    if (leaf.wrapAngles)
        r.hi = r.lo + kTwoPi;
    if (r.lo > -kHuge && r.hi < kHuge)
        return true;
    if (!finite(other))
        return false;
    double tmin = kHuge, tmax = -kHuge;
    for (int k = 0; k < 4; ++k) {
        const AcGePoint2d corner(k & 1 ? other.maxX : other.minX, k & 2 ? other.maxY : other.minY);
        const double t = leaf.curve->paramOf(corner);
        tmin = std::min(tmin, t);
        tmax = std::max(tmax, t);
    }
    const double margin = 0.01 * (tmax - tmin) + 1e-9;
    r.lo = std::max(r.lo, tmin - margin);
    r.hi = std::min(r.hi, tmax + margin);
    return r.lo <= r.hi;
}

// Closest parameters (as fractions) of two chords [p0,p1] and [q0,q1].
void chordClosest(const AcGePoint2d& p0, const AcGePoint2d& p1, const AcGePoint2d& q0, const AcGePoint2d& q1,
                  double& fa, double& fb)
{
    const AcGeVector2d u = p1 - p0, v = q1 - q0, w = q0 - p0;
    const double cross = u.crossProduct(v);
    if (std::fabs(cross) > 1e-300) {
        fa = w.crossProduct(v) / cross;
        fb = w.crossProduct(u) / cross;
        if (fa >= 0.0 && fa <= 1.0 && fb >= 0.0 && fb <= 1.0)
            return;
    }
    // Not crossing: best of the four end-to-chord projections.
    double best = kHuge;
    auto consider = [&](double a, double b) {
        const double d = ((p0 + u * a) - (q0 + v * b)).length();
        if (d < best) {
            best = d;
            fa = a;
            fb = b;
        }
    };
    const double uu = u.lengthSqrd(), vv = v.lengthSqrd();
    consider(0.0, vv > 0.0 ? std::clamp((p0 - q0).dotProduct(v) / vv, 0.0, 1.0) : 0.0);
    consider(1.0, vv > 0.0 ? std::clamp((p1 - q0).dotProduct(v) / vv, 0.0, 1.0) : 0.0);
    consider(uu > 0.0 ? std::clamp((q0 - p0).dotProduct(u) / uu, 0.0, 1.0) : 0.0, 0.0);
    consider(uu > 0.0 ? std::clamp((q1 - p0).dotProduct(u) / uu, 0.0, 1.0) : 0.0, 1.0);
}

double gap(const AcGeCurve2d& a, double s, const AcGeCurve2d& b, double t)
{
    return a.evalPoint(s).distanceTo(b.evalPoint(t));
}

// Solves A(s) = B(t) from a nearby start; returns the remaining distance.
double refinePair(const AcGeCurve2d& a, double& s, const Range& ra, const AcGeCurve2d& b, double& t, const Range& rb)
{
    AcGeVector2dArray da, db;
    for (int iter = 0; iter < 40; ++iter) {
        const AcGePoint2d pa = a.evalPoint(s, 1, da), pb = b.evalPoint(t, 1, db);
        const AcGeVector2d f = pa - pb;
        const double cross = da[0].crossProduct(db[0]);
        if (f.length() == 0.0 || std::fabs(cross) <= 1e-9 * da[0].length() * db[0].length())
            break;
        const double det = -cross;
        double ds = f.crossProduct(db[0]) / det, dt = f.crossProduct(da[0]) / det;
        const double before = f.length();
        double ns = std::clamp(s + ds, ra.lo, ra.hi), nt = std::clamp(t + dt, rb.lo, rb.hi);
        for (int k = 0; k < 20 && gap(a, ns, b, nt) > before; ++k) {
            ds *= 0.5;
            dt *= 0.5;
            ns = std::clamp(s + ds, ra.lo, ra.hi);
            nt = std::clamp(t + dt, rb.lo, rb.hi);
        }
        if (ns == s && nt == t)
            break;
        s = ns;
        t = nt;
    }
    // Tangent or stalled: alternate closest-point projections, which converge to the
    // nearest approach even where the Newton system is singular.
    double d = gap(a, s, b, t);
    const double spanA = std::max(1e-9, 0.05 * (ra.hi - ra.lo)), spanB = std::max(1e-9, 0.05 * (rb.hi - rb.lo));
    for (int iter = 0; iter < 60 && d > 0.0; ++iter) {
        t = refineClosest(b, a.evalPoint(s), t, std::max(rb.lo, t - spanB), std::min(rb.hi, t + spanB));
        s = refineClosest(a, b.evalPoint(t), s, std::max(ra.lo, s - spanA), std::min(ra.hi, s + spanA));
        const double nd = gap(a, s, b, t);
        if (nd >= d * (1.0 - 1e-9)) {
            d = std::min(d, nd);
            break;
        }
        d = nd;
    }
    return gap(a, s, b, t);
}

// Where two curves touch they stay within the tolerance of each other over a short
// stretch, and the chord pairs there settle on several points of it. Neighbouring points
// with the curves still within the tolerance half-way between them are one contact, reported
// at the middle of the stretch.
std::vector<LeafHit> mergeContacts(const AcGeCurve2d& a, const AcGeCurve2d& b, const Range& rb,
                                   std::vector<LeafHit> raw, double eps)
{
    std::sort(raw.begin(), raw.end(), [](const LeafHit& x, const LeafHit& y) { return x.ta < y.ta; });
    std::vector<LeafHit> out;
    size_t i = 0;
    while (i < raw.size()) {
        size_t j = i;
        while (j + 1 < raw.size()) {
            const double m = 0.5 * (raw[j].ta + raw[j + 1].ta);
            const double lo = std::min(raw[j].tb, raw[j + 1].tb), hi = std::max(raw[j].tb, raw[j + 1].tb);
            const double tm = refineClosest(b, a.evalPoint(m), 0.5 * (lo + hi), std::max(rb.lo, lo), std::min(rb.hi, hi));
            if (gap(a, m, b, tm) > eps)
                break;
            ++j;
        }
        if (j == i) {
            out.push_back(raw[i]);
        } else {
            const double m = 0.5 * (raw[i].ta + raw[j].ta);
            const double lo = std::min(raw[i].tb, raw[j].tb), hi = std::max(raw[i].tb, raw[j].tb);
            const double tm = refineClosest(b, a.evalPoint(m), 0.5 * (lo + hi), std::max(rb.lo, lo), std::min(rb.hi, hi));
            out.push_back({a.evalPoint(m), m, tm, HitKind::kTangent});
        }
        i = j + 1;
    }
    return out;
}

double mapBack(const Leaf& leaf, double t)
{
    return leaf.wrapAngles ? angleNearArc(t, leaf.lo, leaf.hi) : t;
}

} // namespace

std::vector<LeafHit> intersectGeneric(const Leaf& a, const Leaf& b, const AcGeTol& tol)
{
    std::vector<LeafHit> out;
    const double eps = tol.equalPoint();
    Range ra, rb;
    if (!searchRange(a, b.box, ra) || !searchRange(b, a.box, rb))
        return out;
    const double size = std::max(finite(a.box) ? diagonal(a.box) : 0.0, finite(b.box) ? diagonal(b.box) : 0.0);
    const double dev = std::max(eps, 1e-3 * size);
    AcGePoint2dArray pa, pb;
    AcGeDoubleArray ta, tb;
    a.curve->getSamplePoints(ra.lo, ra.hi, dev, pa, ta);
    b.curve->getSamplePoints(rb.lo, rb.hi, dev, pb, tb);
    const double reach = 2.0 * dev + eps;
    std::vector<Box2> chordsB;
    for (int j = 0; j + 1 < pb.length(); ++j)
        chordsB.push_back(Box2{std::min(pb[j].x, pb[j + 1].x), std::min(pb[j].y, pb[j + 1].y),
                               std::max(pb[j].x, pb[j + 1].x), std::max(pb[j].y, pb[j + 1].y)}
                              .grown(reach));
    const BoxTree treeB(chordsB);
    std::vector<LeafHit> raw;
    for (int i = 0; i + 1 < pa.length(); ++i) {
        const Box2 chordA{std::min(pa[i].x, pa[i + 1].x), std::min(pa[i].y, pa[i + 1].y),
                          std::max(pa[i].x, pa[i + 1].x), std::max(pa[i].y, pa[i + 1].y)};
        treeB.query(chordA, [&](int j) {
            double fa = 0.0, fb = 0.0;
            chordClosest(pa[i], pa[i + 1], pb[j], pb[j + 1], fa, fb);
            const double d0 = ((pa[i] + (pa[i + 1] - pa[i]) * fa) - (pb[j] + (pb[j + 1] - pb[j]) * fb)).length();
            if (d0 > reach)
                return;
            double s = ta[i] + fa * (ta[i + 1] - ta[i]);
            double t = tb[j] + fb * (tb[j + 1] - tb[j]);
            if (refinePair(*a.curve, s, ra, *b.curve, t, rb) > eps)
                return;
            const AcGePoint2d p = a.curve->evalPoint(s);
            for (const LeafHit& h : raw)
                if (h.point.distanceTo(p) <= eps)
                    return;
            AcGeVector2dArray da, db;
            a.curve->evalPoint(s, 1, da);
            b.curve->evalPoint(t, 1, db);
            const double sine = std::fabs(da[0].normal().crossProduct(db[0].normal()));
            raw.push_back({p, s, t, sine <= 1e-6 ? HitKind::kTangent : HitKind::kCross});
        });
    }
    for (const LeafHit& h : mergeContacts(*a.curve, *b.curve, rb, raw, eps))
        out.push_back({h.point, mapBack(a, h.ta), mapBack(b, h.tb), h.kind});
    return out;
}

} // namespace dh::ge
