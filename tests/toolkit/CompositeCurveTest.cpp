// Polylines to composite curves and back: components, closing segments, bulges, and the
// old-style polyline conversion.
#include "CurveTrace.h"
#include "ToolkitSession.h"

#include "tests/host/db/entities/GeomAssert.h"
#include "toolkit/Bulge.h"
#include "toolkit/CompositeCurve.h"
#include "toolkit/CompositeToPolyline.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineConversion.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbObjectIterator.h>
#include <acge/AcGeCircArc2d.h>
#include <acge/AcGeCompositeCurve2d.h>
#include <acge/AcGeCompositeCurve3d.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace dh::toolkit::test {
namespace {

using std::numbers::pi;

AcGePoint3d at(const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0); }

struct CompositeDeleter {
    void operator()(AcGeCompositeCurve2d* c) const { freeCompositeCurve(c); }
    void operator()(AcGeCompositeCurve3d* c) const { freeCompositeCurve(c); }
};
using Composite2d = std::unique_ptr<AcGeCompositeCurve2d, CompositeDeleter>;
using Composite3d = std::unique_ptr<AcGeCompositeCurve3d, CompositeDeleter>;

Composite2d compositeOf(const AcDbPolyline& polyline, bool fullClosingArc = false)
{
    AcGeCompositeCurve2d* composite = nullptr;
    EXPECT_EQ(polylineToComposite(&polyline, composite, fullClosingArc), kGeOk);
    return Composite2d(composite);
}

AcGePoint2d endOf(const AcGeCompositeCurve2d& c)
{
    AcGePoint2d end;
    EXPECT_TRUE(c.hasEndPoint(end));
    return end;
}

TEST(CompositeCurve, ClosingLineEndsAtTheStartAndClosingArcOnePercentShort)
{
    std::unique_ptr<AcDbPolyline> square(makePolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true));
    Composite2d c = compositeOf(*square);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->numCurves(), 4);
    EXPECT_NEAR3D(at(endOf(*c)), AcGePoint3d(0, 0, 0));

    // Closing half circle from (10,10) to (0,0) about (5,5), counter-clockwise from 45
    // degrees: 99% of 180 degrees ends at 45 + 178.2 degrees.
    std::unique_ptr<AcDbPolyline> capped(makePolyline({{0, 0}, {10, 0}, {10, 10, 1.0}}, true));
    c = compositeOf(*capped);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->numCurves(), 3);
    const double angle = (45.0 + 178.2) * pi / 180.0;
    const double r = std::sqrt(50.0);
    EXPECT_NEAR3D(at(endOf(*c)), AcGePoint3d(5 + r * std::cos(angle), 5 + r * std::sin(angle), 0));
    c = compositeOf(*capped, true);
    EXPECT_NEAR3D(at(endOf(*c)), AcGePoint3d(0, 0, 0));
}

TEST(CompositeCurve, PolylinesWithoutSegmentsGiveNoComposite)
{
    for (const auto& vertices : std::vector<std::vector<PlineVertex>>{
             {}, {{3, 4}}, {{3, 4}, {3, 4}, {3, 4, 0.5}}}) {
        std::unique_ptr<AcDbPolyline> polyline(makePolyline(vertices, true));
        AcGeCompositeCurve2d* composite = reinterpret_cast<AcGeCompositeCurve2d*>(1);
        EXPECT_EQ(polylineToComposite(polyline.get(), composite), kGeOk);
        EXPECT_EQ(composite, nullptr) << vertices.size();
    }
    // Coincident vertices in between drop out; the rest stay.
    std::unique_ptr<AcDbPolyline> stutter(makePolyline({{0, 0}, {5, 0}, {5, 0}, {5, 5}}));
    EXPECT_EQ(compositeOf(*stutter)->numCurves(), 2);
}

TEST(CompositeCurve, BackToPolylineKeepsVerticesAndBulges)
{
    std::unique_ptr<AcDbPolyline> open(
        makePolyline({{0, 0, 0.5}, {10, 0}, {10, 10, -0.25}, {20, 10}, {25, 0}}));
    Composite2d c = compositeOf(*open);
    ASSERT_EQ(c->numCurves(), 4);
    AcDbPolyline* back = nullptr;
    ASSERT_EQ(compositeToPolyline(c.get(), 0.5, back), kGeOk);
    std::unique_ptr<AcDbPolyline> copy(back);
    ASSERT_EQ(copy->numVerts(), 5u); // one more than components
    EXPECT_FALSE(copy->isClosed());
    const double bulges[] = {0.5, 0.0, -0.25, 0.0, 0.0};
    for (unsigned int i = 0; i < 5; ++i) {
        AcGePoint3d a, b;
        open->getPointAt(i, a);
        copy->getPointAt(i, b);
        EXPECT_NEAR3D(a, b);
        double bulge = 0.0, start = 0.0, end = 0.0;
        copy->getBulgeAt(i, bulge);
        copy->getWidthsAt(i, start, end);
        EXPECT_NEAR(bulge, bulges[i], 1e-12) << i;
        EXPECT_EQ(start, 0.5);
        EXPECT_EQ(end, 0.5);
    }

    // A closed chain: one vertex per component.
    std::unique_ptr<AcDbPolyline> ring(makePolyline({{0, 0}, {10, 0, 1.0}, {10, 10}}, true));
    c = compositeOf(*ring);
    ASSERT_EQ(compositeToPolyline(c.get(), 0.0, back), kGeOk);
    copy.reset(back);
    EXPECT_TRUE(copy->isClosed());
    EXPECT_EQ(copy->numVerts(), 3u);
}

TEST(CompositeCurve, ArcBulges)
{
    // Quarter circle about the origin: tan(pi / 8) counter-clockwise, negative clockwise.
    const AcGeCircArc2d ccw(AcGePoint2d(0, 0), 2.0, 0.0, pi / 2);
    EXPECT_NEAR(arcBulge(ccw), std::tan(pi / 8), 1e-12);
    AcGeCircArc2d cw = ccw;
    cw.reverseParam();
    EXPECT_NEAR(arcBulge(cw), -std::tan(pi / 8), 1e-12);
    // The piece from 0 to 30 degrees, either way round; a piece over 180 degrees.
    const AcGePoint2d p0(2, 0), p30(2 * std::cos(pi / 6), 2 * std::sin(pi / 6));
    EXPECT_NEAR(arcPieceBulge(&ccw, p0, p30), std::tan(pi / 24), 1e-12);
    EXPECT_NEAR(arcPieceBulge(&cw, p30, p0), -std::tan(pi / 24), 1e-12);
    const AcGeCircArc2d big(AcGePoint2d(0, 0), 1.0, 0.0, 1.5 * pi);
    EXPECT_NEAR(arcPieceBulge(&big, big.startPoint(), big.endPoint()), std::tan(1.5 * pi / 4), 1e-9);
    EXPECT_EQ(arcPieceBulge(nullptr, p0, p30), 0.0);
    EXPECT_EQ(arcPieceBulge(&ccw, p0, p0), 0.0);
}

using CompositeDrawing = ToolkitSession;

// A 2D polyline in the drawing through the vertices; types and bulges per vertex.
AcDb2dPolyline* polyline2d(const std::vector<PlineVertex>& vertices, bool closed,
                           const std::vector<AcDb::Vertex2dType>& types = {})
{
    auto* polyline = new AcDb2dPolyline;
    for (size_t i = 0; i < vertices.size(); ++i) {
        auto* vertex = new AcDb2dVertex(AcGePoint3d(vertices[i].x, vertices[i].y, 0), vertices[i].bulge,
                                        i == 0 ? 0.25 : 0.75, 0.5);
        if (i < types.size())
            vertex->setVertexType(types[i]);
        polyline->appendVertex(vertex);
    }
    if (closed)
        polyline->makeClosed();
    return polyline;
}

TEST_F(CompositeDrawing, OldStylePolylinesSkipControlVerticesAndCloseFully)
{
    using AcDb::k2dSplineCtlVertex;
    using AcDb::k2dSplineFitVertex;
    const AcDbObjectId fitted = add(polyline2d(
        {{0, 0}, {5, 9}, {10, 0}, {15, 9}, {20, 0}}, false,
        {k2dSplineFitVertex, k2dSplineCtlVertex, k2dSplineFitVertex, k2dSplineCtlVertex, k2dSplineFitVertex}));
    AcDb2dPolyline* polyline = nullptr;
    ASSERT_EQ(acdbOpenObject(polyline, fitted, AcDb::kForRead), Acad::eOk);
    AcGeCompositeCurve2d* made = nullptr;
    EXPECT_EQ(polyline2dToComposite(polyline, made), kGeOk);
    polyline->close();
    Composite2d c(made);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->numCurves(), 2); // fit vertices (0,0) (10,0) (20,0)
    EXPECT_NEAR3D(at(endOf(*c)), AcGePoint3d(20, 0, 0));

    // Closed with an arc on the closing segment: the chain returns to its start exactly.
    const AcDbObjectId ring = add(polyline2d({{0, 0}, {10, 0}, {10, 10, 1.0}}, true));
    ASSERT_EQ(acdbOpenObject(polyline, ring, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(polyline2dToComposite(polyline, made), kGeOk);
    polyline->close();
    c.reset(made);
    ASSERT_EQ(c->numCurves(), 3);
    EXPECT_NEAR3D(at(endOf(*c)), AcGePoint3d(0, 0, 0));
    ASSERT_TRUE(c->curveAt(2)->isKindOf(AcGe::kCircArc2d));
    EXPECT_NEAR(arcBulge(*static_cast<const AcGeCircArc2d*>(c->curveAt(2))), 1.0, 1e-12);

    // Back to a 2D polyline, in the drawing: closed, one vertex per component.
    AcDb2dPolyline* back = nullptr;
    ASSERT_EQ(compositeToPolyline2d(c.get(), 0.5, back), kGeOk);
    EXPECT_TRUE(back->isClosed());
    const AcDbObjectId copy = add(back);
    ASSERT_EQ(acdbOpenObject(polyline, copy, AcDb::kForRead), Acad::eOk);
    std::vector<double> bulges;
    std::unique_ptr<AcDbObjectIterator> it(polyline->vertexIterator());
    for (it->start(); !it->done(); it->step()) {
        AcDb2dVertex* vertex = nullptr;
        ASSERT_EQ(polyline->openVertex(vertex, it->objectId(), AcDb::kForRead), Acad::eOk);
        bulges.push_back(vertex->bulge());
        EXPECT_EQ(vertex->startWidth(), 0.5);
        vertex->close();
    }
    polyline->close();
    ASSERT_EQ(bulges.size(), 3u);
    EXPECT_NEAR(bulges[2], 1.0, 1e-12);

    // Nothing to build.
    const AcDbObjectId lone = add(polyline2d({{1, 1}}, false));
    ASSERT_EQ(acdbOpenObject(polyline, lone, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(polyline2dToComposite(polyline, made), kGeNothing);
    EXPECT_EQ(made, nullptr);
    polyline->close();
}

TEST_F(CompositeDrawing, ThreeDimensionalPolylinesGiveLinesInSpace)
{
    // The third vertex is a control vertex: not on the curve.
    auto* made3d = new AcDb3dPolyline;
    const AcGePoint3d points[] = {{0, 0, 1}, {3, 4, 2}, {6, 0, 7}, {9, 9, 9}};
    for (const AcGePoint3d& p : points) {
        auto* vertex = new AcDb3dPolylineVertex(p);
        if (p.x == 6)
            vertex->setVertexType(AcDb::k3dControlVertex);
        made3d->appendVertex(vertex);
    }
    made3d->makeClosed();
    const AcDbObjectId id = add(made3d);
    AcDb3dPolyline* polyline = nullptr;
    ASSERT_EQ(acdbOpenObject(polyline, id, AcDb::kForRead), Acad::eOk);
    AcGeCompositeCurve3d* made = nullptr;
    EXPECT_EQ(polyline3dToComposite(polyline, made), kGeOk);
    polyline->close();
    Composite3d c(made);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->numCurves(), 3); // (0,0,1) (3,4,2) (9,9,9) and back
    AcGePoint3d start, end;
    ASSERT_TRUE(c->hasStartPoint(start) && c->hasEndPoint(end));
    EXPECT_NEAR3D(start, AcGePoint3d(0, 0, 1));
    EXPECT_NEAR3D(end, AcGePoint3d(0, 0, 1));
    EXPECT_NEAR3D(c->evalPoint(1.5), AcGePoint3d(6, 6.5, 5.5));
}

TEST_F(CompositeDrawing, OldStyleConversionKeepsShapePropertiesAndFirstWidth)
{
    const AcDbObjectId layer = addLayer("CONT");
    AcDb2dPolyline* source = polyline2d({{0, 0, 0.5}, {10, 0}, {10, 10, -1.0}, {0, 10}}, true);
    source->setElevation(42.5);
    source->setThickness(2.0);
    source->setLayer(layer);
    const AcDbObjectId id = add(source);

    AcDb2dPolyline* polyline = nullptr;
    ASSERT_EQ(acdbOpenObject(polyline, id, AcDb::kForRead), Acad::eOk);
    AcDbPolyline* made = nullptr;
    EXPECT_EQ(convertPolyline2dToPolyline(polyline, made), kGeOk);
    const std::vector<AcGePoint3d> expected = tracePoints(*polyline, 400);
    const double length = curveLength(*polyline);
    polyline->close();
    std::unique_ptr<AcDbPolyline> converted(made);
    ASSERT_TRUE(converted);
    EXPECT_TRUE(converted->isClosed());
    EXPECT_EQ(converted->numVerts(), 4u);
    EXPECT_EQ(converted->elevation(), 42.5);
    EXPECT_EQ(converted->thickness(), 2.0);
    EXPECT_EQ(converted->layerId(), layer);
    for (unsigned int i = 0; i < 4; ++i) {
        double start = 0.0, end = 0.0;
        converted->getWidthsAt(i, start, end);
        EXPECT_EQ(start, 0.25); // the first vertex's start width, everywhere
        EXPECT_EQ(end, 0.25);
    }
    EXPECT_NEAR(curveLength(*converted), length, 1e-9);
    const std::vector<AcGePoint3d> traced = tracePoints(*converted, 400);
    for (size_t k = 0; k < traced.size(); ++k)
        EXPECT_NEAR3D(traced[k], expected[k]) << k;

    // An open polyline whose ends nearly meet stays open, with its last vertex.
    const AcDbObjectId almost = add(polyline2d({{0, 0}, {10, 0}, {10, 10}, {0.05, 0}}, false));
    ASSERT_EQ(acdbOpenObject(polyline, almost, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(convertPolyline2dToPolyline(polyline, made), kGeOk);
    polyline->close();
    converted.reset(made);
    EXPECT_FALSE(converted->isClosed());
    EXPECT_EQ(converted->numVerts(), 4u);
}

} // namespace
} // namespace dh::toolkit::test
