#include <gtest/gtest.h>

#include "datafile/TextCodec.h"

namespace korvexa::datafile {
namespace {

TEST(TextCodec, JapaneseTextsRoundTripThroughCp932)
{
    for (std::string_view text : {"S1", "事務室", "ﾊﾞﾙｺﾆｰ", "§５　二次部材の設計\r\n", "ＭＳ Ｐゴシック", "a\\b~c",
                                  "①Ⅱ㈱", "―‐－～∥￢"}) {
        const ConvertedText encoded = Utf8ToCp932(text);
        EXPECT_FALSE(encoded.replaced) << text;
        const ConvertedText decoded = Cp932ToUtf8(encoded.text);
        EXPECT_FALSE(decoded.replaced) << text;
        EXPECT_EQ(decoded.text, text);
    }
    EXPECT_EQ(Utf8ToCp932("事務室").text, "\x8E\x96\x96\xB1\x8E\xBA");
    EXPECT_EQ(Utf8ToCp932("ｱ").text, "\xB1");
    EXPECT_EQ(Utf8ToCp932("a\\b~").text, "a\\b~");  // backslash and tilde stay ASCII
}

TEST(TextCodec, WaveDashIsStoredAsFullwidthTilde)
{
    EXPECT_EQ(Utf8ToCp932("1〜3").text, "1\x81\x60" "3");
    EXPECT_EQ(Utf8ToCp932("1～3").text, "1\x81\x60" "3");
    EXPECT_EQ(Cp932ToUtf8("\x81\x60").text, "～");
}

TEST(TextCodec, UnencodableCharactersBecomeQuestionMarks)
{
    ConvertedText t = Utf8ToCp932("A😀B한C");
    EXPECT_TRUE(t.replaced);
    EXPECT_EQ(t.text, "A?B?C");

    t = Utf8ToCp932("室\xE4\xB8" "X");  // a broken UTF-8 sequence before X
    EXPECT_TRUE(t.replaced);
    EXPECT_EQ(t.text, "\x8E\xBA?X");

    t = Utf8ToCp932(std::string_view("a\0b", 3));
    EXPECT_TRUE(t.replaced);
    EXPECT_EQ(t.text, "a?b");
}

TEST(TextCodec, BytesThatAreNotCp932BecomeQuestionMarks)
{
    ConvertedText t = Cp932ToUtf8("\x8E\xBA\x81");  // a lead byte at the end
    EXPECT_TRUE(t.replaced);
    EXPECT_EQ(t.text, "室?");
    t = Cp932ToUtf8("A\xFD" "B");
    EXPECT_TRUE(t.replaced);
    EXPECT_EQ(t.text, "A?B");
}

TEST(TextCodec, PrefixNeverSplitsATwoByteCharacter)
{
    const std::string text = Utf8ToCp932("aア室ｱ").text;  // 1 + 2 + 2 + 1 bytes
    ASSERT_EQ(text.size(), 6u);
    EXPECT_EQ(Cp932PrefixLength(text, 0), 0u);
    EXPECT_EQ(Cp932PrefixLength(text, 2), 1u);
    EXPECT_EQ(Cp932PrefixLength(text, 3), 3u);
    EXPECT_EQ(Cp932PrefixLength(text, 4), 3u);
    EXPECT_EQ(Cp932PrefixLength(text, 6), 6u);
    EXPECT_EQ(Cp932PrefixLength(text, 50), 6u);
}

}  // namespace
}  // namespace korvexa::datafile
