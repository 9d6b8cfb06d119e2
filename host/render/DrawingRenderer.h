// renderDrawing: a picture (PNG, SVG or PDF, by the file's extension) of a drawing's model
// space: the window (default: the extents of what can show, with a small margin) fitted
// into the picture, every entity in drawing order. The file is written beside the target
// and renamed onto it only when complete, so a failed run leaves the old file as it was.
#pragma once

#include "host/render/RenderOptions.h"

#include <functional>
#include <map>
#include <string>

class AcDbDatabase;

namespace dh::render {

struct RenderResult {
    std::string error;  // empty on success: "FILE: reason" otherwise
    long drawn = 0;     // entities drawn (the contents of blocks counted one by one)
    std::map<std::string, long> notDrawn;  // kinds without a picture, by count
    Window window;      // the world rectangle the picture shows
    bool ok() const { return error.empty(); }
};

// progress(done, total): called now and then with the top-level entities drawn so far.
using RenderProgress = std::function<void(long done, long total)>;

RenderResult renderDrawing(AcDbDatabase& db, const RenderOptions& options, const std::string& file,
                           const RenderProgress& progress = {});

// "drew 1 234 entities to FILE (800×600)" and what could not be drawn.
std::string describeResult(const RenderResult& result, const RenderOptions& options, const std::string& file);

// 1234567 as "1 234 567".
std::string groupThousands(long value);

}  // namespace dh::render
