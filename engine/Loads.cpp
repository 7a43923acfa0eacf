#include "engine/Loads.h"

#include <algorithm>
#include <cmath>

#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"

namespace korvexa {

namespace {

// Snow load of case k in the load unit: depth × factor × unit weight in
// N/m², taken up to 10 N/m² (0.01 kN/m²) whatever the unit, so that a slab
// is designed for the same snow in N/m² and in kN/m².
double SnowLoad(const CommonSettings& settings, int k, double u)
{
    const double s = settings.SnowDepth * settings.SnowCoef[k] * settings.SnowUnitWeight;
    return RoundUp(s, -1) / u;
}

// Self weight in the load unit: kN/m³ × cm × 10 = N/m².
double SelfWeight(const SlabData& slab, double u) { return slab.Gamma * 10 * slab.T / u; }

void DeriveDirectTotals(SlabData& slab, double u)
{
    if (!slab.OwnDirect)
        slab.Own = slab.DeltCheck ? SelfWeight(slab, u) : 0;
    slab.SL = {};
    slab.LL = {};
    slab.DeadLoad = slab.Own + slab.FL;
    if (slab.TL[0] == 0)
        slab.TL[0] = slab.DeadLoad;
    if (slab.LoadTime == LoadLongTermSnow) {
        if (slab.TL[1] == 0)
            slab.TL[1] = slab.TL[0];
    } else {
        slab.TL[1] = 0;
    }
    if (slab.DeltCheck) {
        if (slab.TL[2] == 0)
            slab.TL[2] = slab.TL[0];
        slab.AddLoadE = slab.TL[2] - slab.Own;
    } else {
        slab.TL[2] = 0;
    }
}

void DeriveSummedTotals(SlabData& slab, const CommonSettings& settings, double u)
{
    if (!slab.OwnDirect)
        slab.Own = SelfWeight(slab, u);
    slab.DeadLoad = slab.Own + slab.FL;

    if (slab.LoadTime == LoadLongTermSnow) {
        for (int k = 0; k < 3; ++k)
            slab.SL[k] = SnowLoad(settings, k, u);
        if (slab.LL[0] < 0)  // an uplift case takes the snow with it
            for (double& s : slab.SL)
                s = -s;
    } else {
        slab.SL = {};
    }

    if (slab.LoadTime == LoadShortTerm) {
        slab.TL[0] = slab.DeadLoad + slab.LL[0];
        slab.LL[1] = slab.LL[2] = 0;
        slab.TL[1] = slab.TL[2] = 0;
        slab.P[1] = slab.P[2] = 0;
        return;
    }
    slab.TL[0] = slab.DeadLoad + slab.LL[0] + slab.SL[0];
    if (slab.LoadTime == LoadLongTermSnow) {
        slab.TL[1] = slab.DeadLoad + slab.LL[1] + slab.SL[1];
    } else {
        slab.LL[1] = 0;
        slab.TL[1] = 0;
    }
    if (slab.DeltCheck) {
        slab.TL[2] = slab.DeadLoad + slab.LL[2] + slab.SL[2];
        slab.AddLoadE = slab.FL + slab.LL[2] + slab.SL[2];
    } else {
        slab.SL[2] = slab.LL[2] = slab.TL[2] = 0;
    }
}

// Concentrated line load p (kN/m) of the one-way slabs and the cantilever:
// at mid-span (11 to 13) or at the free end (14).  For the simply supported
// span the end value is the moment at the quarter span.
void AddConcentratedLoad(SlabData& slab, int k, double p)
{
    const double l = slab.Lx;
    double& mEnd = slab.M[k][0][0];
    double& mCentre = slab.M[k][0][1];
    double& q = slab.Q[k][0];
    switch (slab.Bind) {
    case BindCantilever:
        mEnd += -p * l;
        q += p;
        break;
    case BindOneWayFixed:
        mEnd += -p * l / 8;
        mCentre += p * l / 8;
        q += p / 2;
        break;
    case BindOneWaySupported:
        mEnd += p * l / 8;
        mCentre += p * l / 4;
        q += p / 2;
        break;
    case BindOneWayPropped:
        mEnd += -3 * p * l / 16;
        mCentre += 5 * p * l / 32;
        q += 11 * p / 16;
        break;
    default:
        break;
    }
}

void AddForces(SlabData& slab, int k, const CoefficientSet& c, double w1, double w2)
{
    slab.Q[k][0] += c.Qx * w1;
    slab.Q[k][1] += c.Qy * w1;
    slab.M[k][0][0] += c.MxEnd * w2;
    slab.M[k][0][1] += c.MxCentre * w2;
    slab.M[k][1][0] += c.MyEnd * w2;
    slab.M[k][1][1] += c.MyCentre * w2;
}

}  // namespace

void DeriveLoads(SlabData& slab, const CommonSettings& settings)
{
    const double u = settings.LoadUnitFactor;
    if (slab.Bind <= BindFixed2AdjFree && slab.LoadShape == 0) {
        slab.P = {};
    } else {
        if (slab.LoadTime != LoadLongTermSnow)
            slab.P[1] = 0;
        if (!slab.DeltCheck)
            slab.P[2] = 0;
    }
    slab.AddLoadE = 0;
    if (slab.TLDirect)
        DeriveDirectTotals(slab, u);
    else
        DeriveSummedTotals(slab, settings, u);
}

void ComputeCaseForces(SlabData& slab, int k, const CoefficientSet& c0, const CoefficientSet& c1, double u)
{
    slab.Q[k] = {};
    slab.M[k] = {};
    const double w = slab.TL[k] * u * 0.001;  // kN/m²
    const double w1 = w * slab.Lx;             // kN/m
    AddForces(slab, k, c0, w1, w1 * slab.Lx);

    const double p = slab.P[k] * u * 0.001;   // kN/m (one-way) or kN/m² (two-way)
    if (slab.Bind >= BindOneWayFixed) {
        AddConcentratedLoad(slab, k, p);
    } else if (slab.LoadShape > 0) {
        const double p1 = p * slab.Lx;
        AddForces(slab, k, c1, p1, p1 * slab.Lx);
    }

    for (double& q : slab.Q[k])
        q = std::fabs(q) * slab.IncreaseS;
    for (auto& dir : slab.M[k])
        for (double& m : dir)
            m *= slab.IncreaseS;
}

double AllowableShearStress(double fc, int concrete)
{
    double fs = fc > 21 ? 0.01 * fc + 0.49 : std::min(0.01 * fc + 0.5, fc / 30);
    if (concrete > ConcreteNormal)
        fs *= 0.9;
    return fs;
}

void CheckShear(SlabData& slab, int dir, double fs)
{
    for (int k = 0; k < 2; ++k) {
        if (!CaseHasLoad(slab, k))
            continue;
        const double f = (slab.LoadTime == LoadShortTerm || k == 1) ? 1.5 : 1.0;
        // fs × 1000 mm width × j = 7/8 of the effective depth at the end, in kN/m.
        slab.Qa[k][dir] = fs * f * (slab.T - slab.Dt[dir][0]) * 8.75;
        slab.QRatio[k][dir] = RoundHalfUp(slab.Q[k][dir] / slab.Qa[k][dir], 2);
    }
}

}  // namespace korvexa
