#include "engine/InputCheck.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/Reinforcement.h"

namespace korvexa {

namespace {

using Problem = std::optional<InputProblem>;

// A field's name with up to three indices, made into text only for a
// problem (the checks run before every design).
struct Field {
    Field(const char* n, std::array<int, 3> i = {-1, -1, -1}) : name(n), index(i) {}
    const char* name;
    std::array<int, 3> index;
    operator std::string() const
    {
        std::string text = name;
        for (int i : index)
            if (i >= 0)
                text += "[" + std::to_string(i) + "]";
        return text;
    }
};

Field Indexed(const char* name, int i, int j = -1, int k = -1) { return {name, {i, j, k}}; }

Problem InRange(int value, int count, Field field)
{
    if (value >= 0 && value < count)
        return std::nullopt;
    return InputProblem{field, std::to_string(value) + " は範囲外です（0〜" + std::to_string(count - 1) + "）"};
}

Problem Finite(double v, Field field)
{
    if (std::isfinite(v))
        return std::nullopt;
    return InputProblem{field, "数値ではありません"};
}

// Finite and within the largest value a data file holds.
Problem Stored(double v, Field field)
{
    if (Problem p = Finite(v, field))
        return p;
    if (std::fabs(v) <= kLargestInputValue)
        return std::nullopt;
    return InputProblem{field,
                        ReadableNumber(v) + " は大きすぎます（絶対値は " + ReadableNumber(kLargestInputValue) + " まで）"};
}

Problem Unit(double v, Field field)
{
    if (v == 1 || v == 1000)
        return std::nullopt;
    return InputProblem{field, ReadableNumber(v) + " は 1 (N/m²) か 1000 (kN/m²) でなければなりません"};
}

Problem Positive(double v, double above, const char* field, const char* what)
{
    if (v > above)
        return std::nullopt;
    return InputProblem{field, std::string(what) + "が " + ReadableNumber(above) + " 以下です（" + ReadableNumber(v) + "）"};
}

}  // namespace

std::optional<InputProblem> CheckEnumerations(const SlabInputData& s)
{
    Problem p = InRange(s.Bind, BindTypeCount, "Bind");
    if (!p)
        p = InRange(s.LoadShape, LoadShapeCount(s.Bind), "LoadShape");
    if (!p)
        p = InRange(s.LoadTime, LoadTimeCount, "LoadTime");
    if (!p)
        p = InRange(s.Concrete, ConcreteKindCount, "Concrete");
    if (!p)
        p = InRange(s.BarOutside, 2, "BarOutside");
    for (int i = 0; i < 2 && !p; ++i)
        p = InRange(s.CompMode[i], CompModeCount, Indexed("CompMode", i));
    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos)
            for (int n = 0; n < 2 && !p; ++n)
                p = InRange(s.Bar[d][pos][n], BarSizeCount, Indexed("Bar", d, pos, n));
    return p;
}

namespace {

Problem Numbers(const SlabInputData& s)
{
    const std::pair<double, const char*> inputs[] = {
        {s.Fc, "Fc"}, {s.Gamma, "Gamma"}, {s.T, "T"}, {s.Lx, "Lx"}, {s.Ly, "Ly"},
        {s.Cov, "Cov"}, {s.FL, "FL"}, {s.IncreaseS, "IncreaseS"}, {s.IncreaseD, "IncreaseD"}};
    for (const auto& [v, field] : inputs)
        if (Problem p = Stored(v, field))
            return p;
    // The self weight and the totals are inputs only when entered; derived,
    // they need only be numbers.
    if (Problem p = s.OwnDirect ? Stored(s.Own, "Own") : Finite(s.Own, "Own"))
        return p;
    for (int k = 0; k < 3; ++k) {
        if (Problem p = Stored(s.LL[k], Indexed("LL", k)))
            return p;
        if (Problem p = s.TLDirect ? Stored(s.TL[k], Indexed("TL", k)) : Finite(s.TL[k], Indexed("TL", k)))
            return p;
        if (Problem p = Stored(s.P[k], Indexed("P", k)))
            return p;
    }
    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos) {
            const int pitch = s.Pitch[d][pos];
            if (pitch < 0 || pitch > kLargestPitch)
                return InputProblem{Indexed("Pitch", d, pos), std::to_string(pitch) + " mm は範囲外です（0〜" +
                                                                    std::to_string(kLargestPitch) + " mm）"};
        }
    return Unit(s.LoadUnit, "LoadUnit");
}

Problem Settings(const CommonSettings& c)
{
    for (int k = 0; k < 3; ++k)
        if (Problem p = Stored(c.SnowCoef[k], Indexed("settings.SnowCoef", k)))
            return p;
    return Unit(c.LoadUnitFactor, "settings.LoadUnitFactor");
}

Problem Spans(const SlabData& s)
{
    if (Problem p = Positive(s.Lx, 0, "Lx", "スパン"))
        return p;
    if (IsTwoWay(s.Bind))
        return Positive(s.Ly, 0, "Ly", "スパン");
    return std::nullopt;
}

// Every position has a bar whose grade the bar table knows and which gives
// allowable stresses.
Problem Bars(const SlabData& s, const BarData& bars)
{
    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos) {
            const auto& pair = s.Bar[d][pos];
            if (pair[0] == BarNone && pair[1] == BarNone)
                return InputProblem{Indexed("Bar", d, pos), "鉄筋がありません"};
            for (int n = 0; n < 2; ++n) {
                const BarMember& bar = bars[pair[n]];
                if (pair[n] == BarNone)
                    continue;
                const std::string where = bar.Name + " の材種「" + bar.Grade + "」";
                if (!IsKnownGrade(bar.Grade))
                    return InputProblem{Indexed("Bar", d, pos, n), where + "は鉄筋表にありません（SD295, SD345, SD390）"};
                if (bar.FtLong < 1 || bar.FtShort < 1)  // whole N/mm² of 0
                    return InputProblem{Indexed("Bar", d, pos, n), where + "の許容応力度が 0 です"};
            }
        }
    return std::nullopt;
}

// No pitch that the design would use is zero or negative.
Problem Pitches(const SlabData& s, const CommonSettings& c)
{
    for (int d = 0; d < 2; ++d) {
        bool chosenByDesign = false;
        for (int pos = 0; pos < 2; ++pos) {
            const int entered = s.Pitch[d][pos];
            const int designed = DesignedBarPosition(s, pos);
            if (entered > 0 && s.Pitch[d][designed] <= 0)
                return InputProblem{Indexed("Pitch", d, designed),
                                    "単純支持のスパンは中央のピッチで設計するため、中央のピッチが必要です"};
            chosenByDesign |= entered == 0;
        }
        if (!chosenByDesign)
            continue;
        if (c.PitchMin[d] <= 0)
            return InputProblem{Indexed("settings.PitchMin", d),
                                "最小ピッチが 0 以下です（" + std::to_string(c.PitchMin[d]) + " mm）"};
        if (const int upper = PitchUpperLimit(s, c, d); upper <= 0)
            return InputProblem{d == 1 && c.PitchMax[1] > 0 ? Field{"T"} : Indexed("settings.PitchMax", d),
                                "ピッチの上限が 0 以下です（" + std::to_string(upper) + " mm）"};
    }
    return std::nullopt;
}

// The tension bars lie inside the section at every position.
Problem Depths(const SlabData& s, const BarData& bars)
{
    const DirPos<double> dt = TensionBarDepths(s, bars);
    for (const auto& dir : dt)
        for (double d : dir)
            if (!(d < s.T))
                return InputProblem{"T", "鉄筋の重心がスラブの外にあります（dt = " + ReadableNumber(d) +
                                             " cm ≧ t = " + ReadableNumber(s.T) + " cm、かぶり " +
                                             ReadableNumber(s.Cov) + " cm）"};
    return std::nullopt;
}

}  // namespace

bool IsKnownGrade(std::string_view grade)
{
    for (std::string_view known : kKnownGrades)
        if (grade == known)
            return true;
    return false;
}

std::optional<InputProblem> CheckStoredValues(const SlabInputData& slab)
{
    if (Problem p = CheckEnumerations(slab))
        return p;
    return Numbers(slab);
}

std::optional<InputProblem> FindInputProblem(const SlabData& s, const CommonSettings& c, const BarData& bars)
{
    if (Problem p = CheckStoredValues(s))
        return p;
    if (Problem p = Settings(c))
        return p;
    if (Problem p = Spans(s))
        return p;
    if (Problem p = Positive(s.Fc, 0, "Fc", "コンクリートの強度"))
        return p;
    if (Problem p = Positive(s.Gamma, 1, "Gamma", "単位体積重量"))
        return p;
    if (Problem p = Positive(s.T, 0, "T", "スラブ厚"))
        return p;
    if (Problem p = Bars(s, bars))
        return p;
    if (Problem p = Pitches(s, c))
        return p;
    return Depths(s, bars);
}

InputProblem DescribeDesignFailure(const SlabData& s, int status, const CommonSettings& c, const BarData& bars)
{
    switch (status) {
    case 2:
        return {"Lx", "Lx が Ly よりも大きい（Lx = " + ReadableNumber(s.Lx) + " m、Ly = " + ReadableNumber(s.Ly) + " m）"};
    case 3:
        return {"Ly", "λの値が制限値を越えている（λ = " + ReadableNumber(s.Lambda) + " > " + ReadableNumber(s.LambdaMax) +
                          "）"};
    default:
        if (Problem p = FindInputProblem(s, c, bars))
            return *p;
        return {"", "計算結果が数値の範囲を越えます"};
    }
}

std::string ReadableNumber(double v)
{
    // The shortest text that reads back as v, unless that is long.
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    if (ec == std::errc() && end - buffer <= 12)
        return std::string(buffer, end);
    std::snprintf(buffer, sizeof buffer, "%.6g", v);
    return buffer;
}

}  // namespace korvexa
