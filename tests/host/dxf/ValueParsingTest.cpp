// Values as the reader parses them: numbers must come out bit for bit as the standard
// library parses them, whatever path they take; line ends, long lines and code lines of
// every shape; texts whose conversion is remembered must follow a change of code page.
#include "host/dxf/ReadError.h"
#include "host/dxf/TagStream.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using dh::dxf::ReadError;
using dh::dxf::Tag;
using dh::dxf::TagReader;
using dh::dxf::TagStream;
using dh::dxf::TextDecoder;

namespace {

// Reads every group of `data` (no EOF needed) through the typed stream.
std::vector<AcDbDxfTag> readTyped(const std::string& data, TextDecoder& decoder)
{
    TagReader reader(data);
    TagStream stream(reader, decoder);
    std::vector<AcDbDxfTag> tags;
    AcDbDxfTag tag;
    while (stream.next(tag)) tags.push_back(tag);
    return tags;
}

std::vector<AcDbDxfTag> readTyped(const std::string& data)
{
    TextDecoder decoder;
    return readTyped(data, decoder);
}

double referenceDouble(std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && ptr == text.data() + text.size()) << text;
    return value;
}

void expectSameBits(double got, double want, const std::string& text)
{
    std::uint64_t a = 0, b = 0;
    std::memcpy(&a, &got, sizeof a);
    std::memcpy(&b, &want, sizeof b);
    EXPECT_EQ(a, b) << "'" << text << "' read as " << got << ", expected " << want;
}

} // namespace

TEST(ValueParsing, DoublesMatchTheStandardParserBitForBit)
{
    const std::vector<std::string> texts{
        "504364.453", "-3010307.957", "0.1", "1.", ".5", "-0.0", "+1.25", "  2.5  ", "0",
        "123456789012345", "1234567890123456", "0.30000000000000004", "9007199254740993",
        "1e-3", "1.5E+10", "-2.5e-300", "0.000000000000000000001", "999999999999999.9",
        "0.1234567890123456789", "100000000000000000000000", "00000000000000000001.5"};
    std::string data;
    for (const std::string& text : texts) data += " 40\n" + text + "\n";
    const auto tags = readTyped(data);
    ASSERT_EQ(tags.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(tags[i].kind, AcDbDxfTag::Kind::kDouble);
        expectSameBits(tags[i].real(), referenceDouble(texts[i]), texts[i]);
    }
    EXPECT_TRUE(std::signbit(tags[5].real())); // "-0.0" keeps its sign
}

TEST(ValueParsing, RandomCoordinatesMatchTheStandardParser)
{
    std::mt19937_64 random(20261208);
    std::string data;
    std::vector<std::string> texts;
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 18);
        const double magnitude = std::ldexp(static_cast<double>(random() % 1000000007), static_cast<int>(random() % 40) - 20);
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, (random() & 1) ? -magnitude : magnitude);
        texts.emplace_back(text);
        data += " 10\n" + texts.back() + "\n";
    }
    const auto tags = readTyped(data);
    ASSERT_EQ(tags.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) expectSameBits(tags[i].xyz[0], referenceDouble(texts[i]), texts[i]);
}

TEST(ValueParsing, IntegersOfEveryLength)
{
    const auto tags = readTyped(" 70\n  -12 \n 70\n+7\n 90\n1.0\n 90\n999999999999999999\n"
                                "160\n9223372036854775807\n160\n-9223372036854775808\n 70\n\n");
    ASSERT_EQ(tags.size(), 7u);
    EXPECT_EQ(tags[0].integer, -12);
    EXPECT_EQ(tags[1].integer, 7);
    EXPECT_EQ(tags[2].integer, 1); // a whole real taken as an integer
    EXPECT_EQ(tags[3].integer, 999999999999999999);
    EXPECT_EQ(tags[4].integer, INT64_MAX);
    EXPECT_EQ(tags[5].integer, INT64_MIN);
    EXPECT_EQ(tags[6].integer, 0); // empty
}

TEST(ValueParsing, MalformedNumbersNameTheirLine)
{
    for (const char* bad : {"12abc", "1.2.3", "-", ".", "1,5", "0x10"}) {
        try {
            readTyped(" 10\n1.0\n 40\n" + std::string(bad) + "\n");
            ADD_FAILURE() << "'" << bad << "' was accepted";
        } catch (const ReadError& e) {
            EXPECT_EQ(e.m_line, 3u) << bad;
            EXPECT_NE(e.m_reason.find("invalid number"), std::string::npos) << e.m_reason;
        }
    }
    try {
        readTyped(" 70\n1\n 70\n7x\n");
        ADD_FAILURE() << "an integer with junk was accepted";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.m_line, 3u);
        EXPECT_NE(e.m_reason.find("invalid integer"), std::string::npos);
    }
}

TEST(ValueParsing, CodeLinesOfEveryShape)
{
    // Padded with spaces or a tab, CRLF or LF, a long but valid code, a last line without
    // its line end.
    TagReader reader(std::string_view("  0\r\nA\r\n\t8\nL\n 1000000000 \nX\n  1\nlast"));
    Tag tag;
    ASSERT_TRUE(reader.next(tag));
    EXPECT_EQ(tag.code, 0);
    EXPECT_EQ(tag.raw, "A");
    ASSERT_TRUE(reader.next(tag));
    EXPECT_EQ(tag.code, 8);
    EXPECT_EQ(tag.raw, "L");
    ASSERT_TRUE(reader.next(tag));
    EXPECT_EQ(tag.code, 1000000000);
    EXPECT_EQ(tag.where, 5u);
    ASSERT_TRUE(reader.next(tag));
    EXPECT_EQ(tag.code, 1);
    EXPECT_EQ(tag.raw, "last");
    EXPECT_FALSE(reader.next(tag));

    for (const char* bad : {"99999999999", "+5", "1 0", "5x"}) {
        const std::string data = std::string("0\nA\n") + bad + "\nvalue\n";
        TagReader damaged(data);
        try {
            while (damaged.next(tag)) {}
            ADD_FAILURE() << "code '" << bad << "' was accepted";
        } catch (const ReadError& e) {
            EXPECT_EQ(e.m_line, 3u) << bad;
            EXPECT_NE(e.m_reason.find("invalid group code"), std::string::npos) << e.m_reason;
        }
    }
}

TEST(ValueParsing, LinesAroundTheEightByteScan)
{
    // Values of 0 to 20 bytes, each ending in a CR, an LF or both, so that the line end falls
    // on every place of an eight-byte word.
    std::string data;
    std::vector<std::string> values;
    for (int length = 0; length <= 20; ++length) {
        std::string value;
        for (int i = 0; i < length; ++i) value.push_back(static_cast<char>('a' + i % 26));
        if (length == 11) value[5] = '\r'; // a CR inside a line is part of the value
        values.push_back(value);
        data += "  1\n" + value + (length % 2 ? "\r\n" : "\n");
    }
    TagReader reader(data);
    Tag tag;
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_TRUE(reader.next(tag));
        EXPECT_EQ(tag.raw, values[i]) << "length " << i;
        EXPECT_EQ(tag.where, 2 * i + 1);
    }
    EXPECT_FALSE(reader.next(tag));
}

TEST(ValueParsing, RememberedConversionsFollowTheCodePage)
{
    const std::string gbk = "\xB2\xE3";       // a layer name in GBK
    const std::string utf8 = "\xE5\xB1\x82"; // the same in UTF-8
    TextDecoder decoder;
    decoder.setFileCodePage("ANSI_936");
    const std::string data = "  8\n" + gbk + "\n  8\n" + gbk + "\n  1\n\\U+4E2D" + gbk + "\n";
    auto tags = readTyped(data, decoder);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].text, utf8);
    EXPECT_EQ(tags[1].text, utf8);
    EXPECT_EQ(tags[2].text, "\xE4\xB8\xAD" + utf8); // the escape still resolved
    // The same bytes under a single-byte code page are two Latin-1 letters.
    decoder.setFileCodePage("ANSI_1252");
    tags = readTyped(data, decoder);
    EXPECT_EQ(tags[0].text, "\xC2\xB2\xC3\xA3");
    EXPECT_TRUE(decoder.warnings().empty());
    // Plain ASCII with an escape is decoded, without one it is taken as it stands.
    tags = readTyped("  1\nA\\U+00B0B\n  1\nplain\\\n", decoder);
    EXPECT_EQ(tags[0].text, "A\xC2\xB0" "B");
    EXPECT_EQ(tags[1].text, "plain\\");
}
