#include "host/lispeval/LispFile.h"

#include "host/lispeval/Utf8.h"

#include <cerrno>
#include <cstring>

namespace dh::lisp {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool readAll(std::FILE* file, std::string& out)
{
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        out.append(buffer, n);
    }
    return !std::ferror(file);
}

} // namespace

LispFile::LispFile(const std::string& path, std::string name, Mode mode, const TextCodec& codec,
                   const TextCodec& fallback, bool bom)
    : m_name(std::move(name)), m_mode(mode), m_codec(codec)
{
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "ab";
    m_file = std::fopen(path.c_str(), how);
    if (!m_file) {
        m_error = std::strerror(errno);
        return;
    }
    m_open = true;
    if (mode != Mode::Read) {
        if (bom && (mode == Mode::Write || std::ftell(m_file) == 0)) {
            m_failed = std::fwrite(kBom.data(), 1, kBom.size(), m_file) != kBom.size();
        }
        return;
    }
    std::string bytes;
    if (!readAll(m_file, bytes)) {
        m_error = std::strerror(errno);
        m_open = false;
    }
    std::fclose(m_file);
    m_file = nullptr;
    if (m_codec.toUtf8) {
        m_text = m_codec.toUtf8(bytes);
    } else if (bytes.compare(0, kBom.size(), kBom) == 0) {
        m_text = bytes.substr(kBom.size());
    } else if (utf8Valid(bytes) || !fallback.toUtf8) {
        m_text = std::move(bytes);
    } else {
        m_text = fallback.toUtf8(bytes);
    }
}

LispFile::~LispFile()
{
    if (m_file) {
        std::fclose(m_file);
    }
}

std::optional<std::string> LispFile::readLine()
{
    if (m_pos >= m_text.size()) {
        return std::nullopt;
    }
    std::size_t end = m_text.find('\n', m_pos);
    std::size_t next = end == std::string::npos ? m_text.size() : end + 1;
    if (end == std::string::npos) {
        end = m_text.size();
    }
    if (end > m_pos && m_text[end - 1] == '\r') {
        --end;
    }
    std::string line = m_text.substr(m_pos, end - m_pos);
    m_pos = next;
    return line;
}

std::optional<char32_t> LispFile::readChar()
{
    if (m_pos >= m_text.size()) {
        return std::nullopt;
    }
    if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
        m_pos += 2;
        return U'\n';
    }
    char32_t c = utf8Decode(m_text, m_pos);
    m_pos += utf8CharLength(m_text, m_pos);
    return c;
}

bool LispFile::write(std::string_view utf8)
{
    if (!m_file) {
        return false;
    }
    std::string encoded = m_codec.fromUtf8 ? m_codec.fromUtf8(utf8) : std::string(utf8);
    if (std::fwrite(encoded.data(), 1, encoded.size(), m_file) != encoded.size()) {
        m_failed = true;
        m_error = std::strerror(errno);
    }
    return !m_failed;
}

bool LispFile::close()
{
    m_open = false;
    if (!m_file) {
        return true;
    }
    if (std::fclose(m_file) != 0 && !m_failed) {
        m_failed = true;
        m_error = std::strerror(errno);
    }
    m_file = nullptr;
    return !m_failed;
}

} // namespace dh::lisp
