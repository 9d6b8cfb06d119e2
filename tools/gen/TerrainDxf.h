// TerrainDxf: writes a synthetic topographic drawing as an R2000 DXF file — contour lines
// (lightweight polylines with an elevation, some old-style 2D polylines), elevation points
// (circles, points, references of a block with an elevation attribute) with text labels,
// exact duplicates and duplicates at another elevation, on several layers. The output is
// a function of the options alone (fixed seed), so benchmarks and tests can rely on it.
// Every label is a text of height 2 in the Standard style: one text "%.2f" of the value at
// (x + 1, y − 0.5), or two texts, the integer part ending 0.2 left of the point and the
// decimal part starting 0.2 right of it, both with their baseline at y − 0.5.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace dh::tools {

struct TerrainOptions {
    long contours = 1000;        // contour lines
    long points = 1000;          // elevation points, each with a label
    int vertices = 48;           // vertices per contour (on average)
    double oldStyleShare = 0.1;  // share of contours written as POLYLINE/VERTEX/SEQEND
    double duplicateShare = 0.02; // share of contours and points repeated exactly
    double otherElevationShare = 0.01; // share repeated 0.5 higher
    // Share of the open, unrepeated contours broken into two pieces with a small gap. One
    // pair in five differs on purpose: every tenth second piece lies 0.5 higher, every
    // other tenth on the other contour layer. 0 leaves the output as it always was.
    double brokenShare = 0.0;
    std::uint32_t seed = 20261208;
    // Labels (see writeTerrainDxf): the share of points whose label is written as two texts,
    // the integer part left of the point and the decimal part right of it; the rest get one
    // text. Drawn from a random sequence of their own, so the drawing is otherwise the same.
    double splitLabelShare = 0.0;
    // Points at elevation 0, their values only in their labels (a block's attribute is then
    // its only label).
    bool flatPoints = false;
    // When given, one line per elevation point written: "x y value label", label being
    // "text", "split" or "attribute", x and y as written to the drawing.
    std::ostream* truth = nullptr;
};

// A contour broken in two: the handles of its pieces, the end of the first piece and the
// start of the second (the gap between them), whether the pieces share elevation and
// layer, and a short fence across each piece near the gap.
struct BrokenPair {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    double gap[4] = {};    // x, y of the first piece's end, then of the second's start
    bool sameElevation = true;
    bool sameLayer = true;
    double fence1[4] = {}; // x1, y1, x2, y2 across the first piece
    double fence2[4] = {}; // across the second piece
};

// Returns the number of entities written; the broken pairs go to `broken` when given.
long writeTerrainDxf(std::ostream& out, const TerrainOptions& options,
                     std::vector<BrokenPair>* broken = nullptr);

// The pairs as text, one line each, after a header comment naming the columns.
void writeBrokenPairs(std::ostream& out, const std::vector<BrokenPair>& pairs);

} // namespace dh::tools
