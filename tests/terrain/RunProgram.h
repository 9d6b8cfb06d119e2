// Runs a shell command line and gives what it printed, for the tests that run drafthost as
// its users do.
#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace dh::terrain::test {

// Standard output of command (append " 2>&1" for both); status is pclose's, -1 when the
// command could not be started.
inline std::string capture(const std::string& command, int& status)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer{};
    size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), read);
    status = pclose(pipe);
    return output;
}

} // namespace dh::terrain::test
