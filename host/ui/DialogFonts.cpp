#include "host/ui/DialogFonts.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace dh::ui {
namespace {

constexpr int kScreenDpi = 96;

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

QFont::StyleHint styleHint(BYTE pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case FF_ROMAN: return QFont::Serif;
    case FF_SWISS: return QFont::SansSerif;
    case FF_MODERN: return QFont::TypeWriter;
    case FF_SCRIPT: return QFont::Cursive;
    case FF_DECORATIVE: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

// Weights 100 to 900 on Qt's scale.
int qtWeight(int weight)
{
    static constexpr int kWeights[] = {QFont::Thin, QFont::ExtraLight, QFont::Light,
                                       QFont::Normal, QFont::Medium, QFont::DemiBold,
                                       QFont::Bold, QFont::ExtraBold, QFont::Black};
    if (weight <= 0)
        return QFont::Normal;
    const int step = std::clamp((weight + 50) / 100, 1, 9);
    return kWeights[step - 1];
}

} // namespace

QFont dialogFont(const char* faceName, int pointSize)
{
    QFont font(QString::fromUtf8(faceName ? faceName : ""));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, mulDiv(pointSize, kScreenDpi, 72)));
    return font;
}

QFont fontFromLogFont(const LOGFONTA& logFont)
{
    QFont font(QString::fromUtf8(logFont.lfFaceName));
    font.setStyleHint(styleHint(logFont.lfPitchAndFamily));
    font.setWeight(qtWeight(logFont.lfWeight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    if (logFont.lfHeight < 0) {
        font.setPixelSize(-logFont.lfHeight);
    } else if (logFont.lfHeight > 0) {
        // A positive height is the whole cell: scale the character size until the
        // font's line height matches it.
        font.setPixelSize(logFont.lfHeight);
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, mulDiv(logFont.lfHeight, logFont.lfHeight, cell)));
    }
    return font;
}

QSize dialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, metrics.height());
}

QRect dialogRect(const QSize& baseUnits, int x, int y, int width, int height)
{
    return QRect(mulDiv(x, baseUnits.width(), 4), mulDiv(y, baseUnits.height(), 8),
                 mulDiv(width, baseUnits.width(), 4), mulDiv(height, baseUnits.height(), 8));
}

} // namespace dh::ui
