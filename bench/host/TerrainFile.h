// The generated terrain drawing the host benches share: 100 000 contours and 100 000
// labelled elevation points (tools/gen, fixed seed), written once to the temporary folder,
// or the file DH_TERRAIN_DXF names. Also the process's peak memory.
#pragma once

#include "TerrainDxf.h"

#include "host/dxf/DxfReader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace dh::bench {

inline std::string terrainFile()
{
    const char* named = std::getenv("DH_TERRAIN_DXF");
    std::string path = named ? named : (std::filesystem::temp_directory_path() / "dh_terrain_100k.dxf").string();
    if (!std::filesystem::exists(path)) {
        dh::tools::TerrainOptions options;
        options.contours = 100000;
        options.points = 100000;
        std::ofstream out(path, std::ios::binary);
        dh::tools::writeTerrainDxf(out, options);
    }
    return path;
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The terrain drawing read before timing starts; null, with the benchmark marked as
// failed, when it cannot be read.
inline std::unique_ptr<AcDbDatabase> loadedTerrain(benchmark::State& state, const std::string& path)
{
    dh::dxf::ReadReport report;
    auto db = dh::dxf::readDxf(path, {}, report);
    if (!db)
        state.SkipWithError(report.error.c_str());
    return db;
}

}  // namespace dh::bench
