// Pictures of the generated terrain drawing (100 000 contours, 100 000 labelled elevation
// points; see bench/host/TerrainFile.h): the whole drawing to a 4000×3000 PNG, a window of
// a tenth of it, and the whole drawing to SVG. Time is the render alone (the drawing is
// read before); peak_MB is the process's peak, the drawing included. One benchmark per
// process gives a meaningful peak:
//   build/bin/render_bench --benchmark_filter=BM_RenderPng
#include "bench/host/TerrainFile.h"

#include "host/render/DrawingRenderer.h"

#include <acdb/AcDbDatabase.h>

#include <filesystem>

namespace {

using dh::bench::loadedTerrain;
using dh::bench::peakMegabytes;
using dh::bench::terrainFile;

void renderTerrain(benchmark::State& state, const std::string& extension, bool window)
{
    auto db = loadedTerrain(state, terrainFile());
    if (!db)
        return;
    const double loaded = peakMegabytes();
    dh::render::RenderOptions options;
    options.width = 4000;
    options.height = 3000;
    if (window)
        options.window = dh::render::Window{505000.0, 3005000.0, 507000.0, 3006500.0};
    const std::string target = (std::filesystem::temp_directory_path() / ("dh_render_bench" + extension)).string();
    dh::render::RenderResult result;
    for (auto _ : state) {
        result = dh::render::renderDrawing(*db, options, target);
        if (!result.ok())
            state.SkipWithError(result.error.c_str());
    }
    state.counters["entities"] = static_cast<double>(result.drawn);
    state.counters["file_MB"] = std::filesystem::exists(target)
                                    ? static_cast<double>(std::filesystem::file_size(target)) / 1048576.0
                                    : 0.0;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["render_growth_MB"] = peakMegabytes() - loaded;
    std::filesystem::remove(target);
}

void BM_RenderPng(benchmark::State& state) { renderTerrain(state, ".png", false); }
BENCHMARK(BM_RenderPng)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RenderPngWindow(benchmark::State& state) { renderTerrain(state, ".png", true); }
BENCHMARK(BM_RenderPngWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RenderSvg(benchmark::State& state) { renderTerrain(state, ".svg", false); }
BENCHMARK(BM_RenderSvg)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
