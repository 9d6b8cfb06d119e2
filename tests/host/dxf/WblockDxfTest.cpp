// A block written out as a drawing of its own (wblock + saveAs): the copy refers only to
// records it holds, and references between handles inside kept groups and extended data
// name the copies, checked with our reader and with ezdxf's audit.
#include "DxfTestUtil.h"

#include "host/dxf/DxfReader.h"
#include "host/dxf/DxfWriter.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

using dxftest::find;
using dxftest::Group;
using dxftest::groupsOf;
using dh::db::DatabaseAccess;
using dh::db::TableKind;

namespace {

std::string entity(const std::string& type, const std::string& handle, const std::string& owner,
                   const std::string& rest, const std::string& common = "8\n0\n")
{
    return "0\n" + type + "\n5\n" + handle + "\n330\n" + owner + "\n100\nAcDbEntity\n" + common + rest;
}

std::string blockRecord(const std::string& handle, const std::string& name)
{
    return "0\nBLOCK_RECORD\n5\n" + handle + "\n330\n1\n100\nAcDbSymbolTableRecord\n100\nAcDbBlockTableRecord\n2\n" +
           name + "\n";
}

std::string blockBegin(const std::string& handle, const std::string& owner, const std::string& name)
{
    return "0\nBLOCK\n5\n" + handle + "\n330\n" + owner + "\n100\nAcDbEntity\n8\n0\n100\nAcDbBlockBegin\n2\n" + name +
           "\n70\n0\n10\n0\n20\n0\n30\n0\n3\n" + name + "\n1\n\n";
}

std::string blockEnd(const std::string& handle, const std::string& owner)
{
    return "0\nENDBLK\n5\n" + handle + "\n330\n" + owner + "\n100\nAcDbEntity\n8\n0\n100\nAcDbBlockEnd\n";
}

// Block EDGE holds a text in style HZ, an insert of B2 (defined after EDGE), a dashed line
// with extended data naming the text, a multi-line text without a style, a dimension of
// style DS1 with its block, and a hatch (kept, not modelled) whose boundary is the line.
const std::string kSource =
    "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n400\n0\nENDSEC\n"
    "0\nSECTION\n2\nTABLES\n"
    "0\nTABLE\n2\nLTYPE\n5\n5\n330\n0\n100\nAcDbSymbolTable\n70\n1\n"
    "0\nLTYPE\n5\n14\n330\n5\n100\nAcDbSymbolTableRecord\n100\nAcDbLinetypeTableRecord\n2\nDASHED\n70\n0\n"
    "3\n__ __\n72\n65\n73\n2\n40\n0.75\n49\n0.5\n74\n0\n49\n-0.25\n74\n0\n0\nENDTAB\n"
    "0\nTABLE\n2\nSTYLE\n5\n3\n330\n0\n100\nAcDbSymbolTable\n70\n1\n"
    "0\nSTYLE\n5\n15\n330\n3\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n2\nHZ\n70\n0\n"
    "40\n0\n41\n1\n50\n0\n71\n0\n42\n2.5\n3\nhztxt.shx\n4\n\n0\nENDTAB\n"
    "0\nTABLE\n2\nAPPID\n5\n9\n330\n0\n100\nAcDbSymbolTable\n70\n1\n"
    "0\nAPPID\n5\n16\n330\n9\n100\nAcDbSymbolTableRecord\n100\nAcDbRegAppTableRecord\n2\nSURVEY\n70\n0\n"
    "0\nENDTAB\n"
    "0\nTABLE\n2\nDIMSTYLE\n5\nA\n330\n0\n100\nAcDbSymbolTable\n70\n1\n100\nAcDbDimStyleTable\n"
    "0\nDIMSTYLE\n105\n17\n330\nA\n100\nAcDbSymbolTableRecord\n100\nAcDbDimStyleTableRecord\n2\nDS1\n70\n0\n"
    "40\n2.0\n0\nENDTAB\n"
    "0\nTABLE\n2\nBLOCK_RECORD\n5\n1\n330\n0\n100\nAcDbSymbolTable\n70\n5\n" +
    blockRecord("1F", "*Model_Space") + blockRecord("1E", "*Paper_Space") + blockRecord("20", "EDGE") +
    blockRecord("21", "B2") + blockRecord("22", "*D1") +
    "0\nENDTAB\n0\nENDSEC\n"
    "0\nSECTION\n2\nBLOCKS\n" +
    blockBegin("23", "20", "EDGE") +
    entity("TEXT", "40", "20", "100\nAcDbText\n10\n0\n20\n0\n30\n0\n40\n2.5\n1\nlabel\n7\nHZ\n100\nAcDbText\n") +
    entity("INSERT", "41", "20", "100\nAcDbBlockReference\n66\n1\n2\nB2\n10\n5\n20\n5\n30\n0\n") +
    "0\nATTRIB\n5\n48\n102\n{ACAD_REACTORS\n330\n42\n102\n}\n330\n41\n100\nAcDbEntity\n8\n0\n"
    "100\nAcDbText\n10\n5\n20\n5\n30\n0\n40\n2.5\n1\nP-17\n100\nAcDbAttribute\n2\nPOINT\n70\n0\n" +
    entity("SEQEND", "49", "41", "") +
    entity("LINE", "42", "20", "100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n10\n21\n0\n31\n0\n"
                               "1001\nSURVEY\n1005\n40\n1000\nlabel of the line\n1005\n48\n",
           "8\n0\n6\nDASHED\n") +
    entity("MTEXT", "43", "20", "100\nAcDbMText\n10\n0\n20\n9\n30\n0\n40\n2.5\n1\nno style\n") +
    entity("DIMENSION", "44", "20",
           "100\nAcDbDimension\n2\n*D1\n10\n10\n20\n0\n30\n0\n11\n5\n21\n1\n31\n0\n70\n33\n3\nDS1\n"
           "100\nAcDbAlignedDimension\n13\n0\n23\n0\n33\n0\n14\n10\n24\n0\n34\n0\n") +
    entity("HATCH", "45", "20",
           "100\nAcDbHatch\n10\n0\n20\n0\n30\n0\n210\n0\n220\n0\n230\n1\n2\nSOLID\n70\n1\n71\n1\n91\n1\n"
           "92\n1\n93\n1\n72\n1\n10\n0\n20\n0\n11\n10\n21\n0\n97\n1\n330\n42\n75\n0\n76\n1\n98\n0\n") +
    blockEnd("24", "20") +
    blockBegin("25", "21", "B2") +
    entity("CIRCLE", "46", "21", "100\nAcDbCircle\n10\n0\n20\n0\n30\n0\n40\n1\n") + blockEnd("26", "21") +
    blockBegin("27", "22", "*D1") +
    entity("LINE", "47", "22", "100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n10\n21\n0\n31\n0\n") +
    blockEnd("28", "22") +
    "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";

// The first object of a type in the ENTITIES section, as its groups up to the next 0.
std::vector<Group> firstEntity(const std::vector<Group>& groups, const std::string& type)
{
    std::size_t section = find(groups, 2, "ENTITIES");
    std::size_t at = find(groups, 0, type, section);
    std::vector<Group> out;
    if (at == std::string::npos) return out;
    for (std::size_t k = at; k < groups.size() && (k == at || groups[k].first != 0); ++k) out.push_back(groups[k]);
    return out;
}

std::string value(const std::vector<Group>& object, int code)
{
    for (const Group& g : object)
        if (g.first == code) return g.second;
    return "(absent)";
}

// Every pointer group of the file names an object of the file.
std::vector<std::string> danglingReferences(const std::vector<Group>& groups)
{
    std::set<std::string> handles;
    for (std::size_t i = 0; i < groups.size(); ++i)
        if ((groups[i].first == 5 || groups[i].first == 105) && (i == 0 || groups[i - 1].second != "$HANDSEED"))
            handles.insert(groups[i].second);
    std::vector<std::string> dangling;
    for (const Group& g : groups) {
        const int c = g.first;
        const bool reference = (c >= 330 && c <= 369) || (c >= 390 && c <= 399) || c == 480 || c == 481 || c == 1005;
        if (reference && g.second != "0" && !handles.count(g.second))
            dangling.push_back(std::to_string(c) + "=" + g.second);
    }
    return dangling;
}

std::string readFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string data;
    if (!file) return data;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, n);
    std::fclose(file);
    return data;
}

} // namespace

TEST(WblockDxf, ABlockSavedAsADrawingCarriesTheRecordsItsEntitiesUse)
{
    dh::dxf::ReadReport report;
    auto db = dh::dxf::readDxfData(kSource, "source", {}, report);
    ASSERT_TRUE(db) << report.error;
    AcDbObjectId edge = DatabaseAccess::findRecord(*db, TableKind::kBlock, "EDGE");
    ASSERT_FALSE(edge.isNull());
    AcDbDatabase* copy = nullptr;
    ASSERT_EQ(db->wblock(copy, edge), Acad::eOk);
    std::unique_ptr<AcDbDatabase> owned(copy);
    std::string path = ::testing::TempDir() + "dxf_wblock_edge_" + std::to_string(getpid()) + ".dxf";
    ASSERT_EQ(copy->saveAs(path.c_str()), Acad::eOk);
    auto groups = groupsOf(readFile(path));

    auto text = firstEntity(groups, "TEXT");
    auto insert = firstEntity(groups, "INSERT");
    auto line = firstEntity(groups, "LINE");
    auto mtext = firstEntity(groups, "MTEXT");
    auto dimension = firstEntity(groups, "DIMENSION");
    auto hatch = firstEntity(groups, "HATCH");
    EXPECT_EQ(value(text, 7), "HZ");
    EXPECT_EQ(value(insert, 2), "B2");
    EXPECT_EQ(value(line, 6), "DASHED");
    EXPECT_EQ(value(dimension, 3), "DS1");
    // The copy's records: each named once in its table.
    std::size_t tables = find(groups, 2, "TABLES"), blocks = find(groups, 2, "BLOCKS");
    auto recordIn = [&](const std::string& type, const std::string& name) {
        std::size_t at = find(groups, 0, type, tables);
        return at < blocks && find(groups, 2, name, at) < blocks;
    };
    EXPECT_TRUE(recordIn("STYLE", "HZ"));
    EXPECT_TRUE(recordIn("LTYPE", "DASHED"));
    EXPECT_TRUE(recordIn("DIMSTYLE", "DS1"));
    EXPECT_TRUE(recordIn("BLOCK_RECORD", "B2"));
    EXPECT_NE(find(groups, 2, value(dimension, 2), blocks), std::string::npos) << "the dimension's block";
    EXPECT_NE(find(groups, 0, "CIRCLE", blocks), std::string::npos) << "B2's circle";
    // The multi-line text names a style the copy holds.
    EXPECT_TRUE(recordIn("STYLE", value(mtext, 7)));
    // The hatch's boundary and the line's extended data name the copies, not the source.
    ASSERT_FALSE(hatch.empty());
    std::vector<std::string> hatchRefs;
    for (std::size_t k = 3; k < hatch.size(); ++k)
        if (hatch[k].first == 330 && hatch[k - 1].first == 97) hatchRefs.push_back(hatch[k].second);
    ASSERT_EQ(hatchRefs.size(), 1u);
    EXPECT_EQ(hatchRefs.front(), value(line, 5));
    EXPECT_EQ(value(line, 1005), value(text, 5));
    // The attribute: the line names it, and its reactor names the line.
    std::size_t attrib = find(groups, 0, "ATTRIB", find(groups, 2, "ENTITIES"));
    ASSERT_NE(attrib, std::string::npos);
    std::vector<std::string> lineHandles;
    for (const Group& g : line)
        if (g.first == 1005) lineHandles.push_back(g.second);
    ASSERT_EQ(lineHandles.size(), 2u);
    EXPECT_EQ(lineHandles[1], groups[attrib + 1].second);
    EXPECT_EQ(groups[attrib + 2], (Group{102, "{ACAD_REACTORS"}));
    EXPECT_EQ(groups[attrib + 3], (Group{330, value(line, 5)}));
    EXPECT_EQ(danglingReferences(groups), std::vector<std::string>{});

    dh::dxf::ReadReport back;
    auto saved = dh::dxf::readDxf(path, {}, back);
    ASSERT_TRUE(saved) << back.error;
    EXPECT_TRUE(back.fixed.empty()) << back.fixed.front().message;

    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0) {
        const dxftest::EzdxfCheck check = dxftest::runEzdxfCheck(" '" + path + "' -");
        EXPECT_EQ(check.status, 0) << check.output;
    }
    if (!std::getenv("DH_KEEP")) std::remove(path.c_str());
}
