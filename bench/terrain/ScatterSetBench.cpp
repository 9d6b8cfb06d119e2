// The spot set's k-d tree beside nanoflann's (leaf size 10, the library's default) on the
// same points and rectangles: build over N spots, then one rectangle query per label for N
// labels. Spots are spread over a 20 km square as on a survey sheet, a tenth of them on a
// 1 m grid column or row (equal x or y); each rectangle is the search box of a decimal
// label written beside a spot (about 12 × 4 drawing units), so it holds its own spot and
// now and then a neighbour.
#include "terrain/ScatterSet.h"
#include "terrain/Spot.h"

#include <benchmark/benchmark.h>
#include <nanoflann.hpp>

#include <cmath>
#include <random>
#include <vector>

namespace {

using dh::terrain::ScatterSet;
using dh::terrain::Spot;

struct Box {
    double minX, minY, maxX, maxY;
};

struct Input {
    std::vector<AcGePoint2d> points;
    std::vector<Box> boxes;
};

const Input& input(long n)
{
    static Input cached;
    if (static_cast<long>(cached.points.size()) == n)
        return cached;
    cached = {};
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (long i = 0; i < n; ++i) {
        double x = 500000.0 + unit(random) * 20000.0;
        double y = 3000000.0 + unit(random) * 20000.0;
        const double r = unit(random);
        if (r < 0.05)
            x = std::floor(x);
        else if (r < 0.1)
            y = std::floor(y);
        cached.points.emplace_back(x, y);
    }
    for (long i = 0; i < n; ++i) {
        const AcGePoint2d& p = cached.points[static_cast<size_t>(random() % n)];
        // A label "123.45" of height 2 at (x + 1, y − 0.5), its extents doubled about their centre.
        const double cx = p.x + 4.0, cy = p.y + 0.5;
        cached.boxes.push_back({cx - 6.0, cy - 2.0, cx + 6.0, cy + 2.0});
    }
    return cached;
}

void fill(ScatterSet<Spot>& set, const Input& in)
{
    for (const AcGePoint2d& p : in.points)
        set.add(Spot(p, AcDbObjectId::kNull));
}

void scatterSetBuild(benchmark::State& state)
{
    const Input& in = input(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto set = std::make_unique<ScatterSet<Spot>>();
        fill(*set, in);
        state.ResumeTiming();
        set->buildTree();
        benchmark::DoNotOptimize(set->root());
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
}

void scatterSetQueries(benchmark::State& state)
{
    const Input& in = input(state.range(0));
    ScatterSet<Spot> set;
    fill(set, in);
    set.buildTree();
    AcArray<Spot*> results;
    long found = 0;
    for (auto _ : state) {
        found = 0;
        for (const Box& b : in.boxes) {
            results.removeAll();
            set.searchRange(AcGePoint2d(b.minX, b.minY), AcGePoint2d(b.maxX, b.maxY), results);
            found += results.length();
        }
    }
    state.counters["found"] = static_cast<double>(found);
}

// nanoflann's adaptor over the same points.
struct Cloud {
    const std::vector<AcGePoint2d>& points;
    size_t kdtree_get_point_count() const { return points.size(); }
    double kdtree_get_pt(size_t i, size_t dim) const { return dim == 0 ? points[i].x : points[i].y; }
    template <class Bbox>
    bool kdtree_get_bbox(Bbox&) const { return false; }
};
using Tree = nanoflann::KDTreeSingleIndexAdaptor<nanoflann::L2_Simple_Adaptor<double, Cloud>, Cloud, 2>;

// The library has no rectangle query in this version: walk its nodes. A node's divlow is
// the highest coordinate of its first child on the cut axis, divhigh the lowest of the second.
void boxSearch(const Tree& tree, const Tree::Node* node, const Box& box, std::vector<uint32_t>& out)
{
    if (!node->child1 && !node->child2) {
        for (auto i = node->node_type.lr.left; i < node->node_type.lr.right; ++i) {
            const AcGePoint2d& p = tree.dataset.points[tree.vAcc[i]];
            if (box.minX <= p.x && p.x <= box.maxX && box.minY <= p.y && p.y <= box.maxY)
                out.push_back(tree.vAcc[i]);
        }
        return;
    }
    const int axis = node->node_type.sub.divfeat;
    const double low = axis == 0 ? box.minX : box.minY;
    const double high = axis == 0 ? box.maxX : box.maxY;
    if (low <= node->node_type.sub.divlow)
        boxSearch(tree, node->child1, box, out);
    if (high >= node->node_type.sub.divhigh)
        boxSearch(tree, node->child2, box, out);
}

void nanoflannBuild(benchmark::State& state)
{
    const Input& in = input(state.range(0));
    Cloud cloud{in.points};
    for (auto _ : state) {
        Tree tree(2, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(10));
        benchmark::DoNotOptimize(tree.root_node);
    }
}

void nanoflannQueries(benchmark::State& state)
{
    const Input& in = input(state.range(0));
    Cloud cloud{in.points};
    Tree tree(2, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(10));
    std::vector<uint32_t> results;
    long found = 0;
    for (auto _ : state) {
        found = 0;
        for (const Box& b : in.boxes) {
            results.clear();
            boxSearch(tree, tree.root_node, b, results);
            found += static_cast<long>(results.size());
        }
    }
    state.counters["found"] = static_cast<double>(found);
}

BENCHMARK(scatterSetBuild)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(nanoflannBuild)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(scatterSetQueries)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(nanoflannQueries)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
