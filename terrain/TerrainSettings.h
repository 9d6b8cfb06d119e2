// Terravue's two settings, held in memory while the module is loaded and reached only
// through these four exports (C linkage), by the module itself as by other modules. The
// setters store any value unchanged, zero and negative included.
#pragma once

#include <adesk/Adesk.h>

extern "C" {
// Denominator N of the map scale 1:N; 1000.0 at load.
ADESK_EXPORT double getST_MapProportion();
ADESK_EXPORT void setST_MapProportion(double value);
// Radius, in drawing units, of the circle that marks an elevation point; 0.15 at load.
ADESK_EXPORT double getST_SpotRadius();
ADESK_EXPORT void setST_SpotRadius(double value);
}
