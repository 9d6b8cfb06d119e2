#include "host/ed/View.h"

#include <algorithm>
#include <cmath>

namespace dh::ed {
namespace {

struct Frame {
    ViewPoint x;
    ViewPoint y;
    ViewPoint z;
};

double dot(const ViewPoint& a, const ViewPoint& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

ViewPoint cross(const ViewPoint& a, const ViewPoint& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

ViewPoint normalised(const ViewPoint& v)
{
    const double length = std::sqrt(dot(v, v));
    if (length == 0.0)
        return {0.0, 0.0, 1.0};
    return {v.x / length, v.y / length, v.z / length};
}

// The arbitrary-axis rule of the drawing format: the X axis of a plane with normal n.
Frame frameOf(const ViewPoint& direction)
{
    const ViewPoint n = normalised(direction);
    constexpr double kLimit = 1.0 / 64.0;
    const ViewPoint worldY{0.0, 1.0, 0.0};
    const ViewPoint worldZ{0.0, 0.0, 1.0};
    const bool nearZ = std::fabs(n.x) < kLimit && std::fabs(n.y) < kLimit;
    const ViewPoint ax = normalised(cross(nearZ ? worldY : worldZ, n));
    return {ax, cross(n, ax), n};
}

}  // namespace

bool View::isPlan() const
{
    return twist == 0.0 && direction.x == 0.0 && direction.y == 0.0 && direction.z > 0.0;
}

ViewPoint View::displayCentre() const
{
    const ViewPoint d = worldToDisplay(centre);
    return {d.x, d.y, 0.0};
}

ViewBox View::displayBox() const
{
    const ViewPoint middle = displayCentre();
    const double halfW = width() / 2.0;
    const double halfH = height / 2.0;
    return {middle.x - halfW, middle.y - halfH, middle.x + halfW, middle.y + halfH};
}

bool View::showsDisplayPoint(double x, double y) const
{
    // A hair of slack so that zooming to a drawing's extents shows the entities on its edge.
    const ViewBox box = displayBox();
    const double slack = height * 1e-9;
    return x >= box.minX - slack && x <= box.maxX + slack && y >= box.minY - slack &&
           y <= box.maxY + slack;
}

ViewPoint View::worldToDisplayVector(const ViewPoint& v) const
{
    const Frame f = frameOf(direction);
    const double x = dot(v, f.x);
    const double y = dot(v, f.y);
    const double c = std::cos(twist);
    const double s = std::sin(twist);
    return {x * c - y * s, x * s + y * c, dot(v, f.z)};
}

ViewPoint View::displayToWorldVector(const ViewPoint& d) const
{
    const Frame f = frameOf(direction);
    const double c = std::cos(twist);
    const double s = std::sin(twist);
    const double x = d.x * c + d.y * s;
    const double y = -d.x * s + d.y * c;
    return {x * f.x.x + y * f.y.x + d.z * f.z.x, x * f.x.y + y * f.y.y + d.z * f.z.y,
            x * f.x.z + y * f.y.z + d.z * f.z.z};
}

ViewPoint View::worldToDisplay(const ViewPoint& world) const
{
    return worldToDisplayVector({world.x - target.x, world.y - target.y, world.z - target.z});
}

ViewPoint View::displayToWorld(const ViewPoint& display) const
{
    const ViewPoint v = displayToWorldVector(display);
    return {v.x + target.x, v.y + target.y, v.z + target.z};
}

bool View::zoomCentre(const ViewPoint& worldCentre, double newHeight)
{
    if (!(newHeight > 0.0) || !std::isfinite(newHeight))
        return false;
    centre = worldCentre;
    height = newHeight;
    return true;
}

bool View::zoomDisplayBox(const ViewBox& box)
{
    const double w = std::fabs(box.maxX - box.minX);
    const double h = std::fabs(box.maxY - box.minY);
    if (!std::isfinite(w) || !std::isfinite(h))
        return false;
    return setFromRecord((box.minX + box.maxX) / 2.0, (box.minY + box.maxY) / 2.0, h, w);
}

bool View::zoomWorldBox(const ViewPoint& lower, const ViewPoint& upper)
{
    ViewBox box{1e300, 1e300, -1e300, -1e300};
    for (int corner = 0; corner < 8; ++corner) {
        const ViewPoint p{(corner & 1) ? upper.x : lower.x, (corner & 2) ? upper.y : lower.y,
                          (corner & 4) ? upper.z : lower.z};
        const ViewPoint d = worldToDisplay(p);
        box.minX = std::min(box.minX, d.x);
        box.minY = std::min(box.minY, d.y);
        box.maxX = std::max(box.maxX, d.x);
        box.maxY = std::max(box.maxY, d.y);
    }
    return zoomDisplayBox(box);
}

bool View::setFromRecord(double centreX, double centreY, double recordHeight, double recordWidth)
{
    const double h = std::max(std::fabs(recordHeight), std::fabs(recordWidth) * screenHeight / screenWidth);
    if (!(h > 0.0) || !std::isfinite(h) || !std::isfinite(centreX) || !std::isfinite(centreY))
        return false;
    centre = displayToWorld({centreX, centreY, 0.0});
    height = h;
    return true;
}

}  // namespace dh::ed
