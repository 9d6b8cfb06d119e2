#include "DxfTestUtil.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>
#include <acut/ResBuf.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>

using dxftest::find;
using dxftest::groupsOf;
using dxftest::write;
using dh::db::DatabaseAccess;
using dh::db::TableKind;

namespace {

// An R12 drawing in code page 936: a layer and a text in Chinese (GBK bytes), a line with
// extended data of an application the file never registered.
const std::string kChineseR12 =
    "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n9\n$DWGCODEPAGE\n3\nANSI_936\n"
    "9\n$HANDSEED\n5\n100\n0\nENDSEC\n"
    "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n"
    "0\nLAYER\n2\n\xB5\xC8\xB8\xDF\xCF\xDF\n70\n0\n62\n3\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n"
    "0\nLINE\n5\n2A\n8\n\xB5\xC8\xB8\xDF\xCF\xDF\n10\n1.5\n20\n2.5\n30\n10.0\n11\n4.0\n21\n6.0\n31\n10.0\n"
    "1001\nTERRAIN\n1000\n\xB8\xDF\xB3\xCC\n1040\n12.5\n1070\n3\n"
    "0\nTEXT\n5\n2B\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n2.5\n1\n\xB8\xDF\xB3\xCC 12.5 %%p0.1\n"
    "0\nENDSEC\n0\nEOF\n";

const std::string kLayerUtf8 = "\xE7\xAD\x89\xE9\xAB\x98\xE7\xBA\xBF"; // 等高线
const std::string kLayerGbk = "\xB5\xC8\xB8\xDF\xCF\xDF";

std::unique_ptr<AcDbDatabase> read(const std::string& text, dh::dxf::ReadReport& report,
                                   const dh::dxf::ReadOptions& options = {})
{
    auto db = dh::dxf::readDxfData(text, "snippet", options, report);
    EXPECT_TRUE(db) << report.error;
    return db;
}

AcDbObjectId byHandle(AcDbDatabase& db, std::uint64_t handle)
{
    AcDbObjectId id;
    db.getAcDbObjectId(id, false, AcDbHandle(handle));
    return id;
}

std::string xdataText(AcDbDatabase& db, std::uint64_t handle)
{
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, byHandle(db, handle), AcDb::kForRead) != Acad::eOk) return "?";
    resbuf* chain = object->xData();
    object->close();
    std::string text;
    for (resbuf* rb = chain; rb; rb = rb->rbnext) {
        text += std::to_string(rb->restype) + "=";
        if (rb->restype == 1040) text += std::to_string(rb->resval.rreal);
        else if (rb->restype == 1070) text += std::to_string(rb->resval.rint);
        else if (rb->resval.rstring) text += rb->resval.rstring;
        text += ";";
    }
    acutRelRb(chain);
    return text;
}

std::uint64_t hex(const std::string& text) { return std::stoull(text, nullptr, 16); }

} // namespace

TEST(RoundTrip, ChineseCodePageKeepsItsBytesAndUtf8InR2007)
{
    dh::dxf::ReadReport report;
    auto db = read(kChineseR12, report);
    ASSERT_TRUE(db);
    EXPECT_EQ(report.codePage, "ANSI_936");
    EXPECT_FALSE(DatabaseAccess::findRecord(*db, TableKind::kLayer, kLayerUtf8.c_str()).isNull());

    std::string r2000 = write(*db);
    auto groups = groupsOf(r2000);
    EXPECT_NE(find(groups, 3, "ANSI_936"), std::string::npos);
    EXPECT_NE(find(groups, 2, kLayerGbk), std::string::npos) << "layer name not in GBK";
    EXPECT_NE(find(groups, 8, kLayerGbk), std::string::npos);
    EXPECT_NE(find(groups, 1000, "\xB8\xDF\xB3\xCC"), std::string::npos) << "extended data text";

    std::string r2007 = write(*db, 1021);
    auto utf8Groups = groupsOf(r2007);
    EXPECT_NE(find(utf8Groups, 1, "AC1021"), std::string::npos);
    EXPECT_NE(find(utf8Groups, 2, kLayerUtf8), std::string::npos);

    dh::dxf::ReadReport again;
    auto back = read(r2007, again);
    ASSERT_TRUE(back);
    EXPECT_FALSE(DatabaseAccess::findRecord(*back, TableKind::kLayer, kLayerUtf8.c_str()).isNull());
    EXPECT_EQ(xdataText(*back, 0x2A), xdataText(*db, 0x2A));

    // The text's own bytes: GBK as read in R2000, UTF-8 in R2007, GBK again from there.
    const std::string textGbk = "\xB8\xDF\xB3\xCC 12.5 %%p0.1";
    const std::string textUtf8 = "\xE9\xAB\x98\xE7\xA8\x8B 12.5 %%p0.1";
    EXPECT_NE(find(groups, 1, textGbk), std::string::npos);
    EXPECT_NE(find(utf8Groups, 1, textUtf8), std::string::npos);
    dh::dxf::WriteOptions gbk;
    gbk.codePage = "ANSI_936";
    dh::dxf::WriteReport gbkReport;
    std::string rewritten;
    ASSERT_TRUE(dh::dxf::writeDxfData(*back, gbk, rewritten, gbkReport)) << gbkReport.error;
    auto againGroups = groupsOf(rewritten);
    EXPECT_NE(find(againGroups, 1, textGbk), std::string::npos);
    EXPECT_NE(find(againGroups, 2, kLayerGbk), std::string::npos);
}

TEST(RoundTrip, ExtendedDataOfAnUnregisteredApplicationIsRegistered)
{
    dh::dxf::ReadReport report;
    auto db = read(kChineseR12, report);
    ASSERT_TRUE(db);
    EXPECT_EQ(xdataText(*db, 0x2A), "1001=TERRAIN;1000=\xE9\xAB\x98\xE7\xA8\x8B;1040=12.500000;1070=3;");
    bool noted = false;
    for (const auto& entry : report.fixed) noted = noted || entry.code == "regapp";
    EXPECT_TRUE(noted);
    auto groups = groupsOf(write(*db));
    std::size_t appid = find(groups, 0, "APPID");
    ASSERT_NE(appid, std::string::npos);
    EXPECT_NE(find(groups, 2, "TERRAIN", appid), std::string::npos);
}

TEST(RoundTrip, HandlesAreKeptUniqueAndBelowTheSeed)
{
    // Handle 2A twice and a seed far too low.
    std::string text =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n3\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n"
        "0\nLINE\n5\n2A\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n1\n21\n0\n31\n0\n"
        "0\nLINE\n5\n2A\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n5\n20\n0\n30\n0\n11\n6\n21\n0\n31\n0\n"
        "0\nENDSEC\n0\nEOF\n";
    dh::dxf::ReadReport report;
    auto db = read(text, report);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    std::set<std::uint64_t> handles;
    std::uint64_t seed = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].first == 9 && groups[i].second == "$HANDSEED") {
            seed = hex(groups[i + 1].second);
            ++i; // its value is a group 5 too
        } else if (groups[i].first == 5 || groups[i].first == 105) {
            EXPECT_TRUE(handles.insert(hex(groups[i].second)).second) << "duplicate " << groups[i].second;
        }
    }
    ASSERT_FALSE(handles.empty());
    EXPECT_GT(seed, *handles.rbegin());
    EXPECT_TRUE(handles.count(0x2A));
}

TEST(RoundTrip, UnknownEntitiesObjectsAndGroupsComeBackUnchanged)
{
    std::string text =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n200\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n"
        "0\nZZ_SHAPE\n5\n40\n102\n{ACAD_REACTORS\n330\n51\n102\n}\n330\n1F\n100\nAcDbEntity\n8\n0\n"
        "440\n33554559\n100\nAcDbZzShape\n10\n1.0\n20\n2.0\n30\n3.0\n91\n2\n340\n51\n310\n0A0B0C\n"
        "1001\nACAD\n1000\nkept\n"
        "0\nLINE\n5\n41\n100\nAcDbEntity\n8\n0\n440\n33554432\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n"
        "11\n1\n21\n1\n31\n0\n0\nENDSEC\n"
        "0\nSECTION\n2\nOBJECTS\n"
        "0\nDICTIONARY\n5\n50\n330\n0\n100\nAcDbDictionary\n3\nZZ_DATA\n350\n51\n"
        "0\nZZ_RECORD\n5\n51\n330\n50\n100\nAcDbZzRecord\n1\nsome text\n40\n0.125\n"
        "0\nENDSEC\n0\nEOF\n";
    dh::dxf::ReadReport report;
    auto db = read(text, report);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db));
    std::size_t shape = find(groups, 0, "ZZ_SHAPE");
    ASSERT_NE(shape, std::string::npos);
    EXPECT_EQ(groups[shape + 1], (dxftest::Group{5, "40"}));
    EXPECT_EQ(groups[shape + 2], (dxftest::Group{102, "{ACAD_REACTORS"}));
    EXPECT_EQ(groups[shape + 3], (dxftest::Group{330, "51"}));
    std::size_t marker = find(groups, 100, "AcDbZzShape", shape);
    ASSERT_NE(marker, std::string::npos);
    EXPECT_NE(find(groups, 440, "33554559", shape), std::string::npos) << "unmodelled AcDbEntity group";
    EXPECT_EQ(groups[marker + 1], (dxftest::Group{10, "1.0"}));
    EXPECT_EQ(groups[marker + 4], (dxftest::Group{91, "2"}));
    EXPECT_EQ(groups[marker + 5], (dxftest::Group{340, "51"}));
    EXPECT_EQ(groups[marker + 6], (dxftest::Group{310, "0A0B0C"}));
    EXPECT_EQ(groups[marker + 7], (dxftest::Group{1001, "ACAD"}));
    // The known LINE keeps its transparency in its AcDbEntity part.
    std::size_t line = find(groups, 0, "LINE");
    std::size_t lineMarker = find(groups, 100, "AcDbLine", line);
    std::size_t transparency = find(groups, 440, "33554432", line);
    EXPECT_LT(transparency, lineMarker);
    std::size_t record = find(groups, 0, "ZZ_RECORD");
    ASSERT_NE(record, std::string::npos);
    EXPECT_EQ(groups[record + 1], (dxftest::Group{5, "51"}));
    EXPECT_EQ(groups[record + 2], (dxftest::Group{330, "50"}));
    EXPECT_NE(find(groups, 40, "0.125", record), std::string::npos);
}

TEST(RoundTrip, SaveReplacesTheTargetOnlyWhenComplete)
{
    dh::dxf::ReadReport report;
    auto db = read(kChineseR12, report);
    ASSERT_TRUE(db);
    std::string path = ::testing::TempDir() + "dxf_roundtrip_save.dxf";
    { std::ofstream(path) << "old contents"; }
    dh::dxf::WriteReport writeReport;
    dh::dxf::WriteOptions options;
    options.version = 1018;
    ASSERT_TRUE(dh::dxf::writeDxf(*db, path, options, writeReport)) << writeReport.error;
    dh::dxf::ReadReport back;
    EXPECT_TRUE(dh::dxf::readDxf(path, {}, back)) << back.error;
    EXPECT_EQ(back.version, 1018);

    // A folder that does not exist: refused with the reason; nothing is created.
    std::string missing = ::testing::TempDir() + "no_such_folder/x.dxf";
    EXPECT_FALSE(dh::dxf::writeDxf(*db, missing, {}, writeReport));
    EXPECT_NE(writeReport.error.find("no_such_folder"), std::string::npos);
    EXPECT_EQ(db->saveAs(missing.c_str()), Acad::eFileAccessErr);
    std::remove(path.c_str());
}

TEST(RoundTrip, EncodingOverrideReadsAFileWhoseHeaderLies)
{
    // Declares ANSI_1252 but holds GBK: only the override reads it right.
    std::string text = kChineseR12;
    text.replace(text.find("ANSI_936"), 8, "ANSI_1252");
    dh::dxf::ReadOptions options;
    options.encoding = "ANSI_936";
    dh::dxf::ReadReport report;
    auto db = read(text, report, options);
    ASSERT_TRUE(db);
    EXPECT_FALSE(DatabaseAccess::findRecord(*db, TableKind::kLayer, kLayerUtf8.c_str()).isNull());
}

TEST(RoundTrip, R12EntitiesKeepTheirFieldsInTheModernLayout)
{
    std::string text =
        "0\nSECTION\n2\nENTITIES\n"
        "0\nARC\n8\nK\n10\n1.0\n20\n2.0\n30\n0.0\n40\n3.0\n50\n30.0\n51\n120.0\n"
        "0\nENDSEC\n0\nEOF\n";
    dh::dxf::ReadReport report;
    auto db = read(text, report);
    ASSERT_TRUE(db);
    EXPECT_EQ(report.version, 1009);
    auto groups = groupsOf(write(*db));
    std::size_t arc = find(groups, 0, "ARC");
    ASSERT_NE(arc, std::string::npos);
    std::size_t circle = find(groups, 100, "AcDbCircle", arc);
    std::size_t arcMarker = find(groups, 100, "AcDbArc", arc);
    ASSERT_LT(circle, arcMarker);
    EXPECT_EQ(groups[find(groups, 40, "3.0", circle)].first, 40);
    EXPECT_LT(find(groups, 40, "3.0", circle), arcMarker);
    // The class keeps radians: the degrees come back within rounding.
    auto valueAfter = [&](int code, std::size_t from) {
        for (std::size_t i = from; i < groups.size(); ++i)
            if (groups[i].first == code) return std::stod(groups[i].second);
        return -1.0;
    };
    EXPECT_NEAR(valueAfter(50, arcMarker), 30.0, 1e-9);
    EXPECT_NEAR(valueAfter(51, arcMarker), 120.0, 1e-9);
    EXPECT_NE(find(groups, 8, "K", arc), std::string::npos);
}

TEST(RoundTrip, AnEscapeCutBetweenTextPiecesIsDecoded)
{
    std::string text =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
        "0\nMTEXT\n5\n30\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n10\n0\n20\n0\n30\n0\n40\n2.5\n"
        "3\nabc\\U+4E\n1\n2Ddef\n0\nENDSEC\n0\nEOF\n";
    dh::dxf::ReadReport report;
    auto db = read(text, report);
    ASSERT_TRUE(db);
    auto groups = groupsOf(write(*db, 1021));
    EXPECT_NE(find(groups, 1, "abc\xE4\xB8\xAD" "def"), std::string::npos);
}

TEST(RoundTrip, AWblockCopySavesAsANewDrawing)
{
    dh::dxf::ReadReport report;
    auto db = read(kChineseR12, report);
    ASSERT_TRUE(db);
    AcDbDatabase* copy = nullptr;
    ASSERT_EQ(db->wblock(copy), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(copy);
    std::string path = ::testing::TempDir() + "dxf_wblock_copy.dxf";
    ASSERT_EQ(copy->saveAs(path.c_str()), Acad::eOk);
    dh::dxf::ReadReport back;
    auto saved = dh::dxf::readDxf(path, {}, back);
    ASSERT_TRUE(saved) << back.error;
    EXPECT_EQ(back.version, 1015);
    EXPECT_EQ(back.codePage, "ANSI_936"); // a drawing that never had a file
    EXPECT_TRUE(back.fixed.empty());
    EXPECT_FALSE(DatabaseAccess::findRecord(*saved, TableKind::kLayer, kLayerUtf8.c_str()).isNull());
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, saved->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(model->entityIds().empty());
    model->close();
    std::remove(path.c_str());
}
