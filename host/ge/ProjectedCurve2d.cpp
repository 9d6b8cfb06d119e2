#include "host/ge/ProjectedCurve2d.h"

#include <algorithm>

namespace dh::ge {

ProjectedCurve2d::ProjectedCurve2d(const AcGeCurve3d& curve, const AcGePlanarEnt& plane)
    : m_curve(curve.copy())
{
    m_plane.set(plane.origin(), plane.uAxis(), plane.vAxis());
}

ProjectedCurve2d::ProjectedCurve2d(const ProjectedCurve2d& other)
    : AcGeCurve2d(other), m_curve(other.m_curve->copy()), m_plane(other.m_plane)
{
}

ProjectedCurve2d& ProjectedCurve2d::operator=(const ProjectedCurve2d& other)
{
    if (this != &other) {
        m_curve.reset(other.m_curve->copy());
        m_plane = other.m_plane;
    }
    return *this;
}

ProjectedCurve2d& ProjectedCurve2d::transformBy(const AcGeMatrix2d& xform)
{
    // Lift the planar transformation into the plane's frame; the normal component is kept.
    AcGeMatrix3d lift;
    lift.entry[0][0] = xform.entry[0][0];
    lift.entry[0][1] = xform.entry[0][1];
    lift.entry[0][3] = xform.entry[0][2];
    lift.entry[1][0] = xform.entry[1][0];
    lift.entry[1][1] = xform.entry[1][1];
    lift.entry[1][3] = xform.entry[1][2];
    AcGeMatrix3d toWorld;
    toWorld.setToPlaneToWorld(m_plane);
    m_curve->transformBy(toWorld * lift * toWorld.inverse());
    return *this;
}

AcGePoint2d ProjectedCurve2d::evalPoint(double param, int numDeriv, AcGeVector2dArray& derivs) const
{
    AcGeVector3dArray d3;
    const AcGePoint3d p = m_curve->evalPoint(param, numDeriv, d3);
    derivs.removeAll();
    for (const AcGeVector3d& v : d3)
        derivs.append(v.convert2d(m_plane));
    return p.convert2d(m_plane);
}

ProjectedCurve2d& ProjectedCurve2d::reverseParam()
{
    m_curve->reverseParam();
    return *this;
}

void ProjectedCurve2d::getExtents(AcGePoint2d& minPoint, AcGePoint2d& maxPoint) const
{
    AcGePoint3d lo, hi;
    m_curve->getExtents(lo, hi);
    bool first = true;
    for (int i = 0; i < 8; ++i) {
        const AcGePoint3d corner(i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z);
        const AcGePoint2d p = corner.convert2d(m_plane);
        if (first) {
            minPoint = maxPoint = p;
            first = false;
        }
        minPoint.set(std::min(minPoint.x, p.x), std::min(minPoint.y, p.y));
        maxPoint.set(std::max(maxPoint.x, p.x), std::max(maxPoint.y, p.y));
    }
}

} // namespace dh::ge
