// What the terrain commands take an entity for: an elevation point (circle, point, arc or
// block reference, at the z of its position), a contour (a polyline at its elevation) or a
// label text.
#pragma once

#include <acge/AcGePoint3d.h>

class AcDbCurve;
class AcDbEntity;

namespace dh::terrain {

// Circles, points, arcs and block references; false for nullptr.
bool isSpotEntity(const AcDbEntity* entity);
// Centre of a circle or arc, position of a point, insertion point of a block reference,
// the origin for anything else.
AcGePoint3d spotPosition(const AcDbEntity* entity);
// The elevation of a lightweight or 2D polyline, 0.0 for any other curve.
double contourElevation(const AcDbCurve* curve);
// 1: optional sign then digits only (the empty text too); 2: digits and at least one
// "."; 0: anything else.
int numberTextKind(const char* text);

} // namespace dh::terrain
