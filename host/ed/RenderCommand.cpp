// RENDER: a picture of the active drawing in the middle of a run. Options come first, as
// on drafthost's command line (--window x1,y1 x2,y2, --size WxH, --layers A,B,
// --background white|black), then the file name draws:
//   RENDER --size 800x600 out/before.png
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/Document.h"
#include "host/ed/Session.h"
#include "host/render/DrawingRenderer.h"

#include <acdb/AcDbDatabase.h>

namespace dh::ed {
namespace {

// Asks for the values of one option; the reason when they do not parse, nullopt when cancelled.
std::optional<std::string> readOption(Session& s, const std::string& name, render::RenderOptions& options)
{
    if (name == "--window") {
        const auto first = askText(s, "\nFirst corner: ");
        const auto second = first ? askText(s, "\nOther corner: ") : std::nullopt;
        if (!second)
            return std::nullopt;
        render::Window window;
        std::string error = render::parseWindow(*first, *second, window);
        if (error.empty())
            options.window = window;
        return error;
    }
    if (name == "--size") {
        const auto size = askText(s, "\nSize in pixels <" + std::to_string(options.width) + "x" +
                                         std::to_string(options.height) + ">: ");
        if (!size)
            return std::nullopt;
        return size->empty() ? std::string() : render::parseSize(*size, options.width, options.height);
    }
    if (name == "--layers") {
        const auto layers = askText(s, "\nLayers to draw (A,B,...): ");
        if (!layers)
            return std::nullopt;
        return render::parseLayers(*layers, options.layers);
    }
    if (name == "--background") {
        const auto colour = askText(s, "\nBackground [white/black] <white>: ");
        if (!colour)
            return std::nullopt;
        return colour->empty() ? std::string() : render::parseBackground(*colour, options.background);
    }
    return "unknown option '" + name + "' (--window, --size, --layers, --background)";
}

void renderCommand(Session& s)
{
    Document* doc = s.activeDocument();
    if (doc == nullptr)
        return;
    render::RenderOptions options;
    std::string file;
    while (file.empty()) {
        const auto answer = askText(s, "\nPicture file (.png, .svg, .pdf) or option: ");
        if (!answer || answer->empty())
            return;
        if (answer->rfind("--", 0) != 0) {
            file = *answer;
            break;
        }
        const std::optional<std::string> error = readOption(s, *answer, options);
        if (!error)
            return;
        if (!error->empty()) {
            s.printDialogue("\n" + *error);
            s.fail(kExitFailed, "RENDER: " + *error);
            return;
        }
    }
    auto progress = [&s](long done, long total) {
        ProgressEvent event;
        event.kind = done == 0 ? ProgressEvent::Kind::Start : done >= total ? ProgressEvent::Kind::End
                                                                            : ProgressEvent::Kind::Position;
        event.label = "Drawing";
        event.maxPos = static_cast<int>(total);
        event.pos = static_cast<int>(done);
        s.reportProgress(event);
    };
    const render::RenderResult result = render::renderDrawing(*doc->database(), options, file, progress);
    if (!result.ok()) {
        s.printDialogue("\n" + result.error);
        s.fail(kExitBadFile, result.error);
        return;
    }
    s.printDialogue("\n" + render::describeResult(result, options, file));
}

const BuiltinCommandRegistrar kRender("RENDER", renderCommand);

}  // namespace
}  // namespace dh::ed
