#include <acge/AcGeCurveCurveInt2d.h>

#include "host/ge/CurveIntersector.h"

AcGeCurveCurveInt2d::AcGeCurveCurveInt2d(const AcGeCurve2d& curve1, const AcGeCurve2d& curve2, const AcGeTol& tol)
    : m_curve1(&curve1), m_curve2(&curve2), m_tol(tol)
{
    dh::ge::IntersectOptions options;
    options.tol = tol;
    int open = -1;
    for (const dh::ge::CurveHit& h : dh::ge::intersectCurves(curve1, curve2, options)) {
        const Configuration config = h.kind == dh::ge::HitKind::kTangent ? kTangent
            : h.kind == dh::ge::HitKind::kOverlapStart                  ? kOverlapStart
            : h.kind == dh::ge::HitKind::kOverlapEnd                    ? kOverlapEnd
                                                                        : kCross;
        m_points.push_back({h.point, h.param1, h.param2, config});
        if (config == kOverlapStart)
            open = numIntPoints() - 1;
        if (config == kOverlapEnd && open >= 0) {
            const Point& start = m_points[static_cast<size_t>(open)];
            m_overlaps.emplace_back(AcGeInterval(start.param1, h.param1), AcGeInterval(start.param2, h.param2));
            open = -1;
        }
    }
}

void AcGeCurveCurveInt2d::getIntParams(int intNum, double& param1, double& param2) const
{
    const Point& p = m_points[static_cast<size_t>(intNum)];
    param1 = p.param1;
    param2 = p.param2;
}

void AcGeCurveCurveInt2d::getOverlapRanges(int overlapNum, AcGeInterval& range1, AcGeInterval& range2) const
{
    range1 = m_overlaps[static_cast<size_t>(overlapNum)].first;
    range2 = m_overlaps[static_cast<size_t>(overlapNum)].second;
}
