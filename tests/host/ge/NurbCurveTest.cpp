#include "host/ge/GeTestUtil.h"

#include <acge/AcGeNurbCurve3d.h>

#include <cmath>

namespace {

AcGeNurbCurve3d quadraticBezier()
{
    AcGePoint3dArray ctrl{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 0), AcGePoint3d(2, 0, 0)};
    return AcGeNurbCurve3d(2, AcGeKnotVector(2, 3), ctrl);
}

TEST(NurbCurve3d, BezierPointAndDerivatives)
{
    const AcGeNurbCurve3d c = quadraticBezier();
    AcGeVector3dArray d;
    // x = 2t, y = 4t(1-t): at t = 0.5, (1,1) with C' = (2,0) and C'' = (0,-8).
    EXPECT_TRUE(near3d(c.evalPoint(0.5, 2, d), AcGePoint3d(1, 1, 0)));
    ASSERT_EQ(d.length(), 2);
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + d[0], AcGePoint3d(2, 0, 0)));
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + d[1], AcGePoint3d(0, -8, 0)));
}

TEST(NurbCurve3d, RationalQuarterCircleStaysOnCircle)
{
    AcGePoint3dArray ctrl{AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 0), AcGePoint3d(0, 1, 0)};
    AcGeDoubleArray w{1.0, std::sqrt(0.5), 1.0};
    const AcGeNurbCurve3d c(2, AcGeKnotVector(2, 3), ctrl, w);
    EXPECT_TRUE(c.isRational());
    for (double t = 0; t <= 1.0; t += 0.1)
        EXPECT_NEAR(c.evalPoint(t).distanceTo(AcGePoint3d::kOrigin), 1.0, 1e-12);
    // Length of a quarter of the unit circle.
    EXPECT_NEAR(c.length(0.0, 1.0), 3.14159265358979323846 / 2, 1e-9);
    EXPECT_NEAR(c.paramAtLength(0.0, 3.14159265358979323846 / 4), 0.5, 1e-9);
}

TEST(NurbCurve3d, FitPointsAreInterpolated)
{
    AcGePoint3dArray fit;
    for (int i = 0; i <= 8; ++i)
        fit.append(AcGePoint3d(i * 1.5, 3 * std::sin(i * 0.7), 0.2 * i));
    const AcGeNurbCurve3d c(fit);
    EXPECT_EQ(c.degree(), 3);
    for (const AcGePoint3d& p : fit)
        EXPECT_LE(c.distanceTo(p), 1e-9) << p;
    AcGePoint3d s, e;
    ASSERT_TRUE(c.hasStartPoint(s) && c.hasEndPoint(e));
    EXPECT_TRUE(near3d(s, fit.first()));
    EXPECT_TRUE(near3d(e, fit.last()));

    AcGePoint3dArray back;
    AcGeTol tol;
    bool tangents = true;
    AcGeVector3d t0, t1;
    ASSERT_TRUE(c.getFitData(back, tol, tangents, t0, t1));
    EXPECT_EQ(back.length(), fit.length());
    EXPECT_FALSE(tangents);
}

TEST(NurbCurve3d, FitWithEndTangentsFollowsThem)
{
    AcGePoint3dArray fit{AcGePoint3d(0, 0, 0), AcGePoint3d(5, 2, 0), AcGePoint3d(10, 0, 0)};
    AcGeTol fitTol;
    fitTol.setEqualPoint(0.01);
    const AcGeNurbCurve3d c(fit, AcGeVector3d(0, 1, 0), AcGeVector3d(0, -3, 0), true, true, fitTol);
    for (const AcGePoint3d& p : fit)
        EXPECT_LE(c.distanceTo(p), 1e-9);
    AcGeVector3dArray d;
    c.evalPoint(c.startParam(), 1, d);
    EXPECT_TRUE(d[0].isCodirectionalTo(AcGeVector3d::kYAxis, AcGeTol(1e-9, 1e-9)));
    c.evalPoint(c.endParam(), 1, d);
    EXPECT_TRUE(d[0].isCodirectionalTo(-AcGeVector3d::kYAxis, AcGeTol(1e-9, 1e-9)));
    // Two points and two tangents still make a cubic.
    const AcGeNurbCurve3d hermite(AcGePoint3dArray{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)},
                                  AcGeVector3d::kYAxis, AcGeVector3d::kYAxis);
    EXPECT_EQ(hermite.degree(), 3);
}

TEST(NurbCurve3d, SampleChordsStayWithinDistance)
{
    AcGePoint3dArray ctrl{AcGePoint3d(0, 0, 0), AcGePoint3d(2, 8, 0), AcGePoint3d(4, -6, 1), AcGePoint3d(7, 9, 0),
                          AcGePoint3d(9, -3, 2), AcGePoint3d(12, 0, 0)};
    const double k[] = {0, 0, 0, 0, 0.2, 0.7, 1, 1, 1, 1};
    const AcGeNurbCurve3d c(3, AcGeKnotVector(10, k), ctrl);
    for (double eps : {0.5, 0.05, 0.001}) {
        AcGePoint3dArray pts;
        AcGeDoubleArray params;
        c.getSamplePoints(c.startParam(), c.endParam(), eps, pts, params);
        ASSERT_EQ(pts.length(), params.length());
        EXPECT_TRUE(near3d(pts.first(), ctrl.first()));
        EXPECT_TRUE(near3d(pts.last(), ctrl.last()));
        double worst = 0.0;
        for (int i = 0; i + 1 < pts.length(); ++i) {
            const AcGeVector3d chord = pts[i + 1] - pts[i];
            for (int j = 1; j < 50; ++j) {
                const AcGePoint3d q = c.evalPoint(params[i] + (params[i + 1] - params[i]) * j / 50.0);
                const double f = std::clamp((q - pts[i]).dotProduct(chord) / chord.lengthSqrd(), 0.0, 1.0);
                worst = std::max(worst, q.distanceTo(pts[i] + chord * f));
            }
        }
        EXPECT_LE(worst, eps) << "eps " << eps << " with " << pts.length() << " points";
    }
}

TEST(NurbCurve3d, ReverseMakeClosedAndClosestPoint)
{
    AcGeNurbCurve3d c = quadraticBezier();
    c.reverseParam();
    EXPECT_TRUE(near3d(c.evalPoint(c.startParam()), AcGePoint3d(2, 0, 0)));
    EXPECT_TRUE(near3d(c.evalPoint(0.25), AcGePoint3d(1.5, 0.75, 0)));
    // Apex of y = 2x - x^2 is (1,1): the nearest point to (1,5).
    EXPECT_TRUE(near3d(c.closestPointTo(AcGePoint3d(1, 5, 0)), AcGePoint3d(1, 1, 0), 1e-9));

    c.makeClosed();
    EXPECT_TRUE(c.isClosed());
    EXPECT_TRUE(c.isOn(AcGePoint3d(1, 0, 0), AcGeTol(1e-9, 1e-9))); // on the closing line
    EXPECT_TRUE(c.isOn(AcGePoint3d(0.5, 0.75, 0), AcGeTol(1e-9, 1e-9)));
    c.makeOpen();
    EXPECT_TRUE(c.isClosed());
}

} // namespace
