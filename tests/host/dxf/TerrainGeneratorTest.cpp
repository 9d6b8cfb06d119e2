#include "TerrainDxf.h"

#include "host/dxf/DxfReader.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCurve.h>
#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

TEST(TerrainGenerator, IsDeterministicAndReadsWithoutRepairs)
{
    dh::tools::TerrainOptions options;
    options.contours = 300;
    options.points = 200;
    options.duplicateShare = 0.1;
    std::ostringstream first, second;
    long entities = dh::tools::writeTerrainDxf(first, options);
    dh::tools::writeTerrainDxf(second, options);
    EXPECT_EQ(first.str(), second.str());
    // Each point brings its label; duplicates come on top.
    EXPECT_GE(entities, options.contours + 2 * options.points);

    dh::dxf::ReadReport report;
    auto db = dh::dxf::readDxfData(first.str(), "terrain", {}, report);
    ASSERT_TRUE(db) << report.error;
    EXPECT_TRUE(report.fixed.empty()) << report.fixed.front().message;
    EXPECT_EQ(report.codePage, "ANSI_936");
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(static_cast<long>(model->entityIds().size()), entities);
    model->close();
    // 等高线, the contour layer, in UTF-8.
    EXPECT_FALSE(dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kLayer,
                                                    "\xE7\xAD\x89\xE9\xAB\x98\xE7\xBA\xBF").isNull());
}

namespace {

// Handle of every model-space entity, and its start and end point when it is a curve.
struct Seen {
    AcGePoint3d start, end;
    bool curve = false;
};
std::map<std::uint64_t, Seen> readEntities(const std::string& dxf)
{
    dh::dxf::ReadReport report;
    auto db = dh::dxf::readDxfData(dxf, "terrain", {}, report);
    EXPECT_TRUE(db) << report.error;
    EXPECT_TRUE(report.fixed.empty());
    std::map<std::uint64_t, Seen> seen;
    if (!db)
        return seen;
    AcDbBlockTableRecord* model = nullptr;
    EXPECT_EQ(acdbOpenObject(model, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    for (const AcDbObjectId id : model->entityIds()) {
        Seen& s = seen[static_cast<std::uint64_t>(id.handle())];
        AcDbCurve* curve = nullptr;
        if (acdbOpenObject(curve, id, AcDb::kForRead) == Acad::eOk) {
            s.curve = curve->getStartPoint(s.start) == Acad::eOk && curve->getEndPoint(s.end) == Acad::eOk;
            curve->close();
        }
    }
    model->close();
    return seen;
}

} // namespace

TEST(TerrainGenerator, BrokenContoursComeInPairsAcrossSmallGapsAndLeaveTheRestAlone)
{
    dh::tools::TerrainOptions options;
    options.contours = 200;
    options.points = 50;
    options.vertices = 12;
    options.oldStyleShare = 0.3;
    std::ostringstream whole, broken;
    dh::tools::writeTerrainDxf(whole, options);
    options.brokenShare = 0.5;
    std::vector<dh::tools::BrokenPair> pairs;
    const long entities = dh::tools::writeTerrainDxf(broken, options, &pairs);
    ASSERT_GT(pairs.size(), 20u);

    const std::map<std::uint64_t, Seen> before = readEntities(whole.str());
    const std::map<std::uint64_t, Seen> after = readEntities(broken.str());
    EXPECT_EQ(static_cast<long>(after.size()), entities);
    EXPECT_EQ(after.size(), before.size() + pairs.size());
    std::set<std::uint64_t> pieces;
    int mismatched = 0;
    for (const dh::tools::BrokenPair& pair : pairs) {
        ASSERT_TRUE(after.count(pair.first) && after.count(pair.second));
        const Seen& first = after.at(pair.first);
        const Seen& second = after.at(pair.second);
        ASSERT_TRUE(first.curve && second.curve);
        // The gap runs from the end of the first piece to the start of the second.
        EXPECT_NEAR(first.end.x, pair.gap[0], 1e-9);
        EXPECT_NEAR(first.end.y, pair.gap[1], 1e-9);
        EXPECT_NEAR(second.start.x, pair.gap[2], 1e-9);
        EXPECT_NEAR(second.start.y, pair.gap[3], 1e-9);
        const double gap = std::hypot(pair.gap[2] - pair.gap[0], pair.gap[3] - pair.gap[1]);
        EXPECT_GT(gap, 0.49);
        EXPECT_LT(gap, 1.51);
        EXPECT_EQ(first.start.z == second.start.z, pair.sameElevation);
        mismatched += !pair.sameElevation || !pair.sameLayer;
        pieces.insert(pair.first);
        pieces.insert(pair.second);
    }
    EXPECT_GT(mismatched, 1);
    // Everything else keeps its handle: one contour's handle goes per pair.
    int kept = 0;
    for (const auto& [handle, seen] : after)
        if (!pieces.count(handle))
            kept += before.count(handle) ? 1 : 0;
    EXPECT_EQ(kept + pairs.size(), before.size());

    std::ostringstream truth;
    dh::tools::writeBrokenPairs(truth, pairs);
    const std::string text = truth.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(pairs.size()) + 4);
}
