// Joining two old-style polylines of the drawing: which ends meet, the bridge over a gap,
// arcs of a reversed part, rings closing up.
#include "CurveTrace.h"
#include "ToolkitSession.h"

#include "tests/host/db/entities/GeomAssert.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineJoin.h"

#include <acdb/AcDb2dPolyline.h>

#include <cmath>
#include <memory>

namespace dh::toolkit::test {
namespace {

class PolylineJoin : public ToolkitSession {
protected:
    AcDbObjectId addPolyline(const std::vector<PlineVertex>& vertices, double elevation = 0.0)
    {
        auto* polyline = new AcDb2dPolyline;
        for (const PlineVertex& v : vertices)
            polyline->appendVertex(new AcDb2dVertex(AcGePoint3d(v.x, v.y, 0), v.bulge));
        polyline->setElevation(elevation);
        return add(polyline);
    }

    // The joined polyline, appended to the drawing and open for read (closed by the test's
    // Opened guard), or null.
    std::unique_ptr<AcDb2dPolyline, void (*)(AcDb2dPolyline*)> join(AcDbObjectId a, bool aAtStart,
                                                                   AcDbObjectId b, bool bAtStart)
    {
        auto closer = [](AcDb2dPolyline* p) {
            if (p)
                p->close();
        };
        AcDb2dPolyline* first = nullptr;
        AcDb2dPolyline* second = nullptr;
        EXPECT_EQ(acdbOpenObject(first, a, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(acdbOpenObject(second, b, AcDb::kForRead), Acad::eOk);
        AcDb2dPolyline* joined = nullptr;
        m_status = joinPolylines2d(first, aAtStart, second, bAtStart, joined);
        m_traces.clear();
        m_lengths = curveLength(*first) + curveLength(*second);
        m_traces.push_back(tracePoints(*first, 300));
        m_traces.push_back(tracePoints(*second, 300));
        first->close();
        second->close();
        if (joined == nullptr)
            return {nullptr, closer};
        const AcDbObjectId id = add(joined);
        AcDb2dPolyline* opened = nullptr;
        EXPECT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
        return {opened, closer};
    }

    int vertexCount(const AcDb2dPolyline& polyline)
    {
        double end = 0.0;
        polyline.getEndParam(end);
        return static_cast<int>(std::lround(end)) + (polyline.isClosed() ? 0 : 1);
    }

    int m_status = -1;
    double m_lengths = 0.0;
    std::vector<std::vector<AcGePoint3d>> m_traces;
};

TEST_F(PolylineJoin, TouchingEndsNeedNoBridgeAndAGapGetsOne)
{
    const AcDbObjectId a = addPolyline({{0, 0}, {10, 0}}, 7.5);
    const AcDbObjectId b = addPolyline({{10, 0}, {20, 0}, {20, 5}});
    auto joined = join(a, false, b, true);
    ASSERT_EQ(m_status, kGeOk);
    ASSERT_TRUE(joined);
    EXPECT_EQ(vertexCount(*joined), 4);
    EXPECT_FALSE(joined->isClosed());
    EXPECT_EQ(joined->elevation(), 7.5); // the first polyline's
    EXPECT_NEAR(curveLength(*joined), m_lengths, 1e-9);
    joined.reset();

    const AcDbObjectId c = addPolyline({{25, 0}, {30, 0}});
    joined = join(b, false, c, true); // (20,5) to (25,0): a bridge of 5 * sqrt 2
    ASSERT_TRUE(joined);
    EXPECT_EQ(vertexCount(*joined), 5);
    EXPECT_NEAR(curveLength(*joined), m_lengths + 5 * std::sqrt(2.0), 1e-9);
}

TEST_F(PolylineJoin, EveryPairOfEndsTracesBothPiecesArcsIncluded)
{
    // Two arcs on each piece; whichever ends are joined, every point of both pieces lies
    // on the result and its length is theirs plus the bridge.
    const AcDbObjectId a = addPolyline({{0, 0, 0.6}, {10, 0}, {15, 5, -1.5}, {20, 0}});
    const AcDbObjectId b = addPolyline({{30, 10, 0.25}, {40, 10}, {45, 20, -0.8}, {50, 12}});
    struct Case {
        bool aAtStart, bAtStart;
        AcGePoint3d from, to; // the joined ends
    };
    const Case cases[] = {
        {true, true, {0, 0, 0}, {30, 10, 0}},
        {true, false, {0, 0, 0}, {50, 12, 0}},
        {false, true, {20, 0, 0}, {30, 10, 0}},
        {false, false, {20, 0, 0}, {50, 12, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.aAtStart << c.bAtStart);
        auto joined = join(a, c.aAtStart, b, c.bAtStart);
        ASSERT_TRUE(joined);
        EXPECT_NEAR(curveLength(*joined), m_lengths + c.from.distanceTo(c.to), 1e-7);
        EXPECT_LT(farthestFrom(*joined, m_traces[0]), 1e-7);
        EXPECT_LT(farthestFrom(*joined, m_traces[1]), 1e-7);
        // The result runs along the first piece towards its joining end first.
        AcGePoint3d start;
        joined->getStartPoint(start);
        EXPECT_NEAR3D(start, c.aAtStart ? AcGePoint3d(20, 0, 0) : AcGePoint3d(0, 0, 0));
    }
}

TEST_F(PolylineJoin, TwoHalvesOfARingCloseAndBadInputIsRefused)
{
    const AcDbObjectId top = addPolyline({{0, 0, 1.0}, {10, 0}});
    const AcDbObjectId bottom = addPolyline({{0, 0, -1.0}, {10, 0}});
    auto joined = join(top, false, bottom, false);
    ASSERT_TRUE(joined);
    EXPECT_TRUE(joined->isClosed());
    EXPECT_NEAR(curveLength(*joined), 10 * std::numbers::pi, 1e-9);
    joined.reset();

    const AcDbObjectId lone = addPolyline({{3, 3}});
    joined = join(top, false, lone, true);
    EXPECT_EQ(m_status, kGeNothing);
    EXPECT_FALSE(joined);
}

} // namespace
} // namespace dh::toolkit::test
