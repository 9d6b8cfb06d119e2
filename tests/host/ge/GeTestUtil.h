// Comparison helpers for kernel tests: failures print both sides.
#pragma once

#include <acge/AcGePoint3d.h>

#include <gtest/gtest.h>

#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const AcGePoint2d& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

inline std::ostream& operator<<(std::ostream& os, const AcGePoint3d& p)
{
    return os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

inline std::ostream& operator<<(std::ostream& os, const AcGeVector3d& v)
{
    return os << "<" << v.x << ", " << v.y << ", " << v.z << ">";
}

inline ::testing::AssertionResult near2d(const AcGePoint2d& a, const AcGePoint2d& b, double tol = 1e-9)
{
    if (a.distanceTo(b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b << " (distance " << a.distanceTo(b) << ")";
}

inline ::testing::AssertionResult near3d(const AcGePoint3d& a, const AcGePoint3d& b, double tol = 1e-9)
{
    if (a.distanceTo(b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b << " (distance " << a.distanceTo(b) << ")";
}
