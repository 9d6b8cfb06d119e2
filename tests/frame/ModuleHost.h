// A host session for module tests: a quiet session writing its transcript to a string,
// with its environment in a fresh temporary folder and one new drawing open. Lines run as
// typed at "Command:"; eval() answers what the line printed, without the final newline.
// Every test using it fails on a leak warning of the host.
#pragma once

#include "host/ed/Session.h"

#include <acdb/AcDbObjectId.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

namespace dh::test {

class ModuleHost {
public:
    ModuleHost();
    ~ModuleHost();

    dh::ed::Session& session() { return *m_session; }
    // The build's module folder (where Kelvane.so and Terravue.so are).
    static std::filesystem::path moduleDir();
    // A fresh folder that is removed with the host.
    const std::filesystem::path& tempDir() const { return m_tempDir; }

    // Loads or unloads a module through LISP's arxload/arxunload; false on failure.
    bool load(const std::string& moduleName);
    bool unload(const std::string& moduleName);

    // A line from (0,0) to (10,0) on the layer, appended to the current space of the
    // active drawing; LISP's (entlast) names it afterwards.
    AcDbObjectId addLine(const char* layer = "0");

    // Runs a shell command; answers its standard output and sets status to pclose's.
    static std::string runCommand(const std::string& command, int& status);

    // Runs one line and answers its transcript.
    std::string eval(const std::string& line);
    // Everything printed since the host was made (for the leak check).
    const std::string& transcript() const { return m_all; }

private:
    std::filesystem::path m_tempDir;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::string m_all;
    std::unique_ptr<dh::ed::Session> m_session;
};

} // namespace dh::test
