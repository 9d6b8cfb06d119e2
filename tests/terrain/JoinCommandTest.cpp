// JLL_T run from scripted answers in a host session with Terravue loaded: batches across
// two fences, single joins and joins of touching lines, on hand-made drawings and on a
// generated drawing whose broken contours are listed in its truth file.
#include "TerrainDxf.h"
#include "TerrainSession.h"
#include "tests/host/db/entities/GeomAssert.h"
#include "tests/toolkit/CurveTrace.h"

#include "host/ed/InputSource.h"
#include "host/ed/Session.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <gtest/gtest.h>


#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using dh::toolkit::test::farthestFrom;
using dh::toolkit::test::makePolyline;
using dh::toolkit::test::PlineVertex;
using dh::toolkit::test::tracePoints;
using Vertices = std::vector<PlineVertex>;
using dh::terrain::test::occurrences;


std::string point(double x, double y)
{
    char text[80];
    std::snprintf(text, sizeof text, "%.6f,%.6f", x, y);
    return text;
}

class JoinCommand : public dh::terrain::test::TerrainSession {
protected:
    // Runs JLL_T (after a zoom to the drawing's extents) with these answers; answers the
    // dialogue it printed.
    std::string run(std::vector<std::string> lines)
    {
        m_session->runLine("ZOOM E");
        m_out.str("");
        runCommand("JLL_T", std::move(lines));
        return out();
    }

    AcDbObjectId lockedLayer(const char* name)
    {
        const AcDbObjectId id = addLayer(name);
        AcDbLayerTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), Acad::eOk);
        record->setIsLocked(true);
        record->close();
        return id;
    }

    AcDbObjectId onLayer(AcDbEntity* entity, AcDbObjectId layer = {})
    {
        return add(entity, layer.isNull() ? m_cont : layer);
    }

    AcDbObjectId contour(const Vertices& vertices, double elevation = 100.0, AcDbObjectId layer = {})
    {
        AcDbPolyline* polyline = makePolyline(vertices);
        polyline->setElevation(elevation);
        return onLayer(polyline, layer);
    }

    AcDbObjectId oldStyle(const Vertices& vertices, double elevation = 100.0)
    {
        auto* polyline = new AcDb2dPolyline;
        for (const PlineVertex& v : vertices)
            polyline->appendVertex(new AcDb2dVertex(AcGePoint3d(v.x, v.y, elevation), v.bulge));
        polyline->setElevation(elevation);
        return onLayer(polyline);
    }

    // (x, y, bulge) of a lightweight polyline's vertices.
    Vertices vertices(AcDbObjectId id)
    {
        Vertices out;
        AcDbPolyline* polyline = nullptr;
        if (acdbOpenObject(polyline, id, AcDb::kForRead) != Acad::eOk)
            return out;
        for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
            AcGePoint2d p;
            double bulge = 0.0;
            polyline->getPointAt(i, p);
            polyline->getBulgeAt(i, bulge);
            out.push_back({p.x, p.y, bulge});
        }
        polyline->close();
        return out;
    }

    void expectVertices(AcDbObjectId id, const Vertices& expected)
    {
        const Vertices actual = vertices(id);
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << i;
            EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << i;
            EXPECT_NEAR(actual[i].bulge, expected[i].bulge, 1e-9) << i;
        }
    }

    // Points along a curve of the drawing, as the host traces it.
    std::vector<AcGePoint3d> trace(AcDbObjectId id, int count = 300)
    {
        AcDbCurve* curve = nullptr;
        if (acdbOpenObject(curve, id, AcDb::kForRead) != Acad::eOk)
            return {};
        std::vector<AcGePoint3d> points = tracePoints(*curve, count);
        curve->close();
        return points;
    }

    double farthest(AcDbObjectId id, const std::vector<AcGePoint3d>& points)
    {
        AcDbCurve* curve = nullptr;
        if (acdbOpenObject(curve, id, AcDb::kForRead) != Acad::eOk)
            return 1e300;
        const double d = farthestFrom(*curve, points);
        curve->close();
        return d;
    }

};

TEST_F(JoinCommand, SingleJoinsMeetAtTheNearestEnds)
{
    // End on start: one vertex at the seam.
    AcDbObjectId a = contour({{0, 0}, {10, 0}});
    AcDbObjectId b = contour({{10, 0}, {20, 5}});
    std::string out = run({"A", handle(a), handle(b)});
    expectVertices(a, {{0, 0}, {10, 0}, {20, 5}});
    EXPECT_TRUE(isErased(b));

    // Five units apart end to end: the gap becomes a straight segment.
    a = contour({{0, 20}, {10, 20, 0.5}, {20, 20}});
    b = contour({{25, 20}, {30, 30}});
    out = run({"A", handle(a), handle(b)});
    expectVertices(a, {{0, 20}, {10, 20, 0.5}, {20, 20, 0}, {25, 20}, {30, 30}});

    // Nearest ends both starts: the second stands reversed in front of the first.
    a = contour({{100, 0}, {110, 0}});
    b = contour({{99, 0}, {90, 5}, {80, 0}});
    out = run({"A", handle(a), handle(b)});
    expectVertices(a, {{80, 0}, {90, 5}, {99, 0}, {100, 0}, {110, 0}});
    EXPECT_EQ(out.find("连接了"), std::string::npos);
}

TEST_F(JoinCommand, ReversedPiecesCarryTheirArcsAlong)
{
    // Every way round, with arcs on both pieces and widths: the result traces both.
    const Vertices first = {{0, 0, 0.4}, {10, 0, -0.7}, {20, 3}};
    const Vertices second = {{23, 3, 1.2}, {30, 8, 0.3}, {40, 8}};
    for (const bool flipFirst : {false, true}) {
        for (const bool flipSecond : {false, true}) {
            SCOPED_TRACE(testing::Message() << flipFirst << flipSecond);
            const AcDbObjectId a = contour(flipFirst ? Vertices{{20, 3, 0.7}, {10, 0, -0.4}, {0, 0}} : first,
                                           100.0 + flipFirst + 2 * flipSecond);
            const AcDbObjectId b = contour(flipSecond ? Vertices{{40, 8, -0.3}, {30, 8, -1.2}, {23, 3}} : second,
                                           100.0 + flipFirst + 2 * flipSecond);
            const std::vector<AcGePoint3d> traceA = trace(a);
            const std::vector<AcGePoint3d> traceB = trace(b);
            run({"A", handle(a), handle(b)});
            ASSERT_TRUE(isErased(b));
            EXPECT_LT(farthest(a, traceA), 1e-9);
            EXPECT_LT(farthest(a, traceB), 1e-9);
            // Both lengths plus the bridge of 3 units.
            AcDbCurve* joined = nullptr;
            ASSERT_EQ(acdbOpenObject(joined, a, AcDb::kForRead), Acad::eOk);
            const double length = dh::toolkit::test::curveLength(*joined);
            joined->close();
            const std::unique_ptr<AcDbPolyline> p1(makePolyline(first));
            const std::unique_ptr<AcDbPolyline> p2(makePolyline(second));
            EXPECT_NEAR(length, dh::toolkit::test::curveLength(*p1) + dh::toolkit::test::curveLength(*p2) + 3.0,
                        1e-9);
        }
    }
}

TEST_F(JoinCommand, RefusalsSayWhy)
{
    const AcDbObjectId other = m_other;
    const AcDbObjectId locked = lockedLayer("LOCKED");
    AcDbObjectId a = contour({{0, 0}, {10, 0}});
    AcDbObjectId b = contour({{11, 0}, {20, 0}}, 100.0000001);
    std::string out = run({"A", handle(a), handle(b)});
    EXPECT_NE(out.find("\n两线标高不一致,不能连接...\n实体在可能处于锁定的图层中..."), std::string::npos) << out;
    EXPECT_FALSE(isErased(b));
    EXPECT_EQ(vertices(a).size(), 2u);

    b = contour({{11, 0}, {20, 0}}, 100.0, other);
    out = run({"A", handle(a), handle(b)});
    EXPECT_NE(out.find("\n两线图层不一致,不能连接...\n实体在可能处于锁定的图层中..."), std::string::npos) << out;

    b = contour({{11, 0}, {20, 0}}, 100.0, locked);
    out = run({"A", handle(a), handle(b)});
    EXPECT_NE(out.find("\n实体在可能处于锁定的图层中..."), std::string::npos) << out;
    EXPECT_EQ(vertices(a).size(), 2u);

    // A lightweight and an old-style polyline, or a closed line: silently not joined.
    b = oldStyle({{11, 0}, {20, 0}});
    out = run({"A", handle(a), handle(b)});
    EXPECT_EQ(out.find("不能连接"), std::string::npos) << out;
    EXPECT_FALSE(isErased(b));
    AcDbPolyline* ring = makePolyline({{11, 0}, {20, 0}, {15, 5}}, true);
    ring->setElevation(100.0);
    b = onLayer(ring);
    run({"A", handle(a), handle(b)});
    EXPECT_EQ(vertices(a).size(), 2u);
    EXPECT_EQ(vertices(b).size(), 3u);

    // A pick of something else is refused with the message for a miss.
    const AcDbObjectId circle = onLayer(new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 1.0));
    out = run({"A", handle(circle), "60,60", "^C"});
    EXPECT_NE(out.find("\n选择LWPOLYLINE或POLYLINE实体..."), std::string::npos) << out;
}

TEST_F(JoinCommand, OldStylePolylinesAreReplacedByTheirJoin)
{
    const AcDbObjectId a = oldStyle({{0, 0, 0.5}, {10, 0}});
    const AcDbObjectId b = oldStyle({{0, -1}, {-10, -3, -0.3}, {-20, -1}});
    const std::vector<AcGePoint3d> traceA = trace(a);
    const std::vector<AcGePoint3d> traceB = trace(b);
    run({"A", handle(a), handle(b)});
    ASSERT_TRUE(isErased(a));
    ASSERT_TRUE(isErased(b));
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectId joined = space->entityIds().back();
    space->close();
    AcDb2dPolyline* polyline = nullptr;
    ASSERT_EQ(acdbOpenObject(polyline, joined, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(polyline->elevation(), 100.0);
    EXPECT_EQ(polyline->layerId(), m_cont);
    polyline->close();
    EXPECT_LT(farthest(joined, traceA), 1e-9);
    EXPECT_LT(farthest(joined, traceB), 1e-9);
}

TEST_F(JoinCommand, ConnectedJoinFindsTheLinesAtBothEnds)
{
    const AcDbObjectId middle = contour({{0, 0}, {10, 0}});
    const AcDbObjectId before = contour({{-10, 5}, {0, 0}});
    const AcDbObjectId after = contour({{10, 0}, {20, 5}});
    const AcDbObjectId alone = contour({{0, 50}, {10, 50}});
    std::string out = run({"B", handle(middle)});
    expectVertices(middle, {{-10, 5}, {0, 0}, {10, 0}, {20, 5}});
    EXPECT_TRUE(isErased(before));
    EXPECT_TRUE(isErased(after));

    out = run({"B", handle(alone)});
    EXPECT_EQ(vertices(alone).size(), 2u);
    EXPECT_EQ(out.find("不能连接"), std::string::npos) << out;
    EXPECT_EQ(out.find("锁定"), std::string::npos) << out;
}

TEST_F(JoinCommand, BatchPairsTheFencedLinesByElevation)
{
    // Three lines cross the first fence (x = 10), two the second (x = 15): those two drive.
    // The line at 102 has no partner at its elevation.
    const AcDbObjectId a100 = contour({{0, 0}, {12, 0}}, 100);
    const AcDbObjectId a101 = contour({{0, 5}, {12, 5}}, 101);
    const AcDbObjectId a102 = contour({{0, 10}, {12, 10}}, 102);
    const AcDbObjectId b100 = contour({{13, 0.5}, {25, 0.5}}, 100);
    const AcDbObjectId b101 = contour({{13, 5.5}, {25, 5.5}}, 101);
    std::string out = run({"10,-1", "10,11", "15,-1", "15,11"});
    EXPECT_NE(out.find("\n连接了2条等高线"), std::string::npos) << out;
    EXPECT_TRUE(isErased(a100));
    EXPECT_TRUE(isErased(a101));
    expectVertices(b100, {{0, 0}, {12, 0}, {13, 0.5}, {25, 0.5}});
    EXPECT_EQ(vertices(a102).size(), 2u);
    EXPECT_FALSE(isErased(b101));

    // A line across both fences pairs with itself: one join, nothing changed.
    const AcDbObjectId across = contour({{0, 40}, {30, 40}}, 100);
    out = run({"10,39", "10,41", "15,39", "15,41"});
    EXPECT_NE(out.find("\n连接了1条等高线"), std::string::npos) << out;
    EXPECT_EQ(vertices(across).size(), 2u);
}

TEST_F(JoinCommand, FenceQuestionsGoBackAndCancel)
{
    const AcDbObjectId a = contour({{0, 0}, {12, 0}});
    const AcDbObjectId b = contour({{13, 0}, {25, 0}});
    // A fence over nothing, "U" at the end point, "R" at the second fence, then a cancel
    // of the second fence: nothing joined, nothing left highlighted.
    std::string out = run({"50,50", "50,60", "10,-1", "U", "10,-1", "10,1", "R", "10,-1", "10,1", "15,-1", "^C"});
    EXPECT_NE(out.find("没有选择..."), std::string::npos) << out;
    EXPECT_NE(out.find("\nKeyWork: U"), std::string::npos) << out;
    EXPECT_EQ(occurrences(out, "(R)重新选择/选择断线另一侧给定始点: "), 2u) << out;
    EXPECT_NE(out.find("\n连接了0条等高线"), std::string::npos) << out;
    for (const AcDbObjectId id : {a, b}) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
        EXPECT_FALSE(entity->isHighlighted());
        entity->close();
    }
    // An empty answer at the first question ends the command.
    out = run({""});
    EXPECT_EQ(out.find("连接了"), std::string::npos) << out;
    EXPECT_EQ(vertices(a).size(), 2u);
}

// One line of the generator's truth file.
struct TruthPair {
    std::string first, second;
    bool joinable = false;
    double fence1[4] = {}, fence2[4] = {};
};

std::vector<TruthPair> readTruth(const std::string& text)
{
    std::vector<TruthPair> pairs;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        TruthPair p;
        int sameElevation = 0, sameLayer = 0;
        double gap[4];
        fields >> p.first >> p.second >> sameElevation >> sameLayer >> gap[0] >> gap[1] >> gap[2] >> gap[3];
        for (double& v : p.fence1)
            fields >> v;
        for (double& v : p.fence2)
            fields >> v;
        EXPECT_TRUE(fields) << line;
        p.joinable = sameElevation && sameLayer;
        pairs.push_back(p);
    }
    return pairs;
}

TEST_F(JoinCommand, FencesAcrossEveryGapOfAGeneratedDrawingJoinExactlyTheMatchingPairs)
{
    dh::tools::TerrainOptions options;
    options.contours = 300;
    options.points = 20;
    options.vertices = 12;
    options.oldStyleShare = 0.3;
    options.brokenShare = 0.4;
    options.seed = 7;
    std::filesystem::create_directories(m_config);
    const std::string file = (m_config / "broken.dxf").string();
    std::vector<dh::tools::BrokenPair> broken;
    {
        std::ofstream out(file, std::ios::binary);
        dh::tools::writeTerrainDxf(out, options, &broken);
    }
    std::ostringstream truthText;
    dh::tools::writeBrokenPairs(truthText, broken);
    const std::vector<TruthPair> truth = readTruth(truthText.str());
    std::string error;
    ASSERT_NE(m_session->openDocument(file, error), nullptr) << error;

    auto idOf = [&](const std::string& hex) {
        AcDbObjectId id;
        db()->getAcDbObjectId(id, false, AcDbHandle(hex.c_str()));
        return id;
    };
    auto polylines = [&] {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForRead), Acad::eOk);
        const std::vector<AcDbObjectId> ids = space->entityIds();
        space->close();
        int n = 0;
        for (const AcDbObjectId id : ids) {
            AcDbCurve* curve = nullptr;
            if (acdbOpenObject(curve, id, AcDb::kForRead) != Acad::eOk)
                continue;
            n += AcDbPolyline::cast(curve) || AcDb2dPolyline::cast(curve);
            curve->close();
        }
        return n;
    };
    const int before = polylines();
    int joinable = 0, refused = 0;
    for (const TruthPair& pair : truth) {
        SCOPED_TRACE(pair.first + " " + pair.second);
        const AcDbObjectId first = idOf(pair.first), second = idOf(pair.second);
        ASSERT_FALSE(first.isNull() || second.isNull());
        const std::vector<AcGePoint3d> traceFirst = trace(first), traceSecond = trace(second);
        const std::string out = run({point(pair.fence1[0], pair.fence1[1]), point(pair.fence1[2], pair.fence1[3]),
                                     point(pair.fence2[0], pair.fence2[1]), point(pair.fence2[2], pair.fence2[3])});
        EXPECT_NE(out.find(pair.joinable ? "\n连接了1条等高线" : "\n连接了0条等高线"), std::string::npos) << out;

        if (!pair.joinable) {
            ++refused;
            EXPECT_FALSE(isErased(first));
            EXPECT_FALSE(isErased(second));
            continue;
        }
        ++joinable;
        EXPECT_TRUE(isErased(second));
        AcDbObjectId joined = first;
        if (isErased(first)) { // old-style: a new polyline replaces both
            AcDbBlockTableRecord* space = nullptr;
            ASSERT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForRead), Acad::eOk);
            joined = space->entityIds().back();
            space->close();
        }
        EXPECT_LT(farthest(joined, traceFirst), 1e-6);
        EXPECT_LT(farthest(joined, traceSecond), 1e-6);
    }
    EXPECT_GT(joinable, 20);
    EXPECT_GT(refused, 1);
    EXPECT_EQ(polylines(), before - joinable);
}

} // namespace
