#include "host/ge/GeTestUtil.h"

#include <adesk/AcArray.h>
#include <acge/AcGeInterval.h>
#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePlane.h>

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

} // namespace
