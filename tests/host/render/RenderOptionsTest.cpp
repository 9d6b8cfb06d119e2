// The picture options as drafthost's command line and the RENDER command take them.
#include "host/render/RenderOptions.h"
#include "host/shell/Options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

dh::shell::ParsedOptions parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "drafthost");
    return dh::shell::parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(RenderOptions, ValuesParseOrSayWhyNot)
{
    using namespace dh::render;
    Window w;
    EXPECT_EQ(parseWindow("10,20", "-5.5,1e2", w), "");
    EXPECT_DOUBLE_EQ(w.minX, -5.5);
    EXPECT_DOUBLE_EQ(w.maxX, 10.0);
    EXPECT_DOUBLE_EQ(w.minY, 20.0);
    EXPECT_DOUBLE_EQ(w.maxY, 100.0);
    EXPECT_EQ(parseWindow("1,2,3", "4,5", w), "");
    EXPECT_NE(parseWindow("1,2", "1,7", w).find("no area"), std::string::npos);
    EXPECT_NE(parseWindow("1;2", "3,4", w).find("'1;2'"), std::string::npos);
    EXPECT_NE(parseWindow("1,2", "x,4", w), "");

    int width = 0, height = 0;
    EXPECT_EQ(parseSize("800x600", width, height), "");
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(parseSize("40\xC3\x97" "30", width, height), "");
    EXPECT_EQ(height, 30);
    for (const char* bad : {"800", "0x600", "800x", "-1x5", "800x600x2", "20001x10"})
        EXPECT_NE(parseSize(bad, width, height), "") << bad;

    std::vector<std::string> layers;
    EXPECT_EQ(parseLayers("等高线, 0 ,DGX", layers), "");
    EXPECT_EQ(layers, (std::vector<std::string>{"等高线", "0", "DGX"}));
    EXPECT_NE(parseLayers("A,,B", layers), "");

    Background background = Background::White;
    EXPECT_EQ(parseBackground("BLACK", background), "");
    EXPECT_EQ(background, Background::Black);
    EXPECT_NE(parseBackground("grey", background), "");

    EXPECT_EQ(pictureFormatOf("a/b.PNG"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatOf("b.svg"), PictureFormat::Svg);
    EXPECT_EQ(pictureFormatOf("b.pdf"), PictureFormat::Pdf);
    EXPECT_FALSE(pictureFormatOf("b.png/x"));
    EXPECT_FALSE(pictureFormatOf("b"));
}

TEST(RenderOptions, CommandLineTakesThePictureAndItsOptions)
{
    auto parsed = parse({"d.dxf", "--render", "out.pdf", "--window", "0,0", "100,50", "--size=400x300",
                         "--layers", "A,B", "--background", "black", "--report"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const dh::shell::Options& o = parsed.options;
    EXPECT_EQ(o.render, "out.pdf");
    ASSERT_TRUE(o.renderOptions.window);
    EXPECT_DOUBLE_EQ(o.renderOptions.window->maxY, 50.0);
    EXPECT_EQ(o.renderOptions.width, 400);
    EXPECT_EQ(o.renderOptions.layers.size(), 2u);
    EXPECT_EQ(o.renderOptions.background, dh::render::Background::Black);
    EXPECT_TRUE(o.report);

    parsed = parse({"--window", "0,0 100,50", "--render", "a.png"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_DOUBLE_EQ(parsed.options.renderOptions.window->maxX, 100.0);

    EXPECT_NE(parse({"--size", "10x10"}).error.find("needs --render"), std::string::npos);
    EXPECT_NE(parse({"--render", "a.jpg"}).error.find(".png, .svg or .pdf"), std::string::npos);
    EXPECT_NE(parse({"--render", "a.png", "--size", "big"}).error.find("--size"), std::string::npos);
    EXPECT_NE(parse({"--render", "a.png", "--window", "0,0"}).error, "");
}

}  // namespace
