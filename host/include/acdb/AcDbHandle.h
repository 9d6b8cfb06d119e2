// A handle: the 64-bit number that names an object in its drawing file and stays with it
// for the life of the drawing. Zero is the null handle. Written as upper-case hex.
#pragma once

#include <cstdint>
#include <string>

class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(std::uint64_t value) : m_value(value) {}
    // Parses hex digits; a text that is not hex gives the null handle.
    explicit AcDbHandle(const char* hex);

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }
    std::uint64_t value() const { return m_value; }
    operator std::uint64_t() const { return m_value; }

    // Writes the hex form (at most 16 digits and the terminator) into buffer.
    void getIntoAsciiBuffer(char* buffer, std::size_t size = 17) const;
    std::string toString() const;

    AcDbHandle& operator++() { ++m_value; return *this; }
    AcDbHandle operator+(const AcDbHandle& other) const { return m_value + other.m_value; }
    bool operator==(const AcDbHandle& other) const = default;
    auto operator<=>(const AcDbHandle& other) const = default;

private:
    std::uint64_t m_value = 0;
};
