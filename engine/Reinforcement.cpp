#include "engine/Reinforcement.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"

namespace korvexa {

namespace {

double LargestOuterDia(const BarData& bars, const std::array<int, 2>& pair)
{
    return std::max(bars[pair[0]].OuterDia, bars[pair[1]].OuterDia);
}

// Index of the allowable stress used for case k: short-term for the snow
// case and for every case of a short-term design.
int StressIndex(const SlabData& slab, int k)
{
    return (k == 0 && slab.LoadTime == LoadShortTerm) ? 1 : k;
}

// Lever arm j = 7/8 of the effective depth, cm.
double LeverArm(const SlabData& slab, int dir, int pos) { return 0.875 * (slab.T - slab.Dt[dir][pos]); }

// An allowable stress in whole N/mm² (stresses are never negative).
double WholeStress(double stress) { return static_cast<double>(static_cast<long>(stress)); }

// Equivalent bar area and allowable stresses of the bar pair of a position.
// Stresses are taken as whole N/mm²; a stronger bar counts with its stress
// ratio, so that two bars of one grade give their mean area.
void BarPair(SlabData& slab, const BarData& bars, int dir, int pos)
{
    const auto& pair = slab.Bar[dir][DesignedBarPosition(slab, pos)];
    const BarMember& a = bars[pair[0]];
    const BarMember& b = bars[pair[1]];
    const int n = (pair[0] != BarNone) + (pair[1] != BarNone);
    if (n == 0)
        return;
    const double longA = WholeStress(a.FtLong), longB = WholeStress(b.FtLong);
    const double shortA = WholeStress(a.FtShort), shortB = WholeStress(b.FtShort);
    if (n == 2) {
        slab.Ft[pos][0] = std::min(longA, longB);
        slab.Ft[pos][1] = std::min(shortA, shortB);
    } else {
        slab.Ft[pos][0] = std::max(longA, longB);
        slab.Ft[pos][1] = std::max(shortA, shortB);
    }
    slab.BarArea[pos][0] = (longA * a.Area + longB * b.Area) / (n * slab.Ft[pos][0]);
    slab.BarArea[pos][1] = (shortA * a.Area + shortB * b.Area) / (n * slab.Ft[pos][1]);
}

// Steel area per metre of a bar pair at pitch p (mm): alternating bars give
// the mean area per bar.
double PairArea(const BarData& bars, int a, int b, double pitch)
{
    const double perBar = (a != BarNone && b != BarNone) ? (bars[a].Area + bars[b].Area) / 2
                                                         : bars[a].Area + bars[b].Area;
    return perBar * 1000 / pitch;
}

// Bar texts are short ("D10･D13 @200") and written in place, piece by
// piece: a redesign reuses each string's storage, and no byte is put
// together elsewhere first.
struct Number {
    long long value;  // a typed pitch may be any int, twice one any long long
};

std::size_t Length(std::string_view text) { return text.size(); }
std::size_t Length(Number n)
{
    if (n.value >= 0 && n.value <= UINT32_MAX) {
        // Digits from the bit length: ⌊bits·log10 2⌋ (1233/4096 ≈ log10 2)
        // is the number of digits or one less (0 counts as a one-digit
        // value).
        static constexpr std::uint32_t kPowers[] = {0,      10,      100,      1000,      10000,
                                                    100000, 1000000, 10000000, 100000000, 1000000000};
        const auto v = static_cast<std::uint32_t>(n.value);
        const int t = std::bit_width(v | 1u) * 1233 >> 12;
        return static_cast<std::size_t>(t + 1 - (v < kPowers[t]));
    }
    std::size_t length = n.value < 0 ? 2 : 1;
    const unsigned long long u = n.value < 0 ? 0 - static_cast<unsigned long long>(n.value) : n.value;
    for (unsigned long long power = 10; length < 20 && u >= power; power *= 10)
        ++length;
    return length;
}

char* Put(char* at, std::string_view text) { return std::copy(text.begin(), text.end(), at); }
char* Put(char* at, Number n)
{
    // Pitches and diameters are small: in 32 bits the digits come quicker.
    if (n.value >= 0 && n.value <= UINT32_MAX)
        return std::to_chars(at, at + Length(n), static_cast<std::uint32_t>(n.value)).ptr;
    return std::to_chars(at, at + Length(n), n.value).ptr;
}

template <typename... Pieces>
void WriteInPlace(std::string& out, const Pieces&... pieces)
{
    out.resize((Length(pieces) + ...));
    char* at = out.data();
    ((at = Put(at, pieces)), ...);
}

// Nominal diameter in mm (the number in the bar name).
int DiameterMm(const BarData& bars, int size) { return static_cast<int>(bars[size].Dia * 10 + 0.5); }

// The bars of one position as the texts need them.
struct PositionBars {
    int size1 = 0, size2 = 0;  // bar sizes as entered
    int dia1 = 0, dia2 = 0;    // mm; second 0 when equal to the first
    std::string_view head;     // "D10･D13 @"

    PositionBars(const BarData& bars, const std::array<int, 2>& pair)
        : size1(pair[0]), size2(pair[1]), dia1(DiameterMm(bars, pair[0])), dia2(DiameterMm(bars, pair[1])),
          head(BarData::ArrangementHead(pair[0], pair[1]))
    {
        if (dia2 == dia1)
            dia2 = 0;
    }

    // "D10･D13 @200"
    void WriteText(int pitch, std::string& out) const { WriteInPlace(out, head, Number{pitch}); }

    // The bar that runs through at double pitch: the larger (mode 1) or the
    // smaller (mode 2) diameter, a missing bar never being the smaller.
    int ThroughSize(int mode) const
    {
        if (dia2 == 0)
            return size1;
        if (dia1 == 0)
            return size2;
        const bool firstIsLarger = dia1 >= dia2;
        return (mode == CompLargerThrough) == firstIsLarger ? size1 : size2;
    }
};

// The compression-side layer of every other bar of `from` at double pitch:
// writes its text ("D13 @400") and returns its area per metre.
double WriteThroughBar(const BarData& bars, const PositionBars& from, int mode, int pitch, std::string& out)
{
    const int size = from.ThroughSize(mode);
    const long long doubled = 2LL * pitch;  // a typed pitch may be any int
    WriteInPlace(out, BarData::ArrangementHead(size, BarNone), Number{doubled});
    return PairArea(bars, size, BarNone, static_cast<double>(doubled));
}

struct Totals {
    double end = 0;
    double centre = 0;
};

// Simply supported spans: both positions carry the centre bars at the centre pitch.
Totals DescribeSupportedDirection(SlabData& slab, const BarData& bars, int dir)
{
    const PositionBars end(bars, slab.Bar[dir][0]);
    const PositionBars centre(bars, slab.Bar[dir][1]);
    const int pc = slab.CalcPitch[dir][1];
    const double areaEnd = PairArea(bars, end.size1, end.size2, pc);
    const double areaCentre = PairArea(bars, centre.size1, centre.size2, pc);
    const int tension = slab.M[0][dir][1] >= 0 ? 1 : 0;
    auto& text = slab.BarText[dir];
    centre.WriteText(pc, text[1][tension]);
    centre.WriteText(pc, text[0][tension]);

    Totals totals;
    const int endMode = slab.CompMode[0];
    if (endMode == CompDouble) {
        end.WriteText(pc, text[0][1 - tension]);
        totals.end = areaEnd + areaCentre;
    } else if (endMode == CompNone) {
        text[0][1 - tension].clear();
        totals.end = areaCentre;
    } else {
        totals.end = WriteThroughBar(bars, end, endMode, pc, text[0][1 - tension]) + areaCentre;
    }

    const int centreMode = slab.CompMode[1];
    if (centreMode == CompDouble) {
        end.WriteText(pc, text[1][1 - tension]);
        totals.centre = areaCentre + areaEnd;
    } else if (centreMode == CompNone) {
        text[1][1 - tension].clear();
        totals.centre = areaCentre;
    } else {
        totals.centre = WriteThroughBar(bars, end, centreMode, pc, text[1][1 - tension]) + areaCentre;
    }
    return totals;
}

// Continuous or fixed edges: the end tension bars on one face, the centre
// tension bars on the other, each running through into the other position
// fully (double arrangement) or every other bar (double pitch).
Totals DescribeContinuousDirection(SlabData& slab, const BarData& bars, int dir)
{
    const PositionBars end(bars, slab.Bar[dir][0]);
    const PositionBars centre(bars, slab.Bar[dir][1]);
    const int pe = slab.CalcPitch[dir][0];
    const int pc = slab.CalcPitch[dir][1];
    const double areaEnd = PairArea(bars, end.size1, end.size2, pe);
    const double areaCentre = PairArea(bars, centre.size1, centre.size2, pc);
    const int tension = slab.M[0][dir][0] > 0 ? 1 : 0;  // face of the end tension bars
    auto& text = slab.BarText[dir];
    end.WriteText(pe, text[0][tension]);
    centre.WriteText(pc, text[1][1 - tension]);

    Totals totals;
    const int endMode = slab.CompMode[0];
    if (endMode == CompDouble) {
        centre.WriteText(pc, text[0][1 - tension]);
        totals.end = areaEnd + areaCentre;
    } else if (endMode == CompNone) {
        text[0][1 - tension].clear();
        totals.end = areaEnd;
    } else {
        totals.end = WriteThroughBar(bars, centre, endMode, pc, text[0][1 - tension]) + areaEnd;
    }

    const int centreMode = slab.CompMode[1];
    if (centreMode == CompDouble) {
        end.WriteText(pe, text[1][tension]);
        totals.centre = areaEnd + areaCentre;
    } else if (centreMode == CompNone) {
        text[1][tension].clear();
        totals.centre = areaCentre;
    } else {
        totals.centre = WriteThroughBar(bars, end, centreMode, pe, text[1][tension]) + areaCentre;
    }
    return totals;
}

void NoteLowSteel(SlabData& slab, std::string_view direction, std::string_view position)
{
    if (!slab.Message.empty())
        slab.Message += "、";
    slab.Message += direction;
    slab.Message += position;
}

}  // namespace

DirPos<double> TensionBarDepths(const SlabData& slab, const BarData& bars)
{
    DirPos<double> dt{};
    for (int pos = 0; pos < 2; ++pos) {
        const int p = DesignedBarPosition(slab, pos);
        const double ds = LargestOuterDia(bars, slab.Bar[0][p]);
        const double dl = LargestOuterDia(bars, slab.Bar[1][p]);
        if (slab.BarOutside == 0) {
            dt[0][pos] = slab.Cov + ds / 2;
            dt[1][pos] = slab.Cov + ds + dl / 2;
        } else {
            dt[1][pos] = slab.Cov + dl / 2;
            dt[0][pos] = slab.Cov + dl + ds / 2;
        }
    }
    return dt;
}

void ComputeDt(SlabData& slab, const BarData& bars) { slab.Dt = TensionBarDepths(slab, bars); }

int PitchUpperLimit(const SlabData& slab, const CommonSettings& settings, int dir)
{
    if (dir == 0)
        return settings.PitchMax[0];
    const long long threeT = DecimalFloor(30.0 * slab.T);  // 3t in mm
    return static_cast<int>(std::min<long long>(threeT, settings.PitchMax[1]));
}

void ChoosePitch(SlabData& slab, const CommonSettings& settings, const BarData& bars, int dir, int pos)
{
    const int entered = slab.Pitch[dir][pos];
    const int upper = PitchUpperLimit(slab, settings, dir);
    if (entered > 0)
        slab.CalcPitch[dir][pos] = slab.Pitch[dir][DesignedBarPosition(slab, pos)];
    else
        slab.CalcPitch[dir][pos] = upper;

    BarPair(slab, bars, dir, pos);

    // Required steel of the loaded cases, cm²/m.
    const double j = LeverArm(slab, dir, pos);
    double required[2] = {0, 0};
    for (int k = 0; k < 2; ++k)
        if (CaseHasLoad(slab, k))
            required[k] = std::fabs(slab.M[k][dir][pos]) * 100 / (slab.Ft[pos][StressIndex(slab, k)] * j * 0.1);
    const int governing = required[0] >= required[1] ? 0 : 1;
    const double a = required[governing];
    slab.At[dir][pos] = a;

    // Pitch that provides the area, mm; computed wide since a tiny area
    // gives a pitch far beyond any integer.
    constexpr long long kNoLimit = 10000;
    long long pitch = kNoLimit;
    if (a != 0) {
        const double exact = slab.BarArea[pos][governing] * 1000.0 / a;
        pitch = exact >= kNoLimit ? kNoLimit : DecimalFloor(exact);
    }
    if (settings.PitchStep > 0)
        pitch = pitch / settings.PitchStep * settings.PitchStep;
    if (entered == 0)
        slab.CalcPitch[dir][pos] =
            static_cast<int>(std::min<long long>(std::max<long long>(pitch, settings.PitchMin[dir]), upper));
}

void SnapPitches(SlabData& slab, int dir)
{
    auto& calc = slab.CalcPitch[dir];
    const int f = std::min(calc[0], calc[1]);
    for (int pos = 0; pos < 2; ++pos)
        if (slab.Pitch[dir][pos] == 0 && calc[pos] > f)
            calc[pos] = calc[pos] > 2 * f ? 2 * f : f;
}

void AllowableMoments(SlabData& slab, int dir)
{
    for (int pos = 0; pos < 2; ++pos) {
        const double j = LeverArm(slab, dir, pos);
        for (int k = 0; k < 2; ++k) {
            if (!CaseHasLoad(slab, k))
                continue;
            // Provided area per metre (cm²) × allowable stress × j, in kN·m/m.
            double& ma = slab.Ma[k][dir][pos];
            ma = slab.BarArea[pos][k] * 1000 / slab.CalcPitch[dir][pos] * 0.1 * slab.Ft[pos][StressIndex(slab, k)] * j * 0.01;
            slab.MRatio[k][dir][pos] = RoundHalfUp(std::fabs(slab.M[k][dir][pos]) / ma, 2);
        }
    }
}

void DescribeBars(SlabData& slab, const BarData& bars)
{
    slab.Message.clear();
    const bool oneWay = slab.Bind >= BindOneWayFixed;
    for (int dir = 0; dir < 2; ++dir) {
        const Totals totals = IsSimplySupportedSpan(slab.Bind) ? DescribeSupportedDirection(slab, bars, dir)
                                                                : DescribeContinuousDirection(slab, bars, dir);
        // Total steel of both faces as a percentage of the gross section.
        const std::string_view word = dir == 0 ? (oneWay ? "主筋" : "短辺") : (oneWay ? "配力筋" : "長辺");
        if (!DecimalGreaterEqual(totals.end / slab.T, 0.2))
            NoteLowSteel(slab, word, "端部");
        if (!DecimalGreaterEqual(totals.centre / slab.T, 0.2))
            NoteLowSteel(slab, word, "中央");
    }
}

}  // namespace korvexa
