#include "host/ed/SelectionSets.h"

#include <aced/AcEdSelection.h>

#include <gtest/gtest.h>

namespace dh::ed {
namespace {

class SelectionSetsTest : public ::testing::Test {
protected:
    void SetUp() override { SelectionSets::instance().clear(); }
    void TearDown() override { SelectionSets::instance().clear(); }

    static void entity(long id, ads_name out)
    {
        out[0] = id;
        out[1] = 77;
    }
    static std::int32_t lengthOf(const ads_name ss)
    {
        std::int32_t n = -1;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        return n;
    }
};

TEST_F(SelectionSetsTest, AddMakesSetsAndKeepsOrderWithoutRepeats)
{
    ads_name empty;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, empty), RTNORM);
    EXPECT_EQ(lengthOf(empty), 0);

    ads_name a, b, c, ss;
    entity(10, a);
    entity(20, b);
    entity(30, c);
    ASSERT_EQ(acedSSAdd(a, nullptr, ss), RTNORM);
    EXPECT_FALSE(ads_name_equal(ss, empty));
    ads_name same;
    ASSERT_EQ(acedSSAdd(b, ss, same), RTNORM);
    EXPECT_TRUE(ads_name_equal(ss, same));
    ASSERT_EQ(acedSSAdd(c, ss, same), RTNORM);
    ASSERT_EQ(acedSSAdd(a, ss, same), RTNORM);  // already a member
    EXPECT_EQ(lengthOf(ss), 3);

    ads_name member;
    ASSERT_EQ(acedSSName(ss, 1, member), RTNORM);
    EXPECT_TRUE(ads_name_equal(member, b));
    EXPECT_EQ(acedSSName(ss, 3, member), RTERROR);
    EXPECT_EQ(acedSSName(ss, -1, member), RTERROR);

    EXPECT_EQ(acedSSMemb(c, ss), RTNORM);
    EXPECT_EQ(acedSSMemb(c, empty), RTERROR);

    ASSERT_EQ(acedSSFree(ss), RTNORM);
    ASSERT_EQ(acedSSFree(empty), RTNORM);
    EXPECT_EQ(SelectionSets::instance().liveCount(), 0u);
}

TEST_F(SelectionSetsTest, DeleteShiftsLaterMembers)
{
    ads_name ss, e;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, ss), RTNORM);
    for (long id = 1; id <= 5; ++id) {
        entity(id, e);
        ads_name same;
        acedSSAdd(e, ss, same);
    }
    entity(2, e);
    ASSERT_EQ(acedSSDel(e, ss), RTNORM);
    EXPECT_EQ(acedSSDel(e, ss), RTERROR);  // no longer a member
    entity(4, e);
    ASSERT_EQ(acedSSDel(e, ss), RTNORM);
    EXPECT_EQ(lengthOf(ss), 3);
    const long expected[] = {1, 3, 5};
    for (int i = 0; i < 3; ++i) {
        ads_name member;
        ASSERT_EQ(acedSSName(ss, i, member), RTNORM);
        EXPECT_EQ(member[0], expected[i]);
    }
    // A deleted member may come back, at the end.
    entity(2, e);
    ads_name same;
    acedSSAdd(e, ss, same);
    ads_name last;
    ASSERT_EQ(acedSSName(ss, 3, last), RTNORM);
    EXPECT_EQ(last[0], 2);
    acedSSFree(ss);
}

TEST_F(SelectionSetsTest, UnknownSetsAnswerError)
{
    ads_name bogus{12345, SelectionSets::kSetTag};
    ads_name entityName{12345, 0};
    std::int32_t n = 0;
    EXPECT_EQ(acedSSFree(bogus), RTERROR);
    EXPECT_EQ(acedSSLength(bogus, &n), RTERROR);
    EXPECT_EQ(acedSSLength(entityName, &n), RTERROR);
    ads_name out;
    EXPECT_EQ(acedSSAdd(entityName, bogus, out), RTERROR);

    ads_name ss;
    acedSSAdd(nullptr, nullptr, ss);
    ASSERT_EQ(acedSSFree(ss), RTNORM);
    EXPECT_EQ(acedSSFree(ss), RTERROR);  // freed twice
}

TEST_F(SelectionSetsTest, LeaksAreTheUnmarkedSetsSinceTheCheckpoint)
{
    ads_name before;
    acedSSAdd(nullptr, nullptr, before);
    const long checkpoint = SelectionSets::instance().nextSerial();
    ads_name kept, handed, freed;
    acedSSAdd(nullptr, nullptr, kept);
    acedSSAdd(nullptr, nullptr, handed);
    acedSSAdd(nullptr, nullptr, freed);
    SelectionSets::instance().markHandedToLisp(handed);
    acedSSFree(freed);
    const std::vector<long> leaked = SelectionSets::instance().leakedSince(checkpoint);
    ASSERT_EQ(leaked.size(), 1u);
    EXPECT_EQ(leaked[0], kept[0]);
    EXPECT_EQ(SelectionSets::instance().liveCount(), 3u);
}

}  // namespace
}  // namespace dh::ed
