// The layer between groups and objects: what is kept of an object its class does not
// model and where it goes back, the markers given to R12 objects, and the written forms
// of values.
#include "host/dxf/CollectFiler.h"
#include "host/dxf/KeptTags.h"
#include "host/dxf/SubclassMarkers.h"
#include "host/dxf/TagWriter.h"
#include "host/dxf/WriteFiler.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>

using namespace dh::dxf;

namespace {

AcDbDxfTag real(int code, double value)
{
    AcDbDxfTag tag;
    tag.code = code;
    tag.kind = AcDbDxfTag::Kind::kDouble;
    tag.xyz[0] = value;
    return tag;
}

Tags markers(const ObjectTags& object)
{
    Tags out;
    for (const AcDbDxfTag& tag : object.body)
        if (tag.code == 100) out.push_back(tag);
    return out;
}

// "100 AcDbCircle, 10, 40, 100 AcDbArc, 50, 51" for a body.
std::string layout(const ObjectTags& object)
{
    std::string text;
    for (const AcDbDxfTag& tag : object.body) {
        if (!text.empty()) text += ' ';
        text += tag.code == 100 ? tag.text : std::to_string(tag.code);
    }
    return text;
}

ObjectTags r12(const std::string& type, std::initializer_list<AcDbDxfTag> body)
{
    ObjectTags object;
    object.type = type;
    object.body = body;
    object.lines.assign(object.body.size(), 7);
    return object;
}

} // namespace

TEST(KeptTags, GroupsTheClassDoesNotWriteAreKeptWithTheirSubclass)
{
    Tags input{makeTextTag(100, "AcDbEntity"), makeTextTag(8, "0"), makeIntTag(440, 7),
               makeTextTag(100, "AcDbLine"), real(39, 2.0), makeIntTag(1234, 1)};
    Tags output{makeTextTag(100, "AcDbEntity"), makeTextTag(8, "0"),
                makeTextTag(100, "AcDbLine"), real(39, 2.0)};
    auto kept = findUnmodelled(input, output);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].subclass, "AcDbEntity");
    ASSERT_EQ(kept[0].tags.size(), 1u);
    EXPECT_EQ(kept[0].tags[0].code, 440);
    EXPECT_EQ(kept[1].subclass, "AcDbLine");
    EXPECT_EQ(kept[1].tags[0].code, 1234);
}

TEST(KeptTags, ASubclassTheClassLacksIsKeptWholeAfterThePreviousOne)
{
    Tags input{makeTextTag(100, "AcDbEntity"), makeTextTag(8, "0"), makeTextTag(100, "AcDbText"),
               makeTextTag(1, "x"), makeTextTag(100, "AcDbExtra"), makeIntTag(90, 3),
               makeTextTag(100, "AcDbText"), makeIntTag(73, 2)};
    Tags output{makeTextTag(100, "AcDbEntity"), makeTextTag(8, "0"), makeTextTag(100, "AcDbText"),
                makeTextTag(1, "x"), makeTextTag(100, "AcDbText"), makeIntTag(73, 2)};
    auto kept = findUnmodelled(input, output);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].subclass, "AcDbText");
    EXPECT_EQ(kept[0].occurrence, 0); // after the first AcDbText, before the second
    ASSERT_EQ(kept[0].tags.size(), 2u);
    EXPECT_EQ(kept[0].tags[0].text, "AcDbExtra");
}

TEST(KeptTags, WriterPutsThemBackAtTheEndOfTheirSubclassUnlessNowWritten)
{
    std::vector<KeptGroup> kept{{"AcDbEntity", 0, {makeIntTag(440, 7)}},
                                {"AcDbLine", 0, {real(39, 2.0), makeIntTag(1071, 5)}}};
    TagWriter out("ANSI_1252", false);
    WriteFiler filer(nullptr, 1015, out);
    filer.begin(&kept);
    filer.writeSubclass("AcDbEntity");
    filer.writeString(8, "0");
    filer.writeSubclass("AcDbLine");
    filer.writeDouble(39, 5.0); // modelled now: the kept 39 must not come back
    filer.finish();
    EXPECT_EQ(out.buffer(), "100\nAcDbEntity\n  8\n0\n440\n7\n100\nAcDbLine\n 39\n5.0\n1071\n5\n");
}

TEST(SubclassMarkers, R12EntitiesGetTheModernLayout)
{
    ObjectTags arc = r12("ARC", {makeTextTag(8, "L"), real(40, 1.0), real(50, 0.5), real(51, 1.5),
                                 makeIntTag(62, 3)});
    addEntitySubclassMarkers(arc);
    EXPECT_EQ(layout(arc), "AcDbEntity 8 62 AcDbCircle 40 AcDbArc 50 51");

    ObjectTags text = r12("TEXT", {makeTextTag(1, "a"), makeIntTag(72, 1), makeIntTag(73, 2)});
    addEntitySubclassMarkers(text);
    EXPECT_EQ(layout(text), "AcDbEntity AcDbText 1 72 AcDbText 73");

    ObjectTags vertex3d = r12("VERTEX", {makeIntTag(70, 32), real(40, 0.0)});
    addEntitySubclassMarkers(vertex3d);
    EXPECT_EQ(layout(vertex3d), "AcDbEntity AcDbVertex AcDb3dPolylineVertex 70 40");

    ObjectTags radial = r12("DIMENSION", {makeIntTag(70, 4 | 32), makeTextTag(2, "*D1"), real(40, 3.0)});
    addEntitySubclassMarkers(radial);
    EXPECT_EQ(layout(radial), "AcDbEntity AcDbDimension 70 2 AcDbRadialDimension 40");

    ObjectTags layer = r12("LAYER", {makeTextTag(2, "A"), makeIntTag(70, 0)});
    addTableRecordSubclassMarkers(layer);
    EXPECT_EQ(layout(layer), "AcDbSymbolTableRecord AcDbLayerTableRecord 2 70");
}

TEST(SubclassMarkers, ObjectsThatHaveThemAreLeftAlone)
{
    ObjectTags line = r12("LINE", {makeTextTag(100, "AcDbEntity"), makeTextTag(8, "0"),
                                   makeTextTag(100, "AcDbLine")});
    addEntitySubclassMarkers(line);
    EXPECT_EQ(markers(line).size(), 2u);
}

TEST(TagWriter, DoublesReadBackBitForBit)
{
    for (double value : {0.1, 1.0 / 3.0, 500123.456789, -1e-300, 1e20, 5.0, -0.0}) {
        std::string text;
        appendDouble(text, value);
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text; // always a real
    }
    std::string text;
    appendDouble(text, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(text, "0.0"); // no reader takes nan
}

TEST(TagWriter, ControlCharactersUseCaretNotation)
{
    EXPECT_EQ(caretEncode("a\nb\tc"), "a^Jb^Ic");
    EXPECT_EQ(caretEncode("x^2 ^J"), "x^2 ^ J"); // a caret that reads as one is escaped
    EXPECT_EQ(caretDecode(caretEncode("a\nb^Jc^ d")), "a\nb^Jc^ d");
    TagWriter out("ANSI_1252", false);
    out.writeString(1, "two\nlines");
    EXPECT_EQ(out.buffer(), "  1\ntwo^Jlines\n");
}

TEST(TagWriter, BinaryDataIsSplitInto127ByteGroups)
{
    std::string bytes(300, '\xAB');
    TagWriter out("ANSI_1252", false);
    out.writeBinary(310, bytes.data(), bytes.size());
    const std::string& text = out.buffer();
    std::size_t groups = 0;
    for (std::size_t at = text.find("310\n"); at != std::string::npos; at = text.find("310\n", at + 1)) ++groups;
    EXPECT_EQ(groups, 3u); // 127 + 127 + 46
    std::string full;
    for (int i = 0; i < 127; ++i) full += "AB";
    EXPECT_NE(text.find("310\n" + full + "\n"), std::string::npos);
}

TEST(CollectFiler, JoinsCoordinatesAgain)
{
    CollectFiler filer(nullptr, 1015);
    filer.writeXYZ(10, 1.0, 2.0, 3.0);
    filer.writeXY(11, 4.0, 5.0);
    filer.writeDouble(40, 6.0);
    filer.writeDouble(20, 7.0); // a y without its x stays a value of its own
    Tags& tags = filer.tags();
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[0].kind, AcDbDxfTag::Kind::kPoint);
    EXPECT_TRUE(tags[0].hasZ);
    EXPECT_EQ(tags[0].xyz[2], 3.0);
    EXPECT_FALSE(tags[1].hasZ);
    EXPECT_EQ(tags[1].xyz[1], 5.0);
    EXPECT_EQ(tags[3].kind, AcDbDxfTag::Kind::kDouble);
}
