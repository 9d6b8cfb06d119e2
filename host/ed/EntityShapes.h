// The selection shape of a drawing entity as the current view shows it: curves span by span
// (straight and circular spans exact, other spans sampled), points as points, texts as their
// filled box, block references and other compound entities through their exploded parts,
// anything else as the outline of its extents.
#pragma once

#include "host/ed/SelectionShape.h"
#include "host/ed/View.h"

#include <optional>

class AcDbEntity;
class AcDbExtents;

namespace dh::ed {

// The entity's extents in display coordinates; nullopt when it has none.
std::optional<Box2> displayExtents(const AcDbEntity& entity, const View& view);
Box2 displayBoxOf(const AcDbExtents& extents, const View& view);

SelectionShape shapeOfEntity(const AcDbEntity& entity, const View& view);

}  // namespace dh::ed
