// ObjectTags: the groups of one DXF object (from its "0 TYPE" to the next 0), split the way
// the codec handles them: type, handle, application-data groups (102 {…}), owner, the
// body with its subclass markers, and extended data. Values are decoded (UTF-8 texts,
// joined coordinates). `lines` gives the file line of each body group, for messages.
#pragma once

#include <acdb/AcDbDxfFiler.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dh::dxf {

using Tags = std::vector<AcDbDxfTag>;

struct AppDataGroup {
    std::string name; // "{ACAD_REACTORS" without the brace
    Tags tags;
};

struct ObjectTags {
    std::string type;
    std::uint64_t handle = 0;
    std::uint64_t owner = 0;
    std::vector<AppDataGroup> appData;
    Tags body;                      // everything else, subclass markers included
    std::vector<std::size_t> lines; // file line (or byte offset) of each body group
    Tags xdata;                     // from the first 1001 on
    std::size_t line = 0;           // where the object starts

    void clear();
    bool hasSubclassMarkers() const;
    // The text of the first body group with `code`, or nullptr.
    const AcDbDxfTag* find(int code) const;
};

// The groups as they are written: a text tag, an integer tag and so on.
AcDbDxfTag makeTextTag(int code, std::string text);
AcDbDxfTag makeIntTag(int code, std::int64_t value);
AcDbDxfTag makeHandleTag(int code, std::uint64_t handle);

} // namespace dh::dxf
