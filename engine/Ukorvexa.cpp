#include "engine/Ukorvexa.h"

#include <cmath>

#include "engine/Deflection.h"
#include "engine/Loads.h"
#include "engine/Reinforcement.h"
#include "engine/Ucommon.h"

namespace korvexa {

namespace {

bool InRange(int value, int count) { return value >= 0 && value < count; }

bool EnumerationsValid(const SlabData& s)
{
    if (!InRange(s.Bind, BindTypeCount) || !InRange(s.LoadShape, 3) || !InRange(s.LoadTime, LoadTimeCount) ||
        !InRange(s.Concrete, ConcreteKindCount) || !InRange(s.BarOutside, 2))
        return false;
    for (int mode : s.CompMode)
        if (!InRange(mode, CompModeCount))
            return false;
    for (const auto& dir : s.Bar)
        for (const auto& pos : dir)
            for (int size : pos)
                if (!BarData::IsValidSize(size))
                    return false;
    return true;
}

bool InputsFinite(const SlabData& s)
{
    for (double v : {s.Fc, s.T, s.Lx, s.Ly, s.Cov, s.Gamma, s.Own, s.FL, s.IncreaseS, s.IncreaseD, s.LoadUnit})
        if (!std::isfinite(v))
            return false;
    for (const Case3* loads : {&s.LL, &s.TL, &s.P})
        for (double v : *loads)
            if (!std::isfinite(v))
                return false;
    return true;
}

bool SettingsUsable(const CommonSettings& c)
{
    return std::isfinite(c.LoadUnitFactor) && c.LoadUnitFactor > 0 && std::isfinite(c.SnowCoef[0]) &&
           std::isfinite(c.SnowCoef[1]) && std::isfinite(c.SnowCoef[2]);
}

// Every position has a bar whose grade gives non-zero allowable stresses.
bool BarsUsable(const SlabData& s, const BarData& bars)
{
    for (const auto& dir : s.Bar)
        for (const auto& pos : dir) {
            if (pos[0] == BarNone && pos[1] == BarNone)
                return false;
            for (int size : pos)
                if (size != BarNone && (std::floor(bars[size].FtLong) <= 0 || std::floor(bars[size].FtShort) <= 0))
                    return false;
        }
    return true;
}

// No pitch that the design would use is zero or negative.
bool PitchesUsable(const SlabData& s, const CommonSettings& c)
{
    for (int dir = 0; dir < 2; ++dir)
        for (int pos = 0; pos < 2; ++pos) {
            const int entered = s.Pitch[dir][pos];
            if (entered < 0)
                return false;
            if (entered > 0 && s.Pitch[dir][DesignedBarPosition(s, pos)] <= 0)
                return false;  // an end pitch of a simply supported span without its centre pitch
            if (entered == 0 && (PitchUpperLimit(s, c, dir) <= 0 || c.PitchMin[dir] <= 0))
                return false;
        }
    return true;
}

// The tension bars lie inside the section at every position.
bool DepthsUsable(const SlabData& s, const BarData& bars)
{
    const DirPos<double> dt = TensionBarDepths(s, bars);
    for (const auto& dir : dt)
        for (double d : dir)
            if (!(d < s.T))
                return false;
    return true;
}

bool CanDesign(const SlabData& s, const CommonSettings& c, const BarData& bars)
{
    return EnumerationsValid(s) && InputsFinite(s) && SettingsUsable(c) && s.Fc > 0 && s.Gamma > 1 && s.T > 0 &&
           BarsUsable(s, bars) && PitchesUsable(s, c) && DepthsUsable(s, bars);
}

template <typename Grid>
bool AllFinite(const Grid& grid)
{
    if constexpr (std::is_arithmetic_v<Grid>)
        return std::isfinite(static_cast<double>(grid));
    else {
        for (const auto& item : grid)
            if (!AllFinite(item))
                return false;
        return true;
    }
}

// Absurd but finite inputs (spans of light years) can still overflow.
bool ResultsFinite(const SlabData& s)
{
    return AllFinite(s.M) && AllFinite(s.Q) && AllFinite(s.Ma) && AllFinite(s.Qa) && AllFinite(s.At) &&
           AllFinite(s.MRatio) && AllFinite(s.QRatio) && AllFinite(s.Dt) && AllFinite(s.TL) && AllFinite(s.SL) &&
           std::isfinite(s.Own) && std::isfinite(s.DeadLoad) && std::isfinite(s.AddLoadE) && std::isfinite(s.Delta) &&
           std::isfinite(s.TReq) && std::isfinite(s.Fv) && std::isfinite(s.Lambda);
}

// The steps after the span check, on a working copy.
void RunDesignSteps(SlabData& s, const CommonSettings& c, const BarData& bars)
{
    const double u = c.LoadUnitFactor;
    DeriveLoads(s, c);

    const CoefficientSet c0 = LookupCoefficients(s.Lambda, s.Bind, 0);
    const CoefficientSet c1 = s.LoadShape > 0 ? LookupCoefficients(s.Lambda, s.Bind, s.LoadShape) : CoefficientSet{};
    PrepareDeflectionResults(s);
    for (int k = 0; k < 2; ++k)
        if (CaseHasLoad(s, k))
            ComputeCaseForces(s, k, c0, c1, u);
    if (CaseHasLoad(s, 2))
        DeflectionCase(s, c0, c1, u);

    ComputeDt(s, bars);
    const double fs = AllowableShearStress(s.Fc, s.Concrete);
    for (int dir = 0; dir < 2; ++dir) {
        ChoosePitch(s, c, bars, dir, 0);
        ChoosePitch(s, c, bars, dir, 1);
        SnapPitches(s, dir);
        AllowableMoments(s, dir);
        CheckShear(s, dir, fs);
    }
    DescribeBars(s, bars);
}

}  // namespace

CommonSettings& ProgramSettings()
{
    static CommonSettings settings;
    return settings;
}

BarData& ProgramBars()
{
    static BarData bars;
    return bars;
}

int DesignSlab(SlabData& slab, const CommonSettings& settings, const BarData& bars)
{
    const int code = CheckSpans(slab);
    if (code != DesignOk)
        return code;
    if (!CanDesign(slab, settings, bars))
        return DesignIncomplete;

    // A failure must leave the record as it was: keep a copy to put back.
    // The copy lives between calls so that its strings keep their storage.
    thread_local SlabData before;
    before = slab;
    RunDesignSteps(slab, settings, bars);
    if (!ResultsFinite(slab)) {
        slab = before;
        return DesignIncomplete;
    }
    slab.Calculated = true;
    return DesignOk;
}

int DesignSlab(SlabData& slab) { return DesignSlab(slab, ProgramSettings(), ProgramBars()); }

void DeriveLoads(SlabData& slab) { DeriveLoads(slab, ProgramSettings()); }

void ConvertLoadUnit(SlabData& slab, const CommonSettings& settings, const BarData& bars)
{
    if (slab.LoadUnit == settings.LoadUnitFactor || !(slab.LoadUnit > 0))
        return;
    const double k = slab.LoadUnit / settings.LoadUnitFactor;
    slab.FL *= k;
    for (Case3* loads : {&slab.LL, &slab.TL, &slab.P})
        for (double& v : *loads)
            v *= k;
    if (slab.OwnDirect)  // an entered self weight is an input like the others
        slab.Own *= k;
    slab.LoadUnit = settings.LoadUnitFactor;
    if (slab.Calculated)
        DesignSlab(slab, settings, bars);
}

void ConvertLoadUnit(SlabData& slab) { ConvertLoadUnit(slab, ProgramSettings(), ProgramBars()); }

void TakeCalculatedPitches(SlabData& slab) { slab.Pitch = slab.CalcPitch; }

void ClearPitches(SlabData& slab, bool clearBars)
{
    slab.Pitch = {};
    if (clearBars)
        slab.Bar = {};
}

}  // namespace korvexa
