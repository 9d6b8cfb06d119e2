// The three polyline kinds: vertex-index parameters, arc segments, split pieces that keep
// bulges, widths and elevation, area, transform and explode.
#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acge/AcGeCircArc3d.h>

#include "host/db/entities/GeomAssert.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

struct Pieces {
    AcDbVoidPtrArray items;
    ~Pieces()
    {
        for (void* p : items)
            delete static_cast<AcDbEntity*>(p);
    }
    template <class T>
    T* at(int i) const { return T::cast(static_cast<AcDbEntity*>(items[i])); }
};

// (0,0) -semicircle below, bulge 1-> (2,0) -line-> (2,3), at elevation 5.
class ArcThenLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        pline.addVertexAt(0, AcGePoint2d(0, 0), 1.0, 0.5, 0.7);
        pline.addVertexAt(1, AcGePoint2d(2, 0));
        pline.addVertexAt(2, AcGePoint2d(2, 3));
        pline.setElevation(5.0);
        pline.setColorIndex(2);
    }
    AcDbPolyline pline;
};

TEST_F(ArcThenLine, ParameterIsVertexIndexPlusFraction)
{
    double end;
    pline.getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 2.0);
    AcGePoint3d p;
    ASSERT_EQ(pline.getPointAtParam(0.5, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(1, -1, 5));
    ASSERT_EQ(pline.getPointAtParam(1.5, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(2, 1.5, 5));
    double param;
    ASSERT_EQ(pline.getParamAtPoint(AcGePoint3d(2, 2.25, 5), param), Acad::eOk);
    EXPECT_NEAR(param, 1.75, 1e-12);
    EXPECT_EQ(pline.getParamAtPoint(AcGePoint3d(2, 2.25, 0), param), Acad::eInvalidInput);
}

TEST_F(ArcThenLine, DistancesAlongTheArcSegment)
{
    double dist;
    ASSERT_EQ(pline.getDistAtPoint(AcGePoint3d(1, -1, 5), dist), Acad::eOk);
    EXPECT_NEAR(dist, kPi / 2, 1e-12);
    const AcGePoint3d at45(1 - std::sqrt(0.5), -std::sqrt(0.5), 5); // 45° into the arc
    ASSERT_EQ(pline.getDistAtPoint(at45, dist), Acad::eOk);
    EXPECT_NEAR(dist, kPi / 4, 1e-12);
    ASSERT_EQ(pline.getDistAtParam(2.0, dist), Acad::eOk);
    EXPECT_NEAR(dist, kPi + 3, 1e-12);
    double param;
    ASSERT_EQ(pline.getParamAtDist(kPi + 1.5, param), Acad::eOk);
    EXPECT_NEAR(param, 1.5, 1e-12);
    AcGeVector3d d1;
    ASSERT_EQ(pline.getFirstDeriv(0.5, d1), Acad::eOk);
    EXPECT_NEAR3D(d1, AcGeVector3d(kPi, 0, 0)); // radius 1 × sweep π, heading +x at the bottom
}

TEST_F(ArcThenLine, SegmentsAsKernelCurves)
{
    EXPECT_EQ(pline.segType(0), AcDbPolyline::kArc);
    EXPECT_EQ(pline.segType(1), AcDbPolyline::kLine);
    EXPECT_EQ(pline.segType(2), AcDbPolyline::kPoint);
    EXPECT_EQ(pline.segType(3), AcDbPolyline::kEmpty);
    AcGeCircArc3d arc;
    ASSERT_EQ(pline.getArcSegAt(0, arc), Acad::eOk);
    EXPECT_NEAR3D(arc.center(), AcGePoint3d(1, 0, 5));
    EXPECT_NEAR(arc.radius(), 1.0, 1e-12);
    EXPECT_NEAR3D(arc.startPoint(), AcGePoint3d(0, 0, 5));
    EXPECT_NEAR3D(arc.endPoint(), AcGePoint3d(2, 0, 5));
    EXPECT_NEAR3D(arc.evalPoint(0.5 * (arc.startAng() + arc.endAng())), AcGePoint3d(1, -1, 5));
}

TEST_F(ArcThenLine, SplitInsideTheArcKeepsItsBulgeOnBothPieces)
{
    Pieces pieces;
    AcGePoint3dArray at;
    at.append(AcGePoint3d(1, -1, 5));
    ASSERT_EQ(pline.getSplitCurves(at, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 2);
    AcDbPolyline* first = pieces.at<AcDbPolyline>(0);
    AcDbPolyline* second = pieces.at<AcDbPolyline>(1);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->numVerts(), 2u);
    ASSERT_EQ(second->numVerts(), 3u);
    const double quarterBulge = std::tan(kPi / 8); // a quarter turn
    double bulge, sw, ew;
    first->getBulgeAt(0, bulge);
    EXPECT_NEAR(bulge, quarterBulge, 1e-12);
    second->getBulgeAt(0, bulge);
    EXPECT_NEAR(bulge, quarterBulge, 1e-12);
    second->getBulgeAt(1, bulge);
    EXPECT_EQ(bulge, 0.0);
    // The widths of the cut segment are shared out along it: 0.5 … 0.6 … 0.7.
    first->getWidthsAt(0, sw, ew);
    EXPECT_NEAR(sw, 0.5, 1e-12);
    EXPECT_NEAR(ew, 0.6, 1e-12);
    second->getWidthsAt(0, sw, ew);
    EXPECT_NEAR(sw, 0.6, 1e-12);
    EXPECT_NEAR(ew, 0.7, 1e-12);
    EXPECT_EQ(first->elevation(), 5.0);
    EXPECT_EQ(second->colorIndex(), 2);
    AcGePoint3d p;
    second->getPointAt(2, p);
    EXPECT_NEAR3D(p, AcGePoint3d(2, 3, 5));
}

TEST(ClosedPolyline, SplitAtOneParameterOpensItThere)
{
    AcDbPolyline square;
    square.addVertexAt(0, AcGePoint2d(0, 0));
    square.addVertexAt(1, AcGePoint2d(4, 0));
    square.addVertexAt(2, AcGePoint2d(4, 4));
    square.addVertexAt(3, AcGePoint2d(0, 4));
    square.setClosed(true);
    double end, area;
    square.getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 4.0);
    square.getArea(area);
    EXPECT_DOUBLE_EQ(area, 16.0);
    Pieces pieces;
    AcGeDoubleArray params;
    params.append(2.5);
    ASSERT_EQ(square.getSplitCurves(params, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 1);
    AcDbPolyline* open = pieces.at<AcDbPolyline>(0);
    EXPECT_FALSE(open->isClosed());
    ASSERT_EQ(open->numVerts(), 6u); // (2,4) (0,4) (0,0) (4,0) (4,4) (2,4)
    AcGePoint3d a, b;
    open->getPointAt(0, a);
    open->getPointAt(5, b);
    EXPECT_NEAR3D(a, AcGePoint3d(2, 4, 0));
    EXPECT_NEAR3D(b, AcGePoint3d(2, 4, 0));
    double length;
    open->getDistAtParam(5.0, length);
    EXPECT_NEAR(length, 16.0, 1e-12);
}

TEST(ClosedPolyline, AreaCountsArcSegments)
{
    // Square 2 × 2 whose bottom edge bulges outwards as a half circle of radius 1.
    AcDbPolyline shape;
    shape.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    shape.addVertexAt(1, AcGePoint2d(2, 0));
    shape.addVertexAt(2, AcGePoint2d(2, 2));
    shape.addVertexAt(3, AcGePoint2d(0, 2));
    shape.setClosed(true);
    double area;
    shape.getArea(area);
    EXPECT_NEAR(area, 4 + kPi / 2, 1e-12);
}

TEST(PolylineTransform, RotationMovesVerticesAndKeepsBulges)
{
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(1, 0), 0.5);
    pline.addVertexAt(1, AcGePoint2d(3, 0));
    pline.setElevation(2.0);
    ASSERT_EQ(pline.transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    AcGePoint3d p;
    pline.getPointAt(1, p);
    EXPECT_NEAR3D(p, AcGePoint3d(0, 3, 2));
    double bulge;
    pline.getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 0.5);
    EXPECT_DOUBLE_EQ(pline.elevation(), 2.0);
    // Stretching one axis cannot keep an arc an arc.
    AcGeMatrix3d stretch;
    stretch(0, 0) = 2.0;
    EXPECT_EQ(pline.transformBy(stretch), Acad::eNotApplicable);
}

TEST(PolylineExplode, GivesOneLineOrArcPerSegment)
{
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0), -1.0); // clockwise half circle above
    pline.addVertexAt(1, AcGePoint2d(2, 0));
    pline.addVertexAt(2, AcGePoint2d(2, 0)); // zero-length segment: nothing
    pline.addVertexAt(3, AcGePoint2d(5, 0));
    pline.setLayer("0");
    Pieces parts;
    ASSERT_EQ(pline.explode(parts.items), Acad::eOk);
    ASSERT_EQ(parts.items.length(), 2);
    AcDbArc* arc = parts.at<AcDbArc>(0);
    ASSERT_TRUE(arc);
    EXPECT_NEAR3D(arc->center(), AcGePoint3d(1, 0, 0));
    AcGePoint3d top;
    arc->getPointAtParam(kPi / 2, top);
    EXPECT_NEAR3D(top, AcGePoint3d(1, 1, 0));
    AcDbLine* line = parts.at<AcDbLine>(1);
    ASSERT_TRUE(line);
    EXPECT_NEAR3D(line->endPoint(), AcGePoint3d(5, 0, 0));
}

TEST(OldStylePolyline, SplineControlVerticesAreNotOnTheCurve)
{
    AcDb2dPolyline pline;
    pline.setElevation(7.0);
    auto vertex = [&](double x, double y, AcDb::Vertex2dType type) {
        auto* v = new AcDb2dVertex(AcGePoint3d(x, y, 0));
        v->setVertexType(type);
        ASSERT_EQ(pline.appendVertex(v), Acad::eOk);
    };
    vertex(0, 0, AcDb::k2dSplineCtlVertex);
    vertex(5, 5, AcDb::k2dSplineCtlVertex);
    vertex(0, 0, AcDb::k2dSplineFitVertex);
    vertex(3, 0, AcDb::k2dSplineFitVertex);
    vertex(3, 4, AcDb::k2dSplineFitVertex);
    double end, dist;
    pline.getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 2.0);
    pline.getDistAtParam(end, dist);
    EXPECT_NEAR(dist, 7.0, 1e-12);
    AcGePoint3d p;
    pline.getPointAtParam(1.5, p);
    EXPECT_NEAR3D(p, AcGePoint3d(3, 2, 7));

    Pieces pieces;
    AcGePoint3dArray at;
    at.append(AcGePoint3d(3, 2, 7));
    ASSERT_EQ(pline.getSplitCurves(at, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 2);
    AcDb2dPolyline* second = pieces.at<AcDb2dPolyline>(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->elevation(), 7.0);
    second->getStartPoint(p);
    EXPECT_NEAR3D(p, AcGePoint3d(3, 2, 7));
}

TEST(ThreeDPolyline, SegmentsRunThroughSpace)
{
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(3, 4, 0));
    points.append(AcGePoint3d(3, 4, 12));
    AcDb3dPolyline pline(AcDb::k3dSimplePoly, points);
    double dist;
    pline.getDistAtParam(1.5, dist);
    EXPECT_NEAR(dist, 11.0, 1e-12);
    AcGePoint3d p;
    // Seen from above the second segment is a single point: any of it is nearest.
    ASSERT_EQ(pline.getClosestPointTo(AcGePoint3d(1.5, 2, 99), AcGeVector3d::kZAxis, p), Acad::eOk);
    EXPECT_NEAR3D(p, AcGePoint3d(1.5, 2, 0));
    Pieces pieces;
    AcGeDoubleArray params;
    params.append(1.25);
    ASSERT_EQ(pline.getSplitCurves(params, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 2);
    AcDb3dPolyline* first = pieces.at<AcDb3dPolyline>(0);
    first->getEndPoint(p);
    EXPECT_NEAR3D(p, AcGePoint3d(3, 4, 3));
}

} // namespace
