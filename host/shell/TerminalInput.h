// Lines typed at a terminal, read with line editing and history (libedit).
#pragma once

#include "host/ed/InputSource.h"

namespace dh::shell {

class TerminalInput : public ed::InputSource {
public:
    std::optional<std::string> readLine(const std::string& prompt) override;
    bool isTerminal() const override { return true; }
    std::string location() const override { return "terminal:" + std::to_string(m_line); }

private:
    int m_line = 0;
};

}  // namespace dh::shell
