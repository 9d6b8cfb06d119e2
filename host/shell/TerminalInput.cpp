#include "host/shell/TerminalInput.h"

#include <cstdio>
#include <cstdlib>
#include <editline/readline.h>

namespace dh::shell {

std::optional<std::string> TerminalInput::readLine(const std::string& prompt)
{
    char* raw = readline(prompt.c_str());
    if (!raw)
        return std::nullopt;
    std::string line = raw;
    std::free(raw);
    ++m_line;
    if (!line.empty())
        add_history(line.c_str());
    return line;
}

}  // namespace dh::shell
