#include "host/dxf/ReadError.h"
#include "host/dxf/TagReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using dh::dxf::ReadError;
using dh::dxf::Tag;
using dh::dxf::TagReader;

namespace {

std::vector<Tag> readAll(std::string_view data)
{
    TagReader reader(data);
    std::vector<Tag> tags;
    Tag tag;
    while (reader.next(tag)) tags.push_back(tag);
    return tags;
}

template <typename T>
void put(std::string& out, T value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

} // namespace

TEST(TagReader, AsciiGroupsWithPaddedCodesAndCrLf)
{
    auto tags = readAll("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n 10\r\n1.5\r\n  0\r\nEOF\r\n");
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[1].code, 2);
    EXPECT_EQ(tags[1].raw, "ENTITIES");
    EXPECT_EQ(tags[2].code, 10);
    EXPECT_EQ(tags[2].raw, "1.5");
    EXPECT_EQ(tags[2].where, 5u); // the line of the code
}

TEST(TagReader, StopsAtEofAndIgnoresWhatFollows)
{
    auto tags = readAll("0\nSECTION\n0\nEOF\ngarbage that is not a group\n");
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags.back().raw, "EOF");
}

TEST(TagReader, InvalidCodeNamesItsLine)
{
    try {
        readAll("0\nSECTION\n2\nHEADER\nxx\nvalue\n");
        FAIL() << "no error";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.m_line, 5u);
        EXPECT_NE(e.m_reason.find("invalid group code"), std::string::npos);
    }
}

TEST(TagReader, FileEndingInsideAGroupIsAnError)
{
    try {
        readAll("0\nSECTION\n2\n");
        FAIL() << "no error";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.m_line, 3u);
    }
}

TEST(TagReader, BinaryWithTwoByteCodes)
{
    std::string data("AutoCAD Binary DXF\r\n\x1a\0", 22);
    put<std::int16_t>(data, 0);
    data.append("SECTION", 8);
    put<std::int16_t>(data, 10);
    put<double>(data, -2.25);
    put<std::int16_t>(data, 70);
    put<std::int16_t>(data, -7);
    put<std::int16_t>(data, 90);
    put<std::int32_t>(data, 123456);
    put<std::int16_t>(data, 310);
    data.push_back('\x03');
    data.append("\x01\x02\xff", 3);
    put<std::int16_t>(data, 0);
    data.append("EOF", 4);
    auto tags = readAll(data);
    ASSERT_EQ(tags.size(), 6u);
    EXPECT_EQ(tags[0].raw, "SECTION");
    EXPECT_DOUBLE_EQ(tags[1].number, -2.25);
    EXPECT_EQ(tags[2].integer, -7);
    EXPECT_EQ(tags[3].integer, 123456);
    EXPECT_EQ(tags[4].raw, std::string_view("\x01\x02\xff", 3));
}

TEST(TagReader, BinaryR12WithOneByteCodesAndExtendedCodes)
{
    std::string data("AutoCAD Binary DXF\r\n\x1a\0", 22);
    data.push_back('\0');
    data.append("SECTION", 8);
    data.push_back('\xff'); // an extended code follows in two bytes
    put<std::uint16_t>(data, 1070);
    put<std::int16_t>(data, 42);
    data.push_back('\0');
    data.append("EOF", 4);
    auto tags = readAll(data);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[1].code, 1070);
    EXPECT_EQ(tags[1].integer, 42);
}

TEST(TagReader, TruncatedBinaryGivesItsByteOffset)
{
    std::string data("AutoCAD Binary DXF\r\n\x1a\0", 22);
    put<std::int16_t>(data, 0);
    data.append("SECTION", 8);
    put<std::int16_t>(data, 10);
    data.append("\x01\x02", 2); // a double cut short
    try {
        readAll(data);
        FAIL() << "no error";
    } catch (const ReadError& e) {
        EXPECT_TRUE(e.m_binary);
        EXPECT_EQ(e.m_line, 34u); // where the missing bytes begin
    }
}
