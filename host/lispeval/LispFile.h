// A text file opened by the LISP's open: read whole and decoded to UTF-8 when opened for
// reading; for writing and appending, text is encoded as the file asks and reaches the
// disk at close at the latest. A closed file stays a value that can no longer be used.
#pragma once

#include "host/lispeval/HostHooks.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace dh::lisp {

class LispFile
{
public:
    enum class Mode
    {
        Read,
        Write,
        Append
    };

    // Opens path; name is what the file prints as. Reading: codec.toUtf8 decodes the bytes
    // (empty: a byte order mark or valid UTF-8 makes them UTF-8, else fallback decodes). Writing: a
    // BOM first when asked, then codec.fromUtf8 encodes every write. When the file cannot be
    // opened, isOpen() is false and error() says why.
    LispFile(const std::string& path, std::string name, Mode mode, const TextCodec& codec,
             const TextCodec& fallback, bool bom);
    ~LispFile();
    LispFile(const LispFile&) = delete;
    LispFile& operator=(const LispFile&) = delete;

    const std::string& name() const { return m_name; }
    bool isOpen() const { return m_open; }
    bool isReading() const { return m_mode == Mode::Read; }
    const std::string& error() const { return m_error; }

    // The next line without its end (LF or CR LF); nullopt at the end.
    std::optional<std::string> readLine();
    // The next character's code; an end of line reads as 10; nullopt at the end.
    std::optional<char32_t> readChar();
    // False when the text cannot be written (the file is full, the disk is gone).
    bool write(std::string_view utf8);
    // False when what was written did not reach the disk.
    bool close();

private:
    std::string m_name;
    Mode m_mode;
    TextCodec m_codec;
    std::FILE* m_file = nullptr;
    bool m_open = false;
    bool m_failed = false;
    std::string m_error;
    std::string m_text; // the decoded contents of a file read
    std::size_t m_pos = 0;
};

} // namespace dh::lisp
