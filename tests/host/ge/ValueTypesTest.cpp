#include "host/ge/GeTestUtil.h"

#include <adesk/AcArray.h>
#include <acge/AcGeInterval.h>
#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePlane.h>
#include <acge/AcGeScale3d.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(AcArray, AppendInsertRemoveAndFind)
{
    AcArray<int> a;
    EXPECT_EQ(a.append(5), 0);
    EXPECT_EQ(a.append(7), 1);
    a.insertAt(0, 3).insertAt(3, 9);
    ASSERT_EQ(a.length(), 4);
    EXPECT_EQ(a.first(), 3);
    EXPECT_EQ(a.last(), 9);
    int at = -1;
    EXPECT_TRUE(a.find(7, at));
    EXPECT_EQ(at, 2);
    EXPECT_FALSE(a.find(7, at, 3));
    EXPECT_TRUE(a.remove(5));
    EXPECT_FALSE(a.contains(5));
    a.removeLast().reverse();
    ASSERT_EQ(a.length(), 2);
    EXPECT_EQ(a[0], 7);
    EXPECT_EQ(a[1], 3);
    a.setLogicalLength(4);
    EXPECT_EQ(a[3], 0);
    a.setPhysicalLength(1);
    EXPECT_EQ(a.length(), 1);
    int sum = 0;
    for (int v : a)
        sum += v;
    EXPECT_EQ(sum, 7);
}

TEST(Matrix3d, RotationScalingAndInverse)
{
    AcGeMatrix3d rot;
    rot.setToRotation(kPi / 2, AcGeVector3d::kZAxis, AcGePoint3d(1, 1, 0));
    EXPECT_TRUE(near3d(rot * AcGePoint3d(2, 1, 5), AcGePoint3d(1, 2, 5)));

    AcGeMatrix3d m = AcGeMatrix3d::scaling(2.0, AcGePoint3d(1, 0, 0));
    m.preMultBy(rot); // scale first, then rotate
    EXPECT_TRUE(near3d(m * AcGePoint3d(2, 0, 0), AcGePoint3d(2, 3, 0)));
    EXPECT_TRUE(near3d(m.inverse() * AcGePoint3d(2, 3, 0), AcGePoint3d(2, 0, 0)));
    EXPECT_FALSE(m.isSingular());
    EXPECT_TRUE(AcGeMatrix3d::scaling(0.0).isSingular());
    EXPECT_NEAR(m.scale(), 2.0, 1e-12);
}

TEST(Matrix3d, ArbitraryAxisFrameOfNegativeZ)
{
    // For extrusion (0,0,-1) the drawing format's OCS X axis is world -X.
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(-AcGeVector3d::kZAxis);
    EXPECT_TRUE(near3d(toWorld * AcGePoint3d(1, 0, 0), AcGePoint3d(-1, 0, 0)));
    EXPECT_TRUE(near3d(toWorld * AcGePoint3d(0, 1, 0), AcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near3d(toWorld * AcGePoint3d(0, 0, 2), AcGePoint3d(0, 0, -2)));
}

TEST(Vector, AnglesAndTolerances)
{
    EXPECT_NEAR(AcGeVector2d(0, -1).angle(), 1.5 * kPi, 1e-12);
    EXPECT_NEAR(AcGeVector3d::kXAxis.angleTo(AcGeVector3d(0, -1, 0), AcGeVector3d::kZAxis), 1.5 * kPi, 1e-12);
    EXPECT_NEAR(AcGeVector3d(1, 1e-9, 0).angleTo(AcGeVector3d::kXAxis), 1e-9, 1e-15);

    AcGeTol tol;
    tol.setEqualPoint(0.01);
    EXPECT_TRUE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(0.006, 0.008, 0), tol));
    EXPECT_FALSE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(0.006, 0.0081, 0), tol));
    EXPECT_FALSE(AcGePoint3d(0, 0, 0).isEqualTo(AcGePoint3d(1e-9, 0, 0)));
    EXPECT_TRUE(AcGeVector3d(0, 0, 0).normal().isZeroLength());
}

TEST(Plane, ConvertAndProject)
{
    const AcGePlane plane(AcGePoint3d(0, 0, 5), AcGeVector3d::kXAxis, AcGeVector3d::kYAxis);
    EXPECT_TRUE(near2d(AcGePoint3d(3, 4, 9).convert2d(plane), AcGePoint2d(3, 4)));
    AcGePoint3d hit;
    ASSERT_TRUE(plane.project(AcGePoint3d(1, 1, 7), AcGeVector3d(1, 0, 1), hit));
    EXPECT_TRUE(near3d(hit, AcGePoint3d(-1, 1, 5)));
    EXPECT_FALSE(plane.project(AcGePoint3d(1, 1, 7), AcGeVector3d::kXAxis, hit));
}

TEST(Interval, BoundsAndIntersection)
{
    AcGeInterval a(0.0, 2.0), b(1.0, 5.0), common;
    ASSERT_TRUE(a.intersectWith(b, common));
    EXPECT_DOUBLE_EQ(common.lowerBound(), 1.0);
    EXPECT_DOUBLE_EQ(common.upperBound(), 2.0);
    EXPECT_TRUE(a.isDisjoint(AcGeInterval(3.0, 4.0)));
    EXPECT_TRUE(AcGeInterval(true, 1.0).contains(-1e9));
    EXPECT_FALSE(AcGeInterval(true, 1.0).contains(1.1));
}

TEST(Matrix2d, RotationMirrorAndInverse)
{
    const AcGeMatrix2d rot = AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(1, 1));
    EXPECT_TRUE(near2d(rot * AcGePoint2d(2, 1), AcGePoint2d(1, 2)));
    EXPECT_TRUE(near2d(rot.inverse() * AcGePoint2d(1, 2), AcGePoint2d(2, 1)));
    AcGeMatrix2d mirror;
    mirror.setToMirroring(AcGePoint2d(0, 1), AcGeVector2d(1, 1)); // the line y = x + 1
    EXPECT_TRUE(near2d(mirror * AcGePoint2d(0, 0), AcGePoint2d(-1, 1)));
    EXPECT_LT(mirror.det(), 0.0);
    // Scaling about a point, then the composite applied right to left.
    const AcGeMatrix2d both = AcGeMatrix2d::translation(AcGeVector2d(5, 0)) * AcGeMatrix2d::scaling(3.0, AcGePoint2d(1, 1));
    EXPECT_TRUE(near2d(both * AcGePoint2d(2, 1), AcGePoint2d(9, 1)));
    EXPECT_NEAR(both.scale(), 3.0, 1e-12);
    EXPECT_TRUE(AcGeMatrix2d::scaling(0.0).isSingular());
}

TEST(Matrix3d, CoordinateSystemsAndMirror)
{
    // A frame at (1,2,3) with axes Y, Z, X: its local x runs along world Y.
    AcGeMatrix3d frame;
    frame.setCoordSystem(AcGePoint3d(1, 2, 3), AcGeVector3d::kYAxis, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis);
    EXPECT_TRUE(near3d(frame * AcGePoint3d(1, 0, 0), AcGePoint3d(1, 3, 3)));
    AcGeMatrix3d align;
    align.setToAlignCoordSys(AcGePoint3d(1, 2, 3), AcGeVector3d::kYAxis, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
                             AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    EXPECT_TRUE(near3d(align * AcGePoint3d(1, 3, 3), AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(align.isUniScaledOrtho());

    const AcGeMatrix3d mirror = AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(0, 0, 2), AcGeVector3d::kZAxis));
    EXPECT_TRUE(near3d(mirror * AcGePoint3d(1, 1, 5), AcGePoint3d(1, 1, -1)));
    EXPECT_NEAR(mirror.det(), -1.0, 1e-12);
    const AcGeScale3d s(2, 3, 4);
    EXPECT_TRUE(near3d(s.getMatrix() * AcGePoint3d(1, 1, 1), AcGePoint3d(2, 3, 4)));
    EXPECT_FALSE(s.getMatrix().isUniScaledOrtho());
    // The plane's own axes: a plane from a normal follows the arbitrary-axis rule.
    const AcGePlane tilted(AcGePoint3d::kOrigin, AcGeVector3d(0, 0, 1));
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + tilted.uAxis(), AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + tilted.normal(), AcGePoint3d(0, 0, 1)));
}

TEST(Vector, ParallelAndPerpendicularUnderTolerance)
{
    EXPECT_TRUE(AcGeVector3d(1, 0, 0).isParallelTo(AcGeVector3d(-3, 0, 0)));
    EXPECT_FALSE(AcGeVector3d(1, 0, 0).isCodirectionalTo(AcGeVector3d(-3, 0, 0)));
    EXPECT_FALSE(AcGeVector3d(1, 0, 0).isParallelTo(AcGeVector3d(1, 1e-6, 0)));
    EXPECT_TRUE(AcGeVector3d(1, 0, 0).isParallelTo(AcGeVector3d(1, 1e-6, 0), AcGeTol(1e-3, 1e-3)));
    EXPECT_TRUE(AcGeVector2d(2, 0).isPerpendicularTo(AcGeVector2d(0, -5)));
    EXPECT_FALSE(AcGeVector3d().isParallelTo(AcGeVector3d::kXAxis)); // the zero vector has no direction
    AcGeVector3d v(3, 4, 0);
    v.rotateBy(kPi / 2, AcGeVector3d::kZAxis);
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + v, AcGePoint3d(-4, 3, 0)));
    EXPECT_TRUE(near3d(AcGePoint3d::kOrigin + AcGeVector3d(1, 2, 3).orthoProject(AcGeVector3d::kZAxis),
                       AcGePoint3d(1, 2, 0)));
}

TEST(AcArray, RangesSwapsAndGrowth)
{
    AcArray<int> a(0, 4);
    EXPECT_EQ(a.growLength(), 4);
    for (int i = 0; i < 10; ++i)
        a.append(i);
    a.removeSubArray(2, 4); // drops 2, 3, 4
    EXPECT_EQ(a, (AcArray<int>{0, 1, 5, 6, 7, 8, 9}));
    a.swap(0, 6).setAt(1, 42);
    EXPECT_EQ(a.first(), 9);
    EXPECT_EQ(a[1], 42);
    EXPECT_EQ(a.findFrom(7, 5), -1);
    EXPECT_EQ(a.find(7), 4);
    a.removeFirst();
    EXPECT_EQ(a.length(), 6);
    a.setAll(3);
    EXPECT_TRUE(a.contains(3, 5));
    AcArray<int> b;
    b.append(a).append(a);
    EXPECT_EQ(b.length(), 12);
    b.removeAll();
    EXPECT_TRUE(b.isEmpty());
    // Point arrays compare under the kernel's tolerance.
    AcGePoint3dArray pts{AcGePoint3d(1, 2, 3)};
    EXPECT_TRUE(pts.contains(AcGePoint3d(1, 2, 3 + 1e-12)));
    EXPECT_FALSE(pts.contains(AcGePoint3d(1, 2, 3.001)));
}

} // namespace
