#include "host/render/RenderOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace dh::render {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool parseNumber(std::string_view text, double& value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool parseCorner(std::string_view text, double& x, double& y)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    std::string_view rest = text.substr(comma + 1);
    // "x,y,z" is accepted as a point answer is; z plays no part in a plan picture.
    if (std::size_t second = rest.find(','); second != std::string_view::npos) {
        double z = 0.0;
        if (!parseNumber(rest.substr(second + 1), z))
            return false;
        rest = rest.substr(0, second);
    }
    return parseNumber(text.substr(0, comma), x) && parseNumber(rest, y);
}

bool parseSide(std::string_view text, int& side)
{
    text = trimmed(text);
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, side);
    return ec == std::errc() && ptr == end && side >= 1 && side <= kMaxPictureSide;
}

}  // namespace

std::string parseWindow(const std::string& corner1, const std::string& corner2, Window& window)
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!parseCorner(corner1, x1, y1))
        return "window corner '" + corner1 + "' is not x,y";
    if (!parseCorner(corner2, x2, y2))
        return "window corner '" + corner2 + "' is not x,y";
    if (x1 == x2 || y1 == y2)
        return "window " + corner1 + " " + corner2 + " has no area";
    window = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    return {};
}

std::string parseSize(const std::string& text, int& width, int& height)
{
    std::string_view view = text;
    std::size_t split = view.find_first_of("xX");
    std::size_t skip = 1;
    if (split == std::string_view::npos) {
        split = view.find("\xC3\x97");  // ×
        skip = 2;
    }
    if (split == std::string_view::npos || !parseSide(view.substr(0, split), width) ||
        !parseSide(view.substr(split + skip), height))
        return "size '" + text + "' is not WIDTHxHEIGHT in pixels (1 to " +
               std::to_string(kMaxPictureSide) + " each)";
    return {};
}

std::string parseLayers(const std::string& text, std::vector<std::string>& layers)
{
    layers.clear();
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        std::string_view name = trimmed(rest.substr(0, comma));
        if (name.empty())
            return "layer list '" + text + "' has an empty name";
        layers.emplace_back(name);
        if (comma == std::string_view::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    return {};
}

std::string parseBackground(const std::string& text, Background& background)
{
    std::string lower;
    for (char c : trimmed(text))
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "white")
        background = Background::White;
    else if (lower == "black")
        background = Background::Black;
    else
        return "background '" + text + "' is neither white nor black";
    return {};
}

std::optional<PictureFormat> pictureFormatOf(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return std::nullopt;
    std::string ext;
    for (char c : path.substr(dot + 1))
        ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png")
        return PictureFormat::Png;
    if (ext == "svg")
        return PictureFormat::Svg;
    if (ext == "pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

}  // namespace dh::render
