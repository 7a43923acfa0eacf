#include "engine/SlabVerdict.h"

#include <algorithm>

#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"

namespace korvexa {

namespace {

// "Lx", or "L" for one-way slabs and the cantilever, as the sheet names the span.
const char* SpanSymbol(const SlabData& slab) { return IsTwoWay(slab.Bind) ? "Lx" : "L"; }

void Consider(RatioCheck& check, double value, double ratio, RatioPlace place)
{
    if (value == 0 || (check.present && ratio <= check.ratio))
        return;
    check = {true, ratio, place};
}

RatioCheck LargestMoment(const SlabData& s)
{
    RatioCheck check;
    for (int k = 0; k < 2; ++k)
        if (CaseHasLoad(s, k))
            for (int d = 0; d < 2; ++d)
                for (int p = 0; p < 2; ++p)
                    Consider(check, s.M[k][d][p], s.MRatio[k][d][p], {k, d, p});
    return check;
}

RatioCheck LargestShear(const SlabData& s)
{
    RatioCheck check;
    for (int k = 0; k < 2; ++k)
        if (CaseHasLoad(s, k))
            for (int d = 0; d < 2; ++d)
                Consider(check, s.Q[k][d], s.QRatio[k][d], {k, d, 0});
    return check;
}

DeflectionCheck JudgeDeflection(const SlabData& s)
{
    if (!StatesDeflection(s))
        return {};
    if (ShowsSpanThicknessCheck(s))
        return {DeflectionRule::SpanThickness, SpanThicknessRatio(s), SpanThicknessLimit(s), true};
    return {DeflectionRule::Deflection, s.DeltaRatio16, 250, DeflectionOk(s)};
}

}  // namespace

bool SlabVerdict::Fails(NgReason reason) const
{
    return std::find(reasons.begin(), reasons.end(), reason) != reasons.end();
}

SlabVerdict JudgeListedSlab(const SlabData& slab, const CommonSettings& settings, const BarData& bars)
{
    if (slab.Calculated)
        return JudgeSlab(slab, DesignOk, settings, bars);
    SlabData copy = slab;
    const int status = DesignSlab(copy, settings, bars);
    if (status != DesignOk)
        return JudgeSlab(slab, status, settings, bars);
    // Undesigned in the list, though it designs now (the settings changed
    // since): its results are not those of its inputs.
    SlabVerdict v;
    v.status = DesignIncomplete;
    v.failure = {"", "まだ計算されていません"};
    return v;
}

bool StatesDeflection(const SlabData& slab) { return slab.DeltCheck && CaseHasLoad(slab, 2) && slab.Delta > 0; }

SlabVerdict JudgeSlab(const SlabData& slab, int status, const CommonSettings& settings, const BarData& bars)
{
    SlabVerdict v;
    v.status = status;
    if (status != DesignOk) {
        v.failure = DescribeDesignFailure(slab, status, settings, bars);
        return v;
    }
    v.moment = LargestMoment(slab);
    v.shear = LargestShear(slab);
    v.deflection = JudgeDeflection(slab);
    if (slab.DeltCheck && slab.TReq > 0)
        v.thickness = {true, slab.TReq, ThicknessOk(slab)};
    v.fv = slab.Fv;
    if (!v.moment.Ok())
        v.reasons.push_back(NgReason::Moment);
    if (!v.shear.Ok())
        v.reasons.push_back(NgReason::Shear);
    if (!v.deflection.Ok())
        v.reasons.push_back(NgReason::Deflection);
    if (!v.thickness.Ok())
        v.reasons.push_back(NgReason::Thickness);
    return v;
}

std::string DirectionName(const SlabData& slab, int dir)
{
    if (IsTwoWay(slab.Bind))
        return dir == 0 ? "短辺" : "長辺";
    return dir == 0 ? "主筋" : "配力筋";
}

std::string PlaceText(const SlabData& slab, const RatioPlace& place)
{
    std::string text = DirectionName(slab, place.dir) + (place.pos == 0 ? "端部" : "中央");
    if (slab.LoadTime == LoadLongTermSnow)
        text += place.loadCase == 0 ? " 長期" : " 積雪時";
    return text;
}

std::string DeflectionRatioText(const SlabData& slab, const SlabVerdict& verdict)
{
    const DeflectionCheck& d = verdict.deflection;
    if (d.rule == DeflectionRule::None)
        return std::string();
    return (d.rule == DeflectionRule::SpanThickness ? "t/" : "16δ/") + std::string(SpanSymbol(slab)) + "=1/" +
           std::to_string(d.ratio);
}

std::string DeflectionText(const SlabData& slab, const SlabVerdict& verdict)
{
    const DeflectionCheck& d = verdict.deflection;
    switch (d.rule) {
    case DeflectionRule::SpanThickness:
        return DeflectionRatioText(slab, verdict) + "≧1/" + std::to_string(d.limit) + " OK";
    case DeflectionRule::Deflection:
        return DeflectionRatioText(slab, verdict) + (d.Ok() ? "≦1/250 OK" : "＞1/250 NG");
    default:
        return std::string();
    }
}

std::string ReasonText(const SlabData& slab, const SlabVerdict& v, NgReason reason)
{
    switch (reason) {
    case NgReason::Moment:
        return "M検定比 " + FixedNumber(v.moment.ratio, 2) + "（" + PlaceText(slab, v.moment.place) + "）";
    case NgReason::Shear:
        return "Q検定比 " + FixedNumber(v.shear.ratio, 2) + "（" + PlaceText(slab, v.shear.place) + "）";
    case NgReason::Deflection:
        return DeflectionRatioText(slab, v) + "＞1/250";
    case NgReason::Thickness:
        return "t=" + FixedNumber(slab.T, 1) + "cm＜必要厚 " + FixedNumber(v.thickness.required, 1) + "cm";
    }
    return std::string();
}

std::string ReasonsText(const SlabData& slab, const SlabVerdict& verdict)
{
    std::string text;
    for (NgReason reason : verdict.reasons) {
        if (!text.empty())
            text += "、";
        text += ReasonText(slab, verdict, reason);
    }
    return text;
}

std::string JudgementWord(const SlabVerdict& verdict)
{
    if (!verdict.Designed())
        return "未計算";
    return verdict.Ok() ? "OK" : "NG";
}

std::string CountText(int total, int ng, int undesigned)
{
    std::string text = "計 " + std::to_string(total) + " 枚、NG " + std::to_string(ng) + " 枚";
    if (undesigned > 0)
        text += "、未計算 " + std::to_string(undesigned) + " 枚";
    return text;
}

}  // namespace korvexa
