// Angles as text in the host's angle units, as angtos gives them and angtof reads them:
// 0 decimal degrees "90.00", 1 degrees/minutes/seconds "45d30'0\"", 2 grads "100.00g",
// 3 radians "1.571r", 4 surveyor bearings "N 45d W". Angles are radians counter-clockwise
// from east, brought into 0..2pi before formatting; ANGBASE and ANGDIR are not applied.
//
// For units 1 and 4 the precision chooses what shows: 0 degrees, 1-2 minutes, 3-4 seconds,
// more adds decimals to the seconds. DIMZIN trims zeros of decimal forms as for
// distances; UNITMODE 1 writes bearings without spaces ("N45dW").
#pragma once

#include "host/lispeval/DistanceFormat.h"

#include <optional>
#include <string>
#include <string_view>

namespace dh::lisp {

// Empty for a unit outside 0 to 4.
std::string formatAngle(double radians, int unit, int precision, NumberStyle style = {});

// Radians of an angle written in unit (plain numbers in that unit, or any form angtos
// gives for it); nullopt when the text is no angle.
std::optional<double> parseAngle(std::string_view text, int unit);

} // namespace dh::lisp
