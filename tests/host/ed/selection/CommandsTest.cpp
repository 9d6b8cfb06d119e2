#include "SelectionDrawing.h"

#include "host/ed/LeakCheck.h"
#include "host/ed/ViewCommands.h"

#include <aced/AcEdCommand.h>
#include <aced/AcEdEntityPick.h>
#include <aced/AcEdInput.h>
#include <aced/AcEdView.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbSymbolTableRecords.h>

#include <array>
#include <unistd.h>

namespace dh::ed::testing {
namespace {

class InteractiveSelection : public SelectionDrawing {
protected:
    void SetUp() override
    {
        SelectionDrawing::SetUp();
        a = line(10, 10, 20, 20);
        b = line(40, 40, 50, 50);
        c = line(60, 60, 70, 70);
    }
    AcDbObjectId a, b, c;
};

TEST_F(InteractiveSelection, ItemsAddAndRemoveUntilAnEmptyLine)
{
    answers({"W 0,0 30,30", "#" + c.handle().toString(), "R", "15,15", "A", "c 35,35 45,45", ""});
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {c, b}));
    EXPECT_NE(transcript().find("Remove objects: 15,15"), std::string::npos) << transcript();
}

TEST_F(InteractiveSelection, CornersMissingFromTheLineAreAskedFor)
{
    answers({"C", "65,65", "75,75", "F 0,15 30,15", "", ""});
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select("", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {c, a}));
    EXPECT_NE(transcript().find("Specify opposite corner: 75,75"), std::string::npos) << transcript();
}

TEST_F(InteractiveSelection, CancelAndEmptyAnswersLeaveNoSet)
{
    std::vector<AcDbObjectId> ids;
    answers({"W 0,0 30,30", "^C"});
    EXPECT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTCAN);
    answers({""});
    EXPECT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTERROR);
    answers({"90,10", ""});  // a pick at nothing
    EXPECT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTERROR);
    EXPECT_EQ(SelectionSets::instance().liveCount(), 0u);
}

TEST_F(InteractiveSelection, SinglePointPickModeOfThePickers)
{
    // The mode a picker builds with single pick and locked layers refused.
    addLayer("Locked", false, false, true);
    const AcDbObjectId locked = line(80, 10, 90, 10, "Locked");
    answers({"ALL", "85,10", "15,15", "45,45"});
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select("+L+.:S:L", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {a}));
    EXPECT_NE(transcript().find("*Invalid selection*"), std::string::npos) << transcript();
    EXPECT_NE(transcript().find("1 was on a locked layer."), std::string::npos) << transcript();
    EXPECT_EQ(transcript().find("45,45"), std::string::npos) << "asked past the single item";
    // Without :L the locked line is taken.
    answers({"85,10"});
    ASSERT_EQ(select("+.:S", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {locked}));
}

TEST_F(InteractiveSelection, DuplicatesOnlyWhenAsked)
{
    answers({"15,15", "15,15", ""});
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_EQ(ids.size(), 1u);
    answers({"15,15", "15,15", ""});
    ASSERT_EQ(select(":D", nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_EQ(ids.size(), 2u);
}

TEST_F(InteractiveSelection, LastAndPrevious)
{
    std::vector<AcDbObjectId> ids;
    answers({"L", ""});
    ASSERT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {c}));
    const ads_point lo{0, 0, 0}, hi{55, 55, 0};
    ASSERT_EQ(select("_W", lo, hi, nullptr, ids), RTNORM);
    answers({"P", ""});
    ASSERT_EQ(select(nullptr, nullptr, nullptr, nullptr, ids), RTNORM);
    EXPECT_TRUE(sameIds(ids, {a, b}));
}

class EntityPick : public SelectionDrawing {};

TEST_F(EntityPick, PointHandleMissAndEmptyAnswer)
{
    const AcDbObjectId target = line(10, 10, 20, 20);
    ads_name name;
    ads_point where;
    answers({"15,15.2", "#" + target.handle().toString(), "90,90", ""});
    ASSERT_EQ(acedEntSel("\nSelect a line: ", name, where), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, target);
    EXPECT_DOUBLE_EQ(where[1], 15.2);
    ASSERT_EQ(acedEntSel(nullptr, name, where), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, target);
    EXPECT_EQ(acedEntSel(nullptr, name, where), RTERROR);
    EXPECT_EQ(errnoValue(), 7);
    EXPECT_EQ(acedEntSel(nullptr, name, where), RTERROR);
    EXPECT_EQ(errnoValue(), 52);
}

TEST_F(EntityPick, KeywordsAndNestedPickAtAGivenPoint)
{
    const AcDbObjectId target = line(10, 10, 20, 20);
    ads_name name;
    ads_point where{12, 12, 0};
    acedInitGet(0, "Undo eXit");
    answers({"ex"});
    EXPECT_EQ(acedEntSel(nullptr, name, where), RTKWORD);
    char keyword[32];
    ASSERT_EQ(acedGetInput(keyword), RTNORM);
    EXPECT_STREQ(keyword, "eXit");

    ads_matrix xform;
    resbuf* containers = reinterpret_cast<resbuf*>(1);
    where[0] = where[1] = 12;
    ASSERT_EQ(acedNEntSelP(nullptr, name, where, 1, xform, &containers), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, target);
    EXPECT_EQ(containers, nullptr);
    EXPECT_EQ(xform[0][0], 1.0);
    EXPECT_EQ(xform[0][3], 0.0);
}

TEST_F(EntityPick, NestedPickDescendsIntoBlocks)
{
    // Block "B": a line (0,0)-(10,0) and a circle of radius 2 round (5,5); placed at (20,30).
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db().getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord;
    block->setName("B");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    table->close();
    auto* inner = new AcDbLine({0, 0, 0}, {10, 0, 0});
    auto* ring = new AcDbCircle({5, 5, 0}, {0, 0, 1}, 2);
    AcDbObjectId innerId, ringId;
    inner->setDatabaseDefaults(&db());
    ring->setDatabaseDefaults(&db());
    ASSERT_EQ(block->appendAcDbEntity(innerId, inner), Acad::eOk);
    ASSERT_EQ(block->appendAcDbEntity(ringId, ring), Acad::eOk);
    inner->close();
    ring->close();
    block->close();
    const AcDbObjectId reference = append(new AcDbBlockReference({20, 30, 0}, blockId));

    ads_name name;
    ads_point at{25, 30.1, 0};
    ads_matrix xform;
    resbuf* containers = nullptr;
    ASSERT_EQ(acedNEntSelP(nullptr, name, at, 1, xform, &containers), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, innerId);
    EXPECT_DOUBLE_EQ(xform[0][3], 20);
    EXPECT_DOUBLE_EQ(xform[1][3], 30);
    ASSERT_NE(containers, nullptr);
    EXPECT_EQ(containers->restype, RTENAME);
    ASSERT_EQ(acdbGetObjectId(id, containers->resval.rlname), Acad::eOk);
    EXPECT_EQ(id, reference);
    EXPECT_EQ(containers->rbnext, nullptr);
    acutRelRb(containers);

    // The circle's top at (25, 37); the plain pick takes the reference whole.
    answers({"25,37"});
    ads_point picked;
    ASSERT_EQ(acedEntSel(nullptr, name, picked), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, reference);
    at[1] = 37;
    ASSERT_EQ(acedNEntSelP(nullptr, name, at, 1, xform, &containers), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, ringId);
    acutRelRb(containers);
}

class Commands : public SelectionDrawing {};

TEST_F(Commands, EraseASelectionSet)
{
    const AcDbObjectId one = line(10, 10, 20, 20);
    const AcDbObjectId two = circle(50, 50, 5);
    const AcDbObjectId kept = line(200, 200, 210, 210);
    ads_name ss;
    const ads_point lo{0, 0, 0}, hi{100, 100, 0};
    ASSERT_EQ(acedSSGet("_C", lo, hi, nullptr, ss), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "ERASE", RTPICKS, ss, RTSTR, "", 0), RTNORM);
    acedSSFree(ss);
    EXPECT_TRUE(one.isErased());
    EXPECT_TRUE(two.isErased());
    EXPECT_FALSE(kept.isErased());
}

TEST_F(Commands, EraseOfAnEmptySetLeavesNoAnswerBehind)
{
    // Erasing an empty set must not leave its closing "" to answer the next prompt.
    const AcDbObjectId kept = line(10, 10, 20, 20);
    ads_name empty;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, empty), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "ERASE", RTPICKS, empty, RTSTR, "", 0), RTNORM);
    acedSSFree(empty);
    EXPECT_FALSE(kept.isErased());
    answers({"15,15"});
    ads_name name;
    ads_point where;
    EXPECT_EQ(acedEntSel(nullptr, name, where), RTNORM);
}

TEST_F(Commands, ZoomCentreChangesTheViewAndEchoFollowsCmdecho)
{
    const ads_point centre{500, 300, 0};
    session().variables().setInt("CMDECHO", 0);
    ASSERT_EQ(acedCommand(RTSTR, "Zoom", RTSTR, "C", RTPOINT, centre, RTREAL, 30.0, 0), RTNORM);
    EXPECT_DOUBLE_EQ(view().centre.x, 500);
    EXPECT_DOUBLE_EQ(view().centre.y, 300);
    EXPECT_DOUBLE_EQ(view().height, 30);
    EXPECT_EQ(transcript(), "");

    session().variables().setInt("CMDECHO", 1);
    const ads_point other{0, 0, 0};
    ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_c", RTPOINT, other, RTSTR, "2x", 0), RTNORM);
    EXPECT_DOUBLE_EQ(view().height, 15);
    EXPECT_NE(transcript().find("Specify center point: "), std::string::npos) << transcript();
    // Only entities in the new view are seen now.
    line(1, 1, 2, 2);
    line(100, 100, 110, 110);
    std::vector<AcDbObjectId> ids;
    const ads_point lo{-1000, -1000, 0}, hi{1000, 1000, 0};
    ASSERT_EQ(select("_C", lo, hi, nullptr, ids), RTNORM);
    EXPECT_EQ(ids.size(), 1u);

    EXPECT_EQ(acedCommand(RTSTR, "NOSUCHCOMMAND", 0), RTERROR);
}

TEST_F(Commands, MoveReadsTheSecondPointFromTheInput)
{
    const AcDbObjectId moved = line(0, 0, 10, 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet("X", nullptr, nullptr, nullptr, ss), RTNORM);
    const ads_point base{1, 1, 0};
    answers({"6,3"});
    ASSERT_EQ(acedCommand(RTSTR, "MOVE", RTPICKS, ss, RTSTR, "", RTPOINT, base, 0), RTNORM);
    acedSSFree(ss);
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, moved, AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(l->startPoint().x, 5);
    EXPECT_DOUBLE_EQ(l->startPoint().y, 2);
    EXPECT_DOUBLE_EQ(l->endPoint().x, 15);
    l->close();
}

TEST_F(Commands, ALeakedSetIsReported)
{
    LeakCheck check(session());
    ads_name kept, leaked;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, kept), RTNORM);
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, leaked), RTNORM);
    ASSERT_EQ(acedSSFree(kept), RTNORM);
    EXPECT_EQ(check.findLeaks().size(), 1u);
    EXPECT_EQ(check.report(), 1u);
    EXPECT_EQ(SelectionSets::instance().liveCount(), 0u);
}

TEST_F(Commands, LispSelectionFunctions)
{
    const AcDbObjectId first = line(10, 10, 20, 20);
    line(30, 30, 40, 40);
    circle(50, 50, 3);
    ASSERT_TRUE(session().runLine(R"((setq s (ssget "X" '((0 . "LINE")))))"));
    ASSERT_TRUE(session().runLine(R"((princ (sslength s)))"));
    ASSERT_TRUE(session().runLine(R"((setq e (ssname s 0)))"));
    ASSERT_TRUE(session().runLine(R"((princ (if (ssmemb e s) "member" "stranger")))"));
    ASSERT_TRUE(session().runLine(R"((ssdel e s))"));
    ASSERT_TRUE(session().runLine(R"((princ (sslength s)))"));
    ASSERT_TRUE(session().runLine(R"((princ (sslength (ssadd e (ssadd)))))"));
    ASSERT_TRUE(session().runLine(R"((princ (ssget "_W" '(0 0) '(25 25) '((0 . "CIRCLE")))))"));
    ASSERT_TRUE(session().runLine(R"((command "ERASE" s ""))"));
    const std::string out = transcript();
    EXPECT_NE(out.find("2"), std::string::npos) << out;
    EXPECT_NE(out.find("member"), std::string::npos) << out;
    EXPECT_NE(out.find("<Entity name: " + [&] {
        std::string h = first.handle().toString();
        for (char& ch : h)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return h;
    }() + ">"), std::string::npos) << out;
    EXPECT_NE(out.find("nil"), std::string::npos) << out;
    EXPECT_FALSE(first.isErased());  // removed from the set before ERASE
}

TEST_F(Commands, SavedDrawingOpensShowingItsExtents)
{
    line(0, 0, 160, 90);
    circle(10, 80, 5);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("ed-selection-open-" + std::to_string(::getpid()) + ".dxf")).string();
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, path.c_str(), 0), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, path.c_str(), 0), RTNORM);
    std::filesystem::remove(path);
    ASSERT_EQ(session().documents().size(), 2u);
    const View& opened = session().activeDocument()->view();
    EXPECT_DOUBLE_EQ(opened.centre.x, 80);
    EXPECT_DOUBLE_EQ(opened.centre.y, 45);
    EXPECT_DOUBLE_EQ(opened.height, 90);
    std::vector<AcDbObjectId> ids;
    ASSERT_EQ(select("_C", std::array<double, 3>{-1, -1, 0}.data(), std::array<double, 3>{200, 200, 0}.data(),
                     nullptr, ids),
              RTNORM);
    EXPECT_EQ(ids.size(), 2u);
    // A file that is not there fails the run with the bad-file status.
    ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, (path + ".missing").c_str(), 0), RTNORM);
    EXPECT_EQ(session().exitStatus(), kExitBadFile);
    EXPECT_EQ(session().documents().size(), 2u);
}

class ViewCalls : public SelectionDrawing {};

TEST_F(ViewCalls, RecordHeightFitsBothDirections)
{
    AcDbViewTableRecord record;
    record.setCenterPoint(AcGePoint2d(50, 25));
    record.setHeight(50 / 0.95);
    record.setWidth(100 / 0.95);
    ASSERT_EQ(acedSetCurrentView(&record, nullptr), Acad::eOk);
    EXPECT_NEAR(view().height, 59.2105263, 1e-6);  // the width at 16:9
    EXPECT_DOUBLE_EQ(view().centre.x, 50);
    EXPECT_EQ(acedSetCurrentView(nullptr, nullptr), Acad::eInvalidInput);
    EXPECT_NEAR(view().height, 59.2105263, 1e-6);
}

TEST_F(ViewCalls, ZoomExtentsFitsTheDrawing)
{
    line(0, 0, 160, 90);
    circle(10, 80, 5);
    ASSERT_TRUE(zoomToExtents(*session().activeDocument()));
    EXPECT_DOUBLE_EQ(view().centre.x, 80);
    EXPECT_DOUBLE_EQ(view().centre.y, 45);
    EXPECT_DOUBLE_EQ(view().height, 90);
    line(0, 0, 10, 200);  // now the height rules
    ASSERT_EQ(acedCommand(RTSTR, "ZOOM", RTSTR, "E", 0), RTNORM);
    EXPECT_DOUBLE_EQ(view().height, 200);
    EXPECT_DOUBLE_EQ(view().centre.y, 100);
    ASSERT_EQ(acedCommand(RTSTR, "ZOOM", RTSTR, "P", 0), RTNORM);
    EXPECT_DOUBLE_EQ(view().height, 90);
}

}  // namespace
}  // namespace dh::ed::testing
