// Numerical answers for any parametric curve from its point and derivative evaluation:
// nearest parameter, chordal sampling, arc length and its inverse. Templates so that the
// 2D and 3D curve families share one implementation; a curve supplies a starting grid of
// parameters fine enough to separate its features (knot spans, quadrants).
#pragma once

#include <adesk/AcArray.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace dh::ge {

// Evenly spaced grid of n intervals over [lo, hi].
inline std::vector<double> uniformGrid(double lo, double hi, int n)
{
    std::vector<double> g(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        g[static_cast<size_t>(i)] = lo + (hi - lo) * i / n;
    g.back() = hi;
    return g;
}

// Grid points of g that fall strictly inside (lo, hi), with lo and hi added at the ends.
inline std::vector<double> clipGrid(const std::vector<double>& g, double lo, double hi)
{
    std::vector<double> r{lo};
    for (double t : g)
        if (t > lo && t < hi)
            r.push_back(t);
    r.push_back(hi);
    return r;
}

template <class Curve, class Point>
double squaredDistanceAt(const Curve& c, double t, const Point& p)
{
    return (c.evalPoint(t) - p).lengthSqrd();
}

// Newton iteration on (C(t) - P) . C'(t) = 0, kept inside [lo, hi].
template <class Curve, class Point>
double refineClosest(const Curve& c, const Point& p, double t, double lo, double hi)
{
    typedef decltype(c.evalPoint(0.0) - p) Vector;
    AcArray<Vector> d;
    for (int iter = 0; iter < 40; ++iter) {
        d.removeAll();
        const Point q = c.evalPoint(t, 2, d);
        const Vector r = q - p;
        const double f = r.dotProduct(d[0]);
        double fp = d[0].dotProduct(d[0]) + r.dotProduct(d[1]);
        if (fp <= 0.0)
            fp = d[0].dotProduct(d[0]);
        if (fp <= 0.0)
            break;
        double next = std::clamp(t - f / fp, lo, hi);
        if (std::fabs(next - t) <= 1e-15 * (1.0 + std::fabs(t)))
            return next;
        // Newton can overshoot on strongly curved pieces; halve until the distance drops.
        const double d0 = r.lengthSqrd();
        for (int k = 0; k < 30 && squaredDistanceAt(c, next, p) > d0; ++k)
            next = 0.5 * (next + t);
        if (next == t)
            break;
        t = next;
    }
    return t;
}

// Parameter of the point of the curve nearest to p over [grid.front(), grid.back()].
template <class Curve, class Point>
double closestParam(const Curve& c, const Point& p, const std::vector<double>& grid)
{
    const size_t n = grid.size();
    if (n < 2)
        return grid.empty() ? 0.0 : grid[0];
    std::vector<Point> pts(n);
    for (size_t i = 0; i < n; ++i)
        pts[i] = c.evalPoint(grid[i]);
    // Candidates: the chord projection of every grid interval; refine the best few.
    struct Cand {
        double dist;
        double t;
        size_t seg;
    };
    std::vector<Cand> cands;
    cands.reserve(n);
    for (size_t i = 0; i + 1 < n; ++i) {
        const auto chord = pts[i + 1] - pts[i];
        const double len2 = chord.lengthSqrd();
        double s = len2 > 0.0 ? std::clamp((p - pts[i]).dotProduct(chord) / len2, 0.0, 1.0) : 0.0;
        const double t = grid[i] + s * (grid[i + 1] - grid[i]);
        cands.push_back({squaredDistanceAt(c, t, p), t, i});
    }
    const size_t keep = std::min<size_t>(4, cands.size());
    std::partial_sort(cands.begin(), cands.begin() + static_cast<long>(keep), cands.end(),
                      [](const Cand& a, const Cand& b) { return a.dist < b.dist; });
    double best = grid.front();
    double bestDist = (pts.front() - p).lengthSqrd();
    if ((pts.back() - p).lengthSqrd() < bestDist) {
        best = grid.back();
        bestDist = (pts.back() - p).lengthSqrd();
    }
    for (size_t k = 0; k < keep; ++k) {
        const size_t i = cands[k].seg;
        const double lo = grid[i > 0 ? i - 1 : 0];
        const double hi = grid[std::min(i + 2, n - 1)];
        const double t = refineClosest(c, p, cands[k].t, lo, hi);
        const double dd = squaredDistanceAt(c, t, p);
        if (dd < bestDist) {
            bestDist = dd;
            best = t;
        }
    }
    return best;
}

template <class Point>
double distanceToChord(const Point& q, const Point& a, const Point& b)
{
    const auto ab = b - a;
    const double len2 = ab.lengthSqrd();
    const double s = len2 > 0.0 ? std::clamp((q - a).dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
    return (q - (a + ab * s)).length();
}

template <class Curve, class Point>
void sampleSpan(const Curve& c, double t0, const Point& p0, double t1, const Point& p1, double eps, int depth,
                AcArray<Point>& pts, AcArray<double>& params)
{
    // Flatness is probed at five interior parameters; each probe splits the span when it
    // strays, so a bulge narrower than a fifth of the span is caught one level down at most.
    static const double kProbes[] = {0.125, 0.3125, 0.5, 0.6875, 0.875};
    bool flat = true;
    for (double f : kProbes) {
        const Point q = c.evalPoint(t0 + f * (t1 - t0));
        if (distanceToChord(q, p0, p1) > eps) {
            flat = false;
            break;
        }
    }
    if (flat || depth >= 40) {
        pts.append(p1);
        params.append(t1);
        return;
    }
    const double tm = 0.5 * (t0 + t1);
    const Point mid = c.evalPoint(tm);
    sampleSpan(c, t0, p0, tm, mid, eps, depth + 1, pts, params);
    sampleSpan(c, tm, mid, t1, p1, eps, depth + 1, pts, params);
}

// Points at the grid parameters and wherever needed between them so that every chord stays
// within eps of the curve. The grid must run from the first to the last parameter wanted.
template <class Curve, class Point>
void sampleCurve(const Curve& c, const std::vector<double>& grid, double eps, AcArray<Point>& pts,
                 AcArray<double>& params)
{
    pts.removeAll();
    params.removeAll();
    if (grid.empty())
        return;
    eps = std::max(eps, 1e-12);
    Point prev = c.evalPoint(grid[0]);
    pts.append(prev);
    params.append(grid[0]);
    for (size_t i = 0; i + 1 < grid.size(); ++i) {
        const Point next = c.evalPoint(grid[i + 1]);
        sampleSpan(c, grid[i], prev, grid[i + 1], next, eps, 0, pts, params);
        prev = next;
    }
}

template <class Curve>
double speedAt(const Curve& c, double t)
{
    typedef decltype(c.evalPoint(0.0) - c.evalPoint(0.0)) Vector;
    AcArray<Vector> d;
    c.evalPoint(t, 1, d);
    return d[0].length();
}

template <class Curve>
double gaussLength(const Curve& c, double a, double b)
{
    // 5-point Gauss-Legendre.
    static const double x[] = {0.0, 0.5384693101056831, -0.5384693101056831, 0.9061798459386640,
                               -0.9061798459386640};
    static const double w[] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665, 0.2369268850561891,
                               0.2369268850561891};
    const double h = 0.5 * (b - a), m = 0.5 * (a + b);
    double s = 0.0;
    for (int i = 0; i < 5; ++i)
        s += w[i] * speedAt(c, m + h * x[i]);
    return s * h;
}

template <class Curve>
double adaptiveLength(const Curve& c, double a, double b, double whole, double tol, int depth)
{
    const double m = 0.5 * (a + b);
    const double left = gaussLength(c, a, m), right = gaussLength(c, m, b);
    if (depth >= 30 || std::fabs(left + right - whole) <= tol)
        return left + right;
    return adaptiveLength(c, a, m, left, 0.5 * tol, depth + 1) + adaptiveLength(c, m, b, right, 0.5 * tol, depth + 1);
}

// Arc length over [grid.front(), grid.back()] (a reversed range gives the same length).
template <class Curve>
double curveLength(const Curve& c, const std::vector<double>& grid, double tol)
{
    double total = 0.0;
    tol = std::max(tol, 1e-12);
    for (size_t i = 0; i + 1 < grid.size(); ++i) {
        const double a = grid[i], b = grid[i + 1];
        if (a == b)
            continue;
        total += std::fabs(adaptiveLength(c, a, b, gaussLength(c, a, b), tol, 0));
    }
    return total;
}

// Parameter at arc length len from grid.front() walking towards grid.back().
template <class Curve>
double paramAtCurveLength(const Curve& c, const std::vector<double>& grid, double len, double tol)
{
    double acc = 0.0;
    for (size_t i = 0; i + 1 < grid.size(); ++i) {
        const double a = grid[i], b = grid[i + 1];
        const double seg = curveLength(c, std::vector<double>{a, b}, tol);
        if (acc + seg < len && i + 2 < grid.size()) {
            acc += seg;
            continue;
        }
        // Solve length(a, t) = len - acc by safeguarded Newton in [a, b].
        const double want = len - acc;
        double lo = a, hi = b, t = seg > 0.0 ? a + (b - a) * std::clamp(want / seg, 0.0, 1.0) : a;
        for (int iter = 0; iter < 60; ++iter) {
            const double got = curveLength(c, std::vector<double>{a, t}, tol);
            const double err = got - want;
            if (std::fabs(err) <= tol)
                break;
            if (err < 0.0)
                lo = t;
            else
                hi = t;
            const double sp = speedAt(c, t);
            double next = sp > 0.0 ? t - err / sp * (b > a ? 1.0 : -1.0) : 0.5 * (lo + hi);
            if (!((next > std::min(lo, hi) && next < std::max(lo, hi))))
                next = 0.5 * (lo + hi);
            if (next == t)
                break;
            t = next;
        }
        return t;
    }
    return grid.empty() ? 0.0 : grid.back();
}

} // namespace dh::ge
