// Pictures of small drawings checked pixel by pixel against hand-worked positions.
#include "RenderTestUtil.h"

#include "host/dxf/DxfReader.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>

#include <cmath>

using rendertest::Picture;
using rendertest::Pixel;
using rendertest::RenderTest;

namespace {

// Device pixel of a world point under the tests' window (see RenderTestUtil.h).
Pixel worldPixel(const Picture& p, double x, double y)
{
    return p.at(static_cast<int>(std::floor(2.0 * x)), static_cast<int>(std::floor(200.0 - 2.0 * y)));
}

bool isRed(const Pixel& p) { return p.near(255, 0, 0); }
// Red at any anti-aliased coverage of half or more, on white.
bool reddish(const Pixel& p) { return p.r > 200 && p.g < 150 && p.b < 150; }

}  // namespace

TEST_F(RenderTest, LineInItsLayerColourAndBackgroundElsewhere)
{
    AcDbObjectId red = layer("RED", 1);
    auto* line = new AcDbLine(AcGePoint3d(10, 50.25, 0), AcGePoint3d(90, 50.25, 0));
    line->setLayer(red);
    add(line);
    auto picture = render();
    ASSERT_TRUE(picture->ok());
    for (double x : {15.0, 40.0, 85.0})
        EXPECT_TRUE(isRed(worldPixel(*picture, x, 50.25))) << x << " " << worldPixel(*picture, x, 50.25);
    // One pixel-row thick: the rows above and below and the line's extension stay white.
    EXPECT_TRUE(worldPixel(*picture, 40, 51.25).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 40, 49.25).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 95, 50.25).isWhite());
    // Device x 20 .. 180: 160 pixels.
    EXPECT_EQ(picture->count(0, 0, 200, 200, [](const Pixel& p) { return !p.isWhite(); }), 160);
}

TEST_F(RenderTest, OwnTrueAndIndexedColoursAndForegroundOnBlack)
{
    auto* trueColour = new AcDbLine(AcGePoint3d(10, 20.25, 0), AcGePoint3d(90, 20.25, 0));
    trueColour->setDatabaseDefaults(m_db.get());
    AcCmColor c;
    c.setRGB(10, 200, 30);
    trueColour->setColor(c);
    add(trueColour);
    auto* indexed = new AcDbLine(AcGePoint3d(10, 40.25, 0), AcGePoint3d(90, 40.25, 0));
    indexed->setDatabaseDefaults(m_db.get());
    indexed->setColorIndex(30);  // hue 30°, full brightness: orange
    add(indexed);
    add(new AcDbLine(AcGePoint3d(10, 60.25, 0), AcGePoint3d(90, 60.25, 0)));  // layer 0: colour 7
    auto white = render();
    EXPECT_TRUE(worldPixel(*white, 50, 20.25).near(10, 200, 30, 2)) << worldPixel(*white, 50, 20.25);
    EXPECT_TRUE(worldPixel(*white, 50, 40.25).near(255, 127, 0, 2)) << worldPixel(*white, 50, 40.25);
    EXPECT_TRUE(worldPixel(*white, 50, 60.25).near(0, 0, 0, 2));
    m_options.background = dh::render::Background::Black;
    auto black = render("black.png");
    EXPECT_TRUE(worldPixel(*black, 50, 60.25).near(255, 255, 255, 2));
    EXPECT_TRUE(worldPixel(*black, 50, 80.25).near(0, 0, 0, 0));
}

TEST_F(RenderTest, ArcRunsThroughItsMidpointOnly)
{
    // Centre (50, 50), radius 30, from 0° to 90°: through (50 + 30 cos 45°, 50 + 30 sin 45°).
    add(new AcDbArc(AcGePoint3d(50, 50, 0), 30.0, 0.0, M_PI / 2));
    auto picture = render();
    const double m = 30.0 * std::cos(M_PI / 4);
    EXPECT_TRUE(worldPixel(*picture, 50 + m, 50 + m).isDark());
    // Not the chord, not the other side of the circle.
    EXPECT_TRUE(worldPixel(*picture, 65, 65).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 50 - m, 50 - m).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 50, 20).isWhite());
}

TEST_F(RenderTest, BulgeSignPicksTheSideOfTheArc)
{
    // Bulge 1 is a half circle counter-clockwise from start to end: from (20, 50) to
    // (80, 50) it dips through (50, 20); bulge -1 rises through (50, 80).
    auto* down = new AcDbPolyline;
    down->addVertexAt(0, AcGePoint2d(20, 50), 1.0);
    down->addVertexAt(1, AcGePoint2d(80, 50));
    add(down);
    auto picture = render();
    EXPECT_TRUE(worldPixel(*picture, 50, 20.25).isDark());
    EXPECT_TRUE(worldPixel(*picture, 50, 79.75).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 50, 50.25).isWhite());
}

TEST_F(RenderTest, WidePolylineFillsItsWidthAndNoMore)
{
    auto* wide = new AcDbPolyline;
    wide->addVertexAt(0, AcGePoint2d(10, 50), 0.0, 10.0, 10.0);
    wide->addVertexAt(1, AcGePoint2d(90, 50), 0.0, 10.0, 10.0);
    add(wide);
    auto tapered = new AcDbPolyline;
    tapered->addVertexAt(0, AcGePoint2d(10, 80), 0.0, 0.0, 10.0);
    tapered->addVertexAt(1, AcGePoint2d(90, 80), 0.0, 10.0, 10.0);
    add(tapered);
    auto picture = render();
    EXPECT_TRUE(worldPixel(*picture, 50, 54).isDark());
    EXPECT_TRUE(worldPixel(*picture, 50, 46).isDark());
    EXPECT_TRUE(worldPixel(*picture, 50, 56).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 50, 44).isWhite());
    // The tapered one is 5 wide half way: 2.5 each side.
    EXPECT_TRUE(worldPixel(*picture, 50, 82).isDark());
    EXPECT_TRUE(worldPixel(*picture, 50, 83.5).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 85, 84).isDark());
}

TEST_F(RenderTest, EllipseAndCircleKeepTheirShape)
{
    add(new AcDbEllipse(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, AcGeVector3d(40, 0, 0), 0.5));
    add(new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 10.0));
    auto picture = render();
    EXPECT_TRUE(worldPixel(*picture, 89.9, 50.25).isDark());  // major axis end
    EXPECT_TRUE(worldPixel(*picture, 50.25, 69.9).isDark());  // minor axis end: 40 · 0.5
    EXPECT_TRUE(worldPixel(*picture, 50.25, 80).isWhite());
    EXPECT_TRUE(worldPixel(*picture, 50 + 10 * std::cos(1.0), 50 + 10 * std::sin(1.0)).isDark());
    EXPECT_TRUE(worldPixel(*picture, 50, 50).isWhite());
}

TEST_F(RenderTest, HiddenLayersLeaveNoPixel)
{
    AcDbObjectId off = layer("OFF", 1, true);
    AcDbObjectId frozen = layer("FROZEN", 3, false, true);
    for (AcDbObjectId id : {off, frozen}) {
        auto* circle = new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 30.0);
        circle->setLayer(id);
        add(circle);
        auto* text = new AcDbText(AcGePoint3d(10, 10, 0), "hidden", AcDbObjectId::kNull, 10.0);
        text->setLayer(id);
        add(text);
    }
    auto picture = render();
    EXPECT_EQ(picture->count(0, 0, 200, 200, [](const Pixel& p) { return !p.isWhite(); }), 0);
    // Named with --layers, a layer shows even when off; the others stay out.
    m_options.layers = {"off"};
    auto named = render("named.png");
    EXPECT_GT(named->count(155, 95, 165, 105, reddish), 0) << "the circle through (80, 50) is missing";
    EXPECT_EQ(named->count(0, 0, 200, 200, [](const Pixel& p) { return p.g > 128 && p.r < 128; }), 0);
}

TEST_F(RenderTest, ChineseTextCoversItsBox)
{
    // Two full-width characters of height 20 from (10, 40.25): the box is 40 × 20 units,
    // device x 20 .. 100, y 79.5 .. 119.5; each character fills a 40 × 40 pixel cell.
    add(new AcDbText(AcGePoint3d(10, 40.25, 0), "\xE4\xB8\xAD\xE5\x9B\xBD", AcDbObjectId::kNull, 20.0));
    auto picture = render();
    auto ink = [](const Pixel& p) { return p.isDark(); };
    const int first = picture->count(20, 80, 60, 120, ink), second = picture->count(60, 80, 100, 120, ink);
    EXPECT_GT(first, 40 * 40 / 10) << "中 leaves its cell nearly empty";
    EXPECT_GT(second, 40 * 40 / 10) << "国 leaves its cell nearly empty";
    // Nothing outside the box (two pixels of anti-aliasing allowed) ...
    EXPECT_EQ(picture->count(0, 0, 200, 200, ink) - picture->count(18, 77, 102, 122, ink), 0);
    // ... and the ink reaches every side of it: 国 is a closed square.
    EXPECT_GT(picture->count(20, 80, 100, 86, ink), 0);
    EXPECT_GT(picture->count(20, 114, 100, 120, ink), 0);
    EXPECT_GT(picture->count(20, 80, 26, 120, ink), 0);
    EXPECT_GT(picture->count(94, 80, 100, 120, ink), 0);
}

TEST_F(RenderTest, BlockReferenceDrawsItsBlockPlacedAndItsAttributes)
{
    // Block "B": a circle of radius 5 at its origin, colour by block; the reference at
    // (50, 50) scaled 2 in red, with an attribute "7" of height 10 at (70, 20).
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(m_db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord;
    record->setName("B");
    AcDbObjectId blockId;
    ASSERT_EQ(blocks->add(blockId, record), Acad::eOk);
    record->close();
    blocks->close();
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5.0);
    circle->setDatabaseDefaults(m_db.get());
    circle->setColorIndex(0);
    add(circle, blockId);
    auto* ref = new AcDbBlockReference(AcGePoint3d(50, 50, 0), blockId);
    ref->setScaleFactors(AcGeScale3d(2.0));
    ref->setDatabaseDefaults(m_db.get());
    ref->setColorIndex(1);
    AcDbObjectId refId = add(ref);
    AcDbBlockReference* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, refId, AcDb::kForWrite), Acad::eOk);
    auto* attribute = new AcDbAttribute(AcGePoint3d(70, 20, 0), "7", "H");
    attribute->setHeight(10.0);
    attribute->setDatabaseDefaults(m_db.get());
    attribute->setColorIndex(0);
    ASSERT_EQ(opened->appendAttribute(attribute), Acad::eOk);
    opened->close();
    auto picture = render();
    EXPECT_GT(picture->count(117, 97, 123, 103, reddish), 0) << "the scaled circle misses (60, 50)";
    EXPECT_TRUE(worldPixel(*picture, 55, 50.25).isWhite()) << "the block is drawn unscaled";
    EXPECT_GT(picture->count(140, 140, 150, 160, reddish), 10) << "the attribute's value is missing";
}

TEST_F(RenderTest, HatchFillsBetweenItsBoundariesAndPatternLinesStayInside)
{
    // A square 10..90 with a round hole of radius 20 in the middle, filled; a second hatch
    // of horizontal pattern lines 10 apart through y = 5.25 + 10k over the square 0..100.
    const std::string dxf =
        "0\nSECTION\n2\nENTITIES\n"
        "0\nHATCH\n5\n40\n100\nAcDbEntity\n8\n0\n62\n5\n100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n"
        "210\n0\n220\n0\n230\n1\n2\nSOLID\n70\n1\n71\n0\n91\n2\n"
        "92\n2\n72\n0\n73\n1\n93\n4\n10\n10\n20\n10\n10\n90\n20\n10\n10\n90\n20\n90\n10\n10\n20\n90\n97\n0\n"
        "92\n1\n93\n1\n72\n2\n10\n50\n20\n50\n40\n20\n50\n0\n51\n360\n73\n1\n97\n0\n"
        "75\n0\n76\n1\n98\n0\n"
        "0\nHATCH\n5\n41\n100\nAcDbEntity\n8\n0\n62\n1\n100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n"
        "210\n0\n220\n0\n230\n1\n2\nLINES\n70\n0\n71\n0\n91\n1\n"
        "92\n2\n72\n0\n73\n1\n93\n4\n10\n0\n20\n0\n10\n100\n20\n0\n10\n100\n20\n100\n10\n0\n20\n100\n97\n0\n"
        "75\n0\n76\n1\n52\n0\n41\n1\n77\n0\n78\n1\n53\n0\n43\n0\n44\n5.25\n45\n0\n46\n10\n79\n0\n98\n0\n"
        "0\nENDSEC\n0\nEOF\n";
    dh::dxf::ReadReport report;
    m_db = dh::dxf::readDxfData(dxf, "hatch.dxf", {}, report);
    ASSERT_TRUE(m_db) << report.error;
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    auto picture = render();
    auto blue = [](const Pixel& p) { return p.near(0, 0, 255); };
    EXPECT_TRUE(blue(worldPixel(*picture, 20, 22)));
    EXPECT_TRUE(blue(worldPixel(*picture, 85, 60)));
    EXPECT_FALSE(blue(worldPixel(*picture, 50, 52))) << "the hole is filled";
    EXPECT_FALSE(blue(worldPixel(*picture, 5, 52))) << "the fill leaks out";
    // Pattern lines: on y = 45.25 (drawn over the fill), not half way between.
    EXPECT_TRUE(isRed(worldPixel(*picture, 50, 45.25)));
    EXPECT_TRUE(isRed(worldPixel(*picture, 5, 95.25)));
    EXPECT_FALSE(isRed(worldPixel(*picture, 5, 90.25)));
}
