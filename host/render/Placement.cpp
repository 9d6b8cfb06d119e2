#include "host/render/Placement.h"

#include <cmath>

namespace dh::render {

Placement::Placement(const Window& window, int width, int height)
{
    const double scale = std::min(width / window.width(), height / window.height());
    const double cx = (window.minX + window.maxX) / 2.0, cy = (window.minY + window.maxY) / 2.0;
    const double halfW = width / scale / 2.0, halfH = height / scale / 2.0;
    m_shown = {cx - halfW, cy - halfH, cx + halfW, cy + halfH};
    m_row[0][0] = scale;
    m_row[0][3] = width / 2.0 - cx * scale;
    m_row[1][1] = -scale;
    m_row[1][3] = height / 2.0 + cy * scale;
    m_pixelsPerUnit = scale;
}

Placement Placement::nested(const AcGeMatrix3d& m) const
{
    Placement inner;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = c == 3 ? m_row[r][3] : 0.0;
            for (int k = 0; k < 3; ++k)
                sum += m_row[r][k] * m(k, c);
            inner.m_row[r][c] = sum;
        }
    const double det = inner.m_row[0][0] * inner.m_row[1][1] - inner.m_row[0][1] * inner.m_row[1][0];
    inner.m_pixelsPerUnit = std::sqrt(std::fabs(det));
    inner.m_shown = m_shown;
    return inner;
}

cairo_matrix_t Placement::unitCircle(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v) const
{
    const Point2 c = toDevice(center), du = vectorToDevice(u), dv = vectorToDevice(v);
    cairo_matrix_t m;
    cairo_matrix_init(&m, du.x, du.y, dv.x, dv.y, c.x, c.y);
    return m;
}

}  // namespace dh::render
