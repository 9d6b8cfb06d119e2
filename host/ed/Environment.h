// Environment values of the host (e.g. "ACAD", the support-file search path): names are
// case-insensitive, values are text. They outlive the run in one file,
// <config home>/drafthost/environment, one "NAME=value" line each, written whole to a
// temporary file beside it and renamed over it, so a crash never leaves it half-written.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace dh::ed {

class Environment {
public:
    // configHome: folder that holds drafthost/; empty: $XDG_CONFIG_HOME, else ~/.config.
    explicit Environment(const std::string& configHome = {});

    static std::string defaultConfigHome();
    const std::string& filePath() const { return m_path; }

    // The stored value; "ACAD", never set, is the host's own support folder
    // (<config home>/drafthost/support), as on a fresh installation.
    std::optional<std::string> get(std::string_view name) const;
    // Stores the value and rewrites the file. False (value unchanged) when the name is
    // empty or holds "=" or a line break, the value holds a line break, or the file cannot
    // be written.
    bool set(std::string_view name, std::string_view value);
    // Reads the file again (values set by another run).
    void reload();

private:
    bool save() const;

    std::string m_path;
    std::string m_supportPath;
    std::map<std::string, std::pair<std::string, std::string>> m_values;  // KEY -> (name, value)
};

}  // namespace dh::ed
