// What breaks real callers: mirrored arcs, split values out of order or off the curve,
// survey coordinates far from the origin, tilted planes, extending, open-curve areas.
#include <acdb/AcDbArc.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>

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

TEST(CurveEdgeCases, MirroredArcCoversTheMirroredPoints)
{
    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 0.0, kPi / 2); // first quadrant
    AcGeMatrix3d mirror;
    mirror(0, 0) = -1.0; // x → −x
    ASSERT_EQ(arc.transformBy(mirror), Acad::eOk);
    AcGePoint3d s, e, mid;
    arc.getStartPoint(s);
    arc.getEndPoint(e);
    double start, end;
    arc.getStartParam(start);
    arc.getEndParam(end);
    arc.getPointAtParam(0.5 * (start + end), mid);
    // The image of the quarter (1,0)…(0,1) is the quarter (−1,0)…(0,1), in either direction.
    EXPECT_TRUE((near3d(s, AcGePoint3d(-1, 0, 0)) && near3d(e, AcGePoint3d(0, 1, 0)))
                || (near3d(s, AcGePoint3d(0, 1, 0)) && near3d(e, AcGePoint3d(-1, 0, 0))));
    EXPECT_NEAR3D(mid, AcGePoint3d(-std::sqrt(0.5), std::sqrt(0.5), 0));
}

TEST(CurveEdgeCases, SplitValuesAreTakenInCurveOrderAndMustLieOnIt)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcGePoint3dArray points;
    points.append(AcGePoint3d(7, 0, 0));
    points.append(AcGePoint3d(2, 0, 0));
    points.append(AcGePoint3d(10, 0, 0)); // the end itself cuts nothing
    Pieces pieces;
    ASSERT_EQ(line.getSplitCurves(points, pieces.items), Acad::eOk);
    ASSERT_EQ(pieces.items.length(), 3);
    EXPECT_NEAR3D(pieces.at<AcDbLine>(0)->endPoint(), AcGePoint3d(2, 0, 0));
    EXPECT_NEAR3D(pieces.at<AcDbLine>(1)->endPoint(), AcGePoint3d(7, 0, 0));
    EXPECT_NEAR3D(pieces.at<AcDbLine>(2)->endPoint(), AcGePoint3d(10, 0, 0));

    AcGePoint3dArray off;
    off.append(AcGePoint3d(5, 0.5, 0));
    Pieces none;
    EXPECT_EQ(line.getSplitCurves(off, none.items), Acad::eInvalidInput);
    EXPECT_EQ(none.items.length(), 0);
    AcGeDoubleArray beyond;
    beyond.append(11.0);
    EXPECT_EQ(line.getSplitCurves(beyond, none.items), Acad::eInvalidInput);
}

TEST(CurveEdgeCases, SurveyCoordinatesFarFromTheOrigin)
{
    // A contour 3 000 km north of the origin: points computed from its own parameters must
    // count as on it, and distances keep their millimetres.
    AcDbPolyline contour;
    contour.addVertexAt(0, AcGePoint2d(500000.123, 3000000.456));
    contour.addVertexAt(1, AcGePoint2d(500100.123, 3000000.456), 0.3);
    contour.addVertexAt(2, AcGePoint2d(500200.123, 3000050.456));
    contour.setElevation(1250.5);
    AcGePoint3d p;
    ASSERT_EQ(contour.getPointAtParam(1.37, p), Acad::eOk);
    double param, dist;
    ASSERT_EQ(contour.getParamAtPoint(p, param), Acad::eOk);
    EXPECT_NEAR(param, 1.37, 1e-9);
    contour.getDistAtParam(0.5, dist);
    EXPECT_NEAR(dist, 50.0, 1e-7);
}

TEST(CurveEdgeCases, TiltedCircleMeasuresAnglesFromItsOwnAxis)
{
    // Normal +X: the plane's x axis is world Y (arbitrary-axis rule), its y axis world Z.
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis, 2.0);
    AcGePoint3d p;
    circle.getPointAtParam(0.0, p);
    EXPECT_NEAR3D(p, AcGePoint3d(0, 2, 0));
    circle.getPointAtParam(kPi / 2, p);
    EXPECT_NEAR3D(p, AcGePoint3d(0, 0, 2));
    double param;
    ASSERT_EQ(circle.getParamAtPoint(AcGePoint3d(0, -2, 0), param), Acad::eOk);
    EXPECT_NEAR(param, kPi, 1e-9);
    // Seen along Z the circle is the segment (0,−2)…(0,2) of the y axis.
    ASSERT_EQ(circle.getClosestPointTo(AcGePoint3d(5, 1, 0), AcGeVector3d::kZAxis, p), Acad::eOk);
    EXPECT_NEAR(p.y, 1.0, 1e-9);
    EXPECT_NEAR(p.x, 0.0, 1e-12);
}

TEST(CurveEdgeCases, ExtendMovesTheNearerEnd)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    ASSERT_EQ(line.extend(-2.0), Acad::eOk);
    EXPECT_NEAR3D(line.startPoint(), AcGePoint3d(-2, 0, 0));
    ASSERT_EQ(line.extend(false, AcGePoint3d(9, 0, 0)), Acad::eOk);
    EXPECT_NEAR3D(line.endPoint(), AcGePoint3d(9, 0, 0));
    EXPECT_EQ(line.extend(false, AcGePoint3d(9, 1, 0)), Acad::eInvalidInput);

    AcDbArc arc(AcGePoint3d(0, 0, 0), 1.0, 0.0, kPi / 2);
    ASSERT_EQ(arc.extend(kPi), Acad::eOk);
    EXPECT_NEAR(arc.endAngle(), kPi, 1e-12);
    EXPECT_EQ(arc.extend(1.0), Acad::eInvalidInput); // inside the arc
}

TEST(CurveEdgeCases, AreaOfOpenCurvesIsClosedByTheChord)
{
    AcDbArc half(AcGePoint3d(0, 0, 0), 2.0, 0.0, kPi);
    double area;
    ASSERT_EQ(half.getArea(area), Acad::eOk);
    EXPECT_NEAR(area, 2 * kPi, 1e-9);
    AcDbArc third(AcGePoint3d(0, 0, 0), 1.0, 0.0, 2 * kPi / 3);
    third.getArea(area);
    EXPECT_NEAR(area, 0.5 * (2 * kPi / 3 - std::sin(2 * kPi / 3)), 1e-9);
    AcDbPolyline open; // an open L: the chord closes a right triangle
    open.addVertexAt(0, AcGePoint2d(0, 0));
    open.addVertexAt(1, AcGePoint2d(4, 0));
    open.addVertexAt(2, AcGePoint2d(4, 3));
    open.getArea(area);
    EXPECT_DOUBLE_EQ(area, 6.0);
}

TEST(CurveEdgeCases, ClosestPointJustBeforeASharpTurn)
{
    // The nearest point lies on the first segment, between its last sample and its end;
    // the segment after the corner turns back and passes 0.78 away.
    AcDbPolyline polyline;
    polyline.addVertexAt(0, AcGePoint2d(0, 0));
    polyline.addVertexAt(1, AcGePoint2d(20, 0));
    polyline.addVertexAt(2, AcGePoint2d(19, 1));
    AcGePoint3d closest;
    ASSERT_EQ(polyline.getClosestPointTo(AcGePoint3d(19, -0.1, 0), closest), Acad::eOk);
    EXPECT_NEAR3D(closest, AcGePoint3d(19, 0, 0));
}

TEST(CurveEdgeCases, DegeneratePolylines)
{
    AcDbPolyline empty;
    double param;
    AcGePoint3d p;
    EXPECT_NE(empty.getStartParam(param), Acad::eOk);
    EXPECT_NE(empty.getPointAtParam(0.0, p), Acad::eOk);
    AcDbExtents ext;
    EXPECT_NE(empty.getGeomExtents(ext), Acad::eOk);

    AcDbPolyline single;
    single.addVertexAt(0, AcGePoint2d(3, 4));
    ASSERT_EQ(single.getEndParam(param), Acad::eOk);
    EXPECT_EQ(param, 0.0);
    ASSERT_EQ(single.getParamAtPoint(AcGePoint3d(3, 4, 0), param), Acad::eOk);
    EXPECT_EQ(single.segType(0), AcDbPolyline::kPoint);
    EXPECT_EQ(single.addVertexAt(3, AcGePoint2d(0, 0)), Acad::eInvalidIndex);
    EXPECT_EQ(single.removeVertexAt(1), Acad::eInvalidIndex);
}

} // namespace
