#include "host/ed/Environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace dh::ed {

namespace {

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

}  // namespace

std::string Environment::defaultConfigHome()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return ".config";
}

Environment::Environment(const std::string& configHome)
{
    std::string home = configHome.empty() ? defaultConfigHome() : configHome;
    m_path = home + "/drafthost/environment";
    m_supportPath = home + "/drafthost/support";
    reload();
}

void Environment::reload()
{
    m_values.clear();
    std::ifstream in(m_path);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        std::string name = line.substr(0, eq);
        m_values[upper(name)] = {name, line.substr(eq + 1)};
    }
}

std::optional<std::string> Environment::get(std::string_view name) const
{
    const std::string key = upper(name);
    auto it = m_values.find(key);
    if (it == m_values.end()) {
        if (key == "ACAD")
            return m_supportPath;
        return std::nullopt;
    }
    return it->second.second;
}

bool Environment::set(std::string_view name, std::string_view value)
{
    if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos ||
        value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    std::string key = upper(name);
    auto old = m_values.find(key);
    std::optional<std::pair<std::string, std::string>> previous;
    if (old != m_values.end())
        previous = old->second;
    m_values[key] = {std::string(name), std::string(value)};
    if (save())
        return true;
    if (previous)
        m_values[key] = *previous;
    else
        m_values.erase(key);
    return false;
}

bool Environment::save() const
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(m_path);
    fs::create_directories(target.parent_path(), ec);
    std::string temp = m_path + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out)
            return false;
        for (const auto& [key, entry] : m_values)
            out << entry.first << '=' << entry.second << '\n';
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), m_path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace dh::ed
