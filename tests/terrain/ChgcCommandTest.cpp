// CHGC_T run from scripted answers in a host session with Terravue loaded: the dialogue as
// the user sees it and the drawing it leaves.
#include "TerrainSession.h"

#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbLine.h>

namespace {

using dh::terrain::test::occurrences;
using dh::terrain::test::Seen;

class Chgc : public dh::terrain::test::TerrainSession {
protected:
    int run(std::vector<std::string> lines) { return runCommand("CHGC_T", std::move(lines)); }
};

TEST_F(Chgc, SiftsDuplicatesAsAnsweredAndRedrawsSpotsAsCircles)
{
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId p1 = circle(AcGePoint3d(50, 50, 20), m_spot, 3);
    const AcDbObjectId c2 = contour(100.0, m_cont);        // exact copy
    const AcDbObjectId c3 = contour(100.5, m_cont);        // asked: Enter deletes it
    const AcDbObjectId p2 = add(new AcDbPoint(AcGePoint3d(50, 50, 20.0004)), m_spot);
    const AcDbObjectId c4 = contour(102.0, m_cont);        // asked: B deletes c1
    const AcDbObjectId p3 = add(new AcDbPoint(AcGePoint3d(60, 60, 30)), m_spot);
    const AcDbObjectId p4 = circle(AcGePoint3d(60, 60, 31), m_spot); // asked: D deletes both
    const AcDbObjectId p5 = add(new AcDbPoint(AcGePoint3d(70, 70, 0)), m_spot);
    const AcDbObjectId label = add(new AcDbText(AcGePoint3d(5, 5, 0), "100", {}, 2.0), m_labels);
    AcGePoint3dArray vertices;
    vertices.append(AcGePoint3d(0, 0, 0));
    vertices.append(AcGePoint3d(10, 0, 0));
    vertices.append(AcGePoint3d(10, 10, 0));
    AcGeDoubleArray bulges;
    bulges.append(0.0);
    bulges.append(0.25);
    bulges.append(0.0);
    const AcDbObjectId old = add(new AcDb2dPolyline(AcDb::k2dSimplePoly, vertices, 100.0, false,
                                                    0.0, 0.0, &bulges),
                                 m_cont);
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), m_other);

    EXPECT_EQ(run({handle(c1), handle(p1), "", "", "", "0.5", "ALL", "", "", "B", "D"}), 0) << out();

    const std::string text = out();
    EXPECT_NE(text.find("\n选择等高线或高程点确定打开的层,关闭其他层<退出>: "), std::string::npos);
    EXPECT_NE(text.find("\n选择了 <CONT> ,共1个图层作为地形图层"), std::string::npos) << text;
    EXPECT_NE(text.find("\n选择了 <CONT> <SPOT> ,共2个图层作为地形图层"), std::string::npos);
    EXPECT_NE(text.find("\n退回(U)/选择等高线或高程点确定打开的层,关闭其他层: "), std::string::npos);
    EXPECT_NE(text.find("\n关闭层是否正确?(Y or N)<Y>: "), std::string::npos);
    EXPECT_NE(text.find("\n给定比例1:<1000.00>: "), std::string::npos);
    EXPECT_NE(text.find("\n给定高程点直径<0.30>: 0.5"), std::string::npos);
    EXPECT_NE(text.find("\n选择等高线、高程点"), std::string::npos);
    const size_t q1 = text.find("\n发现有实体在平面上重合,高程分别是100.000和100.500");
    const size_t q2 = text.find("\n(D)全部删除/(B)删除高程100.000<删除高程102.000>: B");
    const size_t q3 = text.find("\n发现有实体在平面上重合,高程分别是30.000和31.000");
    ASSERT_NE(q1, std::string::npos) << text;
    ASSERT_NE(q2, std::string::npos) << text;
    ASSERT_NE(q3, std::string::npos) << text;
    EXPECT_LT(q1, q2);
    EXPECT_LT(q2, q3);
    EXPECT_EQ(occurrences(text, "发现有实体在平面上重合"), 3u);
    EXPECT_EQ(text.find("Zoom"), std::string::npos) << "the zoom runs without echo";
    EXPECT_EQ(setting("getST_SpotRadius"), 0.25);

    // The last question zoomed on the newcomer p4: centre (60, 60), height 30.
    resbuf rb{};
    ASSERT_EQ(acedGetVar("VIEWSIZE", &rb), RTNORM);
    EXPECT_NEAR(rb.resval.rreal, 30.0, 1e-9);
    ASSERT_EQ(acedGetVar("VIEWCTR", &rb), RTNORM);
    EXPECT_NEAR(rb.resval.rpoint[0], 60.0, 1e-9);
    ASSERT_EQ(acedGetVar("CMDECHO", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 1);

    for (AcDbObjectId gone : {c1, c2, c3, p1, p2, p3, p4, p5})
        EXPECT_TRUE(isErased(gone));
    for (AcDbObjectId kept : {c4, old, label, line})
        EXPECT_FALSE(isErased(kept));

    const std::vector<Seen> contours = live("lwpolyline");
    ASSERT_EQ(contours.size(), 1u);
    EXPECT_EQ(contours[0].size, 102.0);
    EXPECT_EQ(contours[0].layer, "CONT");
    ASSERT_EQ(live("polyline").size(), 1u);
    EXPECT_EQ(live("polyline")[0].layer, "CONT");
    ASSERT_EQ(live("text").size(), 1u);
    EXPECT_EQ(live("text")[0].layer, "CONT");
    EXPECT_TRUE(live("point").empty());

    const std::vector<Seen> circles = live("circle");
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].at, AcGePoint3d(50, 50, 20));
    EXPECT_EQ(circles[0].color, 3);
    EXPECT_EQ(circles[1].at, AcGePoint3d(70, 70, 0));
    for (const Seen& c : circles) {
        EXPECT_EQ(c.size, 0.25);
        EXPECT_EQ(c.layer, "CONT");
    }
    ASSERT_EQ(live("AcDbLine").size(), 1u);
    EXPECT_EQ(live("AcDbLine")[0].layer, "OTHER");
}

TEST_F(Chgc, BlockSpotsBecomeCirclesWithTheirLabels)
{
    // The attribute definition is not a label of the reference: only the attribute is copied.
    const AcDbObjectId one = block("ONE", {new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1),
                                           new AcDbAttributeDefinition(AcGePoint3d(1, 0, 0), "0.00",
                                                                       "GC", "GC")});
    const AcDbObjectId text = block("TEXT", {new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1),
                                             new AcDbText(AcGePoint3d(0.5, 0, 0), "12.3", {}, 1.5)});
    const AcDbObjectId two = block("TWO", {new AcDbText(AcGePoint3d(1, 0, 0), "12", {}, 1.0),
                                           new AcDbText(AcGePoint3d(-1, 0, 0), "5", {}, 1.0)});
    const AcDbObjectId mixed = block("MIXED", {new AcDbText(AcGePoint3d(1, 0, 0), "12", {}, 1.0),
                                               new AcDbText(AcGePoint3d(-1, 0, 0), "5.5", {}, 1.0)});
    std::vector<AcDbEntity*> four;
    for (int i = 0; i < 4; ++i)
        four.push_back(new AcDbCircle(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1));
    const AcDbObjectId many = block("MANY", four);

    const AcDbObjectId withAttribute = insert(one, AcGePoint3d(10, 0, 40), "40.0");
    const AcDbObjectId withText = insert(text, AcGePoint3d(20, 0, 41));
    const AcDbObjectId withTwo = insert(two, AcGePoint3d(30, 0, 42));
    const AcDbObjectId withMixed = insert(mixed, AcGePoint3d(40, 0, 43));
    const AcDbObjectId big = insert(many, AcGePoint3d(50, 0, 44));

    EXPECT_EQ(run({handle(withAttribute), "", "", "", "", "ALL", ""}), 0) << out();

    for (AcDbObjectId gone : {withAttribute, withText, withTwo, withMixed})
        EXPECT_TRUE(isErased(gone));
    EXPECT_FALSE(isErased(big)) << "a block of four parts is kept as it is";

    const std::vector<Seen> circles = live("circle");
    ASSERT_EQ(circles.size(), 4u);
    const double xs[] = {10, 20, 30, 40};
    for (size_t i = 0; i < circles.size(); ++i) {
        EXPECT_EQ(circles[i].at, AcGePoint3d(xs[i], 0, 40 + static_cast<double>(i)));
        EXPECT_EQ(circles[i].size, 0.15);
        EXPECT_EQ(circles[i].layer, "SPOT");
        EXPECT_EQ(circles[i].color, 5);
    }

    // The attribute stays where it was; a definition text moves by the insertion point;
    // of two texts the left one comes first; texts of different kinds give none.
    const std::vector<Seen> texts = live("text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, "40.0");
    EXPECT_EQ(texts[0].at, AcGePoint3d(11, 0, 40));
    EXPECT_EQ(texts[0].size, 2.0);
    EXPECT_EQ(texts[1].text, "12.3");
    EXPECT_EQ(texts[1].at, AcGePoint3d(20.5, 0, 41));
    EXPECT_EQ(texts[2].text, "5");
    EXPECT_EQ(texts[2].at, AcGePoint3d(29, 0, 42));
    EXPECT_EQ(texts[3].text, "12");
    EXPECT_EQ(texts[3].at, AcGePoint3d(31, 0, 42));
    for (const Seen& t : texts) {
        EXPECT_EQ(t.layer, "SPOT");
        EXPECT_EQ(t.color, 5);
    }
}

TEST_F(Chgc, OldStylePolylinesAreComparedVertexByVertex)
{
    auto oldStyle = [&](double elevation, int count) {
        AcGePoint3dArray vertices;
        const AcGePoint3d all[] = {{5, 5, 0}, {15, 5, 0}, {15, 15, 0}};
        for (int i = 0; i < count; ++i)
            vertices.append(all[i]);
        return add(new AcDb2dPolyline(AcDb::k2dSimplePoly, vertices, elevation), m_cont);
    };
    const AcDbObjectId first = oldStyle(100.0, 3);
    const AcDbObjectId copy = oldStyle(100.0, 3);
    const AcDbObjectId shorter = oldStyle(100.0, 2);
    const AcDbObjectId higher = oldStyle(100.5, 3);
    EXPECT_EQ(run({handle(first), "", "", "", "", "ALL", "", "D"}), 0) << out();
    EXPECT_EQ(occurrences(out(), "\n发现有实体在平面上重合,高程分别是100.000和100.500"), 1u) << out();
    EXPECT_TRUE(isErased(first));
    EXPECT_TRUE(isErased(copy));
    EXPECT_FALSE(isErased(shorter));
    EXPECT_TRUE(isErased(higher));
}

TEST_F(Chgc, CancelAtAQuestionStopsThePassButRedrawsTheSpotsMetSoFar)
{
    const AcDbObjectId before = add(new AcDbPoint(AcGePoint3d(30, 30, 12)), m_spot);
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId copy = contour(100.0, m_cont);
    const AcDbObjectId c2 = contour(101.0, m_cont);
    const AcDbObjectId after = add(new AcDbPoint(AcGePoint3d(40, 40, 12)), m_spot);
    const AcDbObjectId late = contour(100.0, m_cont);
    EXPECT_EQ(run({handle(c1), "", "", "", "", "ALL", "", "^C"}), 0) << out();
    EXPECT_TRUE(isErased(copy));
    EXPECT_FALSE(isErased(c1));
    EXPECT_FALSE(isErased(c2));
    EXPECT_FALSE(isErased(late)) << "not checked after the stop";
    EXPECT_TRUE(isErased(before));
    EXPECT_FALSE(isErased(after));
    const std::vector<Seen> circles = live("circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].at, AcGePoint3d(30, 30, 12));
    ASSERT_EQ(live("point").size(), 1u);
    EXPECT_EQ(live("point")[0].layer, "SPOT") << "the pass stopped before it";
}

TEST_F(Chgc, TakingLayersBackAndRejectingTheChoice)
{
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId p1 = circle(AcGePoint3d(50, 50, 20), m_spot);
    EXPECT_EQ(run({handle(c1), handle(p1), "U", "U", "U", handle(c1), "", "N", handle(p1), "",
                   "Y", "^C"}),
              0)
        << out();
    const std::string text = out();
    EXPECT_NE(text.find("\n选择了  CONT ,共1个图层作为地形图层"), std::string::npos) << text;
    EXPECT_EQ(occurrences(text, "个图层作为地形图层"), 5u) << text;
    // First prompt: at the start, after the third U, and after N.
    EXPECT_EQ(occurrences(text, "\n选择等高线或高程点确定打开的层,关闭其他层<退出>: "), 3u) << text;
    EXPECT_EQ(occurrences(text, "\n关闭层是否正确?(Y or N)<Y>: "), 2u);
    EXPECT_EQ(occurrences(text, "\n给定比例1:<1000.00>: "), 1u);

    // The second choice stands: SPOT on and current, the rest off; nothing else changed.
    EXPECT_FALSE(isOff(m_spot));
    EXPECT_TRUE(isOff(m_cont));
    EXPECT_TRUE(isOff(m_other));
    EXPECT_EQ(db()->clayer(), m_spot);
    EXPECT_FALSE(isErased(c1));
    EXPECT_FALSE(isErased(p1));
    EXPECT_EQ(live("circle").size(), 1u);
    EXPECT_EQ(live("circle")[0].size, 1.0);
}

TEST_F(Chgc, CancelOrEnterAtTheFirstPromptChangesNothing)
{
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId before = db()->clayer();
    EXPECT_EQ(run({"^C"}), 0);
    EXPECT_EQ(run({""}), 0);
    EXPECT_FALSE(isOff(m_other));
    EXPECT_FALSE(isOff(m_cont));
    EXPECT_EQ(db()->clayer(), before);
    EXPECT_FALSE(isErased(c1));
    EXPECT_EQ(out().find("个图层作为地形图层"), std::string::npos);
}

TEST_F(Chgc, ZeroSettingsOfferTheLoadValuesAndAnswersAreStored)
{
    const AcDbObjectId p1 = circle(AcGePoint3d(50, 50, 20), m_spot);
    setSetting("setST_SpotRadius", 0.0);
    setSetting("setST_MapProportion", 0.0);
    // A zero diameter is refused by the host; the selection is then cancelled.
    EXPECT_EQ(run({handle(p1), "", "", "500", "0", "2", "^C"}), 0) << out();
    const std::string text = out();
    EXPECT_NE(text.find("\n给定比例1:<1000.00>: 500"), std::string::npos) << text;
    EXPECT_EQ(occurrences(text, "\n给定高程点直径<0.30>: "), 2u) << text;
    EXPECT_EQ(setting("getST_MapProportion"), 500.0);
    EXPECT_EQ(setting("getST_SpotRadius"), 1.0);
    EXPECT_FALSE(isErased(p1));
    EXPECT_EQ(db()->clayer(), m_spot);

    // Cancelling the diameter keeps the scale just answered.
    EXPECT_EQ(run({handle(p1), "", "", "250", "^C"}), 0);
    EXPECT_EQ(setting("getST_MapProportion"), 250.0);
    EXPECT_EQ(setting("getST_SpotRadius"), 1.0);
}

TEST_F(Chgc, CancelAtTheConfirmationRestoresEveryLayerAndAsksAgain)
{
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId before = db()->clayer();
    EXPECT_EQ(run({handle(c1), "", "^C", "^C"}), 0) << out();
    const std::string text = out();
    EXPECT_EQ(occurrences(text, "\n选择等高线或高程点确定打开的层,关闭其他层<退出>: "), 2u) << text;
    EXPECT_EQ(text.find("给定比例1:"), std::string::npos) << text;
    EXPECT_FALSE(isOff(m_cont));
    EXPECT_FALSE(isOff(m_other));
    EXPECT_FALSE(isOff(m_spot));
    EXPECT_EQ(db()->clayer(), before);
}

TEST_F(Chgc, CancelAtTheScaleOrAnEmptySelectionKeepsTheLayersAsIsolated)
{
    const AcDbObjectId c1 = contour(100.0, m_cont);
    const AcDbObjectId p1 = circle(AcGePoint3d(50, 50, 20), m_spot);
    setSetting("setST_MapProportion", 2000.0);
    EXPECT_EQ(run({handle(p1), "", "", "^C"}), 0) << out();
    EXPECT_TRUE(isOff(m_cont));
    EXPECT_FALSE(isOff(m_spot));
    EXPECT_EQ(db()->clayer(), m_spot);
    EXPECT_EQ(setting("getST_MapProportion"), 2000.0);

    // An empty selection ends the command before the pass: nothing moves or is redrawn.
    EXPECT_EQ(run({handle(c1), "", "", "", "", ""}), 0) << out();
    EXPECT_NE(out().find("\n选择等高线、高程点"), std::string::npos) << out();
    EXPECT_EQ(live("circle").size(), 1u);
    EXPECT_EQ(live("circle")[0].layer, "SPOT");
    EXPECT_EQ(live("lwpolyline")[0].layer, "CONT");
    EXPECT_FALSE(isErased(p1));
}

} // namespace
