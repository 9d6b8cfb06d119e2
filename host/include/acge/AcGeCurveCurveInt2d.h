// AcGeCurveCurveInt2d: the intersections of two planar curves, computed when built. The
// curves are referenced, not copied, and must outlive the object. Points closer than the
// tolerance's equal-point value are one point; a shared stretch is reported as an overlap
// with its two end points among the intersection points.
#pragma once

#include <acge/AcGeCurve2d.h>

#include <vector>

class ADESK_EXPORT AcGeCurveCurveInt2d {
public:
    enum Configuration { kCross, kTangent, kOverlapStart, kOverlapEnd };

    AcGeCurveCurveInt2d(const AcGeCurve2d& curve1, const AcGeCurve2d& curve2,
                        const AcGeTol& tol = AcGeContext::gTol);

    const AcGeCurve2d* curve1() const { return m_curve1; }
    const AcGeCurve2d* curve2() const { return m_curve2; }
    AcGeTol tolerance() const { return m_tol; }

    int numIntPoints() const { return static_cast<int>(m_points.size()); }
    AcGePoint2d intPoint(int intNum) const { return m_points[static_cast<size_t>(intNum)].point; }
    void getIntParams(int intNum, double& param1, double& param2) const;
    Configuration getIntConfig(int intNum) const { return m_points[static_cast<size_t>(intNum)].config; }
    bool isTangential(int intNum) const { return getIntConfig(intNum) == kTangent; }
    // Number of shared stretches and the parameter ranges of one on both curves.
    int overlapCount() const { return static_cast<int>(m_overlaps.size()); }
    void getOverlapRanges(int overlapNum, AcGeInterval& range1, AcGeInterval& range2) const;

private:
    struct Point {
        AcGePoint2d point;
        double param1;
        double param2;
        Configuration config;
    };

    const AcGeCurve2d* m_curve1;
    const AcGeCurve2d* m_curve2;
    AcGeTol m_tol;
    std::vector<Point> m_points;
    std::vector<std::pair<AcGeInterval, AcGeInterval>> m_overlaps;
};
