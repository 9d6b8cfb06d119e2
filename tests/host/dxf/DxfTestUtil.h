// Helpers of the DXF tests: groups of a file as (code, text) pairs, and the corpus folder.
#pragma once

#include "host/dxf/TagReader.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace dxftest {

using Group = std::pair<int, std::string>;

inline std::vector<Group> groupsOf(const std::string& data)
{
    dh::dxf::TagReader reader(data);
    std::vector<Group> groups;
    dh::dxf::Tag tag;
    while (reader.next(tag)) {
        std::string text(tag.raw);
        while (!text.empty() && text.front() == ' ') text.erase(text.begin());
        groups.emplace_back(tag.code, text);
    }
    return groups;
}

// Index of the first group (code, text) at or after `from`; npos when absent.
inline std::size_t find(const std::vector<Group>& groups, int code, const std::string& text,
                        std::size_t from = 0)
{
    for (std::size_t i = from; i < groups.size(); ++i)
        if (groups[i].first == code && groups[i].second == text) return i;
    return std::string::npos;
}

inline std::string corpusDir()
{
    const char* source = std::getenv("DH_SOURCE_DIR");
    return std::string(source ? source : ".") + "/../shared/data/dxf/";
}

} // namespace dxftest
