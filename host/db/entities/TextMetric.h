// The host's text metric: the advance of every character as a fraction of the text height.
//
// The host carries no font files, so widths follow one documented rule instead of glyph
// outlines: a half-width character (Latin, digits, punctuation, space) advances 0.5 × height,
// a full-width one (CJK ideographs, kana, hangul, full-width forms) 1.0 × height, both times
// the width factor. A line is `height` tall from its baseline. Single-line texts understand
// the control codes %%d %%p %%c %%nnn (one character), %%u %%o %%k (no width) and %%%;
// multi-line texts their formatting codes (\P paragraph, \S stacking, {…} groups, \X…; values).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dh::db {

constexpr double kHalfWidthAdvance = 0.5;
constexpr double kFullWidthAdvance = 1.0;
// Distance between the baselines of two lines of a multi-line text, in text heights.
constexpr double kLinePitch = 5.0 / 3.0;

// Decodes UTF-8; an invalid byte becomes U+FFFD so that a damaged string still has a width.
std::u32string decodeUtf8(std::string_view text);

bool isFullWidth(char32_t c);

// Width in units of the text height (width factor 1) of a single-line text string; raw
// skips the %% control codes.
double textWidthFactor(std::string_view text, bool raw = false);

// The plain lines of a multi-line text's contents, formatting codes removed.
std::vector<std::u32string> mtextLines(std::string_view contents);

// Width in text heights of one plain line.
double lineWidthFactor(const std::u32string& line);

// Lines of a multi-line text broken at spaces (or anywhere between full-width characters)
// so that none is wider than `maxWidth` text heights; maxWidth <= 0 breaks only at \P.
std::vector<std::u32string> wrapMTextLines(std::string_view contents, double maxWidth);

} // namespace dh::db
