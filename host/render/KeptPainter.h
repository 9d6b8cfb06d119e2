// Entities the database keeps as their DXF groups, drawn from those groups: hatches
// (solid fills and line patterns, clipped to their boundary paths), solids and traces
// (filled), 3D faces (visible edges), construction lines and rays (across the picture),
// raster images (their frame).
#pragma once

#include "host/render/Pen.h"
#include "host/render/Styles.h"

#include <string>

class AcDbEntity;

namespace dh::render {

// False when the entity is of a kind drawn nowhere; kind then names it.
bool drawKeptEntity(const AcDbEntity& entity, Pen& pen, const EntityLook& look, std::string& kind);

}  // namespace dh::render
