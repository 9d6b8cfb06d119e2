// Fonts and dialog units. A dialog's font is given in points as on a 96 dpi screen, so a
// dialog has the same size in pixels on every platform; its base units are those of the
// window library: the average width of the 52 Latin letters and the font's height.
#pragma once

#include <acui/AcUiFont.h>

#include <QFont>
#include <QRect>
#include <QSize>

namespace dh::ui {

QFont dialogFont(const char* faceName, int pointSize);
QFont fontFromLogFont(const LOGFONTA& logFont);
// Horizontal and vertical base units in pixels.
QSize dialogBaseUnits(const QFont& font);
// A rectangle in dialog units turned into pixels.
QRect dialogRect(const QSize& baseUnits, int x, int y, int width, int height);

} // namespace dh::ui
