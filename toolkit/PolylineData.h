// Plain data of lightweight polylines: vertex records, read and written in one go, and the
// placement a copy takes from its source.
#pragma once

#include <acdb/AcDbPolyline.h>
#include <acge/AcGePoint2d.h>

#include <vector>

namespace dh::toolkit {

// A vertex in the polyline's own coordinates, with the bulge and widths of the segment
// that leaves it.
struct PolylineVertex {
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

std::vector<PolylineVertex> readVertices(const AcDbPolyline& polyline);

// Sets vertex index, or adds it when index is the vertex count; the host's status.
Acad::ErrorStatus putVertex(AcDbPolyline& polyline, unsigned int index, const PolylineVertex& vertex);

// The source's common properties, elevation, thickness and normal, so that a copy made
// from the source's own coordinates lies where the source lies.
template <class Target, class Source>
void copyPlacement(Target& target, const Source& source)
{
    target.setPropertiesFrom(&source);
    target.setElevation(source.elevation());
    target.setThickness(source.thickness());
    target.setNormal(source.normal());
}

} // namespace dh::toolkit
