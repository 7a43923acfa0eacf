// One verdict per slab: what a checker looks for first on a calculation
// sheet (the largest check ratios and where they occur, the deflection and
// thickness checks, fv) and whether the slab passes them all.  The slab
// overview, the printed summary, the CSV export and korvexa-cli show all
// judge through here, so that they agree with each other and with the
// sheets, whose decisions (t/Lx or 16δ/Lx, TReq against t) come from
// SheetTexts.
//
//   SlabVerdict v = JudgeSlab(slab, DesignSlab(slab, settings, bars), settings, bars);
//   v.Ok(), v.reasons, ReasonsText(slab, v)
#pragma once

#include <string>
#include <vector>

#include "engine/BarData.h"
#include "engine/InputCheck.h"
#include "engine/SlabData.h"

namespace korvexa {

// A place of the stress table (index conventions of SlabData).
struct RatioPlace {
    int loadCase = 0;  // 0 main case, 1 snow case
    int dir = 0;
    int pos = 0;       // shears lie at the ends: always 0 for them
    bool operator==(const RatioPlace&) const = default;
};

// The largest ratio of one kind among the values the sheet prints (a case
// with loads, a value that is not zero).  Ratios are rounded to 0.01, so
// 1.00 passes and 1.01 does not.
struct RatioCheck {
    bool present = false;  // the slab has such a value
    double ratio = 0;
    RatioPlace place;
    bool Ok() const { return !present || ratio <= 1; }
};

// The deflection check as the sheet states it: t/Lx where the thickness
// rule decides (always met then), else 16δ/Lx against 1/250; nothing when
// the sheet states none (deflection check off, no deflection loads).
enum class DeflectionRule { None, SpanThickness, Deflection };
struct DeflectionCheck {
    DeflectionRule rule = DeflectionRule::None;
    int ratio = 0;  // n of 1/n: 100·Lx/t, or DeltaRatio16
    int limit = 0;  // 30 or 10 (t/Lx), 250 (16δ/Lx)
    bool ok = true; // the sheet's decision (DeflectionOk)
    bool Ok() const { return ok; }
};

// The thickness against the required thickness, stated when the deflection
// check is on and a thickness is required (TReq > 0).
struct ThicknessCheck {
    bool stated = false;
    double required = 0;  // cm
    bool ok = true;
    bool Ok() const { return ok; }
};

enum class NgReason { Moment, Shear, Deflection, Thickness };

struct SlabVerdict {
    int status = 0;         // DesignSlab's code; the rest is empty unless 0
    InputProblem failure;   // why it was not designed
    RatioCheck moment, shear;
    DeflectionCheck deflection;
    ThicknessCheck thickness;
    double fv = 0;          // Hz, 0 when not computed
    std::vector<NgReason> reasons;  // in the order of the enumeration

    bool Designed() const { return status == 0; }
    bool Ok() const { return Designed() && reasons.empty(); }
    bool Ng() const { return Designed() && !reasons.empty(); }
    bool Fails(NgReason reason) const;
};

// The verdict of a slab after DesignSlab returned `status` for it.
SlabVerdict JudgeSlab(const SlabData& slab, int status, const CommonSettings& settings, const BarData& bars);
// The verdict of a slab of a list that is kept designed (the window's): a
// designed slab as it is; an undesigned one with the reason a design gives
// now (a copy is designed).
SlabVerdict JudgeListedSlab(const SlabData& slab, const CommonSettings& settings, const BarData& bars);

// Whether the sheet states a deflection (and so the verdict judges it).
bool StatesDeflection(const SlabData& slab);

// --- texts, the same in the window, on paper, in the CSV and in show -------

// "短辺" / "長辺", or "主筋" / "配力筋" for one-way slabs and the cantilever.
std::string DirectionName(const SlabData& slab, int dir);
// "短辺端部", with " 積雪時" (or " 長期") where the slab has a snow case.
std::string PlaceText(const SlabData& slab, const RatioPlace& place);
// "16δ/Lx=1/470", "16δ/L=1/200", "t/Lx=1/27": the ratio the sheet judges
// by; empty when no deflection is stated.
std::string DeflectionRatioText(const SlabData& slab, const SlabVerdict& verdict);
// "16δ/Lx=1/470≦1/250 OK", "16δ/L=1/200＞1/250 NG", "t/Lx=1/27≧1/30 OK";
// empty when no deflection is stated.
std::string DeflectionText(const SlabData& slab, const SlabVerdict& verdict);
// One reason of NG: "M検定比 1.84（短辺端部）", "Q検定比 1.20（長辺端部）",
// "16δ/Lx=1/200＞1/250", "t=15.0cm＜必要厚 18.2cm".
std::string ReasonText(const SlabData& slab, const SlabVerdict& verdict, NgReason reason);
// Every reason, joined with "、".
std::string ReasonsText(const SlabData& slab, const SlabVerdict& verdict);
// "OK", "NG" or "未計算".
std::string JudgementWord(const SlabVerdict& verdict);
// "計 42 枚、NG 3 枚" (with "、未計算 2 枚" when there are such slabs).
std::string CountText(int total, int ng, int undesigned);

}  // namespace korvexa
