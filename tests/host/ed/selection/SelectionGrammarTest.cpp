#include "host/ed/SelectionAnswer.h"
#include "host/ed/SelectionRequest.h"

#include <gtest/gtest.h>

namespace dh::ed {
namespace {

using Method = SelectionRequest::Method;
using Kind = SelectionAnswer::Kind;

TEST(SelectionRequest, ModeStringsOfTheModules)
{
    const auto picker = SelectionRequest::parse("+L+.:S:D:L");
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->method, Method::Interactive);
    EXPECT_TRUE(picker->single && picker->pointsOnly && picker->duplicates && picker->rejectLocked);

    const auto plain = SelectionRequest::parse("");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->method, Method::Interactive);
    EXPECT_FALSE(plain->single || plain->pointsOnly || plain->duplicates || plain->rejectLocked);

    struct Case {
        const char* mode;
        Method method;
    };
    for (const Case& c : {Case{"X", Method::Drawing}, Case{"_A", Method::Space}, Case{"_cp", Method::CrossingPolygon},
                          Case{"_WP", Method::WindowPolygon}, Case{"F", Method::Fence}, Case{"_C", Method::Crossing},
                          Case{":S", Method::Interactive}, Case{"_L", Method::Last}}) {
        const auto request = SelectionRequest::parse(c.mode);
        ASSERT_TRUE(request) << c.mode;
        EXPECT_EQ(request->method, c.method) << c.mode;
    }
    for (const char* refused : {"Q", "_XX", ":Q", "X:", "+", "W+"})
        EXPECT_FALSE(SelectionRequest::parse(refused)) << refused;
}

TEST(SelectionAnswer, ItemsOfALine)
{
    const Point3 last{10, 20, 0};
    SelectionAnswer a = parseSelectionAnswer("w 1,2 3,4", last);
    ASSERT_EQ(a.kind, Kind::Window);
    ASSERT_EQ(a.points.size(), 2u);
    EXPECT_DOUBLE_EQ(a.points[1].x, 3);

    a = parseSelectionAnswer("_F 0,0 @5,0 @0,5", last);  // each @ from the point before
    ASSERT_EQ(a.kind, Kind::Fence);
    ASSERT_EQ(a.points.size(), 3u);
    EXPECT_DOUBLE_EQ(a.points[2].x, 5);
    EXPECT_DOUBLE_EQ(a.points[2].y, 5);

    a = parseSelectionAnswer("@1,1", last);
    ASSERT_EQ(a.kind, Kind::Pick);
    EXPECT_DOUBLE_EQ(a.points[0].x, 11);
    EXPECT_DOUBLE_EQ(a.points[0].y, 21);

    a = parseSelectionAnswer("#2a #FF", last);
    ASSERT_EQ(a.kind, Kind::Handles);
    EXPECT_EQ(a.handles, (std::vector<std::string>{"2A", "FF"}));
    EXPECT_EQ(parseSelectionAnswer("#", last).kind, Kind::Handles);

    EXPECT_EQ(parseSelectionAnswer("  ", last).kind, Kind::End);
    EXPECT_EQ(parseSelectionAnswer("all", last).kind, Kind::All);
    EXPECT_EQ(parseSelectionAnswer("CP", last).kind, Kind::CrossingPolygon);
    for (const char* bad : {"#zz", "#2A 7", "C 1,2 3,4 5,6", "L 1,2", "WINDOW", "1,2 3,4", "W 1,2 x"})
        EXPECT_EQ(parseSelectionAnswer(bad, last).kind, Kind::Invalid) << bad;
}

}  // namespace
}  // namespace dh::ed
