// Files written by earlier versions of the program, built field by field.
#include <gtest/gtest.h>

#include "TestData.h"
#include "datafile/DataFile.h"

namespace korvexa::datafile {
namespace {

using test::DesignableSlab;
using test::LegacyFile;

// A layout that differs from the defaults in every field.
PrintLayout FileLayoutValues()
{
    PrintLayout l;
    l.FirstPageNo = 5;
    l.Title = "第５章\r\nスラブ\r\n";
    l.TitleFont = {"ＭＳ ゴシック", 14, "Bold"};
    l.BodyFont = {"ＭＳ 明朝", 10, "Italic"};
    l.HeaderFont = {"Arial", 8, "Bold & Italic"};
    l.LeftMargin = 25;
    l.TopMargin = 18;
    l.BottomMargin = 9;
    l.HeaderSideMargin = 11;
    l.HeaderTopMargin = 7;
    l.ParagraphSpace = 4;
    l.Indent = 12;
    l.ChangeEvenSideMargin = true;
    l.ChangeEvenHeaderPos = true;
    l.IsTitlePrint = false;
    return l;
}

struct OldVersion {
    const char* text;
    int number;
};

class OldVersions : public testing::TestWithParam<OldVersion> {};

TEST_P(OldVersions, ReadWithTheFieldsOfTheirVersion)
{
    const auto [text, v] = GetParam();
    CommonSettings settings;
    settings.SnowDepth = 100;
    settings.PitchStep = 10;
    settings.LoadUnitFactor = v >= 1000 ? 1000 : 1;
    const double unit = v >= 1000 ? 0.001 : 1.0;

    SlabData s = DesignableSlab("事務室");
    s.Bind = 1;  // stored: three edges fixed, short edge supported up to 1020
    s.FL *= unit;
    s.LL = {2900 * unit, 0, 1800 * unit};
    s.LoadUnit = settings.LoadUnitFactor;
    s.Concrete = 1;
    s.Gamma = 19;
    s.FLAdd = false;
    s.IncreaseS = 0;  // read as 1.0
    s.IncreaseD = 1.5;

    const PrintLayout file = FileLayoutValues();
    const PrintLayout current;
    const std::string bytes = LegacyFile(text, v, settings, {s}, file);
    ReadResult r = DecodeDataFile(bytes, current);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    // Read a slab at a time, the same.
    const DataFileContents contents(bytes, current);
    ASSERT_TRUE(contents.ok());
    ASSERT_EQ(contents.slabCount(), 1u);
    EXPECT_TRUE(SameInputs(contents.Slab(0), r.data->slabs[0]));
    EXPECT_EQ(contents.header().layout, r.data->layout);
    DesignDataSet(*r.data);
    const DataSet& d = *r.data;

    EXPECT_EQ(d.settings.SnowDepth, 100);
    EXPECT_EQ(d.settings.PitchStep, 10);
    EXPECT_EQ(d.settings.LoadUnitFactor, v >= 1000 ? 1000 : 1);
    ASSERT_EQ(d.slabs.size(), 1u);
    const SlabData& x = d.slabs[0];
    EXPECT_EQ(x.Name, "事務室");
    EXPECT_EQ(x.Bind, v <= 1020 ? 2 : 1);
    EXPECT_EQ(x.LoadUnit, settings.LoadUnitFactor);
    EXPECT_EQ(x.LL[0], 2900 * unit);
    EXPECT_EQ(x.Concrete, v >= 1030 ? 1 : 0);
    EXPECT_EQ(x.FLAdd, v < 1031);
    EXPECT_EQ(x.IncreaseS, 1.0);
    EXPECT_EQ(x.IncreaseD, 1.5);
    EXPECT_TRUE(x.Calculated);

    const PrintLayout& l = d.layout;
    EXPECT_EQ(l.FirstPageNo, 5);
    EXPECT_EQ(l.Title, file.Title);
    const PrintLayout& fonts = v >= 902 ? file : current;
    EXPECT_EQ(l.TitleFont.Name, fonts.TitleFont.Name);
    EXPECT_EQ(l.BodyFont.Size, fonts.BodyFont.Size);
    EXPECT_EQ(l.HeaderFont.Name, fonts.HeaderFont.Name);
    EXPECT_EQ(l.LeftMargin, fonts.LeftMargin);
    EXPECT_EQ(l.Indent, fonts.Indent);
    EXPECT_EQ(l.ChangeEvenSideMargin, fonts.ChangeEvenSideMargin);
    EXPECT_EQ(l.ChangeEvenHeaderPos, fonts.ChangeEvenHeaderPos);
    const PrintLayout& styles = v >= 1020 ? file : current;
    EXPECT_EQ(l.TitleFont.Style, styles.TitleFont.Style);
    EXPECT_EQ(l.HeaderFont.Style, styles.HeaderFont.Style);
    EXPECT_EQ(l.IsTitlePrint, (v >= 1033 ? file : current).IsTitlePrint);
    EXPECT_EQ(l.BottomMargin, (v >= 1102 ? file : current).BottomMargin);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersions,
                         testing::Values(OldVersion{"0.9.0.1", 901}, OldVersion{"0.9.0.2", 902},
                                         OldVersion{"1.0.0.0", 1000}, OldVersion{"1.0.2.0", 1020},
                                         OldVersion{"1.0.2.1", 1021}, OldVersion{"1.0.3.0", 1030},
                                         OldVersion{"1.0.3.1", 1031}, OldVersion{"1.0.3.3", 1033},
                                         OldVersion{"1.1.0.2", 1102}, OldVersion{"1.1.0.8", 1108}));

TEST(OldVersions, EdgeConditionNumberingUpTo1020)
{
    const int mapped[14] = {0, 2, 3, 4, 7, 8, 9, 10, 11, 14, 10, 11, 12, 13};
    std::vector<SlabData> slabs;
    for (int stored = 0; stored < 14; ++stored) {
        SlabData s = DesignableSlab("S" + std::to_string(stored));
        s.Bind = stored;
        slabs.push_back(s);
    }
    for (const auto& [text, v] : {std::pair{"1.0.2.0", 1020}, std::pair{"1.0.2.1", 1021}}) {
        const ReadResult r = DecodeDataFile(LegacyFile(text, v, CommonSettings{}, slabs, PrintLayout{}));
        ASSERT_TRUE(r.ok()) << r.error.detail;
        for (int stored = 0; stored < 14; ++stored)
            EXPECT_EQ(r.data->slabs[static_cast<std::size_t>(stored)].Bind, v == 1020 ? mapped[stored] : stored)
                << text << " stored " << stored;
    }
}

TEST(OldVersions, EmptyVersionTextMeansTheCurrentLayout)
{
    CommonSettings settings;
    settings.LoadUnitFactor = 1000;
    SlabData s = DesignableSlab("S1");
    s.Bind = 9;  // not renumbered
    s.FL = 1.2;
    s.LL = {2.9, 0, 1.8};
    s.LoadUnit = 1000;
    s.Concrete = 2;
    s.FLAdd = false;
    const ReadResult r = DecodeDataFile(LegacyFile("", 1108, settings, {s}, FileLayoutValues()));
    ASSERT_TRUE(r.ok()) << r.error.detail;
    EXPECT_EQ(r.data->settings.LoadUnitFactor, 1000);
    EXPECT_EQ(r.data->slabs[0].Bind, 9);
    EXPECT_EQ(r.data->slabs[0].Concrete, 2);
    EXPECT_FALSE(r.data->slabs[0].FLAdd);
    EXPECT_EQ(r.data->layout, FileLayoutValues());
    EXPECT_EQ(FileVersion(""), ProgramVersion());
    EXPECT_EQ(FileVersion("1.0.3.1"), 1031);
    EXPECT_EQ(FileVersion("1.10.10.10"), 2110);
    for (const char* bad : {"1111111111", "1..2", "1.2.", "v1.2", "1,1,0,8", "."})
        EXPECT_EQ(FileVersion(bad), -1) << bad;
}

TEST(OldVersions, CurrentFilesReadBackByTheOldLayoutWriter)
{
    // What this program writes is what a 1.1.0.2 program wrote, apart from
    // the version text and the summary switch, in a byte of the even-page
    // flags that such a program wrote as 0 and never read.
    DataSet d;
    d.slabs = {DesignableSlab("S1"), DesignableSlab("S2")};
    d.slabs[1].Bind = 14;
    d.slabs[1].Ly = 0;
    d.layout = FileLayoutValues();
    DesignDataSet(d);
    ASSERT_TRUE(d.slabs[0].Calculated && d.slabs[1].Calculated);
    std::string ours = EncodeDataFile(d);
    std::string theirs = LegacyFile("1.1.0.2", 1102, d.settings, d.slabs, d.layout);
    ASSERT_EQ(ours.size(), theirs.size());
    ours.replace(10, 10, std::string(10, '\0'));
    theirs.replace(10, 10, std::string(10, '\0'));
    char& summarySwitch = ours[ours.size() - 8 - 45 - 8 + 2];
    EXPECT_EQ(summarySwitch, 1);
    summarySwitch = 0;
    EXPECT_EQ(ours, theirs);
}

}  // namespace
}  // namespace korvexa::datafile
