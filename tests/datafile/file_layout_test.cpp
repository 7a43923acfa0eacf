// The bytes on disk, field by field.
#include <gtest/gtest.h>

#include "TestData.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"

namespace korvexa::datafile {
namespace {

using test::DesignableSlab;
using test::IntAt;
using test::RealAt;

constexpr std::size_t kSlabStart = 164;  // after the header and the count
constexpr std::size_t kSlabSize = 345;

// A data set with default settings and layout and the given slabs, designed.
DataSet Designed(std::vector<SlabData> slabs)
{
    DataSet d;
    d.slabs = std::move(slabs);
    DesignDataSet(d);
    return d;
}

std::string Bytes(std::string_view b, std::size_t at, std::size_t n) { return std::string(b.substr(at, n)); }

TEST(FileLayout, HeaderOfTheDefaultSettings)
{
    const std::string b = EncodeDataFile(Designed({DesignableSlab("S1")}));
    EXPECT_EQ(Bytes(b, 0, 10), std::string("#Korvexa#\0", 10));
    std::string version(ProgramVersionText());
    version.resize(10, '\0');
    EXPECT_EQ(Bytes(b, 10, 10), version);
    EXPECT_EQ(IntAt(b, 20), 140);
    EXPECT_EQ(IntAt(b, 24), 30);
    EXPECT_EQ(RealAt(b, 28), 0.7);
    EXPECT_EQ(RealAt(b, 36), 1.0);
    EXPECT_EQ(RealAt(b, 44), 0.35);
    EXPECT_EQ(IntAt(b, 52), 100);  // PitchMin[0], PitchMax[0], PitchMin[1], PitchMax[1]
    EXPECT_EQ(IntAt(b, 56), 200);
    EXPECT_EQ(IntAt(b, 60), 100);
    EXPECT_EQ(IntAt(b, 64), 300);
    EXPECT_EQ(IntAt(b, 68), 25);
    EXPECT_EQ(RealAt(b, 72), 1.0);
    const char* grades[] = {"SD295", "SD295", "SD345", "SD345", "SD345", "SD345", "SD390", "SD390"};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(Bytes(b, 80 + 10 * i, 10), std::string(grades[i]) + std::string(5, '\0'));
    EXPECT_EQ(IntAt(b, 160), 1);
    EXPECT_EQ(Bytes(b, kSlabStart, 51), "S1" + std::string(49, '\0'));
}

TEST(FileLayout, SlabRecordFieldsInOrder)
{
    SlabData s = DesignableSlab("床");
    s.Bind = 8;
    s.LoadShape = 1;
    s.LoadTime = 1;
    s.Concrete = 2;
    s.Fc = 24;
    s.Gamma = 18;
    s.T = 16;
    s.Cov = 3;
    s.LL = {2900, 400, 1800};
    s.P = {100, 200, 300};
    s.IncreaseS = 1.2;
    s.BarOutside = 1;
    s.Pitch = {{{150, 0}, {0, 200}}};
    s.CompMode = {2, 3};
    DataSet d = Designed({s});
    ASSERT_TRUE(d.slabs[0].Calculated);
    const std::string b = EncodeDataFile(d);
    const std::string_view r = std::string_view(b).substr(kSlabStart, kSlabSize);
    EXPECT_EQ(Bytes(r, 0, 3), std::string("\x8F\xB0\0", 3));  // 床 in CP932 and its zero
    EXPECT_EQ(IntAt(r, 51), 8);
    EXPECT_EQ(IntAt(r, 55), 1);
    EXPECT_EQ(IntAt(r, 59), 1);
    EXPECT_EQ(IntAt(r, 63), 2);
    const SlabData& x = d.slabs[0];  // Own and TL as the design derived them
    ASSERT_TRUE(x.TL[0] != x.TL[1] && x.TL[1] != x.TL[2]);
    const double reals[] = {24, 18, 16, 3.6, 5.4, 3, x.Own, 1200, 2900, x.TL[0], 100, 400, x.TL[1], 200,
                            1800, x.TL[2], 300, 1.2, 1.0};
    for (std::size_t i = 0; i < std::size(reals); ++i)
        EXPECT_EQ(RealAt(r, 67 + 8 * i), reals[i]) << "double " << i;
    EXPECT_EQ(IntAt(r, 333), 1);      // BarOutside
    EXPECT_EQ(RealAt(r, 337), 1.0);   // LoadUnit
    EXPECT_EQ(IntAt(r, 229 + 3 * 4), 150);   // W8 = Pitch[0][0]
    EXPECT_EQ(IntAt(r, 229 + 12 * 4), 2);    // W12 = CompMode[0]
    EXPECT_EQ(IntAt(r, 229 + 25 * 4), 3);    // W13 = CompMode[1]
    EXPECT_EQ(IntAt(b, kSlabStart + kSlabSize), 0);  // FirstPageNo of the layout
}

TEST(FileLayout, FlagBytes)
{
    SlabData s = DesignableSlab("S1");
    s.DeltCheck = true;
    s.FLAdd = true;
    s.DeflectionOnly = true;
    const std::string b = EncodeDataFile(Designed({s}));
    EXPECT_EQ(Bytes(b, kSlabStart + 219, 10), std::string("\0\1\0\1\1\0\1\0\1\1", 10));

    s.TLDirect = true;
    s.TL = {5000, 0, 3000};
    s.DeltCheck = false;
    s.OwnDirect = true;
    s.Own = 3600;
    s.FLAdd = false;
    s.DeflectionOnly = false;
    s.Bar[0][0] = {BarD13, BarNone};
    const std::string c = EncodeDataFile(Designed({s}));
    EXPECT_EQ(Bytes(c, kSlabStart + 219, 10), std::string("\1\0\1\0\0\1\0\0\0\2", 10));
}

TEST(FileLayout, BarBlockOfTheDefaultRecord)
{
    const std::string b = EncodeDataFile(Designed({DesignableSlab("S1")}));
    const int expected[26] = {1, 2, 1, 0, 1, 0, 1, 0, 1, 2, 1, 0, 0, 1, 2, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 26; ++i)
        EXPECT_EQ(IntAt(b, kSlabStart + 229 + 4 * i), expected[i]) << "word " << i;
}

TEST(FileLayout, EverySlabIsWrittenDesignedOrNot)
{
    DataSet d = Designed({DesignableSlab("A"), SlabData{}, DesignableSlab("C")});
    ASSERT_FALSE(d.slabs[1].Calculated);
    int written = 0;
    const std::string b = EncodeDataFile(d, nullptr, &written);
    EXPECT_EQ(written, 3);
    EXPECT_EQ(IntAt(b, 160), 3);
    EXPECT_EQ(Bytes(b, kSlabStart + 2 * kSlabSize, 2), std::string("C\0", 2));
}

TEST(FileLayout, PrintLayoutFields)
{
    DataSet d = Designed({});
    d.layout.FirstPageNo = 3;
    d.layout.Title = "表題\r\n";
    d.layout.TitleFont = {"Arial", 14, "Bold & Italic"};
    d.layout.BodyFont.Style = "Italic";
    d.layout.HeaderFont.Style = "Underline";  // not a style text: written as regular
    d.layout.ChangeEvenSideMargin = true;
    d.layout.ChangeEvenHeaderPos = true;
    d.layout.IsTitlePrint = false;
    d.layout.BottomMargin = 12;
    const std::string b = EncodeDataFile(d);
    std::size_t at = 164;  // no slabs
    EXPECT_EQ(IntAt(b, at), 3);
    EXPECT_EQ(IntAt(b, at + 4), 7);
    EXPECT_EQ(Bytes(b, at + 8, 7), std::string("\x95\x5C\x91\xE8\r\n\0", 7));
    at += 15;
    EXPECT_EQ(IntAt(b, at), 6);
    EXPECT_EQ(Bytes(b, at + 4, 6), std::string("Arial\0", 6));
    EXPECT_EQ(IntAt(b, at + 10), 14);
    at += 14;
    at += 4 + IntAt(b, at) + 4;  // body font
    at += 4 + IntAt(b, at) + 4;  // header font
    const int margins[] = {20, 15, 15, 6, 3, 10};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(IntAt(b, at + 4 * i), margins[i]);
    at += 24;
    EXPECT_EQ(Bytes(b, at, 8), std::string("\1\1\1\0\1\0\0\0", 8));  // 1 in the third byte: no summary
    at += 8;
    EXPECT_EQ(Bytes(b, at, 15), "Bold & Italic" + std::string(2, '\0'));
    EXPECT_EQ(Bytes(b, at + 15, 15), "Italic" + std::string(9, '\0'));
    EXPECT_EQ(Bytes(b, at + 30, 15), std::string(15, '\0'));
    at += 45;
    EXPECT_EQ(IntAt(b, at), 0);
    EXPECT_EQ(IntAt(b, at + 4), 12);
    EXPECT_EQ(b.size(), at + 8);
}

// The summary switch lies in the third byte of the even-page flags, which
// readers of older programs skip and their writers leave 0: such a file
// keeps the switch in force.
TEST(FileLayout, SummarySwitchInTheSpareByteOfTheEvenPageFlags)
{
    struct Case {
        int stored;  // -1: as this program writes the layout
        bool layout, current, read;
    };
    const Case cases[] = {{-1, true, false, true}, {-1, false, true, false}, {0, false, true, true}, {0, true, false, false}};
    for (const Case& c : cases) {
        DataSet d = Designed({DesignableSlab("S1")});
        d.layout.IsSummaryPrint = c.layout;
        std::string b = EncodeDataFile(d);
        char& spare = b[b.size() - 8 - 45 - 8 + 2];
        EXPECT_EQ(spare, c.layout ? 2 : 1);
        if (c.stored >= 0)
            spare = static_cast<char>(c.stored);
        PrintLayout current;
        current.IsSummaryPrint = c.current;
        const ReadResult r = DecodeDataFile(b, current);
        ASSERT_TRUE(r.ok()) << r.error.detail;
        EXPECT_EQ(r.data->layout.IsSummaryPrint, c.read) << c.stored << c.layout << c.current;
    }
}

TEST(FileLayout, EmptyTitleIsLengthZeroAndClearsTheTitleOnReading)
{
    DataSet d = Designed({DesignableSlab("S1")});
    d.layout.Title.clear();
    const std::string b = EncodeDataFile(d);
    const std::size_t at = kSlabStart + kSlabSize + 4;
    EXPECT_EQ(IntAt(b, at), 0);
    EXPECT_EQ(IntAt(b, at + 4), 16);  // "ＭＳ Ｐゴシック": 15 bytes and the zero

    PrintLayout current;
    current.Title = "前のタイトル\r\n";
    const ReadResult r = DecodeDataFile(b, current);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    EXPECT_EQ(r.data->layout.Title, "");
}

TEST(FileLayout, LongAndUnencodableNamesAreCutAndReplacedWithWarnings)
{
    // 26 two-byte characters: 52 bytes, cut to 25 characters (50 bytes).
    std::string longName;
    for (int i = 0; i < 26; ++i)
        longName += "床";
    DataSet d = Designed({DesignableSlab(longName), DesignableSlab("a" + longName), DesignableSlab("S😀1"),
                          DesignableSlab(std::string(1 << 20, 'x'))});
    std::vector<std::string> warnings;
    const std::string b = EncodeDataFile(d, &warnings);
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_LT(warnings[3].size(), 200u);  // a name of a megabyte is not echoed whole
    EXPECT_NE(warnings[3].find(std::string(50, 'x') + "…」"), std::string::npos) << warnings[3];
    EXPECT_EQ(b[kSlabStart + 50], '\0');
    EXPECT_EQ(b[kSlabStart + kSlabSize + 49], '\0');  // "a" + 24 characters = 49 bytes
    const ReadResult r = DecodeDataFile(b);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    EXPECT_EQ(r.data->slabs[0].Name, longName.substr(0, 25 * 3));
    EXPECT_EQ(r.data->slabs[1].Name, "a" + longName.substr(0, 24 * 3));
    EXPECT_EQ(r.data->slabs[2].Name, "S?1");
    EXPECT_TRUE(r.warnings.empty());
}

TEST(FileLayout, LaterBarWordsOverwriteEarlierOnes)
{
    std::string b = EncodeDataFile(Designed({DesignableSlab("S1")}));
    // W2 (Bar[0][1][0]) is word 2 and word 4; W8 (Pitch[0][0]) is words 3, 19 and 22.
    const auto put = [&](std::size_t word, int value) {
        for (int i = 0; i < 4; ++i)
            b[kSlabStart + 229 + 4 * word + i] = static_cast<char>(value >> (8 * i));
    };
    put(2, 3);
    put(4, 4);
    put(3, 100);
    put(19, 125);
    put(21, 150);
    const ReadResult r = DecodeDataFile(b);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    EXPECT_EQ(r.data->slabs[0].Bar[0][1][0], 4);
    EXPECT_EQ(r.data->slabs[0].Pitch[0][0], 150);
}

TEST(FileLayout, FileWithoutSlabsGivesOneFreshSlab)
{
    const ReadResult r = DecodeDataFile(EncodeDataFile(Designed({})));
    ASSERT_TRUE(r.ok()) << r.error.detail;
    ASSERT_EQ(r.data->slabs.size(), 1u);
    EXPECT_EQ(r.data->slabs[0].Name, "S1");
    EXPECT_TRUE(SameInputs(r.data->slabs[0], [] { SlabData s; s.Name = "S1"; return s; }()));
}

}  // namespace
}  // namespace korvexa::datafile
