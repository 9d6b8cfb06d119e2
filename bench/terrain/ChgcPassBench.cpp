// The processing pass of CHGC_T (sift, then the spot rebuild) on generated drawings of
// N contours and N elevation points with 2 % exact copies and 1 % copies 0.5 higher, every
// question answered with Enter (each question zooms through the ZOOM command). Reports the time per entity and the peak resident memory;
// the time per entity should stay flat as N grows.
#include "TerrainDxf.h"

#include "host/ed/InputSource.h"
#include "host/ed/Session.h"
#include "terrain/Cmd_CHGC.h"
#include "toolkit/SelectSetPacker.h"

#include <acut/ResBuf.h>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::filesystem::path generated(long count, bool questions)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("chgc-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count) + ".dxf");
    dh::tools::TerrainOptions options;
    options.contours = count;
    options.points = count;
    options.vertices = 8;
    if (!questions)
        options.otherElevationShare = 0.0;
    std::ofstream out(path, std::ios::binary);
    dh::tools::writeTerrainDxf(out, options);
    return path;
}

void chgcPass(benchmark::State& state)
{
    const long count = state.range(0);
    const std::filesystem::path path = generated(count, state.range(1) != 0);
    std::ostringstream transcript;
    dh::ed::SessionOptions options;
    options.quiet = true;
    options.configHome = (std::filesystem::temp_directory_path() / "chgc-bench-config").string();
    dh::ed::Session session(options);
    session.setOutput(transcript);
    session.setErrorOutput(transcript);
    std::string error;
    if (!session.openDocument(path.string(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::filesystem::remove(path);

    AcArray<AcDbObjectId> ids;
    {
        resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "LWPOLYLINE", RTDXF0, "POLYLINE", RTDXF0,
                                       "CIRCLE", RTDXF0, "POINT", RTDXF0, "ARC", RTDXF0, "INSERT",
                                       RTDXF0, "TEXT", -4, "OR>", 0);
        dh::toolkit::SelectSetPacker packer;
        packer.selectAll(filter);
        acutRelRb(filter);
        packer.objectIds(ids);
    }
    session.setInput(std::make_unique<dh::ed::LineQueueInput>(
        "answers", std::vector<std::string>(static_cast<size_t>(count), "")));

    for (auto _ : state) {
        dh::terrain::Cmd_CHGC command(0.15);
        command.sift(ids);
        command.rebuildSpots();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["entities"] = static_cast<double>(ids.length());
    state.counters["per_entity"] = benchmark::Counter(
        static_cast<double>(ids.length()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// 13 000 + 13 000 gives about 40 000 entities with the labels and copies; 130 000 + 130 000
// ten times as many; 400 000 + 400 000 is the target size.
// The second argument 0 drops the copies at another elevation, and with them the questions.
BENCHMARK(chgcPass)
    ->Args({13000, 1})
    ->Args({130000, 1})
    ->Args({400000, 1})
    ->Args({13000, 0})
    ->Args({130000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();

// Measured 2026-12-08 on the shared 2-core machine under a load average of about 15
// (wall time is therefore about 2.5–9 times the CPU time), with
//   build-terrain/bin/terrain_bench --benchmark_filter='chgcPass/(20000|200000|400000)/'
//   N = 20 000:     61 832 entities,  CPU 0.21 s (3.3 us per entity), peak 50 MB
//   N = 200 000:   617 938 entities,  CPU 3.26 s (5.3 us per entity), peak 448 MB
//   N = 400 000: 1 235 570 entities,  CPU 6.49 s (5.3 us per entity), wall 16.5 s, peak 891 MB
// Without questions (second argument 0): 2.4 us and 3.9 us per entity at 20 000 and 200 000.
// The peak includes the drawing itself, read from the generated DXF file.
