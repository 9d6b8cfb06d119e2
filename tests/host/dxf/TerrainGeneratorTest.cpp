#include "TerrainDxf.h"

#include "host/dxf/DxfReader.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

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
