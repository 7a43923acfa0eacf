// The default print layout in the settings file, the title's line rule and
// the style texts of fonts.
#include <gtest/gtest.h>

#include <QFont>
#include <QTemporaryDir>

#include "datafile/ProfileFile.h"
#include "print/PrintDefaults.h"
#include "print/PrinterInfomation.h"

using korvexa::datafile::PrintLayout;
using korvexa::datafile::ProfileFile;
using namespace korvexa::print;

namespace {

class PrintDefaultsTest : public testing::Test {
protected:
    QTemporaryDir dir_;
    ProfileFile file_{dir_.filePath(QStringLiteral("#Korvexa#.ini")).toStdString()};
};

PrintLayout Changed()
{
    PrintLayout l;
    l.FirstPageNo = 3;
    l.Title = "§５　二次部材の設計\r\n\r\n\r\n５.１ スラブの設計\r\n";
    l.TitleFont = {"IPAexGothic", 14, "Bold"};
    l.BodyFont = {"IPAPMincho", 8, "Italic"};
    l.HeaderFont = {"C059", 10, "Bold & Italic"};
    l.LeftMargin = 25;
    l.TopMargin = 12;
    l.BottomMargin = 8;
    l.HeaderSideMargin = 11;
    l.HeaderTopMargin = 7;
    l.ParagraphSpace = 4;
    l.Indent = 0;
    l.ChangeEvenSideMargin = true;
    l.ChangeEvenHeaderPos = true;
    l.IsTitlePrint = false;
    l.IsSummaryPrint = true;
    return l;
}

}  // namespace

TEST_F(PrintDefaultsTest, WithoutASettingsFileTheBuiltInOnes)
{
    const PrintLayout d = ReadPrintDefaults(file_);
    EXPECT_EQ(d, PrintLayout{});
    EXPECT_EQ(TitleLines(d.Title), (std::vector<std::string>{"§５　二次部材の設計", "", "５.１ スラブの設計"}));
    EXPECT_EQ(d.TitleFont, (korvexa::datafile::FontSetting{"ＭＳ Ｐゴシック", 11, ""}));
    EXPECT_EQ(d.FirstPageNo, 0);
}

TEST_F(PrintDefaultsTest, RegisteredDefaultsComeBackWhole)
{
    ASSERT_TRUE(WritePrintDefaults(file_, Changed()));
    EXPECT_EQ(ReadPrintDefaults(file_), Changed());
    // The keys as the settings file names them; the title on one line.
    EXPECT_EQ(file_.ReadString("Print Header", "Title", ""), "§５　二次部材の設計\\n\\n\\n５.１ スラブの設計\\n");
    EXPECT_EQ(file_.ReadString("Print Layout", "TitleFontStyle", ""), "Bold");
    EXPECT_EQ(file_.ReadString("Print Layout", "TitlePrint", ""), "0");
    EXPECT_EQ(file_.ReadString("Print Layout", "SummaryPrint", ""), "1");
    EXPECT_EQ(file_.ReadString("Print Layout", "ChangeEvenHeaderPos", ""), "1");
    EXPECT_EQ(file_.ReadInteger("Print Layout", "HeaderFontSize", 0), 10);
    EXPECT_EQ(file_.ReadInteger("Print Header", "FirstPageNo", 0), 3);
}

TEST_F(PrintDefaultsTest, MissingKeysKeepTheBuiltInValuesButTheTitleIsEmpty)
{
    ASSERT_TRUE(file_.WriteInteger("Print Layout", "LeftMargin", 30));
    PrintLayout expected;
    expected.LeftMargin = 30;
    expected.Title.clear();
    EXPECT_EQ(ReadPrintDefaults(file_), expected);
}

TEST_F(PrintDefaultsTest, UnusableValuesKeepTheBuiltInOnes)
{
    ASSERT_TRUE(file_.WriteInteger("Print Layout", "BodyFontSize", 0));
    ASSERT_TRUE(file_.WriteInteger("Print Layout", "TitleFontSize", 20000));  // more than a data file holds
    ASSERT_TRUE(file_.WriteInteger("Print Layout", "TopMargin", -4));
    ASSERT_TRUE(file_.WriteString("Print Layout", "BodyFontStyle", "Heavy"));
    ASSERT_TRUE(file_.WriteInteger("Print Header", "FirstPageNo", -2));
    const PrintLayout d = ReadPrintDefaults(file_);
    EXPECT_EQ(d.BodyFont.Size, 9);
    EXPECT_EQ(d.TitleFont.Size, 11);
    EXPECT_EQ(d.TopMargin, 0);
    EXPECT_EQ(d.BodyFont.Style, "");
    EXPECT_EQ(d.FirstPageNo, 0);
}

TEST(TitleText, EveryLineEndsOneLine)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"A", {"A"}},
        {"A\r\n", {"A"}},
        {"A\r\n\r\n", {"A", ""}},
        {"A\n\nB", {"A", "", "B"}},
        {"A\r\nB\r\n", {"A", "B"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TitleLines(c.text), c.lines) << c.text;
        // Stored and read again, the line count stays.
        EXPECT_EQ(TitleLines(TitleText(c.lines)), c.lines) << c.text;
        EXPECT_EQ(TitleLines(TitleFromIni(IniTitle(TitleText(c.lines)))), c.lines) << c.text;
    }
}

TEST(TitleText, BackslashAndNInALineBecomeALineBreak)
{
    EXPECT_EQ(TitleLines(TitleFromIni(IniTitle("C:\\new\r\n"))), (std::vector<std::string>{"C:", "ew"}));
}

TEST(FontStyleText, NamesOnlyExactlyBoldItalicOrBoth)
{
    struct Case {
        bool bold, italic, underline, strikeOut;
        const char* style;
    };
    const Case cases[] = {
        {false, false, false, false, ""}, {true, false, false, false, "Bold"},
        {false, true, false, false, "Italic"}, {true, true, false, false, "Bold & Italic"},
        {true, false, true, false, ""}, {false, true, false, true, ""},
    };
    for (const Case& c : cases) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setBold(c.bold);
        font.setItalic(c.italic);
        font.setUnderline(c.underline);
        font.setStrikeOut(c.strikeOut);
        const QString style = FontStyleText(font);
        EXPECT_EQ(style, QString::fromUtf8(c.style));
        // Read back, the font is as the text says: regular when it is empty.
        QFont back(QStringLiteral("IPAPGothic"));
        back.setUnderline(true);
        SetFontStyleText(back, style);
        EXPECT_EQ(back.bold(), style.startsWith(QStringLiteral("Bold")));
        EXPECT_EQ(back.italic(), style.endsWith(QStringLiteral("Italic")));
        EXPECT_FALSE(back.underline());
    }
}
