// The plane an entity keeps 2D coordinates in (its extrusion direction under the drawing
// format's arbitrary axis rule) at an elevation, and polyline bulges as arcs in it.
#pragma once

#include "host/db/entities/CurveMath.h"

#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector2d.h>
#include <acge/AcGeVector3d.h>

namespace dh::render {

struct Ocs {
    AcGeVector3d x = AcGeVector3d::kXAxis;
    AcGeVector3d y = AcGeVector3d::kYAxis;
    AcGeVector3d n = AcGeVector3d::kZAxis;
    double elevation = 0.0;

    Ocs() = default;
    Ocs(AcGeVector3d normal, double elev) : elevation(elev)
    {
        if (normal.isZeroLength())
            normal = AcGeVector3d::kZAxis;
        n = normal.normal();
        db::ecsAxes(n, x, y);
    }
    AcGePoint3d at(const AcGePoint2d& p) const { return AcGePoint3d::kOrigin + x * p.x + y * p.y + n * elevation; }
    AcGeVector3d along(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
};

// The arc a bulge puts between two points, as an ellipse-arc description:
// center + cos t·u + sin t·v for t from t0 to t1, growing when ccw.
struct BulgeArcPiece {
    AcGePoint2d center;
    AcGeVector2d u, v;
    double t0 = 0.0, t1 = 0.0;
    bool ccw = true;
    double radius = 0.0;
};

inline BulgeArcPiece bulgePiece(const AcGePoint2d& a, const AcGePoint2d& b, double bulge)
{
    const db::BulgeArc arc = db::bulgeArc(a, b, bulge);
    BulgeArcPiece piece;
    piece.center = arc.center;
    piece.radius = arc.radius;
    piece.u = AcGeVector2d(arc.radius, 0.0);
    piece.v = AcGeVector2d(0.0, arc.radius);
    piece.t0 = arc.startAngle;
    piece.t1 = arc.startAngle + arc.sweep;
    piece.ccw = arc.sweep > 0.0;
    return piece;
}

}  // namespace dh::render
