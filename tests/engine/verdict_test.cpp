// The verdict of a slab: each reason of NG, the rules by which the sheet
// states the deflection, and slabs that are not designed.
#include <gtest/gtest.h>

#include <functional>

#include "engine/SlabVerdict.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

// A designed-looking two-way slab, 4 × 5 m, t = 15 cm (t/Lx = 1/27), every
// check met: moments and shears of the main case, deflection loads.
SlabData Passing()
{
    SlabData s;
    s.Name = "S1";
    s.Bind = BindFixedExact;
    s.Lx = 4;
    s.Ly = 5;
    s.T = 15;
    s.TL = {8000, 0, 6000};
    for (int d = 0; d < 2; ++d) {
        for (int p = 0; p < 2; ++p) {
            s.M[0][d][p] = p == 0 ? -10 : 6;
            s.MRatio[0][d][p] = 0.5;
        }
        s.Q[0][d] = 15;
        s.QRatio[0][d] = 0.4;
    }
    s.Delta = 0.6;
    s.DeltaRatio16 = 470;
    s.Fv = 30;
    s.Calculated = true;
    return s;
}

SlabVerdict Judge(const SlabData& s) { return JudgeSlab(s, DesignOk, CommonSettings{}, BarData{}); }

struct Case {
    const char* name;
    std::function<void(SlabData&)> change;
    std::vector<NgReason> reasons;
    std::string deflection;  // DeflectionText
};

}  // namespace

TEST(Verdict, ReasonsAndDeflectionRules)
{
    using R = NgReason;
    const Case cases[] = {
        {"every check met", [](SlabData&) {}, {}, "t/Lx=1/27≧1/30 OK"},
        {"moment ratio above 1", [](SlabData& s) { s.MRatio[0][1][1] = 1.01; }, {R::Moment}, "t/Lx=1/27≧1/30 OK"},
        {"a ratio of 1.00 passes", [](SlabData& s) { s.MRatio[0][1][1] = 1.00; s.QRatio[0][0] = 1.00; }, {}, "t/Lx=1/27≧1/30 OK"},
        {"a zero moment is not stated", [](SlabData& s) { s.M[0][0][0] = 0; s.MRatio[0][0][0] = 3; }, {}, "t/Lx=1/27≧1/30 OK"},
        {"a case without loads is not stated", [](SlabData& s) { s.M[1][0][0] = 9; s.MRatio[1][0][0] = 3; }, {}, "t/Lx=1/27≧1/30 OK"},
        {"snow case", [](SlabData& s) { s.LoadTime = LoadLongTermSnow; s.TL[1] = 9000; s.M[1][0][0] = 9; s.MRatio[1][0][0] = 1.2; },
         {R::Moment}, "t/Lx=1/27≧1/30 OK"},
        {"shear ratio above 1", [](SlabData& s) { s.QRatio[0][1] = 1.05; }, {R::Shear}, "t/Lx=1/27≧1/30 OK"},
        {"16δ/Lx judged when set to deflection only", [](SlabData& s) { s.DeflectionOnly = true; s.DeltaRatio16 = 249; },
         {R::Deflection}, "16δ/Lx=1/249＞1/250 NG"},
        {"16δ/Lx judged below t/Lx = 1/30", [](SlabData& s) { s.T = 13.3; s.DeltaRatio16 = 250; }, {}, "16δ/Lx=1/250≦1/250 OK"},
        {"thinner than required", [](SlabData& s) { s.TReq = 18.2; }, {R::Thickness}, "t/Lx=1/27≧1/30 OK"},
        {"as thick as required", [](SlabData& s) { s.TReq = 15; }, {}, "t/Lx=1/27≧1/30 OK"},
        {"deflection check off", [](SlabData& s) { s.DeltCheck = false; s.TReq = 20; s.T = 10; s.DeltaRatio16 = 100; }, {}, ""},
        {"no deflection loads", [](SlabData& s) { s.TL[2] = 0; s.T = 10; s.DeltaRatio16 = 100; }, {}, ""},
        {"cantilever by t/L ≥ 1/10", [](SlabData& s) { s.Bind = BindCantilever; s.Lx = 1.2; s.Ly = 0; s.DeltaRatio16 = 117; },
         {}, "t/L=1/8≧1/10 OK"},
        {"cantilever thinner than L/10", [](SlabData& s) { s.Bind = BindCantilever; s.Lx = 1.2; s.Ly = 0; s.T = 11; s.DeltaRatio16 = 117; },
         {R::Deflection}, "16δ/L=1/117＞1/250 NG"},
        {"one-way slab at t/L = 1/30", [](SlabData& s) { s.Bind = BindOneWaySupported; s.Lx = 3; s.Ly = 0; s.T = 10; s.DeltaRatio16 = 100; },
         {}, "t/L=1/30≧1/30 OK"},
        {"one-way slab below t/L = 1/30", [](SlabData& s) { s.Bind = BindOneWaySupported; s.Lx = 3; s.Ly = 0; s.T = 9.9; s.DeltaRatio16 = 100; },
         {R::Deflection}, "16δ/L=1/100＞1/250 NG"},
        {"every reason, in order", [](SlabData& s) { s.TReq = 19; s.QRatio[0][0] = 2; s.MRatio[0][0][0] = 3; s.DeflectionOnly = true; s.DeltaRatio16 = 10; },
         {R::Moment, R::Shear, R::Deflection, R::Thickness}, "16δ/Lx=1/10＞1/250 NG"},
    };
    for (const Case& c : cases) {
        SlabData s = Passing();
        c.change(s);
        const SlabVerdict v = Judge(s);
        EXPECT_EQ(v.reasons, c.reasons) << c.name;
        EXPECT_EQ(v.Ok(), c.reasons.empty()) << c.name;
        EXPECT_EQ(DeflectionText(s, v), c.deflection) << c.name;
    }
}

TEST(Verdict, LargestRatiosTheirPlacesAndTexts)
{
    SlabData s = Passing();
    s.LoadTime = LoadLongTermSnow;
    s.TL[1] = 9000;
    s.M[1][1][0] = -12;
    s.MRatio[1][1][0] = 1.84;
    s.MRatio[0][0][1] = 1.84;  // as large, found first: the main case wins
    s.Q[1][0] = 20;
    s.QRatio[1][0] = 1.2;
    s.TReq = 18.25;
    const SlabVerdict v = Judge(s);
    EXPECT_EQ(v.moment.place, (RatioPlace{0, 0, 1}));
    EXPECT_EQ(v.shear.place, (RatioPlace{1, 0, 0}));
    EXPECT_EQ(PlaceText(s, v.moment.place), "短辺中央 長期");
    EXPECT_EQ(ReasonsText(s, v), "M検定比 1.84（短辺中央 長期）、Q検定比 1.20（短辺端部 積雪時）、t=15.0cm＜必要厚 18.2cm");
    EXPECT_EQ(JudgementWord(v), "NG");
    EXPECT_DOUBLE_EQ(v.fv, 30);

    s.Bind = BindOneWayFixed;  // main and distribution bars
    s.LoadTime = LoadLongTerm;
    EXPECT_EQ(PlaceText(s, {0, 1, 1}), "配力筋中央");
    EXPECT_EQ(CountText(42, 3, 0), "計 42 枚、NG 3 枚");
    EXPECT_EQ(CountText(5, 0, 2), "計 5 枚、NG 0 枚、未計算 2 枚");
}

TEST(Verdict, UndesignedSlabsCarryTheirReason)
{
    struct Undesigned {
        const char* name;
        std::function<void(SlabData&)> change;
        int status;
        std::string field;
    };
    const Undesigned cases[] = {
        {"spans not entered", [](SlabData&) {}, DesignIncomplete, "Lx"},
        {"Lx above Ly", [](SlabData& s) { s.Lx = 5; s.Ly = 4; }, DesignSpansSwapped, "Lx"},
    };
    for (const Undesigned& c : cases) {
        SlabData s;
        c.change(s);
        const CommonSettings settings;
        const BarData bars;
        SlabData designed = s;
        const SlabVerdict v = JudgeSlab(s, DesignSlab(designed, settings, bars), settings, bars);
        EXPECT_EQ(v.status, c.status) << c.name;
        EXPECT_EQ(v.failure.field, c.field) << c.name;
        EXPECT_FALSE(v.failure.reason.empty()) << c.name;
        EXPECT_FALSE(v.Ok() || v.Ng()) << c.name;
        EXPECT_EQ(JudgementWord(v), "未計算") << c.name;
        EXPECT_EQ(JudgeListedSlab(s, settings, bars).status, c.status) << c.name;
    }
    // Undesigned in a list, though it would design now: not judged by
    // results that are not its own.
    SlabData stale = Passing();
    stale.Calculated = false;
    const SlabVerdict v = JudgeListedSlab(stale, CommonSettings{}, BarData{});
    EXPECT_FALSE(v.Designed());
    EXPECT_EQ(v.failure.reason, "まだ計算されていません");
}
