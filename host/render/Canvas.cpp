#include "host/render/Canvas.h"

#include "host/render/PngFile.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>

namespace dh::render {

namespace {

// Pending path operations after which a batch is stroked anyway: cairo's stroker works on
// the whole path at once, and very long paths cost memory without saving time.
constexpr long kBatchOps = 20000;

void setColor(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

}  // namespace

bool isInvertible(const cairo_matrix_t& m)
{
    const double det = m.xx * m.yy - m.xy * m.yx;
    const double scale = std::fabs(m.xx) + std::fabs(m.yy) + std::fabs(m.xy) + std::fabs(m.yx);
    return std::isfinite(det) && scale > 0.0 && std::fabs(det) > 1e-12 * scale * scale;
}

Canvas::Canvas(PictureFormat format, const std::string& file, int width, int height, Rgb background)
    : m_format(format), m_file(file), m_width(width), m_height(height)
{
    switch (format) {
    case PictureFormat::Png:
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        break;
    case PictureFormat::Svg:
        m_surface = cairo_svg_surface_create(file.c_str(), width, height);
        break;
    case PictureFormat::Pdf:
        m_surface = cairo_pdf_surface_create(file.c_str(), width, height);
        break;
    }
    m_cr = cairo_create(m_surface);
    setColor(m_cr, background, 1.0);
    cairo_paint(m_cr);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    if (format == PictureFormat::Png && cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(m_surface);
        m_raster = std::make_unique<HairlineRaster>(cairo_image_surface_get_data(m_surface),
                                                    cairo_image_surface_get_stride(m_surface), width, height);
    }
}

Canvas::~Canvas()
{
    if (m_cr)
        cairo_destroy(m_cr);
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

std::string Canvas::error() const
{
    cairo_status_t status = cairo_surface_status(m_surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_status(m_cr);
    return status == CAIRO_STATUS_SUCCESS ? std::string() : cairo_status_to_string(status);
}

void Canvas::useStroke(const StrokeStyle& style)
{
    if (m_stroking && style == m_style)
        return;
    flush();
    m_style = style;
    m_stroking = true;
    m_direct = m_raster && style.widthPx == 0.0 && style.dashes.empty();
}

void Canvas::syncForDirect()
{
    if (m_cairoDrew)
        cairo_surface_flush(m_surface);
    m_cairoDrew = false;
    m_wroteDirect = true;
}

void Canvas::directLine(Point2 to)
{
    syncForDirect();
    m_raster->line(m_current.x, m_current.y, to.x, to.y, m_style.color);
    m_current = to;
}

void Canvas::moveTo(Point2 p)
{
    if (m_direct) {
        m_current = m_pieceStart = p;
        return;
    }
    cairo_move_to(m_cr, p.x, p.y);
    ++m_pendingOps;
}

void Canvas::lineTo(Point2 p)
{
    if (m_direct) {
        directLine(p);
        return;
    }
    cairo_line_to(m_cr, p.x, p.y);
    ++m_pendingOps;
}

void Canvas::closePath()
{
    if (m_direct)
        directLine(m_pieceStart);
    else
        cairo_close_path(m_cr);
}

void Canvas::arc(const cairo_matrix_t& unit, double t0, double t1, bool ccw, bool newPiece)
{
    if (!isInvertible(unit))
        return;
    if (m_direct) {
        directArc(unit, t0, t1, ccw, newPiece);
        return;
    }
    if (newPiece)
        cairo_new_sub_path(m_cr);
    cairo_set_matrix(m_cr, &unit);
    if (ccw)
        cairo_arc(m_cr, 0.0, 0.0, 1.0, t0, t1);
    else
        cairo_arc_negative(m_cr, 0.0, 0.0, 1.0, t0, t1);
    cairo_identity_matrix(m_cr);
    m_pendingOps += 8;
}

void Canvas::applyStroke()
{
    setColor(m_cr, m_style.color, 1.0);
    cairo_set_line_width(m_cr, m_style.widthPx > 0.0 ? m_style.widthPx : 1.0);
    if (m_style.dashes.empty())
        cairo_set_dash(m_cr, nullptr, 0, 0.0);
    else
        cairo_set_dash(m_cr, m_style.dashes.data(), static_cast<int>(m_style.dashes.size()), 0.0);
}

// Chords whose sagitta stays under a quarter pixel, as cairo's own tolerance.
void Canvas::directArc(const cairo_matrix_t& unit, double t0, double t1, bool ccw, bool newPiece)
{
    double span = t1 - t0;
    if (ccw)
        while (span < 0.0) span += 2.0 * M_PI;
    else
        while (span > 0.0) span -= 2.0 * M_PI;
    const double radius = std::sqrt(std::max(unit.xx * unit.xx + unit.yx * unit.yx, unit.xy * unit.xy + unit.yy * unit.yy));
    const double step = radius > 0.25 ? 2.0 * std::acos(1.0 - 0.25 / radius) : M_PI;
    const int n = std::clamp(static_cast<int>(std::ceil(std::fabs(span) / step)), 1, 100000);
    for (int i = 0; i <= n; ++i) {
        const double t = t0 + span * i / n;
        double x = std::cos(t), y = std::sin(t);
        cairo_matrix_transform_point(&unit, &x, &y);
        if (i == 0 && newPiece)
            moveTo({x, y});
        else
            directLine({x, y});
    }
}

void Canvas::flush()
{
    m_cairoDrew = true;
    if (m_wroteDirect) {
        cairo_surface_mark_dirty(m_surface);
        m_wroteDirect = false;
    }
    if (m_stroking && m_pendingOps > 0) {
        applyStroke();
        cairo_stroke(m_cr);
    } else {
        cairo_new_path(m_cr);
    }
    m_pendingOps = 0;
}

void Canvas::beginFill()
{
    flush();
    m_stroking = false;
    m_direct = false;
}

void Canvas::endFill(Rgb color, double alpha)
{
    setColor(m_cr, color, alpha);
    cairo_fill(m_cr);
    m_pendingOps = 0;
}

void Canvas::fillRect(double x, double y, double w, double h, Rgb color, double alpha)
{
    beginFill();
    cairo_rectangle(m_cr, x, y, w, h);
    endFill(color, alpha);
}

std::string Canvas::finish()
{
    flush();
    if (std::string e = error(); !e.empty())
        return e;
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (m_format == PictureFormat::Png) {
        std::string e = writePng(m_surface, m_file);
        return e;
    } else {
        cairo_surface_finish(m_surface);
        status = cairo_surface_status(m_surface);
    }
    return status == CAIRO_STATUS_SUCCESS ? std::string() : cairo_status_to_string(status);
}

}  // namespace dh::render
