// Shapes of drawing curves for geometry checks: points at even distances along a curve,
// as the host's own curve interface computes them, and distances to a curve. Polylines
// are made from plain vertex lists.
#pragma once

#include <acdb/AcDbCurve.h>
#include <acdb/AcDbPolyline.h>

#include <gtest/gtest.h>

#include <vector>

namespace dh::toolkit::test {

struct PlineVertex {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

inline AcDbPolyline* makePolyline(const std::vector<PlineVertex>& vertices, bool closed = false)
{
    auto* polyline = new AcDbPolyline;
    for (unsigned int i = 0; i < vertices.size(); ++i)
        polyline->addVertexAt(i, AcGePoint2d(vertices[i].x, vertices[i].y), vertices[i].bulge, 0.0, 0.0);
    polyline->setClosed(closed);
    return polyline;
}

inline double curveLength(const AcDbCurve& curve)
{
    double end = 0.0;
    double length = 0.0;
    EXPECT_EQ(curve.getEndParam(end), Acad::eOk);
    EXPECT_EQ(curve.getDistAtParam(end, length), Acad::eOk);
    return length;
}

// count points from the start to the end at even arc-length steps.
inline std::vector<AcGePoint3d> tracePoints(const AcDbCurve& curve, int count)
{
    const double length = curveLength(curve);
    std::vector<AcGePoint3d> points;
    for (int k = 0; k < count; ++k) {
        AcGePoint3d point;
        const double at = k == count - 1 ? length : length * k / (count - 1);
        EXPECT_EQ(curve.getPointAtDist(at, point), Acad::eOk) << at;
        points.push_back(point);
    }
    return points;
}

inline double distanceTo(const AcDbCurve& curve, const AcGePoint3d& point)
{
    AcGePoint3d closest;
    EXPECT_EQ(curve.getClosestPointTo(point, closest), Acad::eOk);
    return closest.distanceTo(point);
}

// The largest distance from any of the points to the curve.
inline double farthestFrom(const AcDbCurve& curve, const std::vector<AcGePoint3d>& points)
{
    double farthest = 0.0;
    for (const AcGePoint3d& p : points)
        farthest = std::max(farthest, distanceTo(curve, p));
    return farthest;
}

} // namespace dh::toolkit::test
