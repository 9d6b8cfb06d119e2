// The three picture formats agree when a real reader opens them (rsvg-convert for SVG,
// pdftoppm for PDF), and a picture that cannot be made leaves the target as it was.
#include "RenderTestUtil.h"

#include <acdb/AcDbCircle.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbText.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using rendertest::Picture;
using rendertest::Pixel;
using rendertest::RenderTest;

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int maxChannelDifference(const Pixel& a, const Pixel& b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

}  // namespace

class RenderFilesTest : public RenderTest {
protected:
    // Wide strokes, a fill, a circle and a text: features whose pixels do not hang on
    // anti-aliasing details.
    void SetUp() override
    {
        RenderTest::SetUp();
        auto* wide = new AcDbPolyline;
        wide->setDatabaseDefaults(m_db.get());
        wide->setColorIndex(5);
        wide->addVertexAt(0, AcGePoint2d(10, 15), 0.0, 6.0, 6.0);
        wide->addVertexAt(1, AcGePoint2d(90, 15), 0.5, 6.0, 6.0);
        wide->addVertexAt(2, AcGePoint2d(90, 45), 0.0, 6.0, 6.0);
        add(wide);
        auto* circle = new AcDbCircle(AcGePoint3d(30, 65, 0), AcGeVector3d::kZAxis, 15.0);
        circle->setDatabaseDefaults(m_db.get());
        circle->setColorIndex(1);
        add(circle);
        add(new AcDbText(AcGePoint3d(50, 60, 0), "\xE6\xB0\xB4 42", AcDbObjectId::kNull, 12.0));
    }

    // Pixels where the two pictures differ by more than a third of the range.
    static int differing(const Picture& a, const Picture& b)
    {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += maxChannelDifference(a.at(x, y), b.at(x, y)) > 85 ? 1 : 0;
        return n;
    }
};

TEST_F(RenderFilesTest, SvgAndPdfReadBackAsThePng)
{
    auto png = render("picture.png");
    ASSERT_TRUE(png->ok());
    ASSERT_GT(png->count(0, 0, 200, 200, [](const Pixel& p) { return !p.isWhite(); }), 2000);
    render("picture.svg");
    render("picture.pdf");
    ASSERT_EQ(slurp(path("picture.svg")).rfind("<svg", 200) != std::string::npos ||
                  slurp(path("picture.svg")).find("<svg") != std::string::npos,
              true);
    ASSERT_EQ(slurp(path("picture.pdf")).rfind("%PDF", 0), 0u);

    const std::string svgCommand = "rsvg-convert -w 200 -h 200 -o '" + path("svg.png") + "' '" + path("picture.svg") + "'";
    ASSERT_EQ(std::system(svgCommand.c_str()), 0) << svgCommand << " (rsvg-convert is in librsvg2-bin)";
    // The PDF page is 200 × 200 points: 72 dots per inch gives one pixel a point.
    const std::string pdfCommand = "pdftoppm -r 72 -png -singlefile '" + path("picture.pdf") + "' '" + path("pdf") + "'";
    ASSERT_EQ(std::system(pdfCommand.c_str()), 0) << pdfCommand << " (pdftoppm is in poppler-utils)";

    // Readers give RGBA or RGB PNGs; cairo reads both. On white, they compare as drawn.
    Picture svg(path("svg.png")), pdf(path("pdf.png"));
    ASSERT_TRUE(svg.ok());
    ASSERT_TRUE(pdf.ok());
    ASSERT_EQ(svg.width(), 200);
    ASSERT_EQ(pdf.width(), 200);
    ASSERT_EQ(pdf.height(), 200);
    // Anti-aliasing differs along edges: one pixel in a hundred may.
    EXPECT_LT(differing(*png, svg), 400);
    EXPECT_LT(differing(*png, pdf), 400);
    // And the readers saw the drawing: the wide blue line runs along device y 170.
    EXPECT_TRUE(svg.at(60, 170).near(0, 0, 255, 40)) << svg.at(60, 170);
    EXPECT_TRUE(pdf.at(60, 170).near(0, 0, 255, 40)) << pdf.at(60, 170);
}

TEST_F(RenderFilesTest, FailedPictureLeavesTheTargetAsItWas)
{
    const std::string target = path("old.png");
    std::ofstream(target) << "the old picture";
    m_options.layers = {"NO SUCH LAYER"};
    dh::render::RenderResult result = dh::render::renderDrawing(*m_db, m_options, target);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find(target), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("NO SUCH LAYER"), std::string::npos) << result.error;
    EXPECT_EQ(slurp(target), "the old picture");

    m_options.layers.clear();
    result = dh::render::renderDrawing(*m_db, m_options, path("missing/folder/new.png"));
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("missing/folder/new.png"), std::string::npos) << result.error;
    result = dh::render::renderDrawing(*m_db, m_options, path("picture.bmp"));
    EXPECT_NE(result.error.find(".png, .svg or .pdf"), std::string::npos) << result.error;
    // Nothing half-written is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST_F(RenderFilesTest, DefaultWindowFramesTheDrawing)
{
    m_options.window.reset();
    m_options.width = 400;
    m_options.height = 200;
    const dh::render::RenderResult result = dh::render::renderDrawing(*m_db, m_options, path("framed.png"));
    ASSERT_TRUE(result.ok()) << result.error;
    // The extents (centre lines, as the drawing's extents go) run from x 10 to 97.5 (the
    // bulge 0.5 over a chord of 30 stands out 7.5) and y 15 to 80 (the circle's top):
    // the picture is wider than that, so the height sets the scale, with 2% margins.
    EXPECT_NEAR(result.window.minY, 15.0 - 0.02 * 65.0, 1e-6);
    EXPECT_NEAR(result.window.maxY, 80.0 + 0.02 * 65.0, 1e-6);
    EXPECT_NEAR((result.window.minX + result.window.maxX) / 2.0, 53.75, 1e-6);
    Picture picture(path("framed.png"));
    EXPECT_GT(picture.count(0, 0, 400, 200, [](const Pixel& p) { return !p.isWhite(); }), 2000);
    EXPECT_EQ(picture.count(0, 0, 400, 3, [](const Pixel& p) { return !p.isWhite(); }), 0);
}
