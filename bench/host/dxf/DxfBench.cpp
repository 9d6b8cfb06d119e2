// Load and save throughput of the DXF codec on a generated terrain drawing of 100 000
// contours and 100 000 labelled elevation points (tools/gen, fixed seed), and the peak
// memory of a load. Run one benchmark per process for a meaningful peak:
//   build/bin/dxf_bench --benchmark_filter=Load
// DH_TERRAIN_DXF names the file to use (generated there when missing).
#include "bench/host/TerrainFile.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbUtilities.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace {

using dh::bench::loadedTerrain;
using dh::bench::peakMegabytes;
using dh::bench::terrainFile;

void BM_Load(benchmark::State& state)
{
    std::string path = terrainFile();
    auto size = static_cast<double>(std::filesystem::file_size(path));
    double before = peakMegabytes();
    std::unique_ptr<AcDbDatabase> db;
    for (auto _ : state) {
        // Freeing the previous drawing is not part of a load.
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
        dh::dxf::ReadReport report;
        db = dh::dxf::readDxf(path, {}, report);
        if (!db) state.SkipWithError(report.error.c_str());
        benchmark::DoNotOptimize(db.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
    state.counters["file_MB"] = size / 1048576.0;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_growth_MB"] = peakMegabytes() - before;
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Save(benchmark::State& state)
{
    const std::string path = terrainFile();
    auto db = loadedTerrain(state, path);
    if (!db)
        return;
    std::string target = path + ".saved.dxf";
    std::size_t written = 0;
    for (auto _ : state) {
        dh::dxf::WriteReport writeReport;
        if (!dh::dxf::writeDxf(*db, target, {}, writeReport)) state.SkipWithError(writeReport.error.c_str());
        written = std::filesystem::file_size(target);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(written) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(written) / 1048576.0;
    std::filesystem::remove(target);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(1);

// The extents of everything in model space, each entity's own, as a drawing opens to them.
// Argument 0 takes lightweight polylines, circles and arcs through the curves' general
// search along their spans instead (how they were found before they had closed forms).
void BM_ModelSpaceExtents(benchmark::State& state)
{
    const std::string path = terrainFile();
    auto db = loadedTerrain(state, path);
    if (!db)
        return;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) {
        state.SkipWithError("model space cannot be opened");
        return;
    }
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    const bool general = state.range(0) == 0;
    for (auto _ : state) {
        AcDbExtents all;
        for (const AcDbObjectId id : ids) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
            AcDbExtents box;
            const bool search = general && (AcDbPolyline::cast(entity) || AcDbCircle::cast(entity) || AcDbArc::cast(entity));
            const Acad::ErrorStatus es =
                search ? static_cast<const AcDbCurve*>(entity)->AcDbCurve::getGeomExtents(box) : entity->getGeomExtents(box);
            if (es == Acad::eOk) all.addExt(box);
            entity->close();
        }
        benchmark::DoNotOptimize(all);
    }
    state.counters["entities"] = static_cast<double>(ids.size());
}
BENCHMARK(BM_ModelSpaceExtents)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// Figures of 2026-12-08 on the shared 2-core machine (load average about 15, so the CPU
// times are the meaningful ones), generated file of 234.5 MB (100 000 contours, 100 000
// labelled points, tools/gen defaults):
//   DH_TERRAIN_DXF=/tmp/dh_terrain_100k.dxf build/bin/dxf_bench --benchmark_filter=BM_Load
//     load: 3.04 s CPU = 77 MB/s; peak resident 478 MB = 2.04 x the file
//   ... --benchmark_filter=BM_Save: 3.52 s CPU = 67 MB/s (R2000, 236.9 MB)
// Beside it: ogrinfo -ro -so -al on the same file, 10.1 s CPU, 46 MB (it streams a summary
// and builds no drawing); ezdxf 1.x readfile + saveas on the 23.6 MB file of 10 000 + 10 000
// took 14.6 s CPU and 219 MB (9.3 x), where this codec takes about 0.3 s each way.
//
// After the faster ASCII read path and the closed-form curve extents, same file, machine at
// a load average of about 2 (CPU times; freeing the drawing is no longer inside the load):
//   DH_TERRAIN_DXF=/tmp/dh_terrain_100k.dxf build/bin/dxf_bench --benchmark_filter=BM_Load
//     before: 2.47, 2.49 s CPU = 94–95 MB/s (that build, freeing included), peak 478 MB
//     after:  1.77, 1.77, 1.81, 1.81, 1.87, 1.88, 1.90, 1.99 s CPU = 118–132 MB/s;
//             peak resident 477 MB = 2.03 x the file
//   ... --benchmark_filter=BM_Save: 3.84, 4.09 s CPU = 58–62 MB/s (writer unchanged)
//   ... --benchmark_filter=Extents: extents of the 308 944 model-space entities
//     /0 (polylines, circles and arcs searched along their spans): 20.5–22.6 s CPU
//     /1 (closed forms): 0.13–0.19 s CPU
//   /usr/bin/time drafthost /tmp/dh_terrain_100k.dxf --no-modules -q --script <QUIT>
//     (open, zoom to extents, quit): before 3.27, 3.43, 3.59 s user, 495 MB peak;
//     after 1.97, 2.30, 2.37 s user, 493 MB peak. In a profile of the open the zoom took
//     about 7 % of the samples before (display shapes of every polyline), 3 % after.
// Beside it on the 234.5 MB file, once each, on the same machine:
//   /usr/bin/python3 -c 'import ezdxf; ezdxf.readfile(...)': 65.9 s CPU for the read
//     (68.3 s user + 2.0 s sys in all, 97 s wall), peak 1.89 GB = 8.0 x the file
//   ogrinfo -ro -so -al: 10.9 s user + 0.2 s sys, 19.5 s wall, 45 MB (a streamed summary)
