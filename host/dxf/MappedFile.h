// MappedFile: a file mapped read-only into memory for the reader. Pages the reader has
// passed can be given back (release), so that a large drawing does not hold its whole
// file in memory besides the database built from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dh::dxf {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False with `error` set when the file cannot be opened or mapped.
    bool open(const std::string& path, std::string& error);
    std::string_view data() const { return {m_data, m_size}; }
    // Gives back the pages wholly before `offset`.
    void releaseBefore(std::size_t offset);

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_released = 0;
};

} // namespace dh::dxf
