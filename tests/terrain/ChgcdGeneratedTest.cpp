// CHGCD_T through drafthost on a generated drawing whose elevation points lie at 0 and whose
// labels (one text, two texts, block attributes) hold the values; the generator's truth
// file says which point has which value. A point that no other point's label can reach,
// whose own label reaches no other point, must get exactly its value; points at one place
// share their values; the rest are counted by what stands in the way.
#include "RunProgram.h"
#include "TerrainDxf.h"

#include "host/ed/Session.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// No label's box reaches further than this from its point, in x or y.
constexpr double kReach = 12.0;

struct TruthPoint {
    double x, y;
    std::string value;
    std::string label;
};

std::vector<TruthPoint> readTruth(const std::string& text)
{
    std::vector<TruthPoint> points;
    std::istringstream in(text);
    TruthPoint p;
    while (in >> p.x >> p.y >> p.value >> p.label)
        points.push_back(p);
    return points;
}

using dh::terrain::test::capture;

// Circle centres of the saved drawing's model space, by plan position.
std::map<std::pair<double, double>, std::vector<double>> circlesOf(const std::string& path)
{
    std::map<std::pair<double, double>, std::vector<double>> circles;
    std::ostringstream transcript;
    dh::ed::Session session(dh::ed::SessionOptions{});
    session.setOutput(transcript);
    std::string error;
    EXPECT_TRUE(session.openDocument(path, error)) << error;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead), Acad::eOk);
    const std::vector<AcDbObjectId> ids = space->entityIds();
    space->close();
    for (AcDbObjectId id : ids) {
        AcDbCircle* circle = nullptr;
        if (acdbOpenObject(circle, id, AcDb::kForRead) != Acad::eOk)
            continue;
        const AcGePoint3d c = circle->center();
        circles[{c.x, c.y}].push_back(c.z);
        circle->close();
    }
    return circles;
}

// The box in which CHGCD_T (search range 1) looks for the point of p's label, worked out
// from where the generator writes labels (height 2, 1 unit per character): a one-text label
// at (x + 1, y − 0.5) or an attribute at (x + 0.8, y), w wide and 2 high, doubled about its
// centre; an integer part w wide ending 0.2 left of the point, from half a height below its
// baseline to a height above it and twice its width to the right.
struct Box {
    double minX, minY, maxX, maxY;
    bool holds(double x, double y) const { return minX <= x && x <= maxX && minY <= y && y <= maxY; }
};

Box searchBox(const TruthPoint& p)
{
    const double w = static_cast<double>(p.value.size());
    if (p.label == "split") {
        const double integer = static_cast<double>(p.value.find('.'));
        return {p.x - 0.2 - integer, p.y - 1.5, p.x - 0.2 + integer, p.y + 1.5};
    }
    const double left = p.label == "text" ? p.x + 1.0 : p.x + 0.8;
    const double base = p.label == "text" ? p.y - 0.5 : p.y;
    return {left - w / 2, base - 1.0, left + 1.5 * w, base + 3.0};
}

// Why a point's value may come out wrong: what lies in the boxes around it.
enum Reason { kAlone, kSamePlace, kOtherPointInBox, kInOthersBox, kOtherTextInBox, kReasons };
const char* const kReasonNames[] = {
    "reached by its label alone", "sharing its place with another point",
    "another point in its label's box", "inside another point's label box",
    "another point's text in its integer part's box"};

std::vector<int> reasonsOf(const std::vector<TruthPoint>& truth)
{
    std::vector<size_t> byX(truth.size());
    for (size_t i = 0; i < byX.size(); ++i)
        byX[i] = i;
    std::sort(byX.begin(), byX.end(), [&](size_t a, size_t b) { return truth[a].x < truth[b].x; });
    std::vector<int> reason(truth.size(), kAlone);
    auto note = [&](size_t i, Reason r) { reason[i] = std::max(reason[i], static_cast<int>(r)); };
    for (size_t k = 0; k < byX.size(); ++k)
        for (size_t l = k + 1; l < byX.size() && truth[byX[l]].x - truth[byX[k]].x <= kReach; ++l) {
            for (const auto& [i, j] : {std::pair(byX[k], byX[l]), std::pair(byX[l], byX[k])}) {
                const TruthPoint& p = truth[i];
                const TruthPoint& q = truth[j];
                if (p.x == q.x && p.y == q.y) {
                    note(i, kSamePlace);
                    continue;
                }
                const Box box = searchBox(p);
                if (box.holds(q.x, q.y))
                    note(i, kOtherPointInBox);
                if (searchBox(q).holds(p.x, p.y))
                    note(i, kInOthersBox);
                if (p.label == "split" && q.label == "split") {
                    // The texts of q's label, where its integer and decimal parts start.
                    const double integer = static_cast<double>(q.value.find('.'));
                    if (box.holds(q.x - 0.2 - integer, q.y - 0.5) || box.holds(q.x + 0.2, q.y - 0.5))
                        note(i, kOtherTextInBox);
                }
            }
        }
    return reason;
}

TEST(ChgcdGenerated, EveryPointItsLabelCanReachGetsExactlyItsValue)
{
    const char* binary = std::getenv("DH_BINARY_DIR");
    ASSERT_TRUE(binary);
    const auto dir = std::filesystem::temp_directory_path() /
                     ("chgcd-generated-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string drawing = (dir / "labels.dxf").string();
    const std::string saved = (dir / "out.dxf").string();
    const std::string script = (dir / "chgcd.scr").string();

    dh::tools::TerrainOptions options;
    options.contours = 20;
    options.points = 20000;
    options.vertices = 8;
    options.splitLabelShare = 0.5;
    options.flatPoints = true;
    std::ostringstream truthText;
    options.truth = &truthText;
    {
        std::ofstream out(drawing, std::ios::binary);
        dh::tools::writeTerrainDxf(out, options);
    }
    std::ofstream(script) << "CHGCD_T\n\n\nALL\n\n\n";
    int status = 0;
    const std::string transcript = capture(std::string(binary) + "/bin/drafthost " + drawing +
                                           " -q -s " + script + " -o " + saved + " 2>&1",
                                       status);
    ASSERT_EQ(status, 0) << transcript;
    EXPECT_EQ(transcript.find("; warning"), std::string::npos) << transcript;

    const std::vector<TruthPoint> truth = readTruth(truthText.str());
    ASSERT_GT(truth.size(), 20000u);
    const auto circles = circlesOf(saved);

    // Points alone with their label must have exactly their value; points at one place
    // share their values among them. The rest is counted by what stands in the way.
    const std::vector<int> reason = reasonsOf(truth);
    std::map<std::pair<double, double>, std::vector<double>> expected;
    for (const TruthPoint& p : truth)
        expected[{p.x, p.y}].push_back(std::stod(p.value));
    std::array<int, kReasons> count{}, right{};
    for (size_t i = 0; i < truth.size(); ++i) {
        const TruthPoint& p = truth[i];
        const auto found = circles.find({p.x, p.y});
        ASSERT_NE(found, circles.end()) << p.x << " " << p.y << " lost";
        std::vector<double> got = found->second;
        std::vector<double> want = expected[{p.x, p.y}];
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        const bool ok = std::count(got.begin(), got.end(), std::stod(p.value)) > 0;
        ++count[static_cast<size_t>(reason[i])];
        right[static_cast<size_t>(reason[i])] += ok;
        if (reason[i] == kAlone || reason[i] == kSamePlace) {
            EXPECT_EQ(got, want) << p.x << " " << p.y << " " << p.label << " "
                                 << kReasonNames[reason[i]];
        }
    }
    std::ostringstream summary;
    for (int r = 0; r < kReasons; ++r)
        summary << count[static_cast<size_t>(r)] << " " << kReasonNames[r] << ", "
                << right[static_cast<size_t>(r)] << " of them right\n";
    std::cout << summary.str();
    RecordProperty("summary", summary.str());
    EXPECT_GT(count[kAlone], 18000) << summary.str();
    std::filesystem::remove_all(dir);
}

} // namespace
