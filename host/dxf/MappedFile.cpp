#include "host/dxf/MappedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dh::dxf {

MappedFile::~MappedFile()
{
    if (m_data) ::munmap(m_data, m_size);
}

bool MappedFile::open(const std::string& path, std::string& error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = errno ? std::strerror(errno) : "not a regular file";
        ::close(fd);
        return false;
    }
    m_size = static_cast<std::size_t>(info.st_size);
    if (m_size > 0) {
        void* mapped = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped == MAP_FAILED) {
            error = std::strerror(errno);
            ::close(fd);
            m_size = 0;
            return false;
        }
        m_data = static_cast<char*>(mapped);
        ::madvise(m_data, m_size, MADV_SEQUENTIAL);
    }
    ::close(fd);
    return true;
}

void MappedFile::releaseBefore(std::size_t offset)
{
    static const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::size_t end = std::min(offset, m_size) / kPage * kPage;
    if (!m_data || end <= m_released) return;
    ::madvise(m_data + m_released, end - m_released, MADV_DONTNEED);
    m_released = end;
}

} // namespace dh::dxf
