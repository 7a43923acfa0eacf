// Damaged, truncated and foreign files are refused as a whole.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestData.h"
#include "datafile/DataFile.h"

namespace korvexa::datafile {
namespace {

using test::DesignableSlab;

constexpr std::size_t kSlab2 = 164 + 345;  // start of the second slab record

std::string ValidFile()
{
    DataSet d;
    d.slabs = {DesignableSlab("S1"), DesignableSlab("S2"), DesignableSlab("S3")};
    DesignDataSet(d);
    return EncodeDataFile(d);
}

void Put(std::string& b, std::size_t at, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
}

void PutReal(std::string& b, std::size_t at, double v)
{
    test::FileBuilder f;
    f.Real(v);
    b.replace(at, 8, f.bytes());
}

// The file is refused with the format message and a detail naming all of `parts`.
void ExpectRefused(const std::string& bytes, std::initializer_list<std::string> parts)
{
    const ReadResult r = DecodeDataFile(bytes);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, kWrongFormatMessage);
    for (const std::string& part : parts)
        EXPECT_NE(r.error.detail.find(part), std::string::npos) << "'" << part << "' not in: " << r.error.detail;
}

std::string Offset(std::size_t at) { return "バイト位置 " + std::to_string(at) + "）"; }

TEST(DamagedFile, EveryTruncationIsRefused)
{
    const std::string b = ValidFile();
    ASSERT_TRUE(DecodeDataFile(b).ok());
    for (std::size_t n = 0; n < b.size(); ++n) {
        const ReadResult r = DecodeDataFile(std::string_view(b).substr(0, n));
        ASSERT_FALSE(r.ok()) << "cut at " << n;
        ASSERT_EQ(r.error.message, kWrongFormatMessage) << "cut at " << n;
        ASSERT_FALSE(r.error.detail.empty());
    }
    ExpectRefused(b.substr(0, kSlab2 + 100), {"スラブ数", "収まりません"});
    ExpectRefused(b.substr(0, 164 + 3 * 345 + 20), {"印刷設定の Title", "超えて"});
    ExpectRefused(b.substr(0, b.size() - 2), {"印刷設定の BottomMargin", "途中で終わって"});
    // Bytes after the print layout are not part of the file: read with a word.
    const ReadResult extra = DecodeDataFile(b + "extra");
    ASSERT_TRUE(extra.ok());
    ASSERT_EQ(extra.warnings.size(), 1u);
    EXPECT_NE(extra.warnings[0].find("5 バイト"), std::string::npos) << extra.warnings[0];
}

TEST(DamagedFile, ForeignFileIsRefused)
{
    std::string b = ValidFile();
    b[1] = 'k';
    ExpectRefused(b, {"識別子"});
    ExpectRefused("", {"識別子"});
    ExpectRefused("#Korvexa#", {"識別子"});
    b = ValidFile();
    b.replace(10, 10, "1111111111");
    ExpectRefused(b, {"バージョン", Offset(10)});
}

TEST(DamagedFile, SlabValuesOutOfRange)
{
    struct Case {
        std::size_t at;  // offset in the second slab record
        std::int32_t value;
        std::string field;
    };
    const Case cases[] = {
        {51, 15, "Bind"},           {51, -1, "Bind"},          {55, 3, "LoadShape"},
        {59, 3, "LoadTime"},        {63, 3, "Concrete"},       {63, -2, "Concrete"},
        {229, 9, "Bar[0][0][0]"},   {229 + 4 * 14, -1, "Bar[1][0][1]"},
        {229 + 4 * 25, 4, "CompMode[1]"}, {229 + 4 * 21, -100, "Pitch[0][0]"}, {229 + 4 * 21, 1 << 30, "Pitch[0][0]"},
        {333, 2, "BarOutside"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        std::string b = ValidFile();
        Put(b, kSlab2 + c.at, c.value);
        ExpectRefused(b, {"スラブ 2「S2」の " + c.field, Offset(kSlab2 + c.at), std::to_string(c.value)});
    }
    // An earlier word of the bar block is overwritten by a later one.
    std::string early = ValidFile();
    Put(early, kSlab2 + 229 + 4 * 3, -100);
    EXPECT_TRUE(DecodeDataFile(early).ok());
    // A load distribution that the edge condition has.
    std::string b = ValidFile();
    Put(b, kSlab2 + 55, 2);  // Bind 1 has three
    EXPECT_TRUE(DecodeDataFile(b).ok());
}

TEST(DamagedFile, FlagBytesThatAreReadMustBeZeroOrOne)
{
    const char* fields[10] = {"TLDirect", nullptr, nullptr, nullptr, "DeltCheck", "OwnDirect", "DeflectionOnly",
                              nullptr, "FLAdd", nullptr};
    for (std::size_t i = 0; i < 10; ++i) {
        std::string b = ValidFile();
        b[kSlab2 + 219 + i] = 2;
        if (fields[i])
            ExpectRefused(b, {fields[i], Offset(kSlab2 + 219 + i)});
        else
            EXPECT_TRUE(DecodeDataFile(b).ok()) << "flag byte " << i;
    }
}

TEST(DamagedFile, NumbersThatAreNotNumbersOrUnits)
{
    std::string b = ValidFile();
    PutReal(b, kSlab2 + 67, std::numeric_limits<double>::quiet_NaN());
    ExpectRefused(b, {"Fc", Offset(kSlab2 + 67)});
    b = ValidFile();
    PutReal(b, kSlab2 + 91, std::numeric_limits<double>::infinity());
    ExpectRefused(b, {"Lx"});
    b = ValidFile();
    PutReal(b, kSlab2 + 83, 1.2e282);  // T far beyond any thickness
    ExpectRefused(b, {"T", Offset(kSlab2 + 83), "大きすぎ"});
    b = ValidFile();
    PutReal(b, kSlab2 + 337, 10);
    ExpectRefused(b, {"LoadUnit"});
    b = ValidFile();
    PutReal(b, 72, 0);
    ExpectRefused(b, {"LoadUnitFactor", Offset(72)});
    b = ValidFile();
    PutReal(b, 36, -std::numeric_limits<double>::infinity());
    ExpectRefused(b, {"SnowCoef[1]"});
}

TEST(DamagedFile, HeaderCountsAndTexts)
{
    std::string b = ValidFile();
    b.replace(80, 10, std::string("XY1\0\0\0\0\0\0\0", 10));
    ExpectRefused(b, {"D10", Offset(80)});
    b = ValidFile();
    Put(b, 160, -1);
    ExpectRefused(b, {"スラブ数", "-1"});
    b = ValidFile();
    Put(b, 160, 4);  // one more than the file holds
    ExpectRefused(b, {"スラブ数", "収まりません"});
    b = ValidFile();
    Put(b, 160, 2000000000);
    ExpectRefused(b, {"スラブ数", "収まりません"});
}

TEST(DamagedFile, PrintLayoutValues)
{
    const std::size_t layout = 164 + 3 * 345;
    std::string b = ValidFile();
    Put(b, layout, -1);
    ExpectRefused(b, {"FirstPageNo"});
    b = ValidFile();
    Put(b, layout + 4, -5);
    ExpectRefused(b, {"Title", "-5"});
    b = ValidFile();
    Put(b, layout + 4, 1 << 30);
    ExpectRefused(b, {"Title", "超えて"});
    b = ValidFile();
    const std::size_t titleFont = layout + 8 + static_cast<std::size_t>(test::IntAt(b, layout + 4));
    Put(b, titleFont + 4 + static_cast<std::size_t>(test::IntAt(b, titleFont)), 0);
    ExpectRefused(b, {"TitleFont.Size"});
    b = ValidFile();
    Put(b, b.size() - 8, 2);
    ExpectRefused(b, {"IsTitlePrint", Offset(b.size() - 8)});
    b = ValidFile();
    Put(b, b.size() - 4, -3);
    ExpectRefused(b, {"BottomMargin"});
    b = ValidFile();
    b[b.size() - 8 - 45 - 8] = 3;  // ChangeEvenSideMargin
    ExpectRefused(b, {"ChangeEvenSideMargin"});
    b = ValidFile();
    b[b.size() - 8 - 45 - 6] = 3;  // the summary switch: 0, 1 or 2
    ExpectRefused(b, {"IsSummaryPrint"});
    b = ValidFile();
    b[b.size() - 8 - 45 - 7] = 3;  // an unread byte of the even-page flags
    EXPECT_TRUE(DecodeDataFile(b).ok());
}

TEST(DamagedFile, TextsThatAreNotCp932AreReadWithAWarning)
{
    std::string b = ValidFile();
    b[kSlab2] = static_cast<char>(0xFD);
    const ReadResult r = DecodeDataFile(b);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    EXPECT_EQ(r.data->slabs[1].Name, "?2");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("スラブ 2"), std::string::npos);
}

TEST(DamagedFile, FilesThatCannotBeOpened)
{
    test::TempFolder folder;
    ReadResult r = ReadDataFile(folder / "missing.slab");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, kCannotOpenMessage);
    EXPECT_FALSE(r.error.detail.empty());
    r = ReadDataFile(folder.path());
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error.message, kCannotOpenMessage);
}

}  // namespace
}  // namespace korvexa::datafile
