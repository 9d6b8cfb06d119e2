// Writes a cairo RGB24 image surface as an 8-bit RGB PNG file. Compression is set for speed:
// a 4000×3000 picture of a dense drawing writes in well under a second, where cairo's own
// writer takes several (see bench/host/render). Empty on success, else the reason.
#pragma once

#include <cairo.h>

#include <string>

namespace dh::render {

std::string writePng(cairo_surface_t* image, const std::string& path);

}  // namespace dh::render
