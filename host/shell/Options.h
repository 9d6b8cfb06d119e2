// The command line of drafthost, read whole before anything runs.
#pragma once

#include "host/render/RenderOptions.h"

#include <string>
#include <vector>

namespace dh::shell {

// A source of command lines, in the order the options gave them.
struct InputItem {
    enum class Kind { Script, Eval };
    Kind kind = Kind::Eval;
    std::string text;  // the script's path ("-": standard input) or the line
};

struct Options {
    std::string drawing;
    std::vector<InputItem> inputs;
    std::string output;
    bool quiet = false;
    std::vector<std::string> loads;
    bool noModules = false;
    std::string dxfVersion = "R2000";
    std::string encoding;
    // --render FILE and the picture's options.
    std::string render;
    render::RenderOptions renderOptions;
    bool report = false;
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is good
    bool ok() const { return error.empty(); }
};

ParsedOptions parseOptions(int argc, const char* const* argv);
std::string usageText();
// The DXF version number of a --dxf-version name (R2000 1015, R2004 1018, R2007 1021);
// 0 for an unknown name.
int dxfVersionNumber(const std::string& name);

}  // namespace dh::shell
