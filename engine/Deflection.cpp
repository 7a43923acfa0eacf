#include "engine/Deflection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Ucommon.h"

namespace korvexa {

namespace {

double Square(double x) { return x * x; }
double Cube(double x) { return x * x * x; }

// Extra deflection term of the concentrated load pe (N/m) of the one-way
// slabs and the cantilever: beam factors times 12, per unit of Lx.
double ConcentratedDeflection(const SlabData& slab, double pe)
{
    const double l = slab.Lx * 1e4;
    switch (slab.Bind) {
    case BindCantilever:      return pe * 12 / (3 * l);
    case BindOneWayFixed:     return pe * 12 / (192 * l);
    case BindOneWaySupported: return pe * 12 / (48 * l);
    case BindOneWayPropped:   return pe * 12 / (48 * std::sqrt(5.0) * l);
    default:                  return 0;
    }
}

// The whole number of Lx/δ, decimal-aware like the thickness check: at the
// required thickness t³ = 4000·δ1 holds within rounding, and 16δ/Lx then
// reads 1/250, not 1/249.
int CappedRatio(double ratio)
{
    return static_cast<int>(std::clamp(DecimalFloor(ratio), 0LL, 9999LL));
}

// Natural frequency of the first mode, Hz.  S and S1 are the plate and beam
// wave-speed factors of the section, cm/s.
void NaturalFrequency(SlabData& slab, double ec)
{
    if (slab.Own <= 0)
        return;
    const double massRatio = slab.FLAdd ? slab.DeadLoad / slab.Own : 1;
    const double rho = slab.Gamma * massRatio * 1.0197162129779282e-6;  // N·s²/cm⁴ = γ·r/(9.80665·10⁵)
    const double nu = 0.2;
    const double s = std::sqrt(ec / (3 * rho * (1 - nu * nu)));
    const double s1 = std::sqrt(ec / (3 * rho));
    const double pi = std::numbers::pi;
    const double lambda = slab.Lambda;
    const double ly2 = Square(100 * slab.Ly);
    const double lx2 = Square(100 * slab.Lx);
    double fv = 0;
    switch (slab.Bind) {
    case BindFixedApprox:
    case BindFixedExact:
        fv = (2.25 * lambda * lambda + 1.4) * (pi / 5) * slab.T * s / ly2;
        slab.FvNote = "(周辺半固定)";
        break;
    case BindFixed3ShortSupported:
    case BindFixed3LongSupported:
    case BindFixed2AdjSupported:
    case BindFixed2LongSupported:
    case BindFixed2ShortSupported:
    case BindSupported4:
        fv = (lambda * lambda + 1) * (pi / 4) * slab.T * s / ly2;
        slab.FvNote = "(周辺支持)";
        break;
    case BindOneWayFixed:
    case BindOneWaySupported:
    case BindOneWayPropped: {
        // First mode of a beam strip: f = (βL)²/(2π·L²)·√(EI/m), and with
        // √(EI/m) = t·S1/2 this is α·(π/4)·t·S1/L² with α = (βL)²/π²:
        // βL = 4.730 (both ends fixed), π (both supported), 3.927 (propped).
        const double alpha = slab.Bind == BindOneWayFixed      ? 4.73 * 4.73 / (pi * pi)
                             : slab.Bind == BindOneWaySupported ? 1
                                                                : 3.927 * 3.927 / (pi * pi);
        fv = alpha * (pi / 4) * slab.T * s1 / lx2;
        slab.FvNote = " ";
        break;
    }
    default:
        return;
    }
    slab.Fv = std::min(fv, 999.0);
}

}  // namespace

double YoungModulus(double gamma, double fc)
{
    return 3350000 * Square((gamma - 1) / 24) * std::cbrt(fc / 60);
}

void PrepareDeflectionResults(SlabData& slab)
{
    if (slab.AddLoadE < 0)
        slab.AddLoadE = 0;
    // Minimum thickness: 8 cm, and t/Lx ≥ 1/10 for the cantilever.
    slab.TReq = slab.Bind == BindCantilever ? std::max(10 * slab.Lx, 8.0) : 8;
    slab.Fv = 0;
    slab.FvNote.clear();
}

void DeflectionCase(SlabData& slab, const CoefficientSet& c0, const CoefficientSet& c1, double u)
{
    const double ec = YoungModulus(slab.Gamma, slab.Fc);
    double delta0 = slab.TL[2] * u * c0.Dc * 1e-4;
    const double pe = slab.P[2] * u;
    if (slab.Bind >= BindOneWayFixed)
        delta0 += ConcentratedDeflection(slab, pe);
    else if (slab.LoadShape > 0)
        delta0 += pe * c1.Dc * 1e-4;
    const double delta1 = std::fabs(delta0) * slab.IncreaseD * Cube(100 * slab.Lx) / ec;

    if (slab.DeflectionOnly) {
        ThicknessByDeflection(slab, c0, ec, delta1, u);
    } else {
        const bool spanRuleMet = slab.Bind == BindCantilever || DecimalGreaterEqual(slab.T, 10 * slab.Lx / 3);
        if (spanRuleMet && DecimalGreaterEqual(slab.T, slab.TReq))
            slab.TReq = 0;
        else
            ThicknessByDeflection(slab, c0, ec, delta1, u);
    }
    if (DecimalGreaterEqual(slab.T, slab.TReq))
        slab.TReq = 0;

    slab.Delta = delta1 * 10 * (100 * slab.Lx) / Cube(slab.T);
    if (slab.Delta > 0) {
        slab.DeltaRatio = CappedRatio(1000.0 * slab.Lx / slab.Delta);
        slab.DeltaRatio16 = CappedRatio(1000.0 * slab.Lx / (16.0 * slab.Delta));
        NaturalFrequency(slab, ec);
    }
}

void ThicknessByDeflection(SlabData& slab, const CoefficientSet& c0, double ec, double delta1, double u)
{
    if (slab.OwnDirect)
        return;
    // δ1 is linear in the self weight: δ1(t) = K·γ·10·t + B.
    const double k = Cube(100 * slab.Lx) * std::fabs(c0.Dc) * slab.IncreaseD / (ec * 1e4);
    const double b = delta1 - k * slab.Own * u;
    // Candidates are TReq + n·0.1 cm, n counted as a whole number so that the
    // thickness stays an exact decimal.  The needed thickness grows with t,
    // so every candidate below the one just needed fails as well: the search
    // jumps straight to it and finds the same smallest passing thickness as
    // stepping through every millimetre.
    constexpr long long kMaxSteps = 1000000;  // 100 m: far beyond any slab
    const double start = slab.TReq;
    double t = start;
    for (long long step = 0;;) {
        t = start + static_cast<double>(step) / 10.0;
        const double deltaT = k * slab.Gamma * t * 10 + b;
        const double needed = RoundUp(NthRoot(4000 * deltaT, 3), 1);  // 16δ ≤ Lx/250 ⇔ t³ ≥ 4000·δ1
        if (DecimalGreaterEqual(t, needed))
            break;
        const long long next = std::max(step + 1, -DecimalFloor(-(needed - start) * 10));
        if (next > kMaxSteps) {  // absurd loads or spans: report what is needed
            t = needed;
            break;
        }
        step = next;
    }
    slab.TReq = std::max(slab.TReq, t);
}

}  // namespace korvexa
