#include "TestDot.h"

#include "host/db/ResultBufferCount.h"

#include <string>
#include <vector>

namespace {

// The chain as "code:value" items, so a whole chain compares in one expectation.
std::vector<std::string> describe(const resbuf* chain)
{
    std::vector<std::string> items;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        std::string value;
        switch (rb->restype) {
        case 1000: case 1001: case 1002: case 1003: case 1005:
            value = rb->resval.rstring;
            break;
        case 1040: value = std::to_string(rb->resval.rreal); break;
        case 1070: value = std::to_string(rb->resval.rint); break;
        case 1071: value = std::to_string(rb->resval.rlong); break;
        case 1010:
            value = std::to_string(rb->resval.rpoint[0]) + "," + std::to_string(rb->resval.rpoint[2]);
            break;
        default: value = "?";
        }
        items.push_back(std::to_string(rb->restype) + ":" + value);
    }
    return items;
}

class XDataTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        ASSERT_TRUE(acdbRegApp("FIRST"));
        ASSERT_TRUE(acdbRegApp("SECOND"));
        m_id = addDot(0.0);
        ASSERT_EQ(acdbOpenObject(m_dot, m_id, AcDb::kForWrite), Acad::eOk);
        m_buffersAtStart = dh::db::liveResultBuffers();
    }
    void TearDown() override
    {
        if (m_dot)
            m_dot->close();
        EXPECT_EQ(dh::db::liveResultBuffers(), m_buffersAtStart);
        DrawingTest::TearDown();
    }

    Acad::ErrorStatus set(resbuf* chain)
    {
        const Acad::ErrorStatus es = m_dot->setXData(chain);
        acutRelRb(chain);
        return es;
    }
    std::vector<std::string> read(const char* app = nullptr)
    {
        resbuf* chain = m_dot->xData(app);
        std::vector<std::string> items = describe(chain);
        acutRelRb(chain);
        return items;
    }

    AcDbObjectId m_id;
    TestDot* m_dot = nullptr;
    std::size_t m_buffersAtStart = 0;
};

} // namespace

TEST_F(XDataTest, EachApplicationIsReplacedInItsPlace)
{
    EXPECT_TRUE(read().empty());
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 1000, "a", 1071, 70000, 0)), Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, "SECOND", 1040, 2.5, 0)), Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, "first", 1070, -1, 0)), Acad::eOk);

    EXPECT_EQ(read(), (std::vector<std::string>{"1001:FIRST", "1070:-1", "1001:SECOND", "1040:2.500000"}));
    EXPECT_EQ(read("Second"), (std::vector<std::string>{"1001:SECOND", "1040:2.500000"}));
    EXPECT_TRUE(read("UNKNOWN").empty());
    EXPECT_EQ(read(""), read()); // an empty name asks for every application
}

TEST_F(XDataTest, ANameAloneRemovesThatApplication)
{
    const ads_real p[3] = {1.0, 2.0, 3.0};
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 1010, p, 1001, "SECOND", 1000, "kept", 0)), Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 0)), Acad::eOk);
    EXPECT_EQ(read(), (std::vector<std::string>{"1001:SECOND", "1000:kept"}));
}

TEST_F(XDataTest, RefusedChainsChangeNothing)
{
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 1000, "before", 0)), Acad::eOk);
    EXPECT_EQ(set(acutBuildList(1001, "NOT_REGISTERED", 1000, "x", 0)), Acad::eRegappIdNotFound);
    EXPECT_EQ(set(acutBuildList(1000, "no name first", 0)), Acad::eInvalidInput);
    EXPECT_EQ(set(acutBuildList(1001, "FIRST", 8, "layer code", 0)), Acad::eInvalidInput);
    EXPECT_EQ(read(), (std::vector<std::string>{"1001:FIRST", "1000:before"}));

    // Not open for write: status 45, as the modules test literally.
    m_dot->close();
    ASSERT_EQ(acdbOpenObject(m_dot, m_id, AcDb::kForRead), Acad::eOk);
    resbuf* chain = acutBuildList(1001, "FIRST", 1000, "after", 0);
    EXPECT_EQ(static_cast<int>(m_dot->setXData(chain)), 45);
    acutRelRb(chain);
    EXPECT_EQ(read(), (std::vector<std::string>{"1001:FIRST", "1000:before"}));
}

TEST_F(XDataTest, CancelRestoresTheDataAndCopiesCarryIt)
{
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 1000, "kept", 0)), Acad::eOk);
    m_dot->close();
    ASSERT_EQ(acdbOpenObject(m_dot, m_id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(set(acutBuildList(1001, "FIRST", 1000, "dropped", 0)), Acad::eOk);
    m_dot->cancel();
    ASSERT_EQ(acdbOpenObject(m_dot, m_id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(read(), (std::vector<std::string>{"1001:FIRST", "1000:kept"}));

    std::unique_ptr<TestDot> copy(TestDot::cast(m_dot->clone()));
    resbuf* chain = copy->xData();
    EXPECT_EQ(describe(chain), read());
    acutRelRb(chain);
}
