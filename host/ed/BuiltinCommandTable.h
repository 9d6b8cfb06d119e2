// The host's own commands (ERASE, ZOOM, OPEN, ...): name -> function of the session.
// Files that define built-in commands register them at load time with a
// BuiltinCommandRegistrar; the session looks typed names up here after the module
// commands. A command reports a failure with Session::fail.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dh::ed {

class Session;

using BuiltinCommand = std::function<void(Session&)>;

class BuiltinCommandTable {
public:
    static BuiltinCommandTable& instance();

    // name is stored upper-cased; a second registration of a name replaces the first.
    void add(std::string_view name, BuiltinCommand command);
    // The command a typed name means: any case, with or without "_" / "." prefixes.
    const BuiltinCommand* find(std::string_view typedName) const;
    std::vector<std::string> names() const;

private:
    std::map<std::string, BuiltinCommand> m_commands;
};

struct BuiltinCommandRegistrar {
    BuiltinCommandRegistrar(std::string_view name, BuiltinCommand command)
    {
        BuiltinCommandTable::instance().add(name, std::move(command));
    }
};

// A built-in command's question for a word or a file name: the answer trimmed, surrounding
// double quotes removed; nullopt when cancelled (reported as a cancel).
std::optional<std::string> askText(Session& s, const std::string& prompt);

// Upper-cases ASCII letters and drops leading "_" and "." (command-name matching).
std::string normalizeCommandName(std::string_view typedName);

}  // namespace dh::ed
