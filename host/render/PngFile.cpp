#include "host/render/PngFile.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace dh::render {

namespace {

// libpng reports errors by longjmp; the message is kept for the caller.
void onError(png_structp png, png_const_charp message)
{
    auto* reason = static_cast<std::string*>(png_get_error_ptr(png));
    *reason = message;
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Everything that libpng may jump over lives in the caller, so the jump leaks nothing.
bool encode(std::FILE* file, cairo_surface_t* image, std::vector<png_byte>& row, std::string& reason)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        reason = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Drawings are mostly background: the fastest level already packs them well.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
            row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
            row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string writePng(cairo_surface_t* image, const std::string& path)
{
    cairo_surface_flush(image);
    if (cairo_image_surface_get_format(image) != CAIRO_FORMAT_RGB24)
        return "the picture is not an RGB image";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::strerror(errno);
    std::vector<png_byte> row(3 * static_cast<std::size_t>(cairo_image_surface_get_width(image)));
    std::string reason;
    const bool ok = encode(file, image, row, reason);
    if (std::fclose(file) != 0 && ok)
        return std::strerror(errno);
    return ok ? std::string() : reason;
}

}  // namespace dh::render
