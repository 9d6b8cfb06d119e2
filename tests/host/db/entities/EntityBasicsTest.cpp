// Every entity kind through the same checks: extents known by hand, a transform moves the
// extents as it moves the entity, a clone is an equal entity of the same class, and
// explode gives what the kind promises.
#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLeader.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbText.h>

#include "host/db/entities/GeomAssert.h"

#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

struct Kind {
    std::string name;
    std::function<AcDbEntity*()> make;
    AcGePoint3d min, max; // extents worked out by hand
};

std::vector<Kind> kinds()
{
    return {
        {"line", [] { return new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, -2, 3)); }, {1, -2, 3}, {4, 2, 3}},
        {"arc", [] { return new AcDbArc(AcGePoint3d(0, 0, 0), 2.0, kPi / 4, 3 * kPi / 4); },
         {-std::sqrt(2.0), std::sqrt(2.0), 0}, {std::sqrt(2.0), 2, 0}},
        {"circle", [] { return new AcDbCircle(AcGePoint3d(1, 1, 1), AcGeVector3d::kZAxis, 1.0); }, {0, 0, 1}, {2, 2, 1}},
        {"ellipse", [] { return new AcDbEllipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 3, 0), 0.5); },
         {-1.5, -3, 0}, {1.5, 3, 0}},
        {"spline", [] {
             AcGePoint3dArray cps;
             cps.append(AcGePoint3d(0, 0, 0));
             cps.append(AcGePoint3d(1, 2, 0));
             cps.append(AcGePoint3d(2, 0, 0));
             AcGeDoubleArray knots{0, 0, 0, 1, 1, 1};
             return new AcDbSpline(2, false, false, false, cps, knots, AcGeDoubleArray());
         },
         {0, 0, 0}, {2, 1, 0}}, // the quadratic Bézier peaks at half its control polygon's height
        {"polyline", [] {
             auto* p = new AcDbPolyline();
             p->addVertexAt(0, AcGePoint2d(0, 0), -1.0); // half circle above (clockwise)
             p->addVertexAt(1, AcGePoint2d(2, 0));
             p->setElevation(1.0);
             return p;
         },
         {0, 0, 1}, {2, 1, 1}},
        {"2d polyline", [] {
             AcGePoint3dArray pts;
             pts.append(AcGePoint3d(0, 0, 0));
             pts.append(AcGePoint3d(2, 5, 0));
             return new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 4.0);
         },
         {0, 0, 4}, {2, 5, 4}},
        {"3d polyline", [] {
             AcGePoint3dArray pts;
             pts.append(AcGePoint3d(0, 0, 0));
             pts.append(AcGePoint3d(2, 5, -1));
             return new AcDb3dPolyline(AcDb::k3dSimplePoly, pts);
         },
         {0, 0, -1}, {2, 5, 0}},
        {"point", [] { return new AcDbPoint(AcGePoint3d(7, 8, 9)); }, {7, 8, 9}, {7, 8, 9}},
        {"text", [] { return new AcDbText(AcGePoint3d(1, 1, 0), "12345", AcDbObjectId::kNull, 2.0); }, {1, 1, 0}, {6, 3, 0}},
        {"mtext", [] {
             auto* m = new AcDbMText();
             m->setTextHeight(1.0);
             m->setContents("AB\\PAB");
             return m;
         },
         {0, -1 - 5.0 / 3.0, 0}, {1, 0, 0}},
        {"attribute", [] {
             auto* a = new AcDbAttribute(AcGePoint3d(0, 0, 0), "AB", "TAG");
             a->setHeight(1.0);
             return a;
         },
         {0, 0, 0}, {1, 1, 0}},
        {"leader", [] {
             auto* l = new AcDbLeader();
             l->appendVertex(AcGePoint3d(0, 0, 0));
             l->appendVertex(AcGePoint3d(3, 3, 0));
             l->appendVertex(AcGePoint3d(6, 3, 0));
             return l;
         },
         {0, 0, 0}, {6, 3, 0}},
    };
}

class EveryEntity : public ::testing::TestWithParam<Kind> {};

TEST_P(EveryEntity, ExtentsAsWorkedOut)
{
    std::unique_ptr<AcDbEntity> entity(GetParam().make());
    AcDbExtents ext;
    ASSERT_EQ(entity->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR3D(ext.minPoint(), GetParam().min);
    EXPECT_NEAR3D(ext.maxPoint(), GetParam().max);
}

TEST_P(EveryEntity, ScaledAndMovedExtentsFollowTheTransform)
{
    std::unique_ptr<AcDbEntity> entity(GetParam().make());
    const AcGeMatrix3d xform = AcGeMatrix3d::translation(AcGeVector3d(10, 20, 30)) * AcGeMatrix3d::scaling(2.0);
    ASSERT_EQ(entity->transformBy(xform), Acad::eOk);
    AcDbExtents ext;
    ASSERT_EQ(entity->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR3D(ext.minPoint(), AcGePoint3d(GetParam().min).transformBy(xform));
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(GetParam().max).transformBy(xform));
}

TEST_P(EveryEntity, CloneIsAnEqualEntityOfTheSameClass)
{
    std::unique_ptr<AcDbEntity> entity(GetParam().make());
    entity->setColorIndex(5);
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(entity->clone()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->isA(), entity->isA());
    EXPECT_EQ(copy->colorIndex(), 5);
    AcDbExtents a, b;
    entity->getGeomExtents(a);
    copy->getGeomExtents(b);
    EXPECT_NEAR3D(a.minPoint(), b.minPoint());
    EXPECT_NEAR3D(a.maxPoint(), b.maxPoint());
    // The copy is independent: moving it leaves the original.
    copy->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0)));
    entity->getGeomExtents(b);
    EXPECT_NEAR3D(a.minPoint(), b.minPoint());
}

TEST_P(EveryEntity, CurvesExplodeIntoCurvesOfTheSameLength)
{
    std::unique_ptr<AcDbEntity> entity(GetParam().make());
    const auto* curve = AcDbCurve::cast(entity.get());
    AcDbVoidPtrArray parts;
    const Acad::ErrorStatus es = entity->explode(parts);
    double partsLength = 0.0;
    for (void* p : parts) {
        std::unique_ptr<AcDbEntity> part(static_cast<AcDbEntity*>(p));
        if (const auto* c = AcDbCurve::cast(part.get())) {
            double end, length;
            c->getEndParam(end);
            c->getDistAtParam(end, length);
            partsLength += length;
        }
    }
    if (!curve || es != Acad::eOk || parts.isEmpty())
        return; // single-piece kinds have nothing to explode into
    double end, length;
    curve->getEndParam(end);
    curve->getDistAtParam(end, length);
    EXPECT_NEAR(partsLength, length, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryEntity, ::testing::ValuesIn(kinds()), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ')
            c = '_';
    return name;
});

TEST(LeaderCurve, RunsThroughItsVerticesAndGivesNoPieces)
{
    AcDbLeader leader;
    leader.appendVertex(AcGePoint3d(0, 0, 0));
    leader.appendVertex(AcGePoint3d(3, 4, 0));
    leader.appendVertex(AcGePoint3d(6, 4, 0));
    double dist, param;
    leader.getDistAtParam(1.5, dist);
    EXPECT_NEAR(dist, 6.5, 1e-12);
    ASSERT_EQ(leader.getParamAtPoint(AcGePoint3d(1.5, 2, 0), param), Acad::eOk);
    EXPECT_NEAR(param, 0.5, 1e-12);
    AcGeDoubleArray params;
    params.append(1.0);
    AcDbVoidPtrArray pieces;
    EXPECT_NE(leader.getSplitCurves(params, pieces), Acad::eOk);
    EXPECT_EQ(pieces.length(), 0);
}

TEST(SplineData, NurbsAndFitDataAndPieces)
{
    AcGePoint3dArray fit;
    for (int i = 0; i <= 4; ++i)
        fit.append(AcGePoint3d(i, (i % 2) ? 1.0 : 0.0, 0));
    AcDbSpline spline(fit, 4, 0.0);
    EXPECT_TRUE(spline.hasFitData());
    EXPECT_EQ(spline.degree(), 3);
    EXPECT_FALSE(spline.isRational());
    for (const AcGePoint3d& p : fit) {
        double param;
        EXPECT_EQ(spline.getParamAtPoint(p, param), Acad::eOk); // interpolated exactly
    }
    int degree;
    bool rational, closed, periodic;
    AcGePoint3dArray cps;
    AcGeDoubleArray knots, weights;
    double cpTol, knotTol;
    ASSERT_EQ(spline.getNurbsData(degree, rational, closed, periodic, cps, knots, weights, cpTol, knotTol), Acad::eOk);
    EXPECT_EQ(knots.length(), cps.length() + degree + 1);
    double start, end;
    spline.getStartParam(start);
    spline.getEndParam(end);
    EXPECT_DOUBLE_EQ(start, knots[degree]);
    EXPECT_DOUBLE_EQ(end, knots[cps.length()]);

    // Two pieces split at the middle fit point meet there and keep the whole length.
    AcGePoint3dArray at;
    at.append(fit[2]);
    AcDbVoidPtrArray pieces;
    ASSERT_EQ(spline.getSplitCurves(at, pieces), Acad::eOk);
    ASSERT_EQ(pieces.length(), 2);
    double whole, sum = 0.0;
    spline.getDistAtParam(end, whole);
    for (void* p : pieces) {
        std::unique_ptr<AcDbSpline> piece(AcDbSpline::cast(static_cast<AcDbEntity*>(p)));
        ASSERT_TRUE(piece);
        double pe, length;
        piece->getEndParam(pe);
        piece->getDistAtParam(pe, length);
        sum += length;
        AcGePoint3d s, e;
        piece->getStartPoint(s);
        piece->getEndPoint(e);
        EXPECT_TRUE(near3d(s, fit[2], 1e-9) || near3d(e, fit[2], 1e-9));
    }
    EXPECT_NEAR(sum, whole, 1e-8);

    // New NURBS data drops the fit data; bad data is refused.
    AcGeDoubleArray shortKnots{0, 1};
    EXPECT_EQ(spline.setNurbsData(3, false, false, false, cps, shortKnots, weights), Acad::eInvalidInput);
    EXPECT_TRUE(spline.hasFitData());
    ASSERT_EQ(spline.setNurbsData(degree, false, false, false, cps, knots, weights), Acad::eOk);
    EXPECT_FALSE(spline.hasFitData());
}

TEST(SplineData, CircleSplineIsRationalAndClosed)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 3.0);
    AcDbSpline* raw = nullptr;
    ASSERT_EQ(circle.getSpline(raw), Acad::eOk);
    std::unique_ptr<AcDbSpline> spline(raw);
    EXPECT_TRUE(spline->isRational());
    EXPECT_TRUE(spline->isClosed());
    double area;
    spline->getArea(area);
    EXPECT_NEAR(area, 9 * kPi, 1e-8);
}

} // namespace
