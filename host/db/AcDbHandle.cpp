#include <acdb/AcDbHandle.h>

#include <cinttypes>
#include <cstdio>

AcDbHandle::AcDbHandle(const char* hex)
{
    if (!hex || !*hex)
        return;
    std::uint64_t value = 0;
    int digits = 0;
    for (const char* p = hex; *p; ++p, ++digits) {
        const char c = *p;
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || digits >= 16)
            return; // not a handle: stays null
        value = value * 16 + static_cast<std::uint64_t>(d);
    }
    m_value = value;
}

void AcDbHandle::getIntoAsciiBuffer(char* buffer, std::size_t size) const
{
    if (buffer && size > 0)
        std::snprintf(buffer, size, "%" PRIX64, m_value);
}

std::string AcDbHandle::toString() const
{
    char buffer[17];
    getIntoAsciiBuffer(buffer, sizeof buffer);
    return buffer;
}
