// --report: the line after each command and LISP line, checked against what the lines did.
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/ChangeReport.h"
#include "host/ed/Document.h"
#include "host/ed/InputSource.h"
#include "host/ed/Session.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

class ChangeReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::filesystem::temp_directory_path() / ("report-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_config);
        dh::ed::SessionOptions options;
        options.quiet = true;
        options.report = true;
        options.configHome = m_config.string();
        m_session = std::make_unique<dh::ed::Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        m_session->newDocument();
    }
    void TearDown() override
    {
        m_session.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_config, ec);
    }

    // The report lines of a script.
    std::vector<std::string> reports(std::vector<std::string> lines)
    {
        m_err.str("");
        m_session->setInput(std::make_unique<dh::ed::LineQueueInput>("test", std::move(lines)));
        m_session->run();
        std::vector<std::string> out;
        std::istringstream in(m_err.str());
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }

    std::filesystem::path m_config;
    std::ostringstream m_out, m_err;
    std::unique_ptr<dh::ed::Session> m_session;
};

AcDbDatabase* activeDb() { return dh::ed::Session::current()->activeDocument()->database(); }

AcDbObjectId addEntity(AcDbEntity* entity)
{
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, activeDb()->modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    space->appendAcDbEntity(id, entity);
    entity->close();
    space->close();
    return id;
}

// Commands with a known effect, as a module's would have.
const dh::ed::BuiltinCommandRegistrar kAddLines("TESTADDLINES", [](dh::ed::Session&) {
    for (int i = 0; i < 1200; ++i)
        addEntity(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, i, 0)));
});
// Every circle onto a new layer WALLS, which is switched off.
const dh::ed::BuiltinCommandRegistrar kRelayer("TESTRELAYER", [](dh::ed::Session&) {
    AcDbLayerTable* layers = nullptr;
    activeDb()->getLayerTable(layers, AcDb::kForWrite);
    auto* walls = new AcDbLayerTableRecord;
    walls->setName("WALLS");
    walls->setIsOff(true);
    AcDbObjectId wallsId;
    if (layers->add(wallsId, walls) == Acad::eOk)
        walls->close();
    else
        delete walls;
    layers->close();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, activeDb()->modelSpaceId(), AcDb::kForRead);
    for (AcDbObjectId id : space->entityIds()) {
        AcDbCircle* circle = nullptr;
        if (acdbOpenObject(circle, id, AcDb::kForWrite) == Acad::eOk) {
            circle->setLayer(wallsId);
            circle->close();
        }
    }
    space->close();
});

TEST_F(ChangeReportTest, CountsWhatLinesAddEraseAndModify)
{
    std::string circle;
    for (int i = 0; i < 3; ++i)
        circle = addEntity(new AcDbCircle(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1.0)).handle().toString();
    const auto lines = reports({
        "TESTADDLINES",
        "(setq e (entlast))",
        "TESTRELAYER",
        "MOVE", "#" + circle, "", "0,0", "5,5",
        "(entdel e)",
        "ERASE", "ALL", "",
        "(entdel e)",
        "; a comment",
        "TESTRELAYER",
    });
    ASSERT_EQ(lines.size(), 8u) << m_err.str();
    EXPECT_EQ(lines[0], "TESTADDLINES: added 1 200 LINE");
    EXPECT_EQ(lines[1], "(setq e (entlast)): no change");
    EXPECT_EQ(lines[2], "TESTRELAYER: modified 3 CIRCLE (layer); layers added WALLS");
    EXPECT_EQ(lines[3], "MOVE: modified 1 CIRCLE (geometry)");
    EXPECT_EQ(lines[4], "(entdel e): erased 1 LINE");
    EXPECT_EQ(lines[5], "ERASE: erased 1 199 LINE, 3 CIRCLE");
    // entdel of an erased entity brings it back.
    EXPECT_EQ(lines[6], "(entdel e): added 1 LINE");
    // A second WALLS is refused; nothing else is left to change.
    EXPECT_EQ(lines[7], "TESTRELAYER: no change");
}

TEST(ChangeDescription, LayersAreNamedWhenFewAndCountedWhenMany)
{
    using Report = dh::ed::ChangeReport;
    Report::Snapshot before, after;
    auto id = [](std::uintptr_t n) { return AcDbObjectId(reinterpret_cast<dh::db::ObjectStub*>(n * 64)); };
    for (std::uintptr_t n = 1; n <= 8; ++n) {
        Report::LayerState layer;
        layer.name = "L" + std::to_string(n);
        before.layers[id(n)] = layer;
        layer.off = true;
        after.layers[id(n)] = layer;
    }
    Report::LayerState extra;
    extra.name = "NEW";
    after.layers[id(9)] = extra;
    EXPECT_EQ(dh::ed::describeChanges(before, after, {}), "layers added NEW; layers changed 8 (off)");

    after = before;
    after.layers[id(2)].frozen = true;
    after.layers[id(2)].color.setColorIndex(3);
    after.layers[id(5)].erased = true;
    EXPECT_EQ(dh::ed::describeChanges(before, after, {}), "layers erased L5; layers changed L2 (frozen, colour)");

    Report::EntityState circle;
    circle.type = 0;
    before.entities[id(20)] = circle;
    circle.color.setColorIndex(1);
    circle.xdata = 7;
    after = before;
    after.entities[id(20)] = circle;
    EXPECT_EQ(dh::ed::describeChanges(before, after, {"CIRCLE"}), "modified 1 CIRCLE (colour, xdata)");
}

}  // namespace
