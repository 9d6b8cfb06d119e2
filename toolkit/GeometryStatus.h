// Statuses of the curve operations (composites, polyline conversion, joining, thinning).
// Any other value an operation answers is a host Acad::ErrorStatus passed through.
#pragma once

namespace dh::toolkit {

constexpr int kGeOk = 0;
// A curve without a start or an end point, or spline data the host would not give.
constexpr int kGeNoEnds = 1;
// Nothing to build (no segment, a degenerate result), or an input missing or unusable.
constexpr int kGeNothing = 3;

} // namespace dh::toolkit
