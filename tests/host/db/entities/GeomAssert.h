// Geometry comparisons that print both sides on failure.
#pragma once

#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

#include <gtest/gtest.h>

inline ::testing::AssertionResult near3d(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9)
{
    if (actual.distanceTo(expected) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z
                                         << ") is not within " << tol << " of (" << expected.x << ", "
                                         << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult near3d(const AcGeVector3d& actual, const AcGeVector3d& expected, double tol = 1e-9)
{
    return near3d(AcGePoint3d::kOrigin + actual, AcGePoint3d::kOrigin + expected, tol);
}

#define EXPECT_NEAR3D(actual, expected) EXPECT_TRUE(near3d((actual), (expected)))
#define EXPECT_NEAR3D_TOL(actual, expected, tol) EXPECT_TRUE(near3d((actual), (expected), (tol)))
