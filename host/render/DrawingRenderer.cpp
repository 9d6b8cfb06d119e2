#include "host/render/DrawingRenderer.h"

#include "host/render/Canvas.h"
#include "host/render/EntityPainter.h"
#include "host/render/Placement.h"
#include "host/render/ReadOpen.h"
#include "host/render/Styles.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace dh::render {

namespace {

constexpr double kMargin = 0.02;
constexpr long kProgressStep = 4096;

std::vector<AcDbObjectId> modelSpaceIds(AcDbDatabase& db)
{
    ReadOpen<AcDbBlockTableRecord> space(db.modelSpaceId());
    return space ? space->entityIds() : std::vector<AcDbObjectId>{};
}

// The extents of what frames the picture, grown by a margin; a flat or empty box gets a size.
Window defaultWindow(Styles& styles, const std::vector<AcDbObjectId>& ids)
{
    AcDbExtents box;
    for (AcDbObjectId id : ids) {
        ReadOpen<AcDbEntity> entity(id);
        AcDbExtents part;
        if (entity && styles.framesPicture(*entity) && entity->getGeomExtents(part) == Acad::eOk)
            box.addExt(part);
    }
    if (box.isEmpty())
        return {0.0, 0.0, 12.0, 9.0};
    Window w{box.minPoint().x, box.minPoint().y, box.maxPoint().x, box.maxPoint().y};
    const double size = std::max({w.width(), w.height(), 1e-6 * std::max(std::fabs(w.minX), std::fabs(w.minY)), 1e-9});
    const double padX = std::max(w.width(), size * 0.05) * kMargin + (w.width() < size * 0.05 ? size * 0.025 : 0.0);
    const double padY = std::max(w.height(), size * 0.05) * kMargin + (w.height() < size * 0.05 ? size * 0.025 : 0.0);
    return {w.minX - padX, w.minY - padY, w.maxX + padX, w.maxY + padY};
}

std::error_code& error_code()
{
    thread_local std::error_code ignored;
    return ignored;
}

// A fresh file beside target, for the picture until it is complete.
std::string temporaryBeside(const std::string& target, std::string& error)
{
    std::filesystem::path path(target);
    std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = target + ": cannot be written (" + std::strerror(errno) + ")";
        return {};
    }
    close(fd);
    // mkstemp makes the file private; the picture gets the modes a new file would.
    const mode_t mask = umask(0);
    umask(mask);
    std::filesystem::permissions(pattern, static_cast<std::filesystem::perms>(0666 & ~mask), error_code());
    return pattern;
}

}  // namespace

std::string groupThousands(long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ' ';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

RenderResult renderDrawing(AcDbDatabase& db, const RenderOptions& options, const std::string& file,
                           const RenderProgress& progress)
{
    RenderResult result;
    const std::optional<PictureFormat> format = pictureFormatOf(file);
    if (!format) {
        result.error = file + ": unknown picture format (the name must end in .png, .svg or .pdf)";
        return result;
    }
    Styles styles(db, options, 1.0);
    if (!styles.unknownLayers().empty()) {
        result.error = file + ": the drawing has no layer '" + styles.unknownLayers().front() + "'";
        return result;
    }
    const std::vector<AcDbObjectId> ids = modelSpaceIds(db);
    const Window window = options.window ? *options.window : defaultWindow(styles, ids);
    const Placement placement(window, options.width, options.height);
    styles.setPixelsPerUnit(placement.pixelsPerUnit());
    result.window = placement.shown();

    std::string temp = temporaryBeside(file, result.error);
    if (temp.empty())
        return result;
    const Rgb background = options.background == Background::Black ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    {
        Canvas canvas(*format, temp, options.width, options.height, background);
        if (std::string e = canvas.error(); !e.empty()) {
            result.error = file + ": cannot draw the picture (" + e + ")";
        } else {
            EntityPainter painter(canvas, styles);
            long done = 0;
            if (progress)
                progress(0, static_cast<long>(ids.size()));
            for (AcDbObjectId id : ids) {
                if (progress && ++done % kProgressStep == 0)
                    progress(done, static_cast<long>(ids.size()));
                ReadOpen<AcDbEntity> entity(id);
                if (!entity)
                    continue;
                // With the default window everything that frames the picture is inside it.
                AcDbExtents box;
                if (options.window && entity->getGeomExtents(box) == Acad::eOk &&
                    !boxInPicture(box, placement, options.width, options.height))
                    continue;
                painter.draw(*entity, placement, nullptr);
            }
            if (progress)
                progress(static_cast<long>(ids.size()), static_cast<long>(ids.size()));
            result.drawn = painter.drawn();
            result.notDrawn = painter.notDrawn();
            if (std::string e = canvas.finish(); !e.empty())
                result.error = file + ": cannot be written (" + e + ")";
        }
    }
    std::error_code ec;
    if (result.ok()) {
        std::filesystem::rename(temp, file, ec);
        if (ec)
            result.error = file + ": cannot be written (" + ec.message() + ")";
    }
    if (!result.ok())
        std::filesystem::remove(temp, ec);
    return result;
}

std::string describeResult(const RenderResult& result, const RenderOptions& options, const std::string& file)
{
    std::string text = "Drew " + groupThousands(result.drawn) + " entities to " + file + " (" +
                       std::to_string(options.width) + "x" + std::to_string(options.height) + ")";
    if (!result.notDrawn.empty()) {
        text += "; not drawn:";
        bool first = true;
        for (const auto& [kind, count] : result.notDrawn) {
            text += (first ? " " : ", ") + groupThousands(count) + " " + kind;
            first = false;
        }
    }
    return text + ".";
}

}  // namespace dh::render
