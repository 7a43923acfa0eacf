#include "engine/Ukorvexa.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <tuple>

#include "engine/Deflection.h"
#include "engine/InputCheck.h"
#include "engine/Loads.h"
#include "engine/Reinforcement.h"
#include "engine/Ucommon.h"

namespace korvexa {

namespace {

// Whether every value of the grids is finite.  A double is not finite when
// its exponent bits are all ones: adding one to that field carries into the
// sign bit, and the sign bits of all the sums are gathered by OR.  The
// tests are independent integer operations, without branches, which the
// compiler can do several at a time.
constexpr std::uint64_t kExponentBits = 0x7ffull << 52;
constexpr std::uint64_t kExponentOne = 1ull << 52;

template <typename Grid>
void MarkNotFinite(std::uint64_t& marks, const Grid& grid)
{
    if constexpr (std::is_arithmetic_v<Grid>)
        marks |= (std::bit_cast<std::uint64_t>(static_cast<double>(grid)) & kExponentBits) + kExponentOne;
    else
        for (const auto& item : grid)
            MarkNotFinite(marks, item);
}

template <typename... Grids>
bool AllFinite(const Grids&... grids)
{
    std::uint64_t marks = 0;
    (MarkNotFinite(marks, grids), ...);
    return (marks >> 63) == 0;
}

// Absurd but finite inputs (spans of light years) can still overflow.
bool ResultsFinite(const SlabData& s)
{
    return AllFinite(s.M, s.Q, s.Ma, s.Qa, s.At, s.MRatio, s.QRatio, s.Dt, s.TL, s.SL, s.Own, s.DeadLoad, s.AddLoadE,
                     s.Delta, s.TReq, s.Fv, s.Lambda);
}

// The steps after the checks that make the numbers; the minimum steel
// check follows once the numbers are known to be finite (DesignSlab).
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
}

// The numbers of the results, with the one text the steps above write.
constexpr auto kResultNumbers =
    std::make_tuple(&SlabData::Dt, &SlabData::AddLoadE, &SlabData::DeadLoad, &SlabData::TReq, &SlabData::M,
                    &SlabData::Q, &SlabData::Delta, &SlabData::Ma, &SlabData::Qa, &SlabData::At, &SlabData::BarArea,
                    &SlabData::Ft, &SlabData::MRatio, &SlabData::QRatio, &SlabData::CalcPitch, &SlabData::Fv,
                    &SlabData::FvNote, &SlabData::DeltaRatio, &SlabData::DeltaRatio16, &SlabData::Lambda,
                    &SlabData::LambdaMax, &SlabData::SL, &SlabData::Calculated);
// The texts left out are Message, written only after the numbers are known
// to be finite, and Name and GradeText, which the design never writes.  A field added to the record belongs in the list above or
// in that sentence.
static_assert(sizeof(SlabData) == 912, "a field was added to SlabData: see kResultNumbers");

// What a design may change, kept so that a design whose results overflow
// puts it back.  Copying every input and number but not the texts costs a
// fraction of copying the whole record, which each design would pay.
class DesignUndo {
public:
    explicit DesignUndo(const SlabData& s) { Copy(before(), s); }
    void PutBack(SlabData& s) const { Copy(s, before()); }

private:
    static SlabData& before()
    {
        // Lives between designs, so that its strings keep their storage.
        thread_local SlabData record;
        return record;
    }
    static void Copy(SlabData& to, const SlabData& from)
    {
        static_cast<SlabInputData&>(to) = from;
        std::apply([&](auto... member) { ((to.*member = from.*member), ...); }, kResultNumbers);
    }
};

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

    // A failure must leave the record as it was.
    const DesignUndo undo(slab);
    RunDesignSteps(slab, settings, bars);
    if (!ResultsFinite(slab)) {
        undo.PutBack(slab);
        return DesignIncomplete;
    }
    CheckMinimumSteel(slab, bars);
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
