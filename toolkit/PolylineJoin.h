// Joining two old-style 2D polylines into one.
#pragma once

class AcDb2dPolyline;

namespace dh::toolkit {

// A new 2D polyline (in no database) that runs along `first` to the end given by
// firstAtStart (its start when set, else its end), then on along `second` from the end
// given by secondAtStart; the part needed is reversed, arcs included. Ends further apart
// than the kernel's global tolerance are bridged by a straight segment; a result whose ends
// meet within 0.1 is closed. The result has first's properties, elevation, thickness and
// normal, and width 0. Both sources (database resident, open) stay unchanged. Answers 0,
// 3 when either polyline gives no composite, or the status of the conversion back; joined
// is nullptr on failure.
int joinPolylines2d(const AcDb2dPolyline* first, bool firstAtStart, const AcDb2dPolyline* second,
                    bool secondAtStart, AcDb2dPolyline*& joined);

} // namespace dh::toolkit
