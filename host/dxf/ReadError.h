// ReadError: the one error the DXF reader throws from deep code; readDxf catches it at
// its entry and turns it into a refusal naming the place and the reason.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace dh::dxf {

struct ReadError : std::runtime_error {
    // `line` is the 1-based line of an ASCII file, or the byte offset of a binary one.
    ReadError(std::size_t line, std::string reason, bool binary = false)
        : std::runtime_error(reason), m_line(line), m_reason(std::move(reason)),
          m_binary(binary)
    {
    }
    std::size_t m_line;
    std::string m_reason;
    bool m_binary;

    // "line 12: reason" or "byte 4096: reason".
    std::string where() const
    {
        return (m_binary ? "byte " : "line ") + std::to_string(m_line) + ": " + m_reason;
    }
};

} // namespace dh::dxf
