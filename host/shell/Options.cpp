#include "host/shell/Options.h"

#include <string_view>

namespace dh::shell {

std::string usageText()
{
    return "Usage: drafthost [DRAWING.dxf] [options]\n"
           "  -s, --script FILE    run the lines of FILE ('-' for standard input)\n"
           "  -e, --eval LINE      run LINE as if typed at the command line; repeatable,\n"
           "                       scripts and lines run in the order given\n"
           "  -o, --output FILE    save the active drawing to FILE when the run ends\n"
           "  -q, --quiet          print only LISP results and module messages\n"
           "      --load MODULE    load another module; --no-modules loads none\n"
           "      --dxf-version V  version written on save: R2000 (default), R2004, R2007\n"
           "      --encoding NAME  code page of the drawing to read, when its header is wrong\n"
           "      --render FILE    draw the active drawing to FILE (.png, .svg or .pdf) when the\n"
           "                       run ends, with:\n"
           "        --window x1,y1 x2,y2   the part of the drawing shown (default: its extents)\n"
           "        --size WxH             the picture's size in pixels (default 1600x1200)\n"
           "        --layers A,B           only these layers (default: those on and thawed)\n"
           "        --background C         white (default) or black\n"
           "      --report         after every command and LISP line, one line on standard error\n"
           "                       of what changed: entities added, erased, modified by type; layers\n"
           "  -h, --help           show this text\n"
           "      --version        show the version\n"
           "Exit status: 0 every line ran, 1 a line failed, 2 bad options or a drawing that\n"
           "cannot be read or written.\n";
}

int dxfVersionNumber(const std::string& name)
{
    std::string n;
    for (char c : name)
        n += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (n == "R2000")
        return 1015;
    if (n == "R2004")
        return 1018;
    if (n == "R2007")
        return 1021;
    return 0;
}

ParsedOptions parseOptions(int argc, const char* const* argv)
{
    ParsedOptions parsed;
    Options& o = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    std::string renderModifier;  // a picture option, which needs --render
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string value;
        // "--name=value" and "--name value" both work for options with a value.
        std::string_view name = arg;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            std::size_t eq = arg.find('=');
            if (eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                value = std::string(arg.substr(eq + 1));
                inlineValue = true;
            }
        }
        auto takeValue = [&]() -> bool {
            if (inlineValue)
                return true;
            if (i + 1 >= argc)
                return false;
            value = argv[++i];
            return true;
        };
        if (name == "-s" || name == "--script" || name == "-e" || name == "--eval") {
            if (!takeValue())
                return fail("option " + std::string(name) + " needs a value");
            bool script = name == "-s" || name == "--script";
            o.inputs.push_back({script ? InputItem::Kind::Script : InputItem::Kind::Eval, value});
        } else if (name == "-o" || name == "--output") {
            if (!takeValue())
                return fail("option " + std::string(name) + " needs a file");
            o.output = value;
        } else if (name == "--load") {
            if (!takeValue())
                return fail("option --load needs a module");
            o.loads.push_back(value);
        } else if (name == "--dxf-version") {
            if (!takeValue())
                return fail("option --dxf-version needs a version");
            if (dxfVersionNumber(value) == 0)
                return fail("unknown DXF version '" + value + "' (R2000, R2004 or R2007)");
            o.dxfVersion = value;
        } else if (name == "--encoding") {
            if (!takeValue() || value.empty())
                return fail("option --encoding needs a code page name");
            o.encoding = value;
        } else if (name == "--render") {
            if (!takeValue() || value.empty())
                return fail("option --render needs a file");
            if (!render::pictureFormatOf(value))
                return fail("--render " + value + ": the name must end in .png, .svg or .pdf");
            o.render = value;
        } else if (name == "--window") {
            if (!takeValue())
                return fail("option --window needs two corners x1,y1 x2,y2");
            std::string first = value, second;
            // One argument "x1,y1 x2,y2" or two.
            if (std::size_t blank = value.find(' '); blank != std::string::npos) {
                first = value.substr(0, blank);
                second = value.substr(value.find_first_not_of(' ', blank) == std::string::npos
                                          ? value.size() : value.find_first_not_of(' ', blank));
            } else if (i + 1 < argc) {
                second = argv[++i];
            }
            render::Window window;
            if (std::string e = render::parseWindow(first, second, window); !e.empty())
                return fail("--window: " + e);
            o.renderOptions.window = window;
            renderModifier = "--window";
        } else if (name == "--size" || name == "--layers" || name == "--background") {
            if (!takeValue())
                return fail("option " + std::string(name) + " needs a value");
            std::string e = name == "--size"     ? render::parseSize(value, o.renderOptions.width, o.renderOptions.height)
                            : name == "--layers" ? render::parseLayers(value, o.renderOptions.layers)
                                                 : render::parseBackground(value, o.renderOptions.background);
            if (!e.empty())
                return fail(std::string(name) + ": " + e);
            renderModifier = std::string(name);
        } else if (name == "--report") {
            o.report = true;
        } else if (name == "-q" || name == "--quiet") {
            o.quiet = true;
        } else if (name == "--no-modules") {
            o.noModules = true;
        } else if (name == "-h" || name == "--help") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            return fail("unknown option '" + std::string(arg) + "'");
        } else if (o.drawing.empty()) {
            o.drawing = std::string(arg);
        } else {
            return fail("more than one drawing given ('" + o.drawing + "', '" +
                        std::string(arg) + "')");
        }
    }
    if (!renderModifier.empty() && o.render.empty())
        return fail("option " + renderModifier + " needs --render FILE");
    return parsed;
}

}  // namespace dh::shell
