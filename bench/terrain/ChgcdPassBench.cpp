// The work of CHGCD_T (collect, joinSplitLabels, assignDecimalLabels) on generated drawings
// of N elevation points at elevation 0, each with its label: one text, or (second argument,
// in percent) two texts for that share of the points; a block's attribute is its label.
// The selection and the questions are left out, as a user answers them before the pass.
#include "GeneratedSession.h"

#include "terrain/Cmd_CHGCD.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <ctime>

namespace {

void chgcdPass(benchmark::State& state)
{
    dh::tools::TerrainOptions drawing;
    drawing.contours = 0;
    drawing.points = state.range(0);
    drawing.splitLabelShare = static_cast<double>(state.range(1)) / 100.0;
    drawing.flatPoints = true;
    dh::bench::GeneratedSession generated(drawing);
    if (!generated.isOpen()) {
        state.SkipWithError(generated.error().c_str());
        return;
    }
    resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "CIRCLE", RTDXF0, "POINT", RTDXF0, "ARC",
                                   RTDXF0, "INSERT", RTDXF0, "TEXT", -4, "OR>", 0);
    const AcArray<AcDbObjectId> ids = generated.selectAll(filter);
    acutRelRb(filter);
    long labelled = 0;
    // Processor seconds of each step, beside the benchmark's total.
    double seconds[3] = {};
    auto timed = [](double& total, auto&& step) {
        const std::clock_t start = std::clock();
        step();
        total += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    };
    for (auto _ : state) {
        dh::terrain::Cmd_CHGCD command(1000.0, 0.15, 1);
        timed(seconds[0], [&] { command.collect(ids); });
        timed(seconds[1], [&] { command.joinSplitLabels(); });
        timed(seconds[2], [&] { command.assignDecimalLabels(); });
        labelled = 0;
        for (int i = 0; i < command.spots().length(); ++i)
            labelled += command.spots()[i].used;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["entities"] = static_cast<double>(ids.length());
    state.counters["labelled"] = static_cast<double>(labelled);
    state.counters["collect_s"] = seconds[0];
    state.counters["join_s"] = seconds[1];
    state.counters["assign_s"] = seconds[2];
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// 400 000 points with their labels is the target size: 400 000 labels when every label is
// one text, 600 000 texts when half of them are two.
BENCHMARK(chgcdPass)
    ->Args({40000, 0})
    ->Args({40000, 50})
    ->Args({400000, 0})
    ->Args({400000, 50})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
