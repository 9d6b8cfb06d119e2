// Thinning and reversing lightweight polylines of 10^4 to 10^6 vertices. Thinning runs on
// a straight run (no vertex is kept between its ends: the time per vertex must stay flat)
// and on a noisy contour (tolerance 0.5, about one vertex in seven kept), beside the
// removal of the same vertices one by one from the top (removeVertexAt), which shifts the
// vertices kept above each time. Reversal goes through the composite curve, with an arc on
// every tenth segment.
#include "toolkit/PolylineOrientation.h"
#include "toolkit/PolylineThinning.h"

#include <acdb/AcDbPolyline.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

enum class Shape { kStraight, kNoisy, kArcs };

std::unique_ptr<AcDbPolyline> makeShape(Shape shape, long count)
{
    auto polyline = std::make_unique<AcDbPolyline>();
    std::mt19937 random(20260114);
    std::normal_distribution<double> noise(0.0, 0.3);
    for (long i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        AcGePoint2d p(500000.0 + t, 3000000.0 + 0.5 * t);
        double bulge = 0.0;
        if (shape == Shape::kNoisy)
            p.y += 40.0 * std::sin(t * 0.01) + noise(random);
        if (shape == Shape::kArcs && i % 10 == 0)
            bulge = 0.3;
        polyline->addVertexAt(static_cast<unsigned int>(i), p, bulge, 0.0, 0.0);
    }
    return polyline;
}

void thinning(benchmark::State& state, Shape shape)
{
    const std::unique_ptr<AcDbPolyline> source = makeShape(shape, state.range(0));
    unsigned int kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<AcDbPolyline> polyline(static_cast<AcDbPolyline*>(source->clone()));
        state.ResumeTiming();
        dh::toolkit::rarefyPolyline(polyline.get(), shape == Shape::kStraight ? 0.0 : 0.5, 0, 0);
        kept = polyline->numVerts();
    }
    state.counters["kept"] = kept;
    state.counters["per_vertex"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}

// The same thinning with the vertices removed one at a time from the highest index down.
void thinningOneByOne(benchmark::State& state)
{
    const std::unique_ptr<AcDbPolyline> source = makeShape(Shape::kNoisy, state.range(0));
    std::unique_ptr<AcDbPolyline> thinned(static_cast<AcDbPolyline*>(source->clone()));
    dh::toolkit::rarefyPolyline(thinned.get(), 0.5, 0, 0);
    // Which vertices stay: the thinned polyline's points, in order.
    std::vector<char> keep(source->numVerts(), 0);
    for (unsigned int i = 0, k = 0; i < source->numVerts() && k < thinned->numVerts(); ++i) {
        AcGePoint2d a, b;
        source->getPointAt(i, a);
        thinned->getPointAt(k, b);
        if (a == b) {
            keep[i] = 1;
            ++k;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<AcDbPolyline> polyline(static_cast<AcDbPolyline*>(source->clone()));
        state.ResumeTiming();
        for (unsigned int i = polyline->numVerts(); i-- > 0;)
            if (!keep[i])
                polyline->removeVertexAt(i);
    }
    state.counters["per_vertex"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}

void reversal(benchmark::State& state)
{
    const std::unique_ptr<AcDbPolyline> source = makeShape(Shape::kArcs, state.range(0));
    for (auto _ : state) {
        AcDbPolyline* reversed = nullptr;
        dh::toolkit::reversePolyline(source.get(), reversed);
        delete reversed;
    }
    state.counters["per_vertex"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(thinning, straight, Shape::kStraight)->RangeMultiplier(10)->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(thinning, noisy, Shape::kNoisy)->RangeMultiplier(10)->Range(10000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(thinningOneByOne)->RangeMultiplier(10)->Range(10000, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(reversal)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
