// Selection on a drawing of 100 000 entities (a 400 × 250 grid of short lines and arcs,
// one unit apart): a crossing window over 1% of the drawing, a fence across it, a point
// pick and "_A". The window also runs as the naive form, every entity tested exactly
// without the extents pre-filter, so one run prints the ratio.
#include "host/ed/Document.h"
#include "host/ed/DrawingSelector.h"
#include "host/ed/EntityShapes.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/ViewCommands.h"

#include <aced/AcEdSelection.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbUtilities.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

using namespace dh::ed;

constexpr int kColumns = 400;
constexpr int kRows = 250;

struct Drawing {
    std::ostringstream out;
    std::unique_ptr<Session> session;
    Document* document = nullptr;

    Drawing()
    {
        SessionOptions options;
        options.configHome = (std::filesystem::temp_directory_path() / "ed-selection-bench").string();
        session = std::make_unique<Session>(options);
        session->setOutput(out);
        session->setErrorOutput(out);
        document = &session->newDocument();
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, document->database()->currentSpaceId(), AcDb::kForWrite);
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                AcDbEntity* entity = nullptr;
                if ((row + column) % 2 == 0)
                    entity = new AcDbLine({column + 0.0, row + 0.0, 0.0}, {column + 0.8, row + 0.6, 0.0});
                else
                    entity = new AcDbArc({column + 0.5, row + 0.5, 0.0}, 0.4, 0.0, 3.0);
                entity->setDatabaseDefaults(document->database());
                space->appendAcDbEntity(entity);
                entity->close();
            }
        space->close();
        zoomToExtents(*document);
    }
};

Drawing& drawing()
{
    static Drawing d;
    return d;
}

void selectAndFree(const char* mode, const void* pt1, const void* pt2, benchmark::State& state)
{
    std::int32_t found = 0;
    for (auto _ : state) {
        ads_name ss;
        if (acedSSGet(mode, pt1, pt2, nullptr, ss) == RTNORM) {
            acedSSLength(ss, &found);
            acedSSFree(ss);
        }
    }
    state.counters["found"] = found;
}

void BM_CrossingWindow(benchmark::State& state)
{
    drawing();
    const ads_point lo{100, 100, 0}, hi{140, 125, 0};
    selectAndFree("_C", lo, hi, state);
}
BENCHMARK(BM_CrossingWindow)->Unit(benchmark::kMillisecond);

// Every entity's exact shape tested against the window: what the extents pre-filter saves.
void BM_CrossingWindowNaive(benchmark::State& state)
{
    Drawing& d = drawing();
    const View& view = d.document->view();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, d.document->database()->currentSpaceId(), AcDb::kForRead);
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    const Box2 window{100, 100, 140, 125};
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const AcDbObjectId id : ids) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
                continue;
            if (shapeTouchesBox(shapeOfEntity(*entity, view), window))
                ++found;
            entity->close();
        }
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_CrossingWindowNaive)->Unit(benchmark::kMillisecond);

void BM_Fence(benchmark::State& state)
{
    drawing();
    resbuf second{nullptr, RT3DPOINT, {}};
    second.resval.rpoint[0] = 300;
    second.resval.rpoint[1] = 210;
    resbuf first{&second, RT3DPOINT, {}};
    first.resval.rpoint[0] = 10;
    first.resval.rpoint[1] = 12;
    selectAndFree("_F", &first, nullptr, state);
}
BENCHMARK(BM_Fence)->Unit(benchmark::kMillisecond);

void BM_PointPick(benchmark::State& state)
{
    drawing();
    const ads_point at{200.4, 100.3, 0};
    selectAndFree(":S", at, nullptr, state);
}
BENCHMARK(BM_PointPick)->Unit(benchmark::kMillisecond);

void BM_All(benchmark::State& state)
{
    drawing();
    selectAndFree("_A", nullptr, nullptr, state);
}
BENCHMARK(BM_All)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
