#include "host/dxf/CodePage.h"
#include "host/dxf/TextDecoder.h"

#include <gtest/gtest.h>

using dh::dxf::CodePage;
using dh::dxf::TextDecoder;

namespace {

// 中文 and 层 in GBK (code page 936) and in UTF-8, from the code charts.
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4";
const std::string kChineseUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::string kLayerGbk = "\xB2\xE3";
const std::string kLayerUtf8 = "\xE5\xB1\x82";

std::string toUtf8(const char* page, const std::string& bytes)
{
    CodePage cp(page);
    std::string out;
    EXPECT_TRUE(cp.toUtf8(bytes, out)) << page;
    return out;
}

std::string fromUtf8(const char* page, const std::string& text)
{
    CodePage cp(page);
    std::string out;
    cp.fromUtf8(text, out);
    return out;
}

} // namespace

TEST(CodePage, DoubleByteCodePagesBothWays)
{
    EXPECT_EQ(toUtf8("ANSI_936", kChineseGbk), kChineseUtf8);
    EXPECT_EQ(fromUtf8("ANSI_936", kChineseUtf8), kChineseGbk);
    EXPECT_EQ(toUtf8("ANSI_950", "\xA4\xA4"), "\xE4\xB8\xAD");           // 中 in Big5
    EXPECT_EQ(toUtf8("ANSI_932", "\x93\xFA\x96\x7B"), "\xE6\x97\xA5\xE6\x9C\xAC"); // 日本
    EXPECT_EQ(toUtf8("ANSI_949", "\xC7\xD1"), "\xED\x95\x9C");           // 한
}

TEST(CodePage, SingleByteCodePages)
{
    EXPECT_EQ(toUtf8("ANSI_1252", "caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(toUtf8("ansi_1251", "\xCF\xF0\xE8"), "\xD0\x9F\xD1\x80\xD0\xB8"); // При
    EXPECT_EQ(toUtf8("ANSI_1250", "\x9A"), "\xC5\xA1");                         // š
    EXPECT_EQ(toUtf8("DOS850", "\x82"), "\xC3\xA9");                            // é
}

TEST(CodePage, CharactersOutsideTheCodePageAreEscaped)
{
    EXPECT_EQ(fromUtf8("ANSI_1252", "a\xC4\x95" "b"), "a\\U+0115b"); // ĕ
    EXPECT_EQ(fromUtf8("ANSI_1252", kLayerUtf8), "\\U+5C42");
    EXPECT_EQ(fromUtf8("ANSI_936", "x\xC3\xA9"), "x\xA8\xA6"); // é exists in GBK
}

TEST(CodePage, UnknownNameFallsBackTo1252)
{
    CodePage cp("ANSI_9999");
    EXPECT_FALSE(cp.known());
    EXPECT_EQ(cp.name(), "ANSI_1252");
}

TEST(CodePage, EscapesAreDecoded)
{
    EXPECT_EQ(dh::dxf::decodeEscapes("a\\U+4E2Db"), "a\xE4\xB8\xAD" "b");
    EXPECT_EQ(dh::dxf::decodeEscapes("\\M+5D6D0"), "\xE4\xB8\xAD"); // GBK D6D0 is 中
    EXPECT_EQ(dh::dxf::decodeEscapes("\\U+D83D\\U+DE00"), "\xF0\x9F\x98\x80");
    // Not escapes: left as they stand, and so are the special characters %%c %%d %%p.
    EXPECT_EQ(dh::dxf::decodeEscapes("\\U+12G4 %%c10 %%d %%p"), "\\U+12G4 %%c10 %%d %%p");
}

TEST(TextDecoder, FollowsTheHeaderAndTheUtf8OfLaterVersions)
{
    TextDecoder decoder;
    decoder.setFileCodePage("ANSI_936");
    EXPECT_EQ(decoder.decode(kLayerGbk), kLayerUtf8);
    decoder.setUtf8File(true);
    EXPECT_EQ(decoder.decode(kLayerUtf8), kLayerUtf8);
    EXPECT_TRUE(decoder.warnings().empty());
}

TEST(TextDecoder, Utf8UnderAWrongHeaderIsTakenWithAWarning)
{
    TextDecoder decoder;
    decoder.setFileCodePage("ANSI_936");
    EXPECT_EQ(decoder.decode(kChineseUtf8), kChineseUtf8);
    EXPECT_EQ(decoder.decode(kChineseGbk), kChineseUtf8); // real GBK still decodes
    ASSERT_EQ(decoder.warnings().size(), 1u);
    EXPECT_NE(decoder.warnings()[0].find("UTF-8"), std::string::npos);
}

TEST(TextDecoder, OverrideWinsOverTheHeader)
{
    TextDecoder decoder("ANSI_936");
    decoder.setFileCodePage("ANSI_1252");
    EXPECT_EQ(decoder.decode(kChineseGbk), kChineseUtf8);
}

TEST(TextDecoder, InvalidBytesAreReplacedNotDropped)
{
    TextDecoder decoder;
    decoder.setUtf8File(true);
    std::string text = decoder.decode("a\xFF" "b");
    EXPECT_EQ(text.front(), 'a');
    EXPECT_EQ(text.back(), 'b');
    EXPECT_FALSE(decoder.warnings().empty());
}
