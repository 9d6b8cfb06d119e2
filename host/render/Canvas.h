// Canvas: the cairo surface a picture is drawn on, in device pixels (y down), with the
// current path kept open across entities of the same stroke style so that runs of alike
// entities are stroked at once. On a PNG picture, thin solid lines skip cairo and go
// straight into the image (HairlineRaster); everything else is cairo's. Whoever draws
// with the cairo context directly calls flush() first. PNG pictures are written by
// finish(); SVG and PDF surfaces stream to their file as they are drawn.
#pragma once

#include "host/render/HairlineRaster.h"
#include "host/render/Palette.h"
#include "host/render/RenderOptions.h"

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

namespace dh::render {

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

// widthPx 0 is a hairline (one pixel); dashes alternate on and off lengths in pixels.
struct StrokeStyle {
    Rgb color;
    double widthPx = 0.0;
    std::vector<double> dashes;
    bool operator==(const StrokeStyle&) const = default;
};

class Canvas {
public:
    // file: where the surface writes (SVG, PDF) or finish() saves (PNG).
    Canvas(PictureFormat format, const std::string& file, int width, int height, Rgb background);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Empty when the surface works; else why not.
    std::string error() const;
    int width() const { return m_width; }
    int height() const { return m_height; }
    cairo_t* context() { return m_cr; }

    // Strokes: set the style, then add to the path; a new style strokes what was pending.
    void useStroke(const StrokeStyle& style);
    void moveTo(Point2 p);
    void lineTo(Point2 p);
    void closePath();
    // The arc of the unit circle from angle t0 to t1 under `unit`, a matrix from the unit
    // circle's plane to device pixels: with ccw the angle grows from t0 (to t1, or t1 plus
    // whole turns), else it shrinks. newPiece starts a new sub-path; else the arc joins
    // the path with a line from its current point.
    void arc(const cairo_matrix_t& unit, double t0, double t1, bool ccw, bool newPiece);
    // Strokes what is pending.
    void flush();

    // Fills: the path from the calls between beginFill and endFill, filled even-odd.
    void beginFill();
    void endFill(Rgb color, double alpha = 1.0);
    // A filled axis-aligned rectangle in pixels (points, tiny texts).
    void fillRect(double x, double y, double w, double h, Rgb color, double alpha = 1.0);

    // Strokes what is pending and completes the file; empty on success, else the reason.
    std::string finish();

private:
    void applyStroke();
    // Before writing pixels directly: cairo's drawing reaches the image first.
    void syncForDirect();
    void directLine(Point2 to);
    void directArc(const cairo_matrix_t& unit, double t0, double t1, bool ccw, bool newPiece);

    PictureFormat m_format;
    std::string m_file;
    int m_width;
    int m_height;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
    StrokeStyle m_style;
    bool m_stroking = false;
    long m_pendingOps = 0;
    std::unique_ptr<HairlineRaster> m_raster;  // PNG pictures only
    bool m_direct = false;       // the current style's lines go to m_raster
    bool m_cairoDrew = true;     // cairo may have drawn since the last direct line
    bool m_wroteDirect = false;  // direct lines since cairo last heard of them
    Point2 m_current;
    Point2 m_pieceStart;
};

// Whether a cairo matrix can be inverted (drawing under a flat one breaks the context).
bool isInvertible(const cairo_matrix_t& m);

}  // namespace dh::render
