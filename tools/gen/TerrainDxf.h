// TerrainDxf: writes a synthetic topographic drawing as an R2000 DXF file — contour lines
// (lightweight polylines with an elevation, some old-style 2D polylines), elevation points
// (circles, points, references of a block with an elevation attribute) with text labels,
// exact duplicates and duplicates at another elevation, on several layers. The output is
// a function of the options alone (fixed seed), so benchmarks and tests can rely on it.
#pragma once

#include <cstdint>
#include <ostream>

namespace dh::tools {

struct TerrainOptions {
    long contours = 1000;        // contour lines
    long points = 1000;          // elevation points, each with a label
    int vertices = 48;           // vertices per contour (on average)
    double oldStyleShare = 0.1;  // share of contours written as POLYLINE/VERTEX/SEQEND
    double duplicateShare = 0.02; // share of contours and points repeated exactly
    double otherElevationShare = 0.01; // share repeated 0.5 higher
    std::uint32_t seed = 20261208;
};

// Returns the number of entities written.
long writeTerrainDxf(std::ostream& out, const TerrainOptions& options);

} // namespace dh::tools
