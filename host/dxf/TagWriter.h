// TagWriter: writes ASCII DXF groups into a memory buffer. Texts arrive in UTF-8 and are
// written in the file's code page (texts it cannot hold as \U+XXXX); R2007 and later files
// are UTF-8. Doubles are written in their shortest exact form, so a read gives back the
// same bits.
#pragma once

#include "host/dxf/CodePage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dh::dxf {

class TagWriter {
public:
    // `codePage` names the code page of the texts; ignored (UTF-8) when utf8 is true.
    TagWriter(std::string_view codePage, bool utf8);

    void writeString(int code, std::string_view utf8);
    // A text already in the file's encoding (names, keywords, hex).
    void writeRaw(int code, std::string_view text);
    void writeInt(int code, std::int64_t value);
    void writeDouble(int code, double value);
    void writeHandle(int code, std::uint64_t handle);
    void writeBinary(int code, const void* data, std::size_t size);

    const std::string& buffer() const { return m_out; }
    std::string& buffer() { return m_out; }

private:
    void writeCode(int code);

    CodePage m_codePage;
    bool m_utf8;
    std::string m_out;
    std::string m_scratch;
};

// Caret notation of ASCII files: control characters as ^@ … ^_, a caret as "^ ".
bool needsCaret(std::string_view text);
std::string caretEncode(std::string_view text);
std::string caretDecode(std::string_view text);

// Shortest text that reads back as exactly `value` ("0.0" style for integral values).
void appendDouble(std::string& out, double value);

} // namespace dh::dxf
