// KeptTags: what the codec keeps of an object besides what the object models itself —
// its application-data groups (reactors, extension dictionary) and the groups its class
// does not read. The latter are written back at the end of the subclass they came from.
#pragma once

#include "host/dxf/ObjectTags.h"

#include <string>
#include <vector>

namespace dh::dxf {

struct KeptGroup {
    std::string subclass; // written at the end of this subclass ("" before the first marker)
    int occurrence = 0;   // which occurrence of the marker (TEXT has AcDbText twice)
    Tags tags;            // may start with a marker: a whole subclass the class lacks
};

struct KeptTags {
    std::vector<AppDataGroup> appData;
    std::vector<KeptGroup> groups;

    bool empty() const { return appData.empty() && groups.empty(); }
};

// The groups of `input` (a body as read) that `output` (the same object written back)
// lacks, by subclass: groups whose code the subclass does not write, and whole subclasses
// the class does not write.
std::vector<KeptGroup> findUnmodelled(const Tags& input, const Tags& output);

} // namespace dh::dxf
