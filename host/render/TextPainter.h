// TextPainter: single-line texts drawn with a CJK-capable font found through fontconfig.
// Characters sit in the cells of the host's text metric (half-width 0.5, full-width 1.0
// text heights, times the width factor), so a drawn text fills the box its entity reports:
// capitals and full-width characters are one text height tall, each glyph is centred in
// its cell and narrowed when wider. Texts under two pixels tall are drawn as a line
// through their box. Control codes %%d %%p %%c %%nnn %%% show their character; %%u and
// %%o draw the under- and overline.
#pragma once

#include "host/render/Canvas.h"

#include <string>
#include <utility>
#include <vector>

namespace dh::render {

// The box of a text in device pixels: baseline start, baseline end, top start (as the
// entity's bounding points give them, mirroring included).
struct TextBox {
    Point2 baseStart;
    Point2 baseEnd;
    Point2 topStart;
};

class TextPainter {
public:
    explicit TextPainter(Canvas& canvas) : m_canvas(canvas) {}

    // oblique: slant of the characters, radians from upright.
    void draw(const std::string& utf8, const TextBox& box, double oblique, Rgb color);

    // The font file in use; empty when fontconfig found none (texts then show as boxes).
    static std::string fontFile();

private:
    // Lines along runs of cells (from, to) at height y of the text frame.
    void drawLines(const std::vector<std::pair<double, double>>& runs, double y,
                   const cairo_matrix_t& frame, Rgb color);

    Canvas& m_canvas;
};

}  // namespace dh::render
