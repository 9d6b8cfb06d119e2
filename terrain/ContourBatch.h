// Batch joining of broken contours: the lines crossed by a fence on one side of the gaps
// are paired with those crossed by a fence on the other side, by elevation and the
// distance between their ends.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint3d.h>
#include <adesk/AcArray.h>

namespace dh::terrain {

constexpr int kNothingFenced = 16;

// Appends the lightweight and old-style polylines that the fence a-b crosses, in selection
// order, and highlights them: 0, or kNothingFenced (with a message) when there are none.
int fenceSelectContours(const AcGePoint3d& a, const AcGePoint3d& b, AcArray<AcDbObjectId>& ids);

// The candidate at the same elevation (start point z, exactly) whose nearest end lies
// closest to an end of line, distances cut to whole units; the first on equal distances.
// -1 when none qualifies.
int findPartner(AcDbObjectId line, const AcArray<AcDbObjectId>& candidates);

// Unhighlights both sets and joins every line of the smaller set (the first on equal
// sizes) with its partner in the other; a partner joined is not offered again. Answers
// the number of joins.
int joinBatch(const AcArray<AcDbObjectId>& first, const AcArray<AcDbObjectId>& second);

// Unhighlights the lines; false for a line that cannot be opened for write.
bool unhighlight(AcDbObjectId line);
void unhighlight(const AcArray<AcDbObjectId>& lines);

} // namespace dh::terrain
