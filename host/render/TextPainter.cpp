#include "host/render/TextPainter.h"

#include "host/db/entities/TextMetric.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dh::render {

namespace {

struct Glyph {
    unsigned long index = 0;
    double advance = 0.0;  // em units
};

// One decoded character of a text and the lines drawn along it.
struct Char {
    char32_t code = 0;
    bool underline = false;
    bool overline = false;
};

// Families with monospaced Latin first: their advances are the host metric's.
constexpr const char* kFamilies[] = {"WenQuanYi Micro Hei Mono", "Noto Sans Mono CJK SC",
                                     "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC"};

// The font, loaded once per process, and what the layout needs to know of its glyphs.
class Font {
public:
    static Font& instance()
    {
        static Font font;
        return font;
    }

    cairo_font_face_t* face() const { return m_face; }
    const std::string& file() const { return m_file; }
    const cairo_font_options_t* options() const { return m_options; }
    // Ink of a capital and of an ideograph, in em units above the baseline.
    double capHeight() const { return m_capHeight; }
    double ideographTop() const { return m_ideographTop; }
    double ideographBottom() const { return m_ideographBottom; }

    const Glyph& glyph(char32_t c)
    {
        auto found = m_glyphs.find(c);
        if (found != m_glyphs.end())
            return found->second;
        Glyph g;
        if (m_reference) {
            char utf8[5] = {};
            encode(c, utf8);
            cairo_glyph_t* glyphs = nullptr;
            int count = 0;
            if (cairo_scaled_font_text_to_glyphs(m_reference, 0, 0, utf8, -1, &glyphs, &count, nullptr,
                                                 nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
                count > 0) {
                g.index = glyphs[0].index;
                cairo_text_extents_t ext;
                cairo_scaled_font_glyph_extents(m_reference, glyphs, 1, &ext);
                g.advance = ext.x_advance;
            }
            cairo_glyph_free(glyphs);
        }
        return m_glyphs.emplace(c, g).first->second;
    }

private:
    Font()
    {
        m_options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(m_options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(m_options, CAIRO_HINT_STYLE_NONE);
        FcPattern* match = findPattern();
        if (!match)
            return;
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            m_file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternDestroy(match);
        // The face comes from the file itself, so that nothing of fontconfig's matching
        // stays held by cairo.
        if (m_file.empty() || FT_Init_FreeType(&m_library) != 0)
            return;
        FT_Face ftFace = nullptr;
        if (FT_New_Face(m_library, m_file.c_str(), index, &ftFace) != 0)
            return;
        m_face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
        static cairo_user_data_key_t key;
        cairo_font_face_set_user_data(m_face, &key, ftFace, [](void* face) { FT_Done_Face(static_cast<FT_Face>(face)); });
        cairo_matrix_t unit;
        cairo_matrix_init_identity(&unit);
        m_reference = cairo_scaled_font_create(m_face, &unit, &unit, m_options);
        if (cairo_scaled_font_status(m_reference) != CAIRO_STATUS_SUCCESS) {
            cairo_scaled_font_destroy(m_reference);
            m_reference = nullptr;
            return;
        }
        measure(U'H', m_capHeight, nullptr);
        measure(U'\u56FD', m_ideographTop, &m_ideographBottom);  // 国
    }

    ~Font()
    {
        if (m_reference)
            cairo_scaled_font_destroy(m_reference);
        if (m_face)
            cairo_font_face_destroy(m_face);
        cairo_font_options_destroy(m_options);
        // Faces still held by cairo's caches keep the library; it goes with the process.
    }

    // The first family of kFamilies that has ideographs, else whatever fontconfig offers
    // for Chinese.
    static FcPattern* findPattern()
    {
        for (const char* family : kFamilies) {
            FcPattern* pattern = FcPatternCreate();
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
            FcPattern* match = matchWithIdeographs(pattern, family);
            if (match)
                return match;
        }
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=zh-cn"));
        return pattern ? matchWithIdeographs(pattern, nullptr) : nullptr;
    }

    // Takes pattern; the match when it is the family asked for (any, when null) and holds 国.
    static FcPattern* matchWithIdeographs(FcPattern* pattern, const char* family)
    {
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match)
            return nullptr;
        FcChar8* found = nullptr;
        FcCharSet* chars = nullptr;
        const bool familyOk = !family || (FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
                                          std::string(reinterpret_cast<const char*>(found)) == family);
        const bool hasIdeographs = FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch &&
                                   FcCharSetHasChar(chars, 0x56FD);
        if (familyOk && hasIdeographs)
            return match;
        FcPatternDestroy(match);
        return nullptr;
    }

    void measure(char32_t c, double& top, double* bottom)
    {
        const Glyph& g = glyph(c);
        cairo_glyph_t one = {g.index, 0.0, 0.0};
        cairo_text_extents_t ext;
        cairo_scaled_font_glyph_extents(m_reference, &one, 1, &ext);
        if (ext.height > 0.0) {
            top = -ext.y_bearing;
            if (bottom)
                *bottom = -(ext.y_bearing + ext.height);
        }
    }

    static void encode(char32_t c, char* out)
    {
        if (c < 0x80) {
            out[0] = static_cast<char>(c);
        } else if (c < 0x800) {
            out[0] = static_cast<char>(0xC0 | (c >> 6));
            out[1] = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out[0] = static_cast<char>(0xE0 | (c >> 12));
            out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[2] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out[0] = static_cast<char>(0xF0 | (c >> 18));
            out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out[3] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    cairo_font_options_t* m_options = nullptr;
    FT_Library m_library = nullptr;
    cairo_font_face_t* m_face = nullptr;
    cairo_scaled_font_t* m_reference = nullptr;
    std::string m_file;
    double m_capHeight = 0.72;
    double m_ideographTop = 0.86;
    double m_ideographBottom = -0.1;
    std::unordered_map<char32_t, Glyph> m_glyphs;
};

// The characters a single-line text shows, its %% control codes applied.
std::vector<Char> decodeText(const std::string& utf8)
{
    const std::u32string s = db::decodeUtf8(utf8);
    std::vector<Char> out;
    bool under = false, over = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c == U'%' && i + 2 < s.size() && s[i + 1] == U'%') {
            const char32_t code = s[i + 2] | 0x20;  // lower case for letters
            i += 2;
            if (code == U'u') { under = !under; continue; }
            if (code == U'o') { over = !over; continue; }
            if (code == U'k') continue;
            if (s[i] >= U'0' && s[i] <= U'9') {
                char32_t value = 0;
                std::size_t j = i;
                while (j < s.size() && j < i + 3 && s[j] >= U'0' && s[j] <= U'9')
                    value = value * 10 + (s[j++] - U'0');
                i = j - 1;
                c = value;
            } else {
                c = code == U'd' ? U'\u00B0' : code == U'p' ? U'\u00B1' : code == U'c' ? U'\u00D8' : s[i];
            }
        }
        out.push_back({c, under, over});
    }
    return out;
}

double length(Point2 v) { return std::hypot(v.x, v.y); }

// Draws one kind of glyph (half- or full-width) of a text in the text frame.
void showGlyphs(cairo_t* cr, const std::vector<cairo_glyph_t>& glyphs, double scaleX, double scaleY)
{
    if (glyphs.empty())
        return;
    cairo_matrix_t font;
    cairo_matrix_init(&font, scaleX, 0.0, 0.0, -scaleY, 0.0, 0.0);
    cairo_set_font_matrix(cr, &font);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
}

}  // namespace

std::string TextPainter::fontFile() { return Font::instance().file(); }

void TextPainter::draw(const std::string& utf8, const TextBox& box, double oblique, Rgb color)
{
    const Point2 along{box.baseEnd.x - box.baseStart.x, box.baseEnd.y - box.baseStart.y};
    Point2 up{box.topStart.x - box.baseStart.x, box.topStart.y - box.baseStart.y};
    const double widthPx = length(along), heightPx = length(up);
    if (widthPx <= 0.0 || heightPx <= 0.0)
        return;
    if (heightPx < 2.0) {
        const Point2 mid{up.x / 2.0, up.y / 2.0};
        m_canvas.useStroke({color, 0.0, {}});
        m_canvas.moveTo({box.baseStart.x + mid.x, box.baseStart.y + mid.y});
        m_canvas.lineTo({box.baseEnd.x + mid.x, box.baseEnd.y + mid.y});
        return;
    }
    Font& font = Font::instance();
    const std::vector<Char> chars = decodeText(utf8);
    double total = 0.0;
    for (const Char& c : chars)
        total += db::isFullWidth(c.code) ? db::kFullWidthAdvance : db::kHalfWidthAdvance;
    if (total <= 0.0 || !font.face())
        return;
    if (oblique != 0.0 && std::fabs(oblique) < 1.4) {
        const double shear = std::tan(oblique) * heightPx / widthPx;
        up = {up.x + along.x * shear, up.y + along.y * shear};
    }
    // Text frame: x in cells (one unit = one text height times the width factor), y in
    // text heights above the baseline.
    cairo_matrix_t frame;
    cairo_matrix_init(&frame, along.x / total, along.y / total, up.x, up.y, box.baseStart.x, box.baseStart.y);
    if (!isInvertible(frame))
        return;

    const double halfY = 1.0 / font.capHeight();
    const double fullY = 1.0 / (font.ideographTop() - font.ideographBottom());
    double halfX = halfY, fullX = fullY;
    for (const Char& c : chars) {
        const double adv = font.glyph(c.code).advance;
        if (adv <= 0.0)
            continue;
        if (db::isFullWidth(c.code))
            fullX = std::min(fullX, db::kFullWidthAdvance / adv);
        else
            halfX = std::min(halfX, db::kHalfWidthAdvance / adv);
    }
    std::vector<cairo_glyph_t> half, full;
    std::vector<std::pair<double, double>> underlines, overlines;
    double x = 0.0;
    for (const Char& c : chars) {
        const bool wide = db::isFullWidth(c.code);
        const double cell = wide ? db::kFullWidthAdvance : db::kHalfWidthAdvance;
        const Glyph& g = font.glyph(c.code);
        const double scaleX = wide ? fullX : halfX;
        const double left = x + (cell - g.advance * scaleX) / 2.0;
        if (wide)
            full.push_back({g.index, left, -font.ideographBottom() * fullY});
        else
            half.push_back({g.index, left, 0.0});
        if (c.underline) underlines.emplace_back(x, x + cell);
        if (c.overline) overlines.emplace_back(x, x + cell);
        x += cell;
    }

    m_canvas.flush();
    cairo_t* cr = m_canvas.context();
    cairo_set_source_rgb(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0);
    cairo_set_font_face(cr, font.face());
    cairo_set_font_options(cr, font.options());
    cairo_set_matrix(cr, &frame);
    showGlyphs(cr, half, halfX, halfY);
    showGlyphs(cr, full, fullX, fullY);
    cairo_identity_matrix(cr);
    drawLines(underlines, -0.2, frame, color);
    drawLines(overlines, 1.2, frame, color);
}

void TextPainter::drawLines(const std::vector<std::pair<double, double>>& runs, double y,
                            const cairo_matrix_t& frame, Rgb color)
{
    if (runs.empty())
        return;
    m_canvas.useStroke({color, 0.0, {}});
    for (const auto& [from, to] : runs) {
        Point2 a{from, y}, b{to, y};
        cairo_matrix_transform_point(&frame, &a.x, &a.y);
        cairo_matrix_transform_point(&frame, &b.x, &b.y);
        m_canvas.moveTo(a);
        m_canvas.lineTo(b);
    }
}

}  // namespace dh::render
