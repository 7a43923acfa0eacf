// The whole design of a record: status codes, inputs that cannot be
// designed, unit conversion and the pitch buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/InputCheck.h"
#include "engine/Reinforcement.h"
#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

SlabData Typical(int bind)
{
    SlabData s;
    s.Name = "S1";
    s.Bind = bind;
    s.Lx = 3.6;
    s.Ly = bind >= BindOneWayFixed ? 0 : 5.4;
    s.FL = 800;
    s.LL = {1800, 1300, 600};
    return s;
}

bool AllFinite(const SlabData& s)
{
    auto finite = [](const auto& grid) {
        for (const auto& a : grid)
            for (const auto& b : a)
                for (double v : b)
                    if (!std::isfinite(v))
                        return false;
        return true;
    };
    return finite(s.M) && finite(s.Ma) && finite(s.MRatio) && std::isfinite(s.Delta) && std::isfinite(s.TReq) &&
           std::isfinite(s.Fv);
}

}  // namespace

TEST(DesignSlab, NewRecordIsIncomplete)
{
    SlabData s;
    EXPECT_EQ(DesignSlab(s), 1);
    EXPECT_FALSE(s.Calculated);
}

TEST(DesignSlab, FailedSpanCheckChangesNothingElse)
{
    SlabData s = Typical(BindFixedExact);
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    const SlabData designed = s;
    s.Lx = 6;  // Lx > Ly
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 2);
    EXPECT_FALSE(s.Calculated);
    EXPECT_EQ(s.M, designed.M);
    EXPECT_EQ(s.CalcPitch, designed.CalcPitch);
    EXPECT_EQ(BarTexts(s), TextGrid{});  // no sheet shows an undesigned slab's bars

    s.Lx = 1.8;
    s.Ly = 5.6;  // λ 3.11 above 3
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 3);
    EXPECT_NEAR(s.Lambda, 5.6 / 1.8, 1e-12);
    EXPECT_EQ(s.LambdaMax, 3);
    EXPECT_EQ(s.TL, designed.TL);
}

TEST(DesignSlab, EveryConditionAndLoadCaseDesigns)
{
    for (int bind = 0; bind < BindTypeCount; ++bind)
        for (int shape = 0; shape < LoadShapeCount(bind); ++shape)
            for (int time = 0; time < LoadTimeCount; ++time)
                for (bool direct : {false, true}) {
                    SlabData s = Typical(bind);
                    s.LoadShape = shape;
                    s.LoadTime = time;
                    s.TLDirect = direct;
                    s.P = {1500, 1000, 500};
                    s.CompMode = {bind % 3, (bind + time) % 4};
                    if (direct)
                        s.TL = {7000, 8000, 5000};
                    SCOPED_TRACE(testing::Message() << "Bind " << bind << " shape " << shape << " time " << time
                                                    << " direct " << direct);
                    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
                    EXPECT_TRUE(s.Calculated);
                    EXPECT_TRUE(AllFinite(s));
                    EXPECT_NE(s.M[0][0][0], 0);
                    for (const auto& dir : s.CalcPitch)
                        for (int pitch : dir)
                            EXPECT_GE(pitch, 100);
                    EXPECT_FALSE(BarTexts(s)[0][0][0].empty() && BarTexts(s)[0][0][1].empty());
                }
}

TEST(DesignSlab, UndesignableInputsAreRefusedWithoutChangeNamingTheField)
{
    struct Fault {
        const char* what;
        const char* field;  // named by the reason
        std::function<void(SlabData&)> apply;
    };
    const Fault faults[] = {
        {"Fc 0", "Fc", [](SlabData& s) { s.Fc = 0; }},
        {"Fc beyond what a file holds", "Fc", [](SlabData& s) { s.Fc = 1e308; }},
        {"Gamma 1", "Gamma", [](SlabData& s) { s.Gamma = 1; }},
        {"T 0", "T", [](SlabData& s) { s.T = 0; }},
        {"T negative", "T", [](SlabData& s) { s.T = -15; }},
        {"stress increase 0, which a file reads as 1", "IncreaseS", [](SlabData& s) { s.IncreaseS = 0; }},
        {"deflection increase negative", "IncreaseD", [](SlabData& s) { s.IncreaseD = -1.5; }},
        {"cover past the bars", "T", [](SlabData& s) { s.Cov = 14.5; }},
        {"Bind 15", "Bind", [](SlabData& s) { s.Bind = 15; }},
        {"Bind -1", "Bind", [](SlabData& s) { s.Bind = -1; }},
        {"LoadShape 3", "LoadShape", [](SlabData& s) { s.LoadShape = 3; }},
        {"LoadTime 3", "LoadTime", [](SlabData& s) { s.LoadTime = 3; }},
        {"Concrete 5", "Concrete", [](SlabData& s) { s.Concrete = 5; }},
        {"CompMode 4", "CompMode[1]", [](SlabData& s) { s.CompMode[1] = 4; }},
        {"BarOutside 2", "BarOutside", [](SlabData& s) { s.BarOutside = 2; }},
        {"bar size 9", "Bar[1][1][0]", [](SlabData& s) { s.Bar[1][1][0] = 9; }},
        {"bar size -1", "Bar[0][0][1]", [](SlabData& s) { s.Bar[0][0][1] = -1; }},
        {"position without bars", "Bar[0][1]", [](SlabData& s) { s.Bar[0][1] = {0, 0}; }},
        {"negative pitch", "Pitch[1][0]", [](SlabData& s) { s.Pitch[1][0] = -100; }},
        {"pitch beyond what a file holds", "Pitch[0][0]", [](SlabData& s) { s.Pitch[0] = {1000000000, 200}; }},
        {"end pitch alone on a simply supported span", "Pitch[0][1]",
         [](SlabData& s) {
             s.Bind = BindSupported4;
             s.Pitch[0][0] = 200;
         }},
        {"NaN span", "Ly", [](SlabData& s) { s.Ly = std::numeric_limits<double>::quiet_NaN(); }},
        {"infinite load", "LL[0]", [](SlabData& s) { s.LL[0] = std::numeric_limits<double>::infinity(); }},
        {"overflowing load", "FL", [](SlabData& s) { s.FL = 1e308; }},
        {"entered total beyond the limit", "TL[2]", [](SlabData& s) { s.TLDirect = true; s.TL[2] = 2e9; }},
        {"load unit 2", "LoadUnit", [](SlabData& s) { s.LoadUnit = 2; }},
        {"thickness too small for 3t", "T", [](SlabData& s) { s.T = 0.02; }},
    };
    for (const Fault& f : faults) {
        SlabData s = Typical(BindFixedExact);
        ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
        f.apply(s);
        SlabData before = s;
        EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 1) << f.what;
        EXPECT_FALSE(s.Calculated) << f.what;
        EXPECT_EQ(DescribeDesignFailure(s, 1, CommonSettings{}, BarData{}).field, f.field) << f.what;
        before.Calculated = false;
        before.Lambda = s.Lambda;
        before.LambdaMax = s.LambdaMax;
        EXPECT_EQ(s.M, before.M) << f.what;
        EXPECT_EQ(s.TL, before.TL) << f.what;
        EXPECT_EQ(s.CalcPitch, before.CalcPitch) << f.what;
        EXPECT_EQ(s.Message, before.Message) << f.what;
    }
    // The value in the reason reads as a number, not as 309 digits.
    SlabData s = Typical(BindFixedExact);
    s.Fc = 1e308;
    EXPECT_EQ(DescribeDesignFailure(s, 1, CommonSettings{}, BarData{}).Text(),
              "Fc: 1e+308 は大きすぎます（絶対値は 1e+09 まで）");
}

TEST(DesignSlab, UnusableSettingsOrGradesAreRefused)
{
    SlabData s = Typical(BindFixedExact);
    BarData noGrade;
    noGrade.SetGrade(BarD13, "");
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, noGrade), 1);

    CommonSettings c;
    c.PitchMax[0] = 0;
    EXPECT_EQ(DesignSlab(s, c, BarData{}), 1);
    s.Pitch[0] = {200, 200};  // entered pitches do not need the limits
    EXPECT_EQ(DesignSlab(s, c, BarData{}), 0);

    c = CommonSettings{};
    c.PitchMin[1] = 0;
    EXPECT_EQ(DesignSlab(s, c, BarData{}), 1);
    c = CommonSettings{};
    c.LoadUnitFactor = 0;
    EXPECT_EQ(DesignSlab(s, c, BarData{}), 1);
    // A smallest pitch no box holds would make pitches that, entered, are refused.
    c = CommonSettings{};
    c.PitchMin[0] = 20'000'000;
    c.PitchMax[0] = 30'000'000;
    EXPECT_EQ(DesignSlab(s, c, BarData{}), 1);
    EXPECT_EQ(DescribeDesignFailure(s, 1, c, BarData{}).Text(), "settings.PitchMin[0]: 20000000 mm は大きすぎます（9999999 mm まで）");

    // A grade the bar table does not know is not designed with its number.
    BarData unknown;
    unknown.SetGrade(BarD10, "SD999");
    ASSERT_EQ(unknown[BarD10].Fy, 999);
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, unknown), 1);
    const InputProblem p = DescribeDesignFailure(s, 1, CommonSettings{}, unknown);
    EXPECT_NE(p.reason.find("SD999"), std::string::npos) << p.Text();
}

TEST(DesignSlab, SimplySupportedSpanTakesTheEnteredCentrePitch)
{
    SlabData s = Typical(BindSupported4);
    s.Pitch[0] = {150, 150};
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    EXPECT_EQ(s.CalcPitch[0], (std::array<int, 2>{150, 150}));
    s.Pitch[0] = {0, 175};
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    EXPECT_EQ(s.CalcPitch[0][1], 175);
}

TEST(ConvertLoadUnit, ScalesTheLoadInputsOnly)
{
    CommonSettings kn;
    kn.LoadUnitFactor = 1000;
    SlabData s = Typical(BindFixedExact);
    s.FL = 600;
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    const SlabData before = s;
    ConvertLoadUnit(s, kn, BarData{});
    EXPECT_DOUBLE_EQ(s.FL, 0.6);
    EXPECT_DOUBLE_EQ(s.LL[0], 1.8);
    EXPECT_EQ(s.LoadUnit, 1000);
    EXPECT_TRUE(s.Calculated);
    EXPECT_DOUBLE_EQ(s.Own, 3.6);  // derived again by the redesign
    for (int dir = 0; dir < 2; ++dir)
        for (int pos = 0; pos < 2; ++pos)
            EXPECT_NEAR(s.M[0][dir][pos], before.M[0][dir][pos], 1e-9);
    EXPECT_EQ(BarTexts(s), BarTexts(before));
}

TEST(ConvertLoadUnit, EnteredSelfWeightIsScaledToo)
{
    CommonSettings kn;
    kn.LoadUnitFactor = 1000;
    SlabData s = Typical(BindFixedExact);
    s.OwnDirect = true;
    s.Own = 3000;
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    const double moment = s.M[0][0][0];
    ConvertLoadUnit(s, kn, BarData{});
    EXPECT_DOUBLE_EQ(s.Own, 3);
    EXPECT_NEAR(s.M[0][0][0], moment, 1e-9);
}

TEST(ConvertLoadUnit, RecordsNotYetDesignedAreConvertedAsWell)
{
    CommonSettings kn;
    kn.LoadUnitFactor = 1000;
    SlabData s;  // the template, or a slab whose spans are still missing
    s.FL = 600;
    s.LL = {1800, 0, 600};
    ConvertLoadUnit(s, kn, BarData{});
    EXPECT_DOUBLE_EQ(s.FL, 0.6);
    EXPECT_EQ(s.LoadUnit, 1000);
    EXPECT_FALSE(s.Calculated);

    // Designed later in the new unit, it gives the same moments as a slab
    // entered in N/m² from the start.
    s.Bind = BindFixedExact;
    s.Lx = 3.6;
    s.Ly = 5.4;
    ASSERT_EQ(DesignSlab(s, kn, BarData{}), 0);
    SlabData reference = s;
    reference.FL = 600;
    reference.LL = {1800, 0, 600};
    reference.LoadUnit = 1;
    ASSERT_EQ(DesignSlab(reference, CommonSettings{}, BarData{}), 0);
    EXPECT_NEAR(s.M[0][0][0], reference.M[0][0][0], 1e-9);

    SlabData typed;  // loads typed while kN/m² is in force
    typed.Lx = 3.6;
    typed.Ly = 5.4;
    typed.FL = 0.6;
    ASSERT_EQ(DesignSlab(typed, kn, BarData{}), 0);
    EXPECT_EQ(typed.LoadUnit, 1000);

    const SlabData same = s;  // already in the unit: untouched
    ConvertLoadUnit(s, kn, BarData{});
    EXPECT_EQ(s.FL, same.FL);
}

TEST(PitchButtons, TakeAndClear)
{
    SlabData s = Typical(BindFixedExact);
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    TakeCalculatedPitches(s);
    EXPECT_EQ(s.Pitch, s.CalcPitch);
    ClearPitches(s, false);
    EXPECT_EQ(s.Pitch, (DirPos<int>{}));
    EXPECT_EQ(s.Bar, kDefaultBars);
    ClearPitches(s, true);
    EXPECT_EQ(s.Bar, BarGrid{});
}

TEST(Names, FixedTextsOfTheEnumerations)
{
    EXPECT_EQ(BindTypeName(0), "四辺固定(略算)");
    EXPECT_EQ(BindTypeName(14), "片持ち");
    EXPECT_EQ(BindTypeName(15), "");
    EXPECT_EQ(LoadTimeName(1), "長期＋積雪");
    EXPECT_EQ(ConcreteKindName(2), "２種軽量");
    EXPECT_EQ(CompModeName(3), "配筋しない");
    EXPECT_EQ(LoadShapeCount(BindFixedExact), 3);
    EXPECT_EQ(LoadShapeName(BindFixedExact, 2), "等分布＋長辺方向等変分布");
    EXPECT_EQ(LoadShapeName(BindFixed3ShortFree, 1), "等分布＋長辺方向等変分布");
    EXPECT_EQ(LoadShapeName(BindFixed3LongFree, 1), "等分布＋短辺方向等変分布");
    EXPECT_EQ(LoadShapeName(BindSupported4, 1), "");
}

TEST(DesignSlab, ResultsThatOverflowLeaveTheRecordAsItWas)
{
    SlabData s = Typical(BindFixedExact);
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    // New spans and loads change every result; a strength of 1e-307 N/mm²
    // makes the shear ratio infinite, the last of the numbers to be made.
    s.Fc = 1e-307;
    s.Lx = 4.0;
    s.LL[0] = 2500;
    s.CompMode = {CompLargerThrough, CompNone};
    SlabData expected = s;
    ASSERT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 1);
    ASSERT_FALSE(FindInputProblem(s, CommonSettings{}, BarData{}));
    expected.Calculated = false;
    expected.Lambda = s.Lambda;
    expected.LambdaMax = s.LambdaMax;
    EXPECT_TRUE(s == expected);
    EXPECT_EQ(BarTexts(s), BarTexts(expected));
    EXPECT_EQ(s.M, expected.M);
}

TEST(DesignSlab, AbsurdButFiniteInputsStayDefined)
{
    // Far outside any slab, yet finite: the design must neither overflow an
    // integer nor loop; it either designs with finite results or refuses.
    const std::pair<const char*, std::function<void(SlabData&)>> extremes[] = {
        {"tiny Fc", [](SlabData& s) { s.Fc = 1e-307; }},
        {"huge T", [](SlabData& s) { s.T = 1e300; }},
        {"huge span", [](SlabData& s) { s.Lx = 1e150; s.Ly = 2e150; }},
        {"tiny Gamma excess", [](SlabData& s) { s.Gamma = 1 + 1e-15; }},
        {"huge increase", [](SlabData& s) { s.IncreaseD = 1e300; s.DeflectionOnly = true; }},
    };
    for (const auto& [what, extreme] : extremes) {
        SlabData s = Typical(BindFixedExact);
        extreme(s);
        const int status = DesignSlab(s, CommonSettings{}, BarData{});
        EXPECT_TRUE(status == 0 || status == 1) << what;
        if (status == 0) {
            EXPECT_TRUE(AllFinite(s)) << what;
        }
    }
    EXPECT_EQ(VersionNumber("9999999999.1"), 2147483647);
}
