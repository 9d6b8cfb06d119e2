// Helpers of the DXF tests: groups of a file as (code, text) pairs, the corpus folder,
// writing a drawing to text, and the independent check with ezdxf.
#pragma once

#include "host/dxf/DxfWriter.h"
#include "host/dxf/TagReader.h"

#include <gtest/gtest.h>

#include <cstdio>
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

inline std::string write(AcDbDatabase& db, int version = 1015)
{
    dh::dxf::WriteOptions options;
    options.version = version;
    dh::dxf::WriteReport report;
    std::string out;
    EXPECT_TRUE(dh::dxf::writeDxfData(db, options, out, report)) << report.error;
    return out;
}

// What tests/host/dxf/ezdxf_check.py printed for its arguments (quoted, pairs of written
// and original file, "-" for none), and its exit status.
struct EzdxfCheck {
    int status = -1;
    std::string output;
};

inline EzdxfCheck runEzdxfCheck(const std::string& arguments)
{
    const char* source = std::getenv("DH_SOURCE_DIR");
    const std::string script = std::string(source ? source : ".") + "/tests/host/dxf/ezdxf_check.py";
    const std::string command = "/usr/bin/python3 '" + script + "'" + arguments + " 2>&1";
    EzdxfCheck check;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return check;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe))
        check.output += buffer;
    check.status = pclose(pipe);
    return check;
}

} // namespace dxftest
