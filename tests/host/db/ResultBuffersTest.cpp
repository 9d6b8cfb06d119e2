#include "host/db/ResultBufferCount.h"

#include <acut/ResBuf.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(ResultBuffersTest, BuildListFillsEachTypeAndIsCounted)
{
    const std::size_t before = dh::db::liveResultBuffers();
    const ads_real p3[3] = {1.0, 2.0, 3.0};
    const long name[2] = {7, 8};
    resbuf* chain = acutBuildList(RTSTR, "text", RTREAL, 1.5, RTSHORT, -2, RTLONG, 70000, RT3DPOINT, p3,
                                  RTPOINT, p3, RTENAME, name, RTLB, RTT, RTNIL, RTLE, 8, "0", 10, p3, 62, 3,
                                  0);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(dh::db::liveResultBuffers(), before + 14);

    const resbuf* rb = chain;
    EXPECT_STREQ(rb->resval.rstring, "text");
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rreal, 1.5);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rint, -2);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlong, 70000);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rpoint[2], 3.0);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rpoint[1], 2.0);
    EXPECT_EQ(rb->resval.rpoint[2], 0.0); // a 2D point takes no z
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlname[0], 7);
    EXPECT_EQ(rb->resval.rlname[1], 8);
    for (short type : {RTLB, RTT, RTNIL, RTLE}) {
        rb = rb->rbnext;
        EXPECT_EQ(rb->restype, type);
    }
    rb = rb->rbnext;
    EXPECT_STREQ(rb->resval.rstring, "0"); // group 8: a text
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rpoint[0], 1.0); // group 10: a point
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rint, 3); // group 62: a short
    EXPECT_EQ(rb->rbnext, nullptr);

    EXPECT_EQ(acutRelRb(chain), RTNORM);
    EXPECT_EQ(dh::db::liveResultBuffers(), before);
}

TEST(ResultBuffersTest, UnknownTypesBuildNothingAndLeakNothing)
{
    const std::size_t before = dh::db::liveResultBuffers();
    EXPECT_EQ(acutBuildList(RTSTR, "kept?", 4321, 1, 0), nullptr);
    EXPECT_EQ(dh::db::liveResultBuffers(), before);
    EXPECT_EQ(acutRelRb(nullptr), RTNORM);

    resbuf* rb = acutNewRb(RTSTR);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->resval.rstring, nullptr);
    EXPECT_EQ(rb->rbnext, nullptr);
    rb->resval.rstring = acutNewString("owned by the buffer");
    EXPECT_EQ(dh::db::liveResultBuffers(), before + 1);
    acutRelRb(rb);
    EXPECT_EQ(dh::db::liveResultBuffers(), before);

    char* copy = acutNewString(nullptr);
    EXPECT_STREQ(copy, "");
    std::free(copy);
}
