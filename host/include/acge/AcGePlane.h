// AcGePlanarEnt / AcGePlane: an unbounded plane with an origin and two unit axes; the
// normal is u x v. kXYPlane is the world XY plane.
#pragma once

#include <acge/AcGePoint3d.h>

class ADESK_EXPORT AcGePlanarEnt {
public:
    constexpr AcGePlanarEnt() = default;
    // The plane through origin with the given normal; axes chosen as the drawing format's OCS.
    AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // The plane through origin spanned by the two axes (made orthonormal, u kept).
    AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);

    AcGePoint3d pointOnPlane() const { return m_origin; }
    AcGePoint3d origin() const { return m_origin; }
    AcGeVector3d normal() const { return m_u.crossProduct(m_v); }
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& uAxis, AcGeVector3d& vAxis) const
    {
        origin = m_origin;
        uAxis = m_u;
        vAxis = m_v;
    }
    AcGeVector3d uAxis() const { return m_u; }
    AcGeVector3d vAxis() const { return m_v; }

    // Signed distance along the normal.
    double signedDistanceTo(const AcGePoint3d& p) const { return (p - m_origin).dotProduct(normal()); }
    double distanceTo(const AcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }
    bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGePoint3d closestPointTo(const AcGePoint3d& p) const { return p - normal() * signedDistanceTo(p); }
    // Projects p along dir onto the plane; false when dir is parallel to the plane.
    bool project(const AcGePoint3d& p, const AcGeVector3d& dir, AcGePoint3d& result) const;

protected:
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& normal);
    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);

    AcGePoint3d m_origin;
    AcGeVector3d m_u{1.0, 0.0, 0.0};
    AcGeVector3d m_v{0.0, 1.0, 0.0};
};

class ADESK_EXPORT AcGePlane : public AcGePlanarEnt {
public:
    using AcGePlanarEnt::AcGePlanarEnt;

    static const AcGePlane kXYPlane;

    AcGePlane& set(const AcGePoint3d& origin, const AcGeVector3d& normal);
    AcGePlane& set(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
};
