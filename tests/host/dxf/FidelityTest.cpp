// Groups that used to be lost or drift in a round trip: shape-file styles without a proper
// name, the style of a multi-line text that names none, angles in degrees.
#include "DxfTestUtil.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <algorithm>

using dxftest::find;
using dxftest::Group;
using dxftest::groupsOf;
using dxftest::write;

namespace {

const std::string kHeader2000 =
    "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$TEXTSTYLE\n7\nHZ\n9\n$HANDSEED\n5\n400\n0\nENDSEC\n";

std::string style(const std::string& handle, const std::string& name, int flags, const std::string& file)
{
    return "0\nSTYLE\n5\n" + handle + "\n330\n3\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n2\n" +
           name + "\n70\n" + std::to_string(flags) + "\n40\n0.0\n41\n1.0\n50\n0.0\n71\n0\n42\n2.5\n3\n" + file +
           "\n4\n\n";
}

// Two shape-file styles without a name and one with a name no table accepts, a linetype
// whose shape element points at one of them.
const std::string kShapeStyles =
    kHeader2000 + "0\nSECTION\n2\nTABLES\n" +
    "0\nTABLE\n2\nLTYPE\n5\n5\n330\n0\n100\nAcDbSymbolTable\n70\n1\n"
    "0\nLTYPE\n5\n14\n330\n5\n100\nAcDbSymbolTableRecord\n100\nAcDbLinetypeTableRecord\n2\nGAS\n70\n0\n"
    "3\nGas ---- GAS ----\n72\n65\n73\n2\n40\n1.0\n49\n0.5\n74\n0\n49\n-0.5\n74\n4\n75\n131\n340\n11\n"
    "46\n0.1\n50\n0.0\n44\n0.0\n45\n0.0\n"
    "0\nENDTAB\n"
    "0\nTABLE\n2\nSTYLE\n5\n3\n330\n0\n100\nAcDbSymbolTable\n70\n4\n" +
    style("10", "Standard", 0, "txt") + style("11", "", 1, "ltypeshp.shx") + style("12", "", 1, "gdt.shx") +
    style("13", "c:\\fonts\\odd.shx", 1, "odd.shx") + style("15", "HZ", 0, "hztxt.shx") +
    "0\nENDTAB\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n"
    "0\nMTEXT\n5\n30\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n10\n0\n20\n0\n30\n0\n40\n2.5\n1\nno style\n"
    "0\nARC\n5\n31\n100\nAcDbEntity\n8\n0\n100\nAcDbCircle\n10\n0\n20\n0\n30\n0\n40\n1.0\n"
    "100\nAcDbArc\n50\n30\n51\n45.5\n"
    "0\nARC\n5\n32\n100\nAcDbEntity\n8\n0\n100\nAcDbCircle\n10\n0\n20\n0\n30\n0\n40\n1.0\n"
    "100\nAcDbArc\n50\n359.9999999\n51\n0.1\n"
    "0\nTEXT\n5\n33\n100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0\n20\n0\n30\n0\n40\n2.5\n1\nt\n50\n33.3\n"
    "7\nHZ\n100\nAcDbText\n"
    "0\nENDSEC\n0\nEOF\n";

std::unique_ptr<AcDbDatabase> read(const std::string& text)
{
    dh::dxf::ReadReport report;
    auto db = dh::dxf::readDxfData(text, "snippet", {}, report);
    EXPECT_TRUE(db) << report.error;
    return db;
}

// The STYLE records of a file: (handle, name, flags).
std::vector<std::tuple<std::string, std::string, std::string>> styles(const std::vector<Group>& groups)
{
    std::vector<std::tuple<std::string, std::string, std::string>> out;
    for (std::size_t i = find(groups, 0, "STYLE"); i != std::string::npos; i = find(groups, 0, "STYLE", i + 1)) {
        std::string handle, name, flags;
        for (std::size_t k = i + 1; k < groups.size() && groups[k].first != 0; ++k) {
            if (groups[k].first == 5) handle = groups[k].second;
            if (groups[k].first == 2) name = groups[k].second;
            if (groups[k].first == 70) flags = groups[k].second;
        }
        out.emplace_back(handle, name, flags);
    }
    return out;
}

// The value of the first group `code` of the object with handle `handle`.
std::string valueIn(const std::vector<Group>& groups, const std::string& handle, int code)
{
    for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
        if (groups[i].first != 0 || groups[i + 1] != Group{5, handle}) continue;
        for (std::size_t k = i + 2; k < groups.size() && groups[k].first != 0; ++k)
            if (groups[k].first == code) return groups[k].second;
        return "(absent)";
    }
    return "(no object)";
}

} // namespace

TEST(Fidelity, ShapeFileStylesWithoutAProperNameAreKept)
{
    auto db = read(kShapeStyles);
    ASSERT_TRUE(db);
    using Style = std::tuple<std::string, std::string, std::string>;
    const std::vector<Style> expected{{"10", "Standard", "0"},
                                      {"11", "", "1"},
                                      {"12", "", "1"},
                                      {"13", "c:\\fonts\\odd.shx", "1"},
                                      {"15", "HZ", "0"}};
    auto once = groupsOf(write(*db));
    EXPECT_EQ(styles(once), expected);
    // The linetype's shape element still points at its style.
    EXPECT_EQ(valueIn(once, "14", 340), "11");
    auto back = read(write(*db));
    ASSERT_TRUE(back);
    EXPECT_EQ(styles(groupsOf(write(*back))), expected);
    EXPECT_FALSE(dh::db::DatabaseAccess::findRecord(*back, dh::db::TableKind::kTextStyle, "HZ").isNull());
    // A copy of the whole drawing has them too.
    AcDbDatabase* copy = nullptr;
    ASSERT_EQ(back->wblock(copy), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(copy);
    std::vector<std::string> names;
    for (const auto& [handle, name, flags] : styles(groupsOf(write(*copy)))) names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "", "HZ", "Standard", "c:\\fonts\\odd.shx"}));
}

TEST(Fidelity, AMultiLineTextWithoutAStyleKeepsTheDrawingsStyle)
{
    auto db = read(kShapeStyles);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    EXPECT_EQ(valueIn(groups, "30", 7), "HZ");
    // Without $TEXTSTYLE the drawing's style is Standard, and its record is written.
    std::string plain = kShapeStyles;
    plain.erase(plain.find("9\n$TEXTSTYLE\n7\nHZ\n"), std::string("9\n$TEXTSTYLE\n7\nHZ\n").size());
    auto other = read(plain);
    ASSERT_TRUE(other);
    auto otherGroups = groupsOf(write(*other));
    EXPECT_EQ(valueIn(otherGroups, "30", 7), "Standard");
    EXPECT_NE(find(otherGroups, 2, "Standard", find(otherGroups, 0, "STYLE")), std::string::npos);
}

TEST(Fidelity, AnglesComeBackWithTheTextTheyWereReadWith)
{
    auto db = read(kShapeStyles);
    ASSERT_TRUE(db);
    std::string text = write(*db);
    for (int round = 0; round < 3; ++round) {
        auto groups = groupsOf(text);
        EXPECT_EQ(valueIn(groups, "31", 50), "30.0") << "round " << round;
        EXPECT_EQ(valueIn(groups, "31", 51), "45.5") << "round " << round;
        EXPECT_EQ(valueIn(groups, "32", 50), "359.9999999") << "round " << round;
        EXPECT_EQ(valueIn(groups, "32", 51), "0.1") << "round " << round;
        EXPECT_EQ(valueIn(groups, "33", 50), "33.3") << "round " << round;
        auto back = read(text);
        ASSERT_TRUE(back);
        text = write(*back, round == 1 ? 1021 : 1015);
    }
}

TEST(Fidelity, CommonGroupsAfterTheWrongMarkerStillGiveTheLayer)
{
    // As one writer puts them: an empty AcDbEntity subclass, the layer after AcDbMText.
    const std::string text =
        kHeader2000 + "0\nSECTION\n2\nENTITIES\n"
        "0\nMTEXT\n5\nCB\n100\nAcDbEntity\n100\nAcDbMText\n8\nboxes\n62\n3\n370\n-1\n48\n1.0\n"
        "10\n1\n20\n2\n30\n0\n40\n2.5\n1\nlabel\n0\nENDSEC\n0\nEOF\n";
    auto db = read(text);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    std::size_t mtext = find(groups, 0, "MTEXT");
    ASSERT_NE(mtext, std::string::npos);
    std::size_t entity = find(groups, 100, "AcDbEntity", mtext), own = find(groups, 100, "AcDbMText", mtext);
    std::size_t layer = find(groups, 8, "boxes", mtext);
    EXPECT_LT(entity, layer);
    EXPECT_LT(layer, own);
    EXPECT_EQ(find(groups, 8, "0", mtext), std::string::npos) << "written on layer 0 as well";
    EXPECT_LT(find(groups, 62, "3", mtext), own);
}

TEST(Fidelity, WhatStrictReadersRefuseIsNotWritten)
{
    // A lightweight polyline and a spline above the ground, a dimension whose block the
    // file lacks, and a line whose extended data names an application the file never
    // registered.
    const std::string text =
        kHeader2000 + "0\nSECTION\n2\nENTITIES\n"
        "0\nLWPOLYLINE\n5\n50\n100\nAcDbEntity\n8\n0\n100\nAcDbPolyline\n90\n2\n70\n0\n38\n12.5\n"
        "10\n0\n20\n0\n10\n5\n20\n5\n"
        "0\nSPLINE\n5\n51\n100\nAcDbEntity\n8\n0\n100\nAcDbSpline\n70\n8\n71\n1\n72\n4\n73\n2\n74\n0\n"
        "40\n0\n40\n0\n40\n1\n40\n1\n10\n0\n20\n0\n30\n7.25\n10\n4\n20\n3\n30\n7.25\n"
        "0\nDIMENSION\n5\n52\n100\nAcDbEntity\n8\n0\n100\nAcDbDimension\n2\n*D9\n10\n10\n20\n0\n30\n0\n"
        "11\n5\n21\n1\n31\n0\n70\n33\n3\nStandard\n100\nAcDbAlignedDimension\n13\n0\n23\n0\n33\n0\n"
        "14\n10\n24\n0\n34\n0\n"
        "0\nLINE\n5\n53\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n"
        "1001\nNOT_REGISTERED\n1000\nvalue\n"
        "0\nENDSEC\n0\nEOF\n";
    auto db = read(text);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    EXPECT_EQ(valueIn(groups, "50", 38), "12.5");
    std::size_t spline = find(groups, 0, "SPLINE");
    ASSERT_NE(spline, std::string::npos);
    EXPECT_NE(find(groups, 30, "7.25", spline), std::string::npos) << "the spline's height";
    EXPECT_EQ(valueIn(groups, "52", 0), "(no object)") << "a dimension without its block is left out";
    std::size_t appid = find(groups, 0, "APPID");
    ASSERT_NE(appid, std::string::npos);
    EXPECT_LT(find(groups, 2, "NOT_REGISTERED", appid), find(groups, 2, "BLOCKS"));
    // The written file reads back without a single repair.
    dh::dxf::ReadReport report;
    auto back = dh::dxf::readDxfData(write(*db), "written", {}, report);
    ASSERT_TRUE(back) << report.error;
    EXPECT_TRUE(report.fixed.empty()) << report.fixed.front().message;
}

TEST(Fidelity, TheFilesInsertionUnitsAreKeptWhenItHasNoLinearUnits)
{
    const std::string text = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n"
                             "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
    auto db = read(text);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    std::size_t first = find(groups, 9, "$INSUNITS");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(groups[first + 1], (Group{70, "1"}));
    EXPECT_EQ(find(groups, 9, "$INSUNITS", first + 1), std::string::npos) << "written twice";
    EXPECT_NE(find(groups, 9, "$LUNITS"), std::string::npos);
}
