#include "engine/Reinforcement.h"

#include <algorithm>
#include <cmath>
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

// What one design position carries: the tension bars at their pitch on one
// face, and on the other face the bars that come from the other position,
// fully (double arrangement) or every other bar at double pitch.  Simply
// supported spans carry the centre bars at the centre pitch at both
// positions and take the end bars onto the other face.
struct PositionLayout {
    std::array<int, 2> tension;
    int tensionPitch;
    std::array<int, 2> other;
    int otherPitch;
    int mode;          // CompMode of the position
    int tensionLayer;  // 0 top, 1 bottom

    PositionLayout(const SlabData& slab, int dir, int pos) : mode(slab.CompMode[pos])
    {
        const auto& bars = slab.Bar[dir];
        const auto& pitch = slab.CalcPitch[dir];
        if (IsSimplySupportedSpan(slab.Bind)) {
            tension = bars[1];
            other = bars[0];
            tensionPitch = otherPitch = pitch[1];
            tensionLayer = slab.M[0][dir][1] >= 0 ? 1 : 0;
            return;
        }
        tension = bars[pos];
        tensionPitch = pitch[pos];
        other = bars[1 - pos];
        otherPitch = pitch[1 - pos];
        // The end tension bars lie on the face the end moment pulls; the
        // centre tension bars on the other.
        const int endLayer = slab.M[0][dir][0] > 0 ? 1 : 0;
        tensionLayer = pos == 0 ? endLayer : 1 - endLayer;
    }

    bool ThroughAtDoublePitch() const { return mode == CompLargerThrough || mode == CompSmallerThrough; }

    // The bar of `other` that runs through at double pitch: the larger
    // (mode 1) or the smaller (mode 2) diameter, a missing bar never being
    // the smaller.
    int ThroughSize() const
    {
        const int dia1 = BarData::NominalDiameterMm(other[0]);
        const int dia2 = BarData::NominalDiameterMm(other[1]);
        if (dia2 == dia1 || dia2 == 0)
            return other[0];
        if (dia1 == 0)
            return other[1];
        return (mode == CompLargerThrough) == (dia1 >= dia2) ? other[0] : other[1];
    }

    // Pitch of the through bars, mm; a typed pitch may be any int.
    long long ThroughPitch() const { return 2LL * otherPitch; }
};

// Steel of both faces of a position, cm² per metre.
double PositionSteel(const BarData& bars, const PositionLayout& p)
{
    const double tension = PairArea(bars, p.tension[0], p.tension[1], p.tensionPitch);
    if (p.mode == CompDouble)
        return tension + PairArea(bars, p.other[0], p.other[1], p.otherPitch);
    if (p.mode == CompNone)
        return tension;
    return tension + PairArea(bars, p.ThroughSize(), BarNone, static_cast<double>(p.ThroughPitch()));
}

// "D10･D13 @200"
std::string ArrangementText(int size1, int size2, long long pitch)
{
    std::string text(BarData::ArrangementHead(size1, size2));
    text += std::to_string(pitch);
    return text;
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

void CheckMinimumSteel(SlabData& slab, const BarData& bars)
{
    slab.Message.clear();
    const bool oneWay = slab.Bind >= BindOneWayFixed;
    for (int dir = 0; dir < 2; ++dir) {
        // Total steel of both faces as a percentage of the gross section.
        const std::string_view word = dir == 0 ? (oneWay ? "主筋" : "短辺") : (oneWay ? "配力筋" : "長辺");
        if (!DecimalGreaterEqual(PositionSteel(bars, PositionLayout(slab, dir, 0)) / slab.T, 0.2))
            NoteLowSteel(slab, word, "端部");
        if (!DecimalGreaterEqual(PositionSteel(bars, PositionLayout(slab, dir, 1)) / slab.T, 0.2))
            NoteLowSteel(slab, word, "中央");
    }
}

TextGrid BarTexts(const SlabData& slab)
{
    TextGrid texts;  // every text empty
    if (!slab.Calculated)
        return texts;
    for (int dir = 0; dir < 2; ++dir)
        for (int pos = 0; pos < 2; ++pos) {
            const PositionLayout p(slab, dir, pos);
            auto& layers = texts[dir][pos];
            layers[p.tensionLayer] = ArrangementText(p.tension[0], p.tension[1], p.tensionPitch);
            std::string& other = layers[1 - p.tensionLayer];
            if (p.mode == CompDouble)
                other = ArrangementText(p.other[0], p.other[1], p.otherPitch);
            else if (p.ThroughAtDoublePitch())
                other = ArrangementText(p.ThroughSize(), BarNone, p.ThroughPitch());
        }
    return texts;
}

}  // namespace korvexa
