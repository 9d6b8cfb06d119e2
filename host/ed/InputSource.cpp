#include "host/ed/InputSource.h"

#include <fstream>

namespace dh::ed {

LineQueueInput::LineQueueInput(std::string name, std::vector<std::string> lines)
    : m_name(std::move(name)), m_lines(std::move(lines))
{
}

std::optional<std::string> LineQueueInput::readLine(const std::string&)
{
    if (m_next >= m_lines.size())
        return std::nullopt;
    return m_lines[m_next++];
}

std::string LineQueueInput::location() const
{
    return m_name + ":" + std::to_string(m_next == 0 ? 1 : m_next);
}

StreamInput::StreamInput(std::string name, std::unique_ptr<std::istream> owned)
    : m_name(std::move(name)), m_owned(std::move(owned)), m_in(m_owned.get())
{
}

StreamInput::StreamInput(std::string name, std::istream& borrowed)
    : m_name(std::move(name)), m_in(&borrowed)
{
}

std::optional<std::string> StreamInput::readLine(const std::string&)
{
    std::string line;
    if (!m_in || !std::getline(*m_in, line))
        return std::nullopt;
    ++m_line;
    if (m_line == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
        line.erase(0, 3);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string StreamInput::location() const
{
    return m_name + ":" + std::to_string(m_line == 0 ? 1 : m_line);
}

std::optional<std::string> ChainInput::readLine(const std::string& prompt)
{
    while (m_current < m_sources.size()) {
        if (auto line = m_sources[m_current]->readLine(prompt))
            return line;
        ++m_current;
    }
    return std::nullopt;
}

bool ChainInput::isTerminal() const
{
    return m_current < m_sources.size() && m_sources[m_current]->isTerminal();
}

std::string ChainInput::location() const
{
    if (m_sources.empty())
        return "input";
    std::size_t i = m_current < m_sources.size() ? m_current : m_sources.size() - 1;
    return m_sources[i]->location();
}

}  // namespace dh::ed
