#include "engine/Ukorvexa.h"

#include <cmath>

#include "engine/Deflection.h"
#include "engine/InputCheck.h"
#include "engine/Loads.h"
#include "engine/Reinforcement.h"
#include "engine/Ucommon.h"

namespace korvexa {

namespace {

// Adds x·0 for every value: the sum stays 0 unless a value is infinite or
// NaN, which makes it NaN.  One test for a whole grid, without branches.
template <typename Grid>
void AddNonFinite(double& sum, const Grid& grid)
{
    if constexpr (std::is_arithmetic_v<Grid>)
        sum += static_cast<double>(grid) * 0.0;
    else
        for (const auto& item : grid)
            AddNonFinite(sum, item);
}

template <typename... Grids>
bool AllFinite(const Grids&... grids)
{
    double sum = 0;
    (AddNonFinite(sum, grids), ...);
    return sum == 0;
}

// Absurd but finite inputs (spans of light years) can still overflow.
bool ResultsFinite(const SlabData& s)
{
    return AllFinite(s.M, s.Q, s.Ma, s.Qa, s.At, s.MRatio, s.QRatio, s.Dt, s.TL, s.SL, s.Own, s.DeadLoad, s.AddLoadE,
                     s.Delta, s.TReq, s.Fv, s.Lambda);
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
    if (FindInputProblem(slab, settings, bars))
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
    // The design read the loads in the unit in force: the record says so,
    // so that a later unit change or a save converts them from that unit.
    slab.LoadUnit = settings.LoadUnitFactor;
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
