#include "DxfTestUtil.h"

#include "host/dxf/DxfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace {

std::string load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

struct Damaged {
    const char* what;
    std::string text;
    std::size_t line;
    const char* reason;
};

const std::string kHead = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n";

} // namespace

TEST(DamagedFile, RefusedWithTheLineAndTheReason)
{
    const Damaged cases[] = {
        {"a number that is not one",
         kHead + "0\nSECTION\n2\nENTITIES\n0\nLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n1.2.3\n",
         23, "invalid number"},
        {"a section never closed", kHead + "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n0\nEOF\n", 0,
         "ENDSEC"},
        {"a table without ENDTAB",
         kHead + "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\n70\n0\n0\nENDSEC\n0\nEOF\n",
         0, "ENDTAB"},
        {"an application group never closed",
         kHead + "0\nSECTION\n2\nENTITIES\n0\nLINE\n102\n{ACAD_REACTORS\n330\n1\n0\nENDSEC\n0\nEOF\n",
         0, "not closed"},
        {"no EOF", kHead, 0, "truncated"},
        {"not DXF at all", "hello\nworld\n", 1, "invalid group code"},
        {"an empty file", "", 0, "no section"},
    };
    for (const Damaged& c : cases) {
        dh::dxf::ReadReport report;
        auto db = dh::dxf::readDxfData(c.text, "damaged.dxf", {}, report);
        EXPECT_FALSE(db) << c.what;
        EXPECT_FALSE(report.ok) << c.what;
        if (c.line) {
            EXPECT_EQ(report.errorLine, c.line) << c.what << ": " << report.error;
        }
        EXPECT_NE(report.reason.find(c.reason), std::string::npos) << c.what << ": " << report.error;
        EXPECT_EQ(report.error.rfind("damaged.dxf: ", 0), 0u) << report.error;
    }
}

TEST(DamagedFile, TruncatedCopiesAreRefusedCleanly)
{
    const char* files[] = {"ezdxf__small_r13.dxf", "libredwg__example_r12.dxf",
                           "ezdxf__bin_dxf_r12.dxf", "acadsharp__sample_AC1015_binary.dxf",
                           "zcad__zigzag.dxf", "ezdxf__multi_insert_with_attribs.dxf"};
    std::mt19937 random(20261208);
    for (const char* name : files) {
        std::string data = load(dxftest::corpusDir() + name);
        ASSERT_GT(data.size(), 100u) << name;
        bool binary = dh::dxf::TagReader::isBinary(data);
        std::uniform_int_distribution<std::size_t> cut(1, data.size() - 20);
        for (int i = 0; i < 12; ++i) {
            std::size_t at = cut(random);
            std::string part = data.substr(0, at);
            dh::dxf::ReadReport report;
            auto db = dh::dxf::readDxfData(part, name, {}, report);
            EXPECT_FALSE(db) << name << " cut at " << at;
            EXPECT_FALSE(report.reason.empty()) << name << " cut at " << at;
            std::size_t limit = binary ? part.size() : std::count(part.begin(), part.end(), '\n') + 2;
            EXPECT_LE(report.errorLine, limit) << name << " cut at " << at << ": " << report.error;
            EXPECT_EQ(report.errorIsByteOffset, binary);
        }
    }
}
