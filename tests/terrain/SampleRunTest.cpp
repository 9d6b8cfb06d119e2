// The sample job: drafthost runs the sample script on the sample drawing; the transcript
// and the saved drawing are checked, the drawing also with ezdxf against the source file.
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using dh::terrain::test::capture;

TEST(SampleRun, ChgcPreparesTheSampleDrawingChgcdGivesThePointsTheirValuesJllJoinsItsContours)
{
    const char* source = std::getenv("DH_SOURCE_DIR");
    const char* binary = std::getenv("DH_BINARY_DIR");
    ASSERT_TRUE(source && binary);
    const std::string samples = std::string(source) + "/samples";
    const std::string saved = (std::filesystem::temp_directory_path() /
                               ("chgc-sample-" + std::to_string(::getpid()) + ".dxf")).string();
    // The script draws pictures into out/pictures/ of the folder it runs in.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("chgc-sample-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "out" / "pictures");
    int status = 0;
    const std::string out = capture("cd '" + folder.string() + "' && " + std::string(binary) + "/bin/drafthost " + samples +
                                        "/contours.dxf -q -s " + samples + "/sample.scr -o " +
                                        saved + " 2>&1",
                                    status);
    ASSERT_EQ(status, 0) << out;
    for (const char* line : {"\n选择了 <等高线> ,共1个图层作为地形图层",
                             "\n选择了 <等高线> <高程点> ,共2个图层作为地形图层",
                             "\n发现有实体在平面上重合,高程分别是271.500和272.000",
                             "\n发现有实体在平面上重合,高程分别是314.660和315.160",
                             "\n发现有实体在平面上重合,高程分别是502.800和503.300"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    EXPECT_EQ(out.find("; warning"), std::string::npos) << out;
    for (const char* picture : {"out/pictures/0-start.png", "out/pictures/1-CHGC_T.png"})
        EXPECT_GT(std::filesystem::exists(folder / picture) ? std::filesystem::file_size(folder / picture) : 0, 1000u)
            << picture;
    std::filesystem::remove_all(folder);

    // JLL_T across every gap of the truth file joins the pairs at one elevation (CHGC_T
    // has brought every contour onto one layer); the script ends with the number of joins.
    std::ifstream truth(samples + "/contours-pairs.txt");
    int pairs = 0, joinable = 0;
    for (std::string line; std::getline(truth, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string first, second;
        int sameElevation = 0;
        fields >> first >> second >> sameElevation;
        ++pairs;
        joinable += sameElevation;
    }
    ASSERT_GT(joinable, 5);
    ASSERT_LT(joinable, pairs);
    size_t joined = 0, apart = 0;
    for (size_t at = out.find("\n连接了1条等高线"); at != std::string::npos; at = out.find("\n连接了1条等高线", at + 1))
        ++joined;
    for (size_t at = out.find("\n连接了0条等高线"); at != std::string::npos; at = out.find("\n连接了0条等高线", at + 1))
        ++apart;
    EXPECT_EQ(joined, static_cast<size_t>(joinable)) << out;
    EXPECT_EQ(apart, static_cast<size_t>(pairs - joinable)) << out;
    EXPECT_EQ(out.substr(out.rfind('\n', out.size() - 2) + 1), std::to_string(joinable) + "\n") << out;

    // Independently: after CHGC_T every spot position of the source has one circle of radius
    // 0.15, except the pair answered D; no point or block reference is left; one layer
    // remains. CHGCD_T then gave each of those circles, moved down to 0 by the script, one of
    // the source's values at its place back from the labels; the two labels of the pair
    // answered D have circles of their own at 0.
    EXPECT_NE(out.find(" circles have an elevation"), std::string::npos) << out;
    const std::string check = R"(/usr/bin/python3 -c "
import sys, ezdxf
src = ezdxf.readfile(sys.argv[1]); out = ezdxf.readfile(sys.argv[2])
spots = {}
for e in src.modelspace():
    if e.dxftype() in ('CIRCLE', 'POINT', 'INSERT'):
        p = e.dxf.center if e.dxftype() == 'CIRCLE' else e.dxf.location if e.dxftype() == 'POINT' else e.dxf.insert
        spots.setdefault((p[0], p[1]), []).append(p[2])
circles = [e for e in out.modelspace() if e.dxftype() == 'CIRCLE']
kept = [c for c in circles if (c.dxf.center[0], c.dxf.center[1]) in spots]
assert len(kept) == len(spots) - 1, (len(kept), len(spots))
assert all(c.dxf.center[2] in spots[(c.dxf.center[0], c.dxf.center[1])] for c in kept)
others = [c for c in circles if (c.dxf.center[0], c.dxf.center[1]) not in spots]
assert len(others) == 2 and all(c.dxf.center[2] == 0 for c in others), len(others)
assert all(abs(c.dxf.radius - 0.15) < 1e-9 for c in circles)
assert not [e for e in out.modelspace() if e.dxftype() in ('POINT', 'INSERT')]
assert {e.dxf.layer for e in out.modelspace()} == {src.modelspace()[0].dxf.layer}
assert not out.audit().has_errors
print('ok')
" )" + samples + "/contours.dxf " + saved;
    const std::string verdict = capture(check + " 2>&1", status);
    EXPECT_EQ(status, 0) << verdict;
    EXPECT_EQ(verdict, "ok\n");
    std::filesystem::remove(saved);
}

} // namespace
