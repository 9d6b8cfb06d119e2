// The kernel curves of an entity, in world coordinates, for intersections: a curve gives
// one kernel curve (polylines a composite of their segments), a text its box outline, a
// block reference or a dimension the curves of what it explodes into; a point gives none.
#pragma once

#include <acdb/AcDbEntity.h>
#include <acge/AcGeCurve3d.h>

#include <memory>
#include <vector>

namespace dh::db {

class EntityCurves {
public:
    const std::vector<const AcGeCurve3d*>& curves() const { return m_top; }
    // A curve to intersect.
    void add(AcGeCurve3d* curve);
    // A curve owned here but reached through another (a composite's component).
    void keep(AcGeCurve3d* curve);
    // Largest absolute coordinate seen, for the tolerance.
    double scale() const { return m_scale; }
    void noteScale(const AcGePoint3d& p);

private:
    std::vector<std::unique_ptr<AcGeCurve3d>> m_owned;
    std::vector<const AcGeCurve3d*> m_top;
    double m_scale = 0.0;
};

void collectEntityCurves(const AcDbEntity& entity, EntityCurves& out, int depth = 0);

// Intersection points of two entities appended to points (on a, projected on plane when
// given; otherwise where both meet in space).
Acad::ErrorStatus intersectEntities(const AcDbEntity& a, const AcDbEntity& b, AcDb::Intersect mode,
                                    const AcGePlane* plane, AcGePoint3dArray& points);

} // namespace dh::db
