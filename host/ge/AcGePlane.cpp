#include <acge/AcGePlane.h>

const AcGePlane AcGePlane::kXYPlane;

AcGePlanarEnt::AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& normal)
{
    setFrame(origin, normal);
}

AcGePlanarEnt::AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    setFrame(origin, uAxis, vAxis);
}

bool AcGePlanarEnt::project(const AcGePoint3d& p, const AcGeVector3d& dir, AcGePoint3d& result) const
{
    const AcGeVector3d n = normal();
    const double denom = dir.dotProduct(n);
    if (std::fabs(denom) <= AcGeContext::gTol.equalVector() * dir.length())
        return false;
    result = p - dir * (signedDistanceTo(p) / denom);
    return true;
}

void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& normal)
{
    const AcGeVector3d n = normal.normal();
    m_origin = origin;
    m_u = n.perpVector();
    m_v = n.crossProduct(m_u).normal();
}

void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    m_origin = origin;
    m_u = uAxis.normal();
    const AcGeVector3d n = m_u.crossProduct(vAxis).normal();
    m_v = n.crossProduct(m_u).normal();
}

AcGePlane& AcGePlane::set(const AcGePoint3d& origin, const AcGeVector3d& normal)
{
    setFrame(origin, normal);
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    setFrame(origin, uAxis, vAxis);
    return *this;
}
