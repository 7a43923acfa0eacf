// The bytes pLaTeX reads, and the header file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "datafile/TextCodec.h"
#include "latex/LatexHeader.h"
#include "latex/LatexText.h"

using namespace korvexa;

namespace {

std::string Cp932(const char* utf8) { return datafile::Utf8ToCp932(utf8).text; }

}  // namespace

TEST(PtexBytes, CharactersBeyondJisX0208)
{
    struct Case {
        const char* in;
        std::string bytes;
        std::vector<std::string> replaced;
    };
    const Case cases[] = {
        {"表示 ソ 能", Cp932("表示 ソ 能"), {}},  // second bytes 0x5C stay kanji
        {"①床 ㎡", "(1)" + Cp932("床") + " m$^2$", {"①", "㎡"}},
        {"髙橋 山﨑 ⅲ", Cp932("高橋 山崎 iii"), {"髙", "﨑", "ⅲ"}},
        {"ｽﾗﾌﾞ･", Cp932("スラフ゛・"), {"ｽ", "ﾗ", "ﾌ", "ﾞ", "･"}},
        {"¥100 ‾", Cp932("￥100 ￣"), {"¥", "‾"}},
        {"﨟 é 𠮷", "? ? ?", {"é", "𠮷", "﨟"}},  // no equivalent
    };
    for (const Case& c : cases) {
        const latex::PtexBytes out = latex::ToPtexBytes(c.in);
        EXPECT_EQ(out.bytes, c.bytes) << c.in;
        EXPECT_EQ(out.replaced, c.replaced) << c.in;
    }
}

// What each text prints as is checked by compiling (compile_test.cpp);
// here the control characters, which are replaced and named.
TEST(EscapeLatex, ControlCharactersAreReplacedAndNamed)
{
    struct Case {
        const char* in;
        const char* out;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {"A&B 50% {x}", "A\\&B 50\\% \\{x\\}", {}},
        {"a\tb", "a b", {}},  // a tab is a blank
        {"a\x07" "b\x07", "a?b?", {"［制御文字 U+0007］"}},
        {"\x1b[1m\x7f", "?[1m?", {"［制御文字 U+001B］", "［制御文字 U+007F］"}},
        {"S1\xC2\x85", "S1?", {"［制御文字 U+0085］"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> named;
        EXPECT_EQ(latex::EscapeLatex(c.in, &named), c.out) << c.in;
        EXPECT_EQ(named, c.named) << c.in;
    }
}

TEST(HeaderFile, DefaultWhenMissingAndRoundTripWithCrLf)
{
    const auto dir = std::filesystem::temp_directory_path() / ("korvexa-header-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / latex::kHeaderFileName;
    EXPECT_FALSE(latex::ReadHeaderFile(file));
    EXPECT_FALSE(latex::ReadHeaderFile(dir));  // a folder is no header

    std::string error;
    const std::vector<std::string> lines = {"\\documentclass[a4j]{jarticle}", "", "%必須"};
    ASSERT_TRUE(latex::WriteHeaderFile(file, lines, error)) << error;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, "\\documentclass[a4j]{jarticle}\r\n\r\n" + Cp932("%必須") + "\r\n");
    EXPECT_EQ(latex::ReadHeaderFile(file), lines);

    EXPECT_FALSE(latex::WriteHeaderFile(file, {"café"}, error));  // CP932 lacks é: refused
    EXPECT_EQ(latex::ReadHeaderFile(file), lines);

    // A file saved as UTF-16 reads as its ASCII text, and saves again.
    std::ofstream(file, std::ios::binary) << std::string("%\0a\0\r\0\n\0", 8);
    EXPECT_EQ(latex::ReadHeaderFile(file), std::vector<std::string>{"%a"});
    EXPECT_TRUE(latex::WriteHeaderFile(file, *latex::ReadHeaderFile(file), error)) << error;
    std::filesystem::remove_all(dir);
}

TEST(TextLines, CarriageReturnsDropped)
{
    EXPECT_EQ(latex::TextLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(latex::TextLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(latex::TextLines("").empty());
}
