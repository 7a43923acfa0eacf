// Load derivation of the three cases, moments and shears, shear check.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/Loads.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;

namespace {

const CommonSettings kNewtons;  // N/m², default snow

CommonSettings KiloNewtons()
{
    CommonSettings c;
    c.LoadUnitFactor = 1000;
    return c;
}

SlabData Floor()
{
    SlabData s;
    s.Bind = BindFixedExact;
    s.Lx = 4;
    s.Ly = 4;
    s.FL = 600;
    s.LL = {1800, 1200, 600};
    return s;
}

}  // namespace

TEST(DeriveLoads, SelfWeightInEitherUnit)
{
    SlabData s = Floor();
    DeriveLoads(s, kNewtons);
    EXPECT_DOUBLE_EQ(s.Own, 3600);
    EXPECT_DOUBLE_EQ(s.DeadLoad, 4200);
    DeriveLoads(s, KiloNewtons());
    EXPECT_DOUBLE_EQ(s.Own, 3.6);

    s.OwnDirect = true;
    s.Own = 2500;
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.Own, 2500);
}

TEST(DeriveLoads, SummedTotalsOfTheLongTermCase)
{
    SlabData s = Floor();
    s.LL = {1800, 900, 600};
    s.TL = {1, 2, 3};
    s.P = {5, 6, 7};  // no varying part for a uniform load
    DeriveLoads(s, kNewtons);
    EXPECT_DOUBLE_EQ(s.TL[0], 3600 + 600 + 1800);
    EXPECT_DOUBLE_EQ(s.TL[2], 3600 + 600 + 600);
    EXPECT_DOUBLE_EQ(s.AddLoadE, 600 + 600);
    // Long-term only: the snow case and all snow loads are cleared.
    EXPECT_EQ(s.LL[1], 0);
    EXPECT_EQ(s.TL[1], 0);
    EXPECT_EQ(s.SL, (Case3{0, 0, 0}));
    EXPECT_EQ(s.P, (Case3{0, 0, 0}));
}

TEST(DeriveLoads, SnowCaseAddsRoundedSnowLoads)
{
    SlabData s = Floor();
    s.LoadTime = LoadLongTermSnow;
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.SL, (Case3{2940, 4200, 1470}));
    EXPECT_DOUBLE_EQ(s.TL[0], 4200 + 1800 + 2940);
    EXPECT_DOUBLE_EQ(s.TL[1], 4200 + 1200 + 4200);
    EXPECT_DOUBLE_EQ(s.TL[2], 4200 + 600 + 1470);

    DeriveLoads(s, KiloNewtons());
    EXPECT_DOUBLE_EQ(s.SL[0], 2.94);
    EXPECT_DOUBLE_EQ(s.SL[1], 4.2);
    EXPECT_DOUBLE_EQ(s.SL[2], 1.47);

    s.LL[0] = -500;  // uplift: the snow is negated with it
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.SL, (Case3{-2940, -4200, -1470}));

    CommonSettings light;
    light.SnowDepth = 90;
    light.SnowCoef = {0.55, 1.0, 0.35};
    light.SnowUnitWeight = 20;
    s.LL[0] = 1800;
    DeriveLoads(s, light);
    EXPECT_EQ(s.SL[0], 990);  // not 1000: the product is 990 as a decimal

    // Up to 10 N/m² in either unit: 101 cm gives 2121, 3030 and 1060.5 N/m².
    CommonSettings deep;
    deep.SnowDepth = 101;
    for (double u : {1.0, 1000.0}) {
        deep.LoadUnitFactor = u;
        DeriveLoads(s, deep);
        EXPECT_DOUBLE_EQ(s.SL[0] * u, 2130) << u;
        EXPECT_DOUBLE_EQ(s.SL[1] * u, 3030) << u;
        EXPECT_DOUBLE_EQ(s.SL[2] * u, 1070) << u;
    }
}

TEST(DeriveLoads, ShortTermClearsTheSnowAndDeflectionCases)
{
    SlabData s = Floor();
    s.Bind = BindCantilever;
    s.P = {1000, 800, 600};
    s.LoadTime = LoadShortTerm;
    DeriveLoads(s, kNewtons);
    EXPECT_DOUBLE_EQ(s.TL[0], 4200 + 1800);
    EXPECT_EQ(s.LL[1], 0);
    EXPECT_EQ(s.LL[2], 0);
    EXPECT_EQ(s.TL[1], 0);
    EXPECT_EQ(s.TL[2], 0);
    EXPECT_EQ(s.P, (Case3{1000, 0, 0}));
}

TEST(DeriveLoads, DirectTotals)
{
    SlabData s = Floor();
    s.TLDirect = true;
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.LL, (Case3{0, 0, 0}));
    EXPECT_DOUBLE_EQ(s.TL[0], s.DeadLoad);  // an empty total takes the dead load
    EXPECT_DOUBLE_EQ(s.TL[2], s.TL[0]);
    EXPECT_DOUBLE_EQ(s.AddLoadE, s.TL[0] - s.Own);

    s.TL = {8000, 0, 6500};
    s.LoadTime = LoadLongTermSnow;
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.TL[1], 8000);  // the snow case copies the main case
    EXPECT_EQ(s.TL[2], 6500);
    EXPECT_DOUBLE_EQ(s.AddLoadE, 6500 - 3600);
    EXPECT_EQ(s.SL, (Case3{0, 0, 0}));

    s.DeltCheck = false;
    DeriveLoads(s, kNewtons);
    EXPECT_EQ(s.Own, 0);  // no deflection check: the self weight is not needed
    EXPECT_EQ(s.TL[2], 0);
}

TEST(Forces, FourEdgesFixedSquareSlab)
{
    SlabData s = Floor();
    s.TL[0] = 10000;
    const CoefficientSet c0 = LookupCoefficients(1, BindFixedExact, 0);
    ComputeCaseForces(s, 0, c0, {}, 1);
    // W2 = 10 kN/m² × 4² = 160 kN·m/m
    EXPECT_NEAR(s.M[0][0][0], -8.288, 1e-12);
    EXPECT_NEAR(s.M[0][0][1], 2.816, 1e-12);
    EXPECT_NEAR(s.Q[0][0], 17.56, 1e-12);
    EXPECT_NEAR(s.Q[0][1], 17.56, 1e-12);

    s.IncreaseS = 1.5;
    s.TL[0] = -10000;  // uplift: moments change sign, shears stay positive
    ComputeCaseForces(s, 0, c0, {}, 1);
    EXPECT_NEAR(s.M[0][0][0], 8.288 * 1.5, 1e-12);
    EXPECT_NEAR(s.Q[0][0], 17.56 * 1.5, 1e-12);
}

TEST(Forces, ConcentratedLoadsOfBeamSlabs)
{
    struct Case {
        int bind;
        double mEnd, mCentre, q;
    };
    // P = 1 kN/m on a 2 m span, no distributed load.
    const Case cases[] = {
        {BindCantilever, -2, 0, 1},
        {BindOneWayFixed, -0.25, 0.25, 0.5},
        {BindOneWaySupported, 0.25, 0.5, 0.5},
        {BindOneWayPropped, -0.375, 0.3125, 0.6875},
    };
    for (const Case& c : cases) {
        SlabData s;
        s.Bind = c.bind;
        s.Lx = 2;
        s.P[0] = 1000;
        ComputeCaseForces(s, 0, LookupCoefficients(0, c.bind, 0), {}, 1);
        EXPECT_NEAR(s.M[0][0][0], c.mEnd, 1e-12) << c.bind;
        EXPECT_NEAR(s.M[0][0][1], c.mCentre, 1e-12) << c.bind;
        EXPECT_NEAR(s.Q[0][0], c.q, 1e-12) << c.bind;
        EXPECT_EQ(s.M[0][1][0], 0);
    }
}

TEST(Forces, VaryingPartUsesItsOwnCoefficients)
{
    SlabData s = Floor();
    s.Ly = 6;
    s.LoadShape = 1;
    s.TL[0] = 5000;
    s.P[0] = 2000;
    const CoefficientSet c0 = LookupCoefficients(1.5, BindFixedExact, 0);
    const CoefficientSet c1 = LookupCoefficients(1.5, BindFixedExact, 1);
    ComputeCaseForces(s, 0, c0, c1, 1);
    EXPECT_NEAR(s.M[0][0][0], c0.MxEnd * 5 * 16 + c1.MxEnd * 2 * 16, 1e-12);
    EXPECT_NEAR(s.Q[0][1], std::fabs(c0.Qy * 5 * 4 + c1.Qy * 2 * 4), 1e-12);
}

TEST(ShearCheck, AllowableStressAndShear)
{
    EXPECT_DOUBLE_EQ(AllowableShearStress(21, ConcreteNormal), 0.7);
    EXPECT_DOUBLE_EQ(AllowableShearStress(18, ConcreteNormal), 0.6);
    EXPECT_DOUBLE_EQ(AllowableShearStress(24, ConcreteNormal), 0.73);
    EXPECT_DOUBLE_EQ(AllowableShearStress(24, ConcreteLight1), 0.657);
    EXPECT_DOUBLE_EQ(AllowableShearStress(24, ConcreteLight2), 0.657);

    SlabData s;
    s.T = 15;
    s.Dt[0][0] = 5;
    s.TL = {1, 1, 0};
    s.LoadTime = LoadLongTermSnow;
    s.Q[0][0] = 30.625;
    s.Q[1][0] = 30.625;
    CheckShear(s, 0, 0.7);
    EXPECT_DOUBLE_EQ(s.Qa[0][0], 61.25);
    EXPECT_DOUBLE_EQ(s.Qa[1][0], 61.25 * 1.5);  // the snow case is short-term
    EXPECT_DOUBLE_EQ(s.QRatio[0][0], 0.5);
    EXPECT_DOUBLE_EQ(s.QRatio[1][0], 0.33);
}
