// A module's resources as plain data, in the form the dialog layer builds windows from:
// its string table and its dialog templates. Texts are UTF-8; positions and sizes are in
// dialog units (a quarter of the dialog font's average character width, an eighth of its
// height). A module hands its table to the dialog layer at start-up (acuiInitExtensionModule).
#pragma once

#include <cstdint>
#include <span>

namespace dh::res {

constexpr int kLanguageChineseSimplified = 2052;
// Entry of every module's string table that holds the module's name.
constexpr unsigned kModuleNameString = 100;

struct ResourceString {
    unsigned id;
    const char* text;
};

enum class ControlKind {
    PushButton,
    StaticText,
    StaticFrame,
    ListBox,
};

// Control styles that the dialog layer honours; several may be combined.
enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kDefaultButton = 1u << 0,
    kTransparent = 1u << 1,
    kSunkenHorizontalLine = 1u << 2,
    kSorted = 1u << 3,
    kMultipleSelection = 1u << 4, // several items, toggled by click
    kNotify = 1u << 5,
    kNoIntegralHeight = 1u << 6,
    kVerticalScroll = 1u << 7,
    kBorder = 1u << 8,
};

enum DialogStyle : std::uint32_t {
    kModalFrame = 1u << 0,
    kSystemMenu = 1u << 1,
};

struct DialogControl {
    int id; // -1: a control no code addresses
    ControlKind kind;
    const char* text; // nullptr: no text
    int x, y, width, height;
    std::uint32_t style;
};

struct DialogTemplate {
    unsigned id;
    int language;
    const char* caption;
    const char* fontName;
    int fontPointSize;
    int width, height;
    std::uint32_t style;
    std::span<const DialogControl> controls;
};

struct ResourceTable {
    const char* moduleName;
    int language;
    std::span<const ResourceString> strings;
    std::span<const DialogTemplate> dialogs;
};

// The text of a string entry, or nullptr when the table has none with that id.
inline const char* findString(const ResourceTable& table, unsigned id)
{
    for (const ResourceString& entry : table.strings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

// The dialog template with that id, or nullptr.
inline const DialogTemplate* findDialog(const ResourceTable& table, unsigned id)
{
    for (const DialogTemplate& dialog : table.dialogs) {
        if (dialog.id == id)
            return &dialog;
    }
    return nullptr;
}

} // namespace dh::res
