// Written and read back, a data set is the same; written again, the same bytes.
#include <gtest/gtest.h>

#include <functional>

#include "TestData.h"
#include "datafile/DataFile.h"
#include "engine/Reinforcement.h"
#include "engine/Ukorvexa.h"

namespace korvexa::datafile {
namespace {

void ExpectSameDataSet(const DataSet& read, const DataSet& written)
{
    EXPECT_EQ(read.settings, written.settings);
    EXPECT_EQ(read.grades, written.grades);
    EXPECT_EQ(read.layout, written.layout);
    ASSERT_EQ(read.slabs.size(), written.slabs.size());
    for (std::size_t i = 0; i < read.slabs.size(); ++i) {
        const SlabData& a = read.slabs[i];
        const SlabData& b = written.slabs[i];
        EXPECT_TRUE(SameInputs(a, b)) << "slab " << i + 1 << " " << b.Name;
        EXPECT_TRUE(a.Calculated);
        EXPECT_EQ(a.M, b.M) << "slab " << i + 1;
        EXPECT_EQ(a.CalcPitch, b.CalcPitch) << "slab " << i + 1;
        EXPECT_EQ(BarTexts(a), BarTexts(b)) << "slab " << i + 1;
        EXPECT_EQ(a.Fv, b.Fv) << "slab " << i + 1;
    }
}

TEST(RoundTrip, RandomDataSetsInMemory)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const DataSet original = test::RandomDataSet(seed, 40);
        std::vector<std::string> warnings;
        const std::string bytes = EncodeDataFile(original, &warnings);
        EXPECT_TRUE(warnings.empty());

        ReadResult r = DecodeDataFile(bytes);
        ASSERT_TRUE(r.ok()) << r.error.detail;
        EXPECT_TRUE(r.warnings.empty());
        DesignDataSet(*r.data);
        ExpectSameDataSet(*r.data, original);
        EXPECT_EQ(EncodeDataFile(*r.data), bytes);
    }
}

TEST(RoundTrip, ThroughTheFileSystem)
{
    test::TempFolder folder;
    const DataSet original = test::RandomDataSet(77, 12);
    const auto path = folder / "床伏図.slab";
    const WriteResult w = WriteDataFile(path, original);
    ASSERT_TRUE(w.ok) << w.error.detail;
    EXPECT_EQ(w.slabsWritten, 12);

    const ReadResult r = ReadDataFile(path);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    ExpectSameDataSet(*r.data, original);

    const auto again = folder / "again.slab";
    ASSERT_TRUE(WriteDataFile(again, *r.data).ok);
    EXPECT_EQ(test::ReadBytes(again), test::ReadBytes(path));
}

TEST(RoundTrip, ASlabDesignsExactlyWhenItsFileWouldOpenAgain)
{
    // At the value limits and just past them.
    const std::pair<const char*, std::function<void(SlabData&)>> values[] = {
        {"Fc 1e9", [](SlabData& s) { s.Fc = 1e9; }},
        {"Fc past 1e9", [](SlabData& s) { s.Fc = 1.0000001e9; }},
        {"FL 1e9", [](SlabData& s) { s.FL = 1e9; }},
        {"LL past -1e9", [](SlabData& s) { s.LL[2] = -1.0000001e9; }},
        {"pitch 9999999", [](SlabData& s) { s.Pitch[1] = {9999999, 9999999}; }},
        {"pitch 10000000", [](SlabData& s) { s.Pitch[1] = {10000000, 9999999}; }},
        {"entered self weight 1e9", [](SlabData& s) { s.OwnDirect = true; s.Own = 1e9; }},
        {"entered self weight 2e9", [](SlabData& s) { s.OwnDirect = true; s.Own = 2e9; }},
        {"snow factor 2e9", [](SlabData& s) { s.LoadTime = LoadLongTermSnow; s.Name = "snow"; }},
    };
    for (const auto& [what, apply] : values) {
        DataSet d;
        d.slabs = {test::DesignableSlab("S1")};
        apply(d.slabs[0]);
        if (d.slabs[0].Name == "snow")
            d.settings.SnowCoef[1] = 2e9;
        DesignDataSet(d);
        const bool designed = d.slabs[0].Calculated;
        d.slabs[0].Calculated = true;  // written as if designed
        const ReadResult back = DecodeDataFile(EncodeDataFile(d));
        EXPECT_EQ(designed, back.ok()) << what << ": " << back.error.detail;
    }
}

// A slab that cannot be designed is kept in the file and comes back as it
// was typed, undesigned, with the reason its design gives.
TEST(RoundTrip, UndesignableSlabsComeBackAsTyped)
{
    test::TempFolder folder;
    DataSet d;
    d.slabs = {test::DesignableSlab("A"), test::DesignableSlab("B"), SlabData{}};
    d.slabs[1].Lx = 5;  // longer than Ly
    d.slabs[1].Ly = 4;
    d.slabs[2].Name = "C";
    DesignDataSet(d);
    const auto path = folder / "mixed.slab";
    ASSERT_TRUE(WriteDataFile(path, d).ok);

    const ReadResult r = ReadDataFile(path);
    ASSERT_TRUE(r.ok()) << r.error.detail;
    ASSERT_EQ(r.data->slabs.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(SameInputs(r.data->slabs[i], d.slabs[i])) << i;
    EXPECT_EQ(r.designStatus, (std::vector<int>{DesignOk, DesignSpansSwapped, DesignIncomplete}));
    EXPECT_EQ(LeftOutNote(r.data->slabs), "計算できないため出力しないスラブ: B, C");
}

// Brought into the file's unit, the loads of a record must still fit a box,
// or the data read could not be saved again: such a file is refused.
TEST(RoundTrip, RecordWhoseLoadsOutgrowTheFilesUnitIsRefused)
{
    DataSet d;
    d.slabs = {test::DesignableSlab("S1")};
    d.slabs[0].LoadUnit = 1000;
    d.slabs[0].FL = 5e6;  // kN/m²: 5e9 N/m²
    const ReadResult r = DecodeDataFile(EncodeDataFile(d));
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error.detail.find("LoadUnit"), std::string::npos) << r.error.detail;
    EXPECT_NE(r.error.detail.find("FL の"), std::string::npos) << r.error.detail;
    d.slabs[0].FL = 5e5;
    EXPECT_TRUE(DecodeDataFile(EncodeDataFile(d)).ok());

    // A derived total that the conversion makes infinite would stop the
    // design and be saved as a file that does not open.
    d.slabs[0].TL[1] = 1e306;
    const ReadResult derived = DecodeDataFile(EncodeDataFile(d));
    ASSERT_FALSE(derived.ok());
    EXPECT_NE(derived.error.detail.find("TL[1] の"), std::string::npos) << derived.error.detail;
}

TEST(RoundTrip, RecordInAnotherUnitIsConvertedWhenDesigned)
{
    DataSet d;
    d.settings.LoadUnitFactor = 1000;
    d.slabs = {test::DesignableSlab("S1")};  // loads in N/m², LoadUnit 1
    DesignDataSet(d);
    EXPECT_EQ(d.slabs[0].LoadUnit, 1000);
    EXPECT_DOUBLE_EQ(d.slabs[0].FL, 1.2);
    EXPECT_TRUE(d.slabs[0].Calculated);
}

}  // namespace
}  // namespace korvexa::datafile
