// Polylines as kernel composite curves: one component per segment, in segment order,
// AcGeLineSeg2d or AcGeCircArc2d (AcGeLineSeg3d for 3D polylines). Components are heap
// objects owned by whoever holds the composite, not by the composite: free a composite
// with freeCompositeCurve, never with delete alone.
//
// The builders take a polyline the caller has open and touch no database object. They
// answer a status of GeometryStatus.h and set composite to a new curve or to nullptr;
// on failure everything built is freed again. Zero-length segments give no component.
#pragma once

class AcDb2dPolyline;
class AcDb3dPolyline;
class AcDbPolyline;
class AcGeCompositeCurve2d;
class AcGeCompositeCurve3d;

namespace dh::toolkit {

// Lightweight polyline, in its own (object) coordinates. Coincident and point segments
// add nothing; with no segment at all there is no composite and the status is still 0.
// The closing arc of a closed polyline stops 1% of its sweep short of the start point,
// so that the chain does not close on itself, unless fullClosingArc is set.
int polylineToComposite(const AcDbPolyline* polyline, AcGeCompositeCurve2d*& composite,
                        bool fullClosingArc = false);

// Old-style 2D polyline (database resident: its vertices are walked by id). Spline control
// vertices are passed over; fit and plain vertices give the segments. 3 when no segment,
// the host's status when the end parameter or the last vertex cannot be read.
int polyline2dToComposite(const AcDb2dPolyline* polyline, AcGeCompositeCurve2d*& composite);

// 3D polyline: straight components through the vertices that are not control vertices.
int polyline3dToComposite(const AcDb3dPolyline* polyline, AcGeCompositeCurve3d*& composite);

// Deletes every component and then the composite; nullptr is allowed.
void freeCompositeCurve(AcGeCompositeCurve2d* composite);
void freeCompositeCurve(AcGeCompositeCurve3d* composite);

} // namespace dh::toolkit
