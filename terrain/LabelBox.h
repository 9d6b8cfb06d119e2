// The box in which CHGCD_T looks for the decimal part of a label written as two texts, and
// for its elevation point: from half the text height below the baseline to one height
// above it, and from the insertion point to twice the string's width to the right, turned
// with the text and taken as axis-parallel extents.
#pragma once

#include "terrain/ScatterSet.h"
#include "terrain/Spot.h"

class AcDbText;

namespace dh::terrain {

using LabelRectangle = ScatterSet<Spot>::SearchRange;

// The string's width is the host's measure with the text's style at the text's height; 0
// when the style cannot be loaded (or the height is not above zero).
LabelRectangle labelBox(const AcDbText* text);
class SpaceAppender;

// Adds the rectangle's outline as a closed polyline to the current space through appender,
// with the drawing's current properties; a DbStatus.
int drawBox(const LabelRectangle& box, SpaceAppender& appender);

} // namespace dh::terrain
