// Pen: builds the canvas path of an entity from points in the entity's coordinates under a
// placement. Points closer than half a pixel to the last one drawn are skipped (the last
// point of a run is always drawn), which keeps dense contours cheap at small scales
// without moving any line by more than half a pixel.
#pragma once

#include "host/render/Canvas.h"
#include "host/render/Placement.h"

namespace dh::render {

class Pen {
public:
    Pen(Canvas& canvas, const Placement& placement) : m_canvas(canvas), m_placement(placement) {}

    const Placement& placement() const { return m_placement; }
    Canvas& canvas() { return m_canvas; }

    void moveTo(const AcGePoint3d& p) { moveToDevice(m_placement.toDevice(p)); }
    void lineTo(const AcGePoint3d& p) { lineToDevice(m_placement.toDevice(p)); }
    void moveToDevice(Point2 d);
    void lineToDevice(Point2 d);
    // The elliptic arc center + cos t·u + sin t·v from t0 to t1, joined to the path by a
    // line from the current point (a new piece when there is none).
    void arc(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v, double t0,
             double t1, bool ccw);
    void closePath();
    // Ends the current run (draws a skipped last point).
    void endRun();
    // A dot of one pixel.
    void dot(const AcGePoint3d& p);

private:
    Canvas& m_canvas;
    Placement m_placement;
    Point2 m_last;
    Point2 m_pending;
    bool m_hasPending = false;
    bool m_open = false;
};

}  // namespace dh::render
