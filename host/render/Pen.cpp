#include "host/render/Pen.h"

#include <cmath>

namespace dh::render {

namespace {

constexpr double kSkipPx = 0.5;

}  // namespace

void Pen::moveToDevice(Point2 d)
{
    endRun();
    m_canvas.moveTo(d);
    m_last = d;
    m_open = true;
}

void Pen::lineToDevice(Point2 d)
{
    if (!m_open) {
        moveToDevice(d);
        return;
    }
    if (std::fabs(d.x - m_last.x) < kSkipPx && std::fabs(d.y - m_last.y) < kSkipPx) {
        m_pending = d;
        m_hasPending = true;
        return;
    }
    m_canvas.lineTo(d);
    m_last = d;
    m_hasPending = false;
}

void Pen::endRun()
{
    if (m_hasPending)
        m_canvas.lineTo(m_pending);
    m_hasPending = false;
}

void Pen::arc(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v, double t0, double t1,
              bool ccw)
{
    endRun();
    const cairo_matrix_t unit = m_placement.unitCircle(center, u, v);
    if (!isInvertible(unit)) {
        // Seen edge-on the arc is flat: its points, in order, trace it.
        constexpr int kSteps = 32;
        const double span = ccw ? (t1 >= t0 ? t1 - t0 : t1 - t0 + 2 * M_PI) : (t1 <= t0 ? t1 - t0 : t1 - t0 - 2 * M_PI);
        for (int i = 0; i <= kSteps; ++i) {
            const double t = t0 + span * i / kSteps;
            lineTo(center + u * std::cos(t) + v * std::sin(t));
        }
        return;
    }
    m_canvas.arc(unit, t0, t1, ccw, !m_open);
    double x = std::cos(t1), y = std::sin(t1);
    cairo_matrix_transform_point(&unit, &x, &y);
    m_last = {x, y};
    m_open = true;
}

void Pen::closePath()
{
    endRun();
    if (m_open)
        m_canvas.closePath();
    m_open = false;
}

void Pen::dot(const AcGePoint3d& p)
{
    endRun();
    const Point2 d = m_placement.toDevice(p);
    m_canvas.moveTo({d.x - 0.5, d.y});
    m_canvas.lineTo({d.x + 0.5, d.y});
    m_open = false;
}

}  // namespace dh::render
