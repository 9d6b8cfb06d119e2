// Placement: from the coordinates an entity is drawn in (the world, or a block's own under
// the references that place it) to device pixels of the picture, looking down on the x-y
// plane. A window is fitted into the picture centred, keeping its proportions.
#pragma once

#include "host/render/Canvas.h"
#include "host/render/RenderOptions.h"

#include <acge/AcGeMatrix3d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

#include <cairo.h>

namespace dh::render {

class Placement {
public:
    // The world as the window shows it in a picture of width x height pixels.
    Placement(const Window& window, int width, int height);
    // This placement after blockToOuter (a block reference's transform).
    Placement nested(const AcGeMatrix3d& blockToOuter) const;

    Point2 toDevice(const AcGePoint3d& p) const
    {
        return {m_row[0][0] * p.x + m_row[0][1] * p.y + m_row[0][2] * p.z + m_row[0][3],
                m_row[1][0] * p.x + m_row[1][1] * p.y + m_row[1][2] * p.z + m_row[1][3]};
    }
    Point2 toDevice(double x, double y, double z = 0.0) const { return toDevice(AcGePoint3d(x, y, z)); }
    Point2 vectorToDevice(const AcGeVector3d& v) const
    {
        return {m_row[0][0] * v.x + m_row[0][1] * v.y + m_row[0][2] * v.z,
                m_row[1][0] * v.x + m_row[1][1] * v.y + m_row[1][2] * v.z};
    }
    // The matrix that takes the unit circle onto the ellipse center + cos t·u + sin t·v.
    cairo_matrix_t unitCircle(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v) const;
    // Pixels per unit of length, for lengths in the drawing plane (the geometric mean of
    // the two axis scales).
    double pixelsPerUnit() const { return m_pixelsPerUnit; }
    // The world rectangle the whole picture shows (the window grown to its proportions).
    const Window& shown() const { return m_shown; }

private:
    Placement() = default;

    double m_row[2][4] = {};
    double m_pixelsPerUnit = 1.0;
    Window m_shown;
};

}  // namespace dh::render
