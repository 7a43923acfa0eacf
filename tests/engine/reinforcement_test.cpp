// Bar grades, bar pairs, pitches, allowable moments and bar texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/InputCheck.h"
#include "engine/Reinforcement.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

// A designed four-edges-fixed slab in N/m².
SlabData DesignedFloor(int bind = BindFixedExact)
{
    SlabData s;
    s.Bind = bind;
    s.Lx = 4;
    s.Ly = 5;
    s.FL = 600;
    s.LL = {1800, 0, 600};
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    return s;
}

// A record prepared for ChoosePitch alone: moment m at (dir 0, pos 0).
SlabData WithMoment(double m)
{
    SlabData s;
    s.Bind = BindFixedExact;
    s.TL[0] = 1;
    s.M[0][0][0] = m;
    ComputeDt(s, BarData{});
    return s;
}

}  // namespace

TEST(BarGrades, AllowableStressesFollowTheGrade)
{
    BarData bars;
    EXPECT_EQ(bars[BarD10].Fy, 295);
    EXPECT_NEAR(bars[BarD10].FtLong, 196.6667, 1e-4);
    EXPECT_EQ(bars[BarD10].FtShort, 295);
    EXPECT_EQ(bars[BarD16].FtLong, 215);
    EXPECT_EQ(bars[BarD32].FtLong, 195);  // the larger sizes are held lower
    EXPECT_EQ(bars[BarNone].FtLong, 0);

    bars.SetGrade(BarD29, "SD345");
    EXPECT_EQ(bars[BarD29].FtLong, 195);
    bars.SetGrade(BarD10, "SD390");
    EXPECT_EQ(bars[BarD10].FtLong, 215);
    EXPECT_EQ(bars[BarD10].FtShort, 390);
    bars.SetGrade(BarD13, "");
    EXPECT_EQ(bars[BarD13].Fy, 0);
    EXPECT_EQ(bars[BarD13].FtLong, 0);
    bars.SetGrade(BarD16, "XX");  // not a steel grade: only the text changes
    EXPECT_EQ(bars[BarD16].Grade, "XX");
    EXPECT_EQ(bars[BarD16].Fy, 345);

    EXPECT_EQ(bars.YieldOfBar("D10"), 390);
    EXPECT_EQ(bars.YieldOfBar("D40"), 0);
}

TEST(BarPairs, EquivalentAreaAndStress)
{
    SlabData s = DesignedFloor();
    // Designed last: direction 1, end D10 + D13, centre D10 alone, SD295.
    EXPECT_EQ(s.Ft[0][0], 196);
    EXPECT_DOUBLE_EQ(s.BarArea[0][0], 0.99);
    EXPECT_EQ(s.Ft[1][0], 196);
    EXPECT_DOUBLE_EQ(s.BarArea[1][0], 0.71);
    EXPECT_EQ(s.Ft[1][1], 295);

    s.Bar[1][1] = {BarD13, BarNone};
    DesignSlab(s, CommonSettings{}, BarData{});
    EXPECT_DOUBLE_EQ(s.BarArea[1][0], 1.27);

    // A stronger bar counts with its stress ratio.
    s.Bar[1][0] = {BarD10, BarD16};
    DesignSlab(s, CommonSettings{}, BarData{});
    EXPECT_EQ(s.Ft[0][0], 196);
    EXPECT_DOUBLE_EQ(s.BarArea[0][0], (196 * 0.71 + 215 * 1.99) / (2 * 196));
}

TEST(Depths, OuterLayerAndSimplySupportedSpans)
{
    SlabData s;
    s.Bar[0][0] = {BarD13, BarD16};
    s.Bar[1][0] = {BarD10, BarNone};
    ComputeDt(s, BarData{});
    EXPECT_DOUBLE_EQ(s.Dt[0][0], 4 + 0.9);
    EXPECT_DOUBLE_EQ(s.Dt[1][0], 4 + 1.8 + 0.55);
    s.BarOutside = 1;
    ComputeDt(s, BarData{});
    EXPECT_DOUBLE_EQ(s.Dt[1][0], 4 + 0.55);
    EXPECT_DOUBLE_EQ(s.Dt[0][0], 4 + 1.1 + 0.9);

    s.Bind = BindSupported4;  // end values from the centre bars
    ComputeDt(s, BarData{});
    EXPECT_EQ(s.Dt[0][0], s.Dt[0][1]);
    EXPECT_EQ(s.Dt[1][0], s.Dt[1][1]);
}

TEST(Pitches, UpperLimitsAndTheLimitOfThreeT)
{
    CommonSettings c;
    SlabData s;
    EXPECT_EQ(PitchUpperLimit(s, c, 0), 200);
    EXPECT_EQ(PitchUpperLimit(s, c, 1), 300);
    s.T = 8;
    EXPECT_EQ(PitchUpperLimit(s, c, 1), 240);
    s.T = 8.2;  // 30 × 8.2 is 245.99999999999997 in binary
    EXPECT_EQ(PitchUpperLimit(s, c, 1), 246);
}

TEST(Pitches, NoSteelNeededGivesTheLargestPitch)
{
    SlabData s;
    s.Bind = BindFixedExact;
    s.Lx = s.Ly = 4;
    s.TLDirect = true;
    s.DeltCheck = false;  // no self weight, no load at all
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    EXPECT_EQ(s.CalcPitch[0][0], 200);
    EXPECT_EQ(s.CalcPitch[1][1], 300);
}

TEST(Pitches, RequiredAreaRoundedToTheStep)
{
    // BarArea 0.99 cm² at 196 N/mm², j = 0.875 × (15 − 4.7): a pitch of 213 mm
    // needs a = 0.99 × 1000 / 213.5 cm²/m.
    const double j = 0.875 * (15 - 4.7);
    const double a = 0.99 * 1000 / 213.5;
    const double m = a * 196 * j * 0.1 / 100;
    CommonSettings c;
    c.PitchMax = {300, 300};
    SlabData s = WithMoment(-m);
    ChoosePitch(s, c, BarData{}, 0, 0);
    EXPECT_NEAR(s.At[0][0], a, 1e-9);
    EXPECT_EQ(s.CalcPitch[0][0], 200);
    c.PitchStep = 0;
    ChoosePitch(s, c, BarData{}, 0, 0);
    EXPECT_EQ(s.CalcPitch[0][0], 213);

    // Limits: a huge moment gives the smallest pitch, a tiny one the largest.
    s = WithMoment(1e6);
    ChoosePitch(s, c, BarData{}, 0, 0);
    EXPECT_EQ(s.CalcPitch[0][0], 100);
    s = WithMoment(1e-300);  // the pitch overflows any integer before the limits
    ChoosePitch(s, c, BarData{}, 0, 0);
    EXPECT_EQ(s.CalcPitch[0][0], 300);

    s.Pitch[0][0] = 125;  // an entered pitch is used as it is
    ChoosePitch(s, c, BarData{}, 0, 0);
    EXPECT_EQ(s.CalcPitch[0][0], 125);
}

TEST(Pitches, SnapMakesEndAndCentreEqualOrDouble)
{
    SlabData s;
    s.CalcPitch[0] = {100, 150};
    SnapPitches(s, 0);
    EXPECT_EQ(s.CalcPitch[0], (std::array<int, 2>{100, 100}));
    s.CalcPitch[0] = {100, 250};
    SnapPitches(s, 0);
    EXPECT_EQ(s.CalcPitch[0], (std::array<int, 2>{100, 200}));
    s.CalcPitch[0] = {175, 125};
    SnapPitches(s, 0);
    EXPECT_EQ(s.CalcPitch[0], (std::array<int, 2>{125, 125}));
    s.Pitch[0][1] = 250;  // an entered pitch is never changed
    s.CalcPitch[0] = {100, 250};
    SnapPitches(s, 0);
    EXPECT_EQ(s.CalcPitch[0], (std::array<int, 2>{100, 250}));
}

TEST(AllowableMoments, ProvidedSteelTimesStressAndLeverArm)
{
    const SlabData s = DesignedFloor();
    for (int dir = 0; dir < 2; ++dir)
        for (int pos = 0; pos < 2; ++pos) {
            EXPECT_GT(s.Ma[0][dir][pos], 0);
            EXPECT_NEAR(s.MRatio[0][dir][pos], std::fabs(s.M[0][dir][pos]) / s.Ma[0][dir][pos], 0.005 + 1e-12);
        }
    // Direction 1, end: BarArea 0.99, 196 N/mm², pitch from the design.
    const double j = 0.875 * (15 - s.Dt[1][0]);
    EXPECT_NEAR(s.Ma[0][1][0], 0.99 * 1000 / s.CalcPitch[1][0] * 0.1 * 196 * j * 0.01, 1e-12);
}

TEST(BarTexts, ContinuousEdgesWithEachArrangement)
{
    SlabData s = DesignedFloor();
    ASSERT_EQ(s.CalcPitch[0][0], 200);
    ASSERT_EQ(s.CalcPitch[0][1], 200);
    // End tension on top, centre tension at the bottom, each running through.
    EXPECT_EQ(BarTexts(s)[0][0][0], "D10･D13 @200");
    EXPECT_EQ(BarTexts(s)[0][0][1], "D10 @200");
    EXPECT_EQ(BarTexts(s)[0][1][0], "D10･D13 @200");
    EXPECT_EQ(BarTexts(s)[0][1][1], "D10 @200");

    s.CompMode = {CompLargerThrough, CompSmallerThrough};
    s.Bar[0][1] = {BarD13, BarD10};
    DesignSlab(s, CommonSettings{}, BarData{});
    const int pe = s.CalcPitch[0][0], pc = s.CalcPitch[0][1];
    EXPECT_EQ(BarTexts(s)[0][0][1], "D13 @" + std::to_string(2 * pc));  // larger centre bar
    EXPECT_EQ(BarTexts(s)[0][1][0], "D10 @" + std::to_string(2 * pe));  // smaller end bar

    s.CompMode = {CompDouble, CompNone};
    s.Bar[0][1] = {BarD13, BarD13};  // equal bars print one name
    DesignSlab(s, CommonSettings{}, BarData{});
    EXPECT_EQ(BarTexts(s)[0][1][1], "D13 @" + std::to_string(s.CalcPitch[0][1]));
    EXPECT_EQ(BarTexts(s)[0][1][0], "");
}

TEST(BarTexts, SimplySupportedSpanUsesTheCentrePitchEverywhere)
{
    SlabData s = DesignedFloor(BindSupported4);
    const int pc = s.CalcPitch[0][1];
    EXPECT_EQ(s.CalcPitch[0][0], pc);
    const std::string centre = "D10 @" + std::to_string(pc);
    EXPECT_EQ(BarTexts(s)[0][1][1], centre);  // sagging: tension at the bottom
    EXPECT_EQ(BarTexts(s)[0][0][1], centre);
    EXPECT_EQ(BarTexts(s)[0][0][0], "D10･D13 @" + std::to_string(pc));
    s.CompMode[0] = CompLargerThrough;
    DesignSlab(s, CommonSettings{}, BarData{});
    EXPECT_EQ(BarTexts(s)[0][0][0], "D13 @" + std::to_string(2 * s.CalcPitch[0][1]));
}

// A pitch typed (or read from a file) at the integer limit still gives the
// doubled pitch of a bar running through every other position.
TEST(BarTexts, DoublePitchOfTheLargestTypedPitch)
{
    SlabData s = DesignedFloor();
    s.CompMode = {CompLargerThrough, CompLargerThrough};
    const int huge = kLargestPitch;
    s.Pitch[0] = {huge, huge};
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    const std::string doubled = " @" + std::to_string(2LL * huge);
    EXPECT_TRUE(BarTexts(s)[0][0][1].ends_with(doubled)) << BarTexts(s)[0][0][1];
    EXPECT_TRUE(BarTexts(s)[0][1][0].ends_with(doubled)) << BarTexts(s)[0][1][0];
}

TEST(BarTexts, OneWayWordsAndMinimumSteelMessage)
{
    SlabData s;
    s.Bind = BindOneWayFixed;
    s.Lx = 2;
    s.T = 25;
    s.LL = {1800, 0, 600};
    s.Bar = {};
    s.Bar[0][0][0] = s.Bar[0][1][0] = s.Bar[1][0][0] = s.Bar[1][1][0] = BarD10;
    s.CompMode[1] = CompNone;
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    // D10 @200 on both faces is 7.1 cm²/m: 0.28 % of 25 cm at the end,
    // 0.14 % at the centre without compression bars; unloaded distribution
    // bars at the largest pitch 300 give 0.19 % and 0.09 %.
    EXPECT_EQ(s.Message, "主筋中央、配力筋端部、配力筋中央");

    s.Bind = BindFixedExact;
    s.Ly = 2;
    DesignSlab(s, CommonSettings{}, BarData{});
    EXPECT_EQ(s.Message.find("主筋"), std::string::npos);
    EXPECT_NE(s.Message.find("短辺中央"), std::string::npos);
}

TEST(GradeText, GroupsTheBarsByGrade)
{
    BarData bars;
    SlabData s;
    s.Bar = {};
    s.Bar[0][0] = {BarD13, BarD10};
    EXPECT_EQ(MakeGradeText(s, bars, false), "SD295");
    s.Bar[1][1] = {BarD16, BarNone};
    EXPECT_EQ(MakeGradeText(s, bars, false), "SD295(D10･D13) SD345(D16)");
    EXPECT_EQ(MakeGradeText(s, bars, true), "SD295(D10$\\cdot $D13)$\\;\\;$ SD345(D16)");
    s.Bar[1][0] = {BarD32, BarNone};
    EXPECT_EQ(MakeGradeText(s, bars, false), "SD295(D10･D13) SD345(D16) SD390(D32)");
    s.Bar = {};
    EXPECT_EQ(MakeGradeText(s, bars, false), "");
}
