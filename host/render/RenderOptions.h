// What a picture of a drawing shows and how big it is: the options of `--render` and of the
// RENDER command. Parsing functions answer an empty string when the text is good, else the
// reason it is not.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dh::render {

// A rectangle of the drawing in world x, y.
struct Window {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

enum class Background { White, Black };
enum class PictureFormat { Png, Svg, Pdf };

struct RenderOptions {
    // Unset: the extents of what is drawn.
    std::optional<Window> window;
    int width = 1600;
    int height = 1200;
    // Names of the only layers drawn (any case); empty: every layer that is on and thawed.
    std::vector<std::string> layers;
    Background background = Background::White;
};

constexpr int kMaxPictureSide = 20000;

// "x1,y1" and "x2,y2": two opposite corners, in any order.
std::string parseWindow(const std::string& corner1, const std::string& corner2, Window& window);
// "WxH" (or "W×H"), each side 1 .. kMaxPictureSide pixels.
std::string parseSize(const std::string& text, int& width, int& height);
// "A,B,C": layer names separated by commas (names cannot hold commas).
std::string parseLayers(const std::string& text, std::vector<std::string>& layers);
std::string parseBackground(const std::string& text, Background& background);
// By the file's extension (.png, .svg, .pdf; any case).
std::optional<PictureFormat> pictureFormatOf(const std::string& path);

}  // namespace dh::render
