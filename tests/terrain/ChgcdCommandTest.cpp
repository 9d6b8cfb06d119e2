// CHGCD_T run from scripted answers in a host session with Terravue loaded. Texts are drawn
// at height 2 in the Standard style, where the host measures 1 unit per digit or point, so
// the boxes below are worked out by hand: a one-text label at (x, y) spans its width w from
// x and 2 up from y, and the search (range 1) doubles that about its centre; an integer
// part's box runs from (x, y − 1) to (x + 2w, y + 2).
#include "TerrainSession.h"

#include "terrain/LabelBox.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttributeDefinition.h>

#include <cmath>

namespace {

using dh::terrain::test::occurrences;
using dh::terrain::test::Seen;

// A closed lightweight polyline as its extents.
struct Outline {
    double minX, minY, maxX, maxY;
    int vertices;
    bool closed;
};

class Chgcd : public dh::terrain::test::TerrainSession {
protected:
    int run(std::vector<std::string> lines) { return runCommand("CHGCD_T", std::move(lines)); }
    // Default settings, everything selected, search range 1.
    int runAll() { return run({"", "", "ALL", "", ""}); }

    AcDbObjectId label(const char* text, double x, double y, double z = 0.0)
    {
        return add(new AcDbText(AcGePoint3d(x, y, z), text, {}, 2.0), m_labels);
    }

    // The circle of model space at plan position (x, y); fails when there is not exactly one.
    Seen circleAt(double x, double y)
    {
        Seen found;
        int count = 0;
        for (const Seen& c : live("circle"))
            if (c.at.x == x && c.at.y == y) {
                found = c;
                ++count;
            }
        EXPECT_EQ(count, 1) << "circles at " << x << ", " << y;
        return found;
    }

    std::vector<Outline> outlines()
    {
        std::vector<Outline> found;
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForRead), Acad::eOk);
        const std::vector<AcDbObjectId> ids = space->entityIds();
        space->close();
        for (AcDbObjectId id : ids) {
            AcDbPolyline* p = nullptr;
            if (acdbOpenObject(p, id, AcDb::kForRead) != Acad::eOk)
                continue;
            Outline o{1e300, 1e300, -1e300, -1e300, static_cast<int>(p->numVerts()), p->isClosed()};
            for (unsigned i = 0; i < p->numVerts(); ++i) {
                AcGePoint2d v;
                p->getPointAt(i, v);
                o.minX = std::min(o.minX, v.x);
                o.minY = std::min(o.minY, v.y);
                o.maxX = std::max(o.maxX, v.x);
                o.maxY = std::max(o.maxY, v.y);
            }
            p->close();
            found.push_back(o);
        }
        return found;
    }
};

TEST_F(Chgcd, OneTextLabelsGiveTheNearestSpotInTheirBoxTheirValue)
{
    const AcDbObjectId plain = circle(AcGePoint3d(10, 10, 0), m_spot, 3);
    label("123.45", 11, 9.5);
    // Two spots in one box: the one nearer the label's position takes it, whatever the order.
    circle(AcGePoint3d(206, 200, 0), m_spot);
    circle(AcGePoint3d(200, 200, 0), m_spot);
    label("7.25", 201, 199.5);
    // Two labels over one spot: the first sets it, the second finds it used.
    circle(AcGePoint3d(50, 50, 1), m_spot);
    label("10.5", 51, 49.5);
    label("20.5", 51, 50.5);
    // A label with no spot in reach gets a circle of its own, at its own height.
    const AcDbObjectId lonely = add(new AcDbText(AcGePoint3d(100, 100, 3), "88.5", {}, 2.0), m_other);
    // Texts that are no number are not labels.
    label("A1", 206.5, 199.5);

    EXPECT_EQ(runAll(), 0) << out();
    const std::string text = out();
    EXPECT_NE(text.find("\n给定比例1:<1000.00>: "), std::string::npos) << text;
    EXPECT_NE(text.find("\n给定高程点直径<0.30>: "), std::string::npos);
    EXPECT_NE(text.find("\n选择高程点、高程标签"), std::string::npos);
    EXPECT_NE(text.find("\n搜索范围 <1>: "), std::string::npos);

    EXPECT_TRUE(isErased(plain)) << "every spot is redrawn";
    EXPECT_FALSE(isErased(lonely));
    const Seen first = circleAt(10, 10);
    EXPECT_EQ(first.at.z, 123.45);
    EXPECT_EQ(first.size, 0.15);
    EXPECT_EQ(first.layer, "SPOT");
    EXPECT_EQ(first.color, 3);
    EXPECT_EQ(circleAt(200, 200).at.z, 7.25);
    EXPECT_EQ(circleAt(206, 200).at.z, 0.0);
    EXPECT_EQ(circleAt(50, 50).at.z, 10.5);
    const Seen own = circleAt(100, 100);
    EXPECT_EQ(own.at.z, 3.0);
    EXPECT_EQ(own.layer, "OTHER");
    EXPECT_EQ(live("circle").size(), 5u);
    EXPECT_EQ(live("text").size(), 6u) << "labels are not changed";
    EXPECT_TRUE(outlines().empty()) << "only integer parts draw their box";
}

TEST_F(Chgcd, PointsAndArcsBecomeCirclesOnTheFirstSpotsLayer)
{
    label("5.5", 1, -0.5);                     // a text first: not the target layer
    add(new AcDbPoint(AcGePoint3d(0, 0, 9)), m_other);
    auto* arc = new AcDbArc(AcGePoint3d(30, 0, 4), 2.0, 0.0, 1.0);
    arc->setColorIndex(6);
    const AcDbObjectId arcId = add(arc, m_spot);
    label("31.75", 31, -0.5);

    EXPECT_EQ(run({"", "1", "ALL", "", ""}), 0) << out();
    EXPECT_EQ(live("point").size(), 0u);
    EXPECT_TRUE(isErased(arcId));
    const Seen fromPoint = circleAt(0, 0);
    EXPECT_EQ(fromPoint.at.z, 5.5);
    EXPECT_EQ(fromPoint.size, 0.5);
    EXPECT_EQ(fromPoint.layer, "OTHER");
    const Seen fromArc = circleAt(30, 0);
    EXPECT_EQ(fromArc.at.z, 31.75);
    EXPECT_EQ(fromArc.size, 0.5);
    EXPECT_EQ(fromArc.layer, "OTHER") << "the layer of the first selected spot";
    EXPECT_EQ(fromArc.color, 6);
}

TEST_F(Chgcd, TwoTextLabelsJoinTheIntegerPartWithTheDecimalPartRightOfIt)
{
    // "123" spans 3 units: its box is (10, 8.5) – (16, 11.5); "45" and the spot lie in it.
    label("123", 10, 9.5);
    label("45", 13.4, 9.5);
    circle(AcGePoint3d(13.2, 10, 0), m_spot);
    // The decimal part first in the list: it is examined (and its box drawn) but has no
    // partner to its right; then "-5" takes it.
    label("30", 60.4, 9.5);
    label("-5", 58, 9.5);
    circle(AcGePoint3d(60.2, 10, 0), m_spot);
    // An integer part without a decimal part: nothing happens.
    label("77", 100, 9.5);
    circle(AcGePoint3d(101, 10, 2), m_spot);
    // A pair with no spot in its box.
    label("66", 200, 9.5);
    label("25", 201, 9.5);

    EXPECT_EQ(runAll(), 0) << out();
    EXPECT_EQ(circleAt(13.2, 10).at.z, 123.45);
    EXPECT_DOUBLE_EQ(circleAt(60.2, 10).at.z, -5.30);
    EXPECT_EQ(circleAt(101, 10).at.z, 2.0);
    EXPECT_EQ(live("circle").size(), 3u) << "integer parts never make circles";

    // One box per label examined: "123" (its partner then leaves the list), "30", "-5",
    // "77", "66" and "25".
    const std::vector<Outline> boxes = outlines();
    ASSERT_EQ(boxes.size(), 6u);
    for (const Outline& o : boxes) {
        EXPECT_TRUE(o.closed);
        EXPECT_EQ(o.vertices, 4);
    }
    EXPECT_EQ(boxes[0].minX, 10.0);
    EXPECT_EQ(boxes[0].minY, 8.5);
    EXPECT_EQ(boxes[0].maxX, 16.0);
    EXPECT_EQ(boxes[0].maxY, 11.5);
    EXPECT_EQ(boxes[1].minX, 60.4);
    EXPECT_EQ(boxes[1].maxX, 64.4);
    EXPECT_EQ(boxes[2].minX, 58.0);
    EXPECT_EQ(boxes[2].maxX, 62.0);
}

TEST_F(Chgcd, IntegerPartsAreTakenInOrderOfHeight)
{
    // The lower "12" is examined first and takes the spot both boxes hold; the upper pair
    // then finds it used.
    label("12", 0, 2.5);
    label("50", 2.2, 2.5);
    label("34", 0, 1.5);
    label("75", 2.2, 1.5);
    circle(AcGePoint3d(2, 2.2, 0), m_spot);
    EXPECT_EQ(runAll(), 0) << out();
    EXPECT_EQ(circleAt(2, 2.2).at.z, 34.75);
}

TEST_F(Chgcd, BlockSpotsBringTheirLabelsAlong)
{
    // One attribute with the value; two definition texts written as integer and decimal part.
    const AcDbObjectId one = block("ONE", {new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1),
                                           new AcDbAttributeDefinition(AcGePoint3d(1, 0, 0), "0.00",
                                                                       "GC", "GC")});
    const AcDbObjectId two = block("TWO", {new AcDbText(AcGePoint3d(0.2, -0.5, 0), "45", {}, 2.0),
                                           new AcDbText(AcGePoint3d(-3.2, -0.5, 0), "123", {}, 2.0)});
    std::vector<AcDbEntity*> four;
    for (int i = 0; i < 4; ++i)
        four.push_back(new AcDbCircle(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1));
    const AcDbObjectId many = block("MANY", four);
    const AcDbObjectId withAttribute = insert(one, AcGePoint3d(100, 0, 0), "40.5");
    const AcDbObjectId withTexts = insert(two, AcGePoint3d(300, 300, 0));
    const AcDbObjectId big = insert(many, AcGePoint3d(500, 0, 0));

    EXPECT_EQ(run({"", "0.4", "ALL", "", "2"}), 0) << out();
    EXPECT_TRUE(isErased(withAttribute));
    EXPECT_TRUE(isErased(withTexts));
    EXPECT_FALSE(isErased(big)) << "a block of four parts is no elevation point";
    const Seen first = circleAt(100, 0);
    EXPECT_EQ(first.at.z, 40.5);
    EXPECT_EQ(first.size, 0.2);
    EXPECT_EQ(first.layer, "SPOT");
    EXPECT_EQ(first.color, 5);
    EXPECT_EQ(circleAt(300, 300).at.z, 123.45);
    EXPECT_EQ(live("circle").size(), 2u);

    const std::vector<Seen> texts = live("text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "40.5");
    EXPECT_EQ(texts[0].at, AcGePoint3d(101, 0, 0));
    EXPECT_EQ(texts[1].text, "123");
    EXPECT_EQ(texts[1].at, AcGePoint3d(296.8, 299.5, 0));
    EXPECT_EQ(texts[2].text, "45");
    // "45" comes first in the integer list, finds nothing to its right, and draws its box too.
    EXPECT_EQ(outlines().size(), 2u);
}

TEST_F(Chgcd, TheSearchRangeWidensTheBoxOfOneTextLabels)
{
    // "50.5" spans (0, 0) – (4, 2): doubled it reaches x = 6, tripled x = 8; the spot is at 7.
    circle(AcGePoint3d(7, 1, 0), m_spot);
    label("50.5", 0, 0);
    EXPECT_EQ(run({"", "", "ALL", "", "11", "1"}), 0) << out();
    EXPECT_NE(out().find("\n输入值应介于 1 到 10 间"), std::string::npos) << out();
    EXPECT_EQ(occurrences(out(), "\n搜索范围 <1>: "), 2u);
    EXPECT_EQ(circleAt(7, 1).at.z, 0.0);
    EXPECT_EQ(circleAt(0, 0).at.z, 0.0) << "the label's own circle";

    // Cancelling the range still runs the command, with range 2.
    const AcDbObjectId far = circle(AcGePoint3d(1007, 1, 0), m_spot);
    const AcDbObjectId farLabel = label("60.5", 1000, 0);
    EXPECT_EQ(run({"", "", handle(far) + " " + handle(farLabel), "", "^C"}), 0) << out();
    EXPECT_EQ(circleAt(1007, 1).at.z, 60.5);
}

TEST_F(Chgcd, CancelledSettingsOrAnEmptySelectionChangeNothing)
{
    const AcDbObjectId spot = circle(AcGePoint3d(10, 10, 0), m_spot);
    label("123.45", 11, 9.5);
    setSetting("setST_SpotRadius", 0.0);
    EXPECT_EQ(run({"", "^C"}), 0) << out();
    EXPECT_NE(out().find("\n给定高程点直径<0.30>: "), std::string::npos) << out();
    EXPECT_EQ(run({"", "", ""}), 0) << out();
    EXPECT_EQ(out().find("搜索范围"), std::string::npos);
    EXPECT_FALSE(isErased(spot));
    EXPECT_EQ(live("circle").size(), 1u);
    EXPECT_EQ(live("circle")[0].at.z, 0.0);
}

TEST_F(Chgcd, LabelBoxTurnsWithTheText)
{
    auto* text = new AcDbText(AcGePoint3d(5, 5, 0), "123", {}, 2.0, std::atan(1.0) * 2);
    const AcDbObjectId id = add(text, m_labels);
    AcDbText* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    const dh::terrain::LabelRectangle box = dh::terrain::labelBox(opened);
    opened->close();
    // Corners (5, 4), (11, 4), (5, 7), (11, 7) turned a quarter about (5, 5).
    EXPECT_NEAR(box.minX, 3.0, 1e-12);
    EXPECT_NEAR(box.maxX, 6.0, 1e-12);
    EXPECT_NEAR(box.minY, 5.0, 1e-12);
    EXPECT_NEAR(box.maxY, 11.0, 1e-12);
}

} // namespace
