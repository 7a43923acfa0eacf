#include "engine/InputCheck.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <limits>

#include "engine/Reinforcement.h"

namespace korvexa {

namespace {

// A field's name with up to three indices, made into text only for a
// problem.
struct Field {
    Field(const char* n, int i = -1, int j = -1, int k = -1) : name(n), index{i, j, k} {}
    const char* name;
    std::array<int, 3> index;
    std::string Text() const
    {
        std::string text = name;
        for (int i : index)
            if (i >= 0)
                text += "[" + std::to_string(i) + "]";
        return text;
    }
};

// Whether `v` lies in [0, count): one comparison.
bool InRange(int v, int count) { return static_cast<unsigned>(v) < static_cast<unsigned>(count); }

// The checks run before every design, and nearly every slab passes them:
// on that way each test is a plain comparison.  A test that fails goes
// out of line, where the problem's text is made, and only when the caller
// asked for it (the design wants a yes or no).  The field reaches the cold
// path as a name and indices, so that the way of a valid slab does not
// build it.
class Checker {
public:
    explicit Checker(std::optional<InputProblem>* problem) : problem_(problem) {}

    bool InRange(int v, int count, const char* name, int i = -1, int j = -1, int k = -1) const
    {
        return korvexa::InRange(v, count) || OutOfRange(v, count, {name, i, j, k});
    }
    bool Finite(double v, const char* name, int i = -1) const { return std::isfinite(v) || NotNumber({name, i}); }
    // Finite and within the largest value a data file holds (false for NaN).
    bool Stored(double v, const char* name, int i = -1) const
    {
        return std::fabs(v) <= kLargestInputValue || NotStored(v, {name, i});
    }
    bool Unit(double v, const char* name) const { return v == 1 || v == 1000 || NotUnit(v, name); }
    bool Above(double v, double bound, const char* name, const char* what) const
    {
        return v > bound || NotAbove(v, bound, name, what);
    }

    // Returns false; `reason()` gives the text when a problem is wanted.
    template <typename Reason>
    bool Problem(Field field, Reason reason) const
    {
        if (problem_)
            Record(field, reason());
        return false;
    }

private:
    [[gnu::cold, gnu::noinline]] void Record(Field field, std::string reason) const
    {
        *problem_ = InputProblem{field.Text(), std::move(reason)};
    }
    [[gnu::cold, gnu::noinline]] bool OutOfRange(int v, int count, Field field) const
    {
        return Problem(field, [&] { return std::to_string(v) + " は範囲外です（0〜" + std::to_string(count - 1) + "）"; });
    }
    [[gnu::cold, gnu::noinline]] bool NotNumber(Field field) const
    {
        return Problem(field, [] { return std::string("数値ではありません"); });
    }
    [[gnu::cold, gnu::noinline]] bool NotStored(double v, Field field) const
    {
        if (!std::isfinite(v))
            return NotNumber(field);
        return Problem(field, [&] {
            return ReadableNumber(v) + " は大きすぎます（絶対値は " + ReadableNumber(kLargestInputValue) + " まで）";
        });
    }
    [[gnu::cold, gnu::noinline]] bool NotUnit(double v, Field field) const
    {
        return Problem(field, [&] { return ReadableNumber(v) + " は 1 (N/m²) か 1000 (kN/m²) でなければなりません"; });
    }
    [[gnu::cold, gnu::noinline]] bool NotAbove(double v, double bound, Field field, const char* what) const
    {
        return Problem(field, [&] {
            return std::string(what) + "が " + ReadableNumber(bound) + " 以下です（" + ReadableNumber(v) + "）";
        });
    }

    std::optional<InputProblem>* problem_;
};

// The tests of Enumerations all at once, without a branch each.
bool EnumerationsInRange(const SlabInputData& s)
{
    unsigned outside = !InRange(s.Bind, BindTypeCount);
    outside |= !InRange(s.LoadShape, LoadShapeCount(s.Bind));
    outside |= !InRange(s.LoadTime, LoadTimeCount);
    outside |= !InRange(s.Concrete, ConcreteKindCount);
    outside |= !InRange(s.BarOutside, 2);
    for (int mode : s.CompMode)
        outside |= !InRange(mode, CompModeCount);
    for (const auto& dir : s.Bar)
        for (const auto& pair : dir)
            for (int size : pair)
                outside |= !InRange(size, BarSizeCount);
    return outside == 0;
}

bool Enumerations(const SlabInputData& s, const Checker& c)
{
    if (EnumerationsInRange(s))
        return true;
    // In order, to name the first.
    if (!c.InRange(s.Bind, BindTypeCount, "Bind") || !c.InRange(s.LoadShape, LoadShapeCount(s.Bind), "LoadShape") ||
        !c.InRange(s.LoadTime, LoadTimeCount, "LoadTime") || !c.InRange(s.Concrete, ConcreteKindCount, "Concrete") ||
        !c.InRange(s.BarOutside, 2, "BarOutside"))
        return false;
    for (int i = 0; i < 2; ++i)
        if (!c.InRange(s.CompMode[i], CompModeCount, "CompMode", i))
            return false;
    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos)
            for (int n = 0; n < 2; ++n)
                if (!c.InRange(s.Bar[d][pos][n], BarSizeCount, "Bar", d, pos, n))
                    return false;
    return true;
}

// The tests of Numbers all at once, without a branch each: numbers within
// the limits of a data file, derived ones finite (NaN fails both).
bool NumbersWithinLimits(const SlabInputData& s)
{
    constexpr double kStored = kLargestInputValue;
    constexpr double kFinite = std::numeric_limits<double>::max();
    unsigned beyond = 0;
    const auto limit = [&beyond](double v, double largest) { beyond |= !(std::fabs(v) <= largest); };
    for (double v : {s.Fc, s.Gamma, s.T, s.Lx, s.Ly, s.Cov, s.FL, s.IncreaseS, s.IncreaseD})
        limit(v, kStored);
    limit(s.Own, s.OwnDirect ? kStored : kFinite);
    for (int k = 0; k < 3; ++k) {
        limit(s.LL[k], kStored);
        limit(s.TL[k], s.TLDirect ? kStored : kFinite);
        limit(s.P[k], kStored);
    }
    for (const auto& dir : s.Pitch)
        for (int pitch : dir)
            beyond |= !InRange(pitch, kLargestPitch + 1);
    beyond |= s.LoadUnit != 1 && s.LoadUnit != 1000;
    return beyond == 0;
}

bool Numbers(const SlabInputData& s, const Checker& c)
{
    if (NumbersWithinLimits(s))
        return true;
    // In order, to name the first.
    if (!c.Stored(s.Fc, "Fc") || !c.Stored(s.Gamma, "Gamma") || !c.Stored(s.T, "T") || !c.Stored(s.Lx, "Lx") ||
        !c.Stored(s.Ly, "Ly") || !c.Stored(s.Cov, "Cov") || !c.Stored(s.FL, "FL") ||
        !c.Stored(s.IncreaseS, "IncreaseS") || !c.Stored(s.IncreaseD, "IncreaseD"))
        return false;
    // The self weight and the totals are inputs only when entered; derived,
    // they need only be numbers.
    if (!(s.OwnDirect ? c.Stored(s.Own, "Own") : c.Finite(s.Own, "Own")))
        return false;
    for (int k = 0; k < 3; ++k)
        if (!c.Stored(s.LL[k], "LL", k) ||
            !(s.TLDirect ? c.Stored(s.TL[k], "TL", k) : c.Finite(s.TL[k], "TL", k)) ||
            !c.Stored(s.P[k], "P", k))
            return false;
    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos) {
            const int pitch = s.Pitch[d][pos];
            if ((pitch < 0 || pitch > kLargestPitch) &&
                !c.Problem({"Pitch", d, pos}, [&] {
                    return std::to_string(pitch) + " mm は範囲外です（0〜" + std::to_string(kLargestPitch) + " mm）";
                }))
                return false;
        }
    return c.Unit(s.LoadUnit, "LoadUnit");
}

// A pitch setting beyond what a pitch box holds: the smallest pitch would
// make calculated pitches that, entered ("読込み"), are refused.
[[gnu::cold, gnu::noinline]] bool PitchSettingTooLarge(int v, Field field, const Checker& c)
{
    return c.Problem(field, [&] {
        return std::to_string(v) + " mm は大きすぎます（" + std::to_string(kLargestPitch) + " mm まで）";
    });
}

bool Settings(const CommonSettings& settings, const Checker& c)
{
    for (int k = 0; k < 3; ++k)
        if (!c.Stored(settings.SnowCoef[k], "settings.SnowCoef", k))
            return false;
    if (!c.Unit(settings.LoadUnitFactor, "settings.LoadUnitFactor"))
        return false;
    for (int d = 0; d < 2; ++d) {
        if (settings.PitchMin[d] > kLargestPitch)
            return PitchSettingTooLarge(settings.PitchMin[d], {"settings.PitchMin", d}, c);
        if (settings.PitchMax[d] > kLargestPitch)
            return PitchSettingTooLarge(settings.PitchMax[d], {"settings.PitchMax", d}, c);
    }
    return settings.PitchStep <= kLargestPitch || PitchSettingTooLarge(settings.PitchStep, "settings.PitchStep", c);
}

bool Spans(const SlabData& s, const Checker& c)
{
    return c.Above(s.Lx, 0, "Lx", "スパン") && (!IsTwoWay(s.Bind) || c.Above(s.Ly, 0, "Ly", "スパン"));
}

// A factor of 0 would make every force (or the deflection) nothing, and a
// data file reads a stored 0 as 1 (files of old versions hold 0 for "not
// given"): neither designs.
bool IncreaseFactors(const SlabData& s, const Checker& c)
{
    return c.Above(s.IncreaseS, 0, "IncreaseS", "応力の割増率") && c.Above(s.IncreaseD, 0, "IncreaseD", "たわみの割増率");
}

// A bar whose grade the bar table knows and which gives allowable stresses
// (a whole N/mm² of 0 does not).
bool Usable(const BarMember& bar) { return IsKnownGrade(bar.Grade) && bar.FtLong >= 1 && bar.FtShort >= 1; }

[[gnu::cold, gnu::noinline]] bool Unusable(const BarMember& bar, Field field, const Checker& c)
{
    if (!IsKnownGrade(bar.Grade))
        return c.Problem(field, [&] {
            return bar.Name + " の材種「" + bar.Grade + "」は鉄筋表にありません（SD295, SD345, SD390）";
        });
    return c.Problem(field, [&] { return bar.Name + " の材種「" + bar.Grade + "」の許容応力度が 0 です"; });
}

// Every position has bars, each usable.  A valid slab has each of its
// sizes tested once; the positions are gone through in order only to name
// the first problem.  The sizes are in range: the enumerations come first.
bool Bars(const SlabData& s, const BarData& bars, const Checker& c)
{
    bool everyPositionHasBars = true;
    unsigned used = 0;  // bit per bar size
    for (const auto& dir : s.Bar)
        for (const auto& pair : dir) {
            everyPositionHasBars &= pair[0] != BarNone || pair[1] != BarNone;
            used |= 1u << pair[0] | 1u << pair[1];
        }
    bool allUsable = true;
    for (int size = BarNone + 1; size < BarSizeCount; ++size)
        if (used & 1u << size)
            allUsable &= Usable(bars[size]);
    if (everyPositionHasBars && allUsable)
        return true;

    for (int d = 0; d < 2; ++d)
        for (int pos = 0; pos < 2; ++pos) {
            const auto& pair = s.Bar[d][pos];
            if (pair[0] == BarNone && pair[1] == BarNone)
                return c.Problem({"Bar", d, pos}, [] { return std::string("鉄筋がありません"); });
            for (int n = 0; n < 2; ++n)
                if (pair[n] != BarNone && !Usable(bars[pair[n]]))
                    return Unusable(bars[pair[n]], {"Bar", d, pos, n}, c);
        }
    return true;
}

// No pitch that the design would use is zero or negative.
bool Pitches(const SlabData& s, const CommonSettings& settings, const Checker& c)
{
    for (int d = 0; d < 2; ++d) {
        bool chosenByDesign = false;
        for (int pos = 0; pos < 2; ++pos) {
            const int entered = s.Pitch[d][pos];
            const int designed = DesignedBarPosition(s, pos);
            if (entered > 0 && s.Pitch[d][designed] <= 0)
                return c.Problem({"Pitch", d, designed}, [] {
                    return std::string("単純支持のスパンは中央のピッチで設計するため、中央のピッチが必要です");
                });
            chosenByDesign |= entered == 0;
        }
        if (!chosenByDesign)
            continue;
        if (settings.PitchMin[d] <= 0)
            return c.Problem({"settings.PitchMin", d}, [&] {
                return "最小ピッチが 0 以下です（" + std::to_string(settings.PitchMin[d]) + " mm）";
            });
        if (const int upper = PitchUpperLimit(s, settings, d); upper <= 0)
            return c.Problem(d == 1 && settings.PitchMax[1] > 0 ? Field{"T"} : Field{"settings.PitchMax", d},
                             [&] { return "ピッチの上限が 0 以下です（" + std::to_string(upper) + " mm）"; });
    }
    return true;
}

// The tension bars lie inside the section at every position.
bool Depths(const SlabData& s, const BarData& bars, const Checker& c)
{
    const DirPos<double> dt = TensionBarDepths(s, bars);
    for (const auto& dir : dt)
        for (double d : dir)
            if (!(d < s.T))
                return c.Problem("T", [&] {
                    return "鉄筋の重心がスラブの外にあります（dt = " + ReadableNumber(d) + " cm ≧ t = " +
                           ReadableNumber(s.T) + " cm、かぶり " + ReadableNumber(s.Cov) + " cm）";
                });
    return true;
}

// The first problem in this order is the one reported.
bool Designable(const SlabData& s, const CommonSettings& settings, const BarData& bars, const Checker& c)
{
    return Enumerations(s, c) && Numbers(s, c) && Settings(settings, c) && Spans(s, c) &&
           c.Above(s.Fc, 0, "Fc", "コンクリートの強度") && c.Above(s.Gamma, 1, "Gamma", "単位体積重量") &&
           c.Above(s.T, 0, "T", "スラブ厚") && IncreaseFactors(s, c) && Bars(s, bars, c) && Pitches(s, settings, c) &&
           Depths(s, bars, c);
}

}  // namespace

bool IsKnownGrade(std::string_view grade)
{
    // Every known grade has five characters: compared as one number, as
    // this runs for each bar before every design.
    const auto number = [](std::string_view text) {
        std::uint64_t n = 0;
        for (std::size_t i = 0; i < 5; ++i)
            n = n << 8 | static_cast<unsigned char>(text[i]);
        return n;
    };
    static_assert(kKnownGrades.size() == 3 && kKnownGrades[0].size() == 5 && kKnownGrades[1].size() == 5 &&
                  kKnownGrades[2].size() == 5);
    if (grade.size() != 5)
        return false;
    const std::uint64_t n = number(grade);
    return n == number(kKnownGrades[0]) || n == number(kKnownGrades[1]) || n == number(kKnownGrades[2]);
}

bool CanDesign(const SlabData& slab, const CommonSettings& settings, const BarData& bars)
{
    return Designable(slab, settings, bars, Checker(nullptr));
}

std::optional<InputProblem> CheckEnumerations(const SlabInputData& slab)
{
    std::optional<InputProblem> problem;
    Enumerations(slab, Checker(&problem));
    return problem;
}

std::optional<InputProblem> CheckStoredValues(const SlabInputData& slab)
{
    std::optional<InputProblem> problem;
    const Checker c(&problem);
    if (Enumerations(slab, c))
        Numbers(slab, c);
    return problem;
}

std::optional<InputProblem> FindInputProblem(const SlabData& slab, const CommonSettings& settings,
                                             const BarData& bars)
{
    std::optional<InputProblem> problem;
    Designable(slab, settings, bars, Checker(&problem));
    return problem;
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
        if (std::optional<InputProblem> p = FindInputProblem(s, c, bars))
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
