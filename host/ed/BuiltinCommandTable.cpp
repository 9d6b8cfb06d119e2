#include "host/ed/BuiltinCommandTable.h"

namespace dh::ed {

std::string normalizeCommandName(std::string_view typedName)
{
    while (!typedName.empty() && (typedName.front() == '_' || typedName.front() == '.'))
        typedName.remove_prefix(1);
    std::string name(typedName);
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

BuiltinCommandTable& BuiltinCommandTable::instance()
{
    static BuiltinCommandTable table;
    return table;
}

void BuiltinCommandTable::add(std::string_view name, BuiltinCommand command)
{
    m_commands[normalizeCommandName(name)] = std::move(command);
}

const BuiltinCommand* BuiltinCommandTable::find(std::string_view typedName) const
{
    auto it = m_commands.find(normalizeCommandName(typedName));
    return it == m_commands.end() ? nullptr : &it->second;
}

std::vector<std::string> BuiltinCommandTable::names() const
{
    std::vector<std::string> result;
    for (const auto& [name, command] : m_commands)
        result.push_back(name);
    return result;
}

}  // namespace dh::ed
