// Thinning out the vertices of a lightweight polyline (Douglas-Peucker), in place.
#pragma once

class AcDbPolyline;

namespace dh::toolkit {

// Removes the vertices of first..last that lie closer than `tolerance` to the chord
// between the vertices kept on either side, and every vertex outside first..last. Both
// ends of every arc segment stay, and thinning never reaches across them, so every removed
// vertex of the range lies within the tolerance of the result. A tolerance of 0 means
// 0.0001 of the polyline's length (a polyline of no length keeps the range's ends); a last
// index of 0 means the last vertex. Nothing changes unless 0 <= first <= last <
// numVerts and tolerance >= 0. The polyline must be open for write; answers 0 or the
// host's status of a refused edit.
int rarefyPolyline(AcDbPolyline* polyline, double tolerance, int first, int last);

} // namespace dh::toolkit
