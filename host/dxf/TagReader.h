// TagReader: turns the bytes of an ASCII or binary DXF file into (code, value) groups,
// one at a time, with one group of look-ahead. It knows nothing of sections or objects.
// Values stay raw: ASCII values are the text of their line (without the line end);
// binary numbers arrive as numbers. Malformed input throws ReadError naming the line
// (ASCII) or byte offset (binary). The bytes must outlive the reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dh::dxf {

struct Tag {
    int code = 0;
    std::string_view raw;      // text value, or the bytes of a binary chunk
    bool numeric = false;      // binary file: the value is in number/integer
    double number = 0.0;
    std::int64_t integer = 0;
    std::size_t where = 0;     // line of the code (ASCII) or byte offset (binary)
};

class TagReader {
public:
    explicit TagReader(std::string_view data);

    static bool isBinary(std::string_view data);

    bool binary() const { return m_binary; }
    // The next group; false after "0 EOF" or at the end of the data.
    bool next(Tag& tag)
    {
        if (m_pos > m_nextRelease && m_release) releasePassed();
        if (m_hasPeek) {
            tag = m_peek;
            m_hasPeek = false;
            return true;
        }
        return m_binary ? readBinary(tag) : readAscii(tag);
    }
    // The group next() would give, without consuming it; nullptr at the end.
    const Tag* peek()
    {
        if (!m_hasPeek) {
            if (!(m_binary ? readBinary(m_peek) : readAscii(m_peek))) return nullptr;
            m_hasPeek = true;
        }
        return &m_peek;
    }
    // Where the reader stands, for messages about a missing group.
    std::size_t where() const { return m_binary ? m_pos : m_line; }
    std::size_t bytesRead() const { return m_pos; }

    [[noreturn]] void fail(std::size_t where, const std::string& reason) const;

    // Called now and then with the offset below which the data is no longer looked at.
    void setReleaseHook(std::function<void(std::size_t)> hook) { m_release = std::move(hook); }

private:
    void releasePassed();
    bool readAscii(Tag& tag);
    bool readBinary(Tag& tag);
    bool readLine(std::string_view& line);
    bool readCodeQuickly(int& code);
    void need(std::size_t bytes) const;

    std::string_view m_data;
    std::size_t m_pos = 0;
    std::size_t m_line = 0;
    bool m_binary = false;
    bool m_shortCodes = false; // binary R12: one-byte group codes
    bool m_done = false;
    bool m_hasPeek = false;
    Tag m_peek;
    std::function<void(std::size_t)> m_release;
    std::size_t m_nextRelease = kReleaseStep;
    static constexpr std::size_t kReleaseStep = 8u << 20;
};

} // namespace dh::dxf
