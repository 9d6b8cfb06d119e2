// What an embedder tells the LISP about its surroundings: the unit settings rtos and
// angtos default to, where open finds a bare file name, how a file's code page converts,
// and where read-line reads without a file. Every member may be left empty; the defaults
// are those of a new drawing, the working folder, UTF-8 and no keyboard.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dh::lisp {

// The system variables that format and read numbers.
struct UnitSettings
{
    int lunits = 2; // 1 scientific … 5 fractional
    int luprec = 4;
    int aunits = 0; // 0 degrees, 1 d/m/s, 2 grads, 3 radians, 4 surveyor
    int auprec = 0;
    int dimzin = 0;       // zero suppression bits
    int unitmode = 0;     // 1: feet and inches as typed
    double angbase = 0.0; // radians
    int angdir = 0;       // 1: clockwise
};

// A file's text to UTF-8 and back.
struct TextCodec
{
    std::function<std::string(std::string_view bytes)> toUtf8;
    std::function<std::string(std::string_view utf8)> fromUtf8;
};

struct HostHooks
{
    std::function<UnitSettings()> units;
    // The full path open uses for a name (a bare name goes to the drawing's folder).
    std::function<std::string(const std::string& name)> filePath;
    // The codec of a code page name ("" for the drawing's own); nullopt when unknown.
    std::function<std::optional<TextCodec>(std::string_view name)> codec;
    // One line typed at the command line; nullopt when cancelled.
    std::function<std::optional<std::string>(const std::string& prompt)> readLine;
};

} // namespace dh::lisp
