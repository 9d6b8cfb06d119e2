// The numerical answers of the curve base classes (closest point, length and its inverse)
// checked against dense evaluation, which shares no code with them.
#include "host/ge/GeTestUtil.h"

#include <acge/AcGeEllipArc3d.h>
#include <acge/AcGeKnotVector.h>
#include <acge/AcGeNurbCurve3d.h>

#include "host/ge/BoxTree.h"

#include <cmath>
#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

AcGeNurbCurve3d wavySpline()
{
    AcGePoint3dArray ctrl{AcGePoint3d(0, 0, 0), AcGePoint3d(3, 10, 1), AcGePoint3d(6, -10, 2), AcGePoint3d(9, 10, 1),
                          AcGePoint3d(12, -10, 0), AcGePoint3d(15, 0, 0)};
    return AcGeNurbCurve3d(3, AcGeKnotVector(3, 6), ctrl);
}

// Nearest of evenly spaced samples, then a golden-section search between its neighbours.
double denseNearest(const AcGeCurve3d& c, const AcGePoint3d& p, double lo, double hi)
{
    const int n = 2000;
    int best = 0;
    double bestDist = 1e300;
    for (int i = 0; i <= n; ++i) {
        const double d = c.evalPoint(lo + (hi - lo) * i / n).distanceTo(p);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    double a = lo + (hi - lo) * std::max(0, best - 1) / n, b = lo + (hi - lo) * std::min(n, best + 1) / n;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int k = 0; k < 80; ++k) {
        const double x1 = b - g * (b - a), x2 = a + g * (b - a);
        if (c.evalPoint(x1).distanceTo(p) < c.evalPoint(x2).distanceTo(p))
            b = x2;
        else
            a = x1;
    }
    return 0.5 * (a + b);
}

double chordSum(const AcGeCurve3d& c, double lo, double hi, int n)
{
    double sum = 0.0;
    AcGePoint3d prev = c.evalPoint(lo);
    for (int i = 1; i <= n; ++i) {
        const AcGePoint3d q = c.evalPoint(lo + (hi - lo) * i / n);
        sum += q.distanceTo(prev);
        prev = q;
    }
    return sum;
}

// Inscribed polygons fall short by about C/n^2; Richardson's step removes that term.
double polylineLength(const AcGeCurve3d& c, double lo, double hi)
{
    return (4.0 * chordSum(c, lo, hi, 8000) - chordSum(c, lo, hi, 4000)) / 3.0;
}

TEST(CurveNumerics, ClosestPointMatchesDenseSearch)
{
    const AcGeNurbCurve3d c = wavySpline();
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> x(-3.0, 18.0), y(-12.0, 12.0);
    for (int i = 0; i < 25; ++i) {
        const AcGePoint3d p(x(rng), y(rng), 0.5);
        const double dense = denseNearest(c, p, 0.0, 1.0);
        const AcGePoint3d found = c.closestPointTo(p);
        // Never farther than the dense answer (up to its sampling error).
        EXPECT_LE(found.distanceTo(p), c.evalPoint(dense).distanceTo(p) + 1e-9) << p;
    }
}

TEST(CurveNumerics, LengthAndItsInverse)
{
    const AcGeNurbCurve3d c = wavySpline();
    const double dense = polylineLength(c, 0.0, 1.0);
    EXPECT_NEAR(c.length(0.0, 1.0), dense, 1e-6 * dense);
    for (double part : {0.1, 0.37, 0.8}) {
        const double t = c.paramAtLength(0.0, part * dense);
        EXPECT_NEAR(polylineLength(c, 0.0, t), part * dense, 1e-6 * dense);
        // Backwards from the end.
        const double back = c.paramAtLength(1.0, part * dense, false);
        EXPECT_NEAR(c.length(back, 1.0), part * dense, 1e-6 * dense);
    }
}

TEST(CurveNumerics, EllipseInSpace)
{
    // Major axis along Y (radius 3), minor along Z (radius 1), centred at (1,2,3).
    AcGeEllipArc3d e(AcGePoint3d(1, 2, 3), AcGeVector3d::kYAxis, AcGeVector3d::kZAxis, 3.0, 1.0, 0.0, kPi);
    EXPECT_TRUE(near3d(e.evalPoint(kPi / 2), AcGePoint3d(1, 2, 4)));
    EXPECT_TRUE(near3d(e.endPoint(), AcGePoint3d(1, -1, 3)));
    EXPECT_NEAR(e.normal().x, 1.0, 1e-12);
    // Nearest point to a point above the top of the arc.
    EXPECT_TRUE(near3d(e.closestPointTo(AcGePoint3d(7, 2, 10)), AcGePoint3d(1, 2, 4), 1e-9));
    AcGePoint3d lo, hi;
    e.getExtents(lo, hi);
    EXPECT_TRUE(near3d(lo, AcGePoint3d(1, -1, 3)));
    EXPECT_TRUE(near3d(hi, AcGePoint3d(1, 5, 4)));
    e.reverseParam();
    EXPECT_TRUE(near3d(e.startPoint(), AcGePoint3d(1, -1, 3)));
    EXPECT_TRUE(near3d(e.evalPoint(0.5 * (e.startAng() + e.endAng())), AcGePoint3d(1, 2, 4)));
}

TEST(KnotVector, MultiplicityDistinctAndReverse)
{
    const double k[] = {0, 0, 0, 1, 2, 2, 5, 5, 5};
    AcGeKnotVector kv(9, k);
    EXPECT_EQ(kv.multiplicityAt(0), 3);
    EXPECT_EQ(kv.multiplicityAt(2.0), 2);
    EXPECT_EQ(kv.numIntervals(), 3);
    AcGeDoubleArray distinct;
    kv.getDistinctKnots(distinct);
    EXPECT_EQ(distinct, (AcGeDoubleArray{0, 1, 2, 5}));
    kv.reverse();
    EXPECT_EQ(kv.getArray(), (AcGeDoubleArray{0, 0, 0, 3, 3, 4, 5, 5, 5}));
    kv.setRange(0.0, 1.0);
    EXPECT_DOUBLE_EQ(kv[3], 0.6);
    EXPECT_TRUE(kv.contains(0.99));
    EXPECT_FALSE(kv.contains(1.01));
}

TEST(BoxTree, QueriesMatchBruteForce)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> pos(0.0, 1000.0), size(0.0, 30.0);
    std::vector<dh::ge::Box2> boxes;
    for (int i = 0; i < 3000; ++i) {
        const double x = pos(rng), y = pos(rng);
        boxes.push_back({x, y, x + size(rng), y + size(rng)});
    }
    const dh::ge::BoxTree tree(boxes);
    EXPECT_EQ(tree.size(), boxes.size());
    for (int q = 0; q < 200; ++q) {
        const double x = pos(rng), y = pos(rng);
        const dh::ge::Box2 query{x, y, x + 4 * size(rng), y + 4 * size(rng)};
        std::vector<int> found;
        tree.query(query, [&](int i) { found.push_back(i); });
        std::sort(found.begin(), found.end());
        std::vector<int> expected;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].overlaps(query))
                expected.push_back(static_cast<int>(i));
        EXPECT_EQ(found, expected);
    }
    // Touching edges count.
    int hits = 0;
    dh::ge::BoxTree({{0, 0, 1, 1}}).query({1, 1, 2, 2}, [&](int) { ++hits; });
    EXPECT_EQ(hits, 1);
}

} // namespace
