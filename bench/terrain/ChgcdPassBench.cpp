// The work of CHGCD_T (collect, joinSplitLabels, assignDecimalLabels) on generated drawings
// of N elevation points at elevation 0, each with its label: one text, or (second argument,
// in percent) two texts for that share of the points; a block's attribute is its label.
// The selection and the questions are left out, as a user answers them before the pass.
#include "TerrainDxf.h"

#include "host/ed/Session.h"
#include "terrain/Cmd_CHGCD.h"
#include "toolkit/SelectSetPacker.h"

#include <acut/ResBuf.h>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::filesystem::path generated(long points, int splitPercent)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("chgcd-bench-" + std::to_string(::getpid()) + "-" + std::to_string(points) + ".dxf");
    dh::tools::TerrainOptions options;
    options.contours = 0;
    options.points = points;
    options.splitLabelShare = splitPercent / 100.0;
    options.flatPoints = true;
    std::ofstream out(path, std::ios::binary);
    dh::tools::writeTerrainDxf(out, options);
    return path;
}

void chgcdPass(benchmark::State& state)
{
    const long points = state.range(0);
    const std::filesystem::path path = generated(points, static_cast<int>(state.range(1)));
    std::ostringstream transcript;
    dh::ed::SessionOptions options;
    options.quiet = true;
    options.configHome = (std::filesystem::temp_directory_path() / "chgcd-bench-config").string();
    dh::ed::Session session(options);
    session.setOutput(transcript);
    session.setErrorOutput(transcript);
    std::string error;
    const bool opened = session.openDocument(path.string(), error) != nullptr;
    std::filesystem::remove(path);
    if (!opened) {
        state.SkipWithError(error.c_str());
        return;
    }
    AcArray<AcDbObjectId> ids;
    {
        resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "CIRCLE", RTDXF0, "POINT", RTDXF0, "ARC",
                                       RTDXF0, "INSERT", RTDXF0, "TEXT", -4, "OR>", 0);
        dh::toolkit::SelectSetPacker packer;
        packer.selectAll(filter);
        acutRelRb(filter);
        packer.objectIds(ids);
    }
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
    ->Args({400000, 0})
    ->Args({400000, 50})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace
