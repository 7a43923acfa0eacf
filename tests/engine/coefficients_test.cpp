// Span check, table lookup with its stencils, and the fixed coefficient sets.
#include <gtest/gtest.h>

#include "engine/CoefficientTable.h"
#include "engine/Coefficients.h"

using namespace korvexa;

namespace {

SlabData TwoWay(int bind, double lx, double ly, int loadShape = 0)
{
    SlabData s;
    s.Bind = bind;
    s.Lx = lx;
    s.Ly = ly;
    s.LoadShape = loadShape;
    return s;
}

// The value Interpolate4 gives through four consecutive columns of a row.
double Through(StoredTable id, int row, int first, double lambda)
{
    const CoefficientTable& t = kCoefficientTables[id];
    double xs[4], ys[4];
    for (int i = 0; i < 4; ++i) {
        xs[i] = 1 + (first + i) * t.Step;
        ys[i] = t.Row[row][first + i];
    }
    return Interpolate4(xs, ys, lambda);
}

}  // namespace

TEST(CheckSpans, ReturnsTheStatusOfTheSpans)
{
    SlabData s;
    EXPECT_EQ(CheckSpans(s), 1);  // a new record has no span

    s = TwoWay(BindOneWaySupported, 3, 0);
    EXPECT_EQ(CheckSpans(s), 0);  // one-way slabs need no Ly
    EXPECT_EQ(s.Lambda, 0);

    s = TwoWay(BindFixedExact, 4, 0);
    EXPECT_EQ(CheckSpans(s), 1);
    s = TwoWay(BindFixedExact, 5, 4);
    EXPECT_EQ(CheckSpans(s), 2);
    s = TwoWay(BindFixedExact, 4, 4);
    EXPECT_EQ(CheckSpans(s), 0);
    EXPECT_EQ(s.Lambda, 1);
}

TEST(CheckSpans, AppliesTheLimitOfEachTable)
{
    SlabData s = TwoWay(BindFixedExact, 2, 4.2, 1);
    EXPECT_EQ(CheckSpans(s), 3);
    EXPECT_EQ(s.LambdaMax, 2.0);
    s = TwoWay(BindFixedExact, 2, 4.2, 0);
    EXPECT_EQ(CheckSpans(s), 0);
    EXPECT_EQ(s.LambdaMax, 3.0);

    s = TwoWay(BindFixedApprox, 1, 9);
    EXPECT_EQ(CheckSpans(s), 0);  // the approximate method has no limit
    EXPECT_EQ(s.LambdaMax, -1);

    const int limits[][2] = {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 4}, {8, 2}, {9, 4}, {10, 4}};
    for (const auto& [bind, limit] : limits) {
        s = TwoWay(bind, 1, limit + 0.01);
        EXPECT_EQ(CheckSpans(s), 3) << "Bind " << bind;
        s = TwoWay(bind, 1, limit);
        EXPECT_EQ(CheckSpans(s), 0) << "Bind " << bind;
    }
}

TEST(CheckSpans, SpanRatioOfDecimalSpansIsExact)
{
    // 8.4 / 2.8 is 3.0000000000000004 in binary: still within the limit 3.
    SlabData s = TwoWay(BindFixedExact, 2.8, 8.4);
    EXPECT_EQ(CheckSpans(s), 0);
    s = TwoWay(BindFixed3ShortSupported, 2.1, 4.2);
    EXPECT_EQ(CheckSpans(s), 0);
}

TEST(Lookup, ExactColumnsAreTakenUnchanged)
{
    const CoefficientSet c = LookupCoefficients(1.5, BindFixedExact, 0);
    EXPECT_EQ(c.MxEnd, -0.0757);
    EXPECT_EQ(c.Qx, 0.514);
    EXPECT_EQ(c.Dc, 0.0263);
    EXPECT_EQ(c.MyCentre, 0.0108);

    // λ from decimal spans hits its column: 3.0 here.
    const CoefficientSet three = LookupCoefficients(8.4 / 2.8, BindFixedExact, 0);
    EXPECT_EQ(three.Dc, 0.0314);
    EXPECT_EQ(three.MxCentre, 0.0418);
}

TEST(Lookup, FourPointStencilsAtTheEdgesOfTheRange)
{
    const CoefficientSet low = LookupCoefficients(1.05, BindFixedExact, 0);
    EXPECT_DOUBLE_EQ(low.Dc, Through(TableBind1Uniform, RowDc, 0, 1.05));
    EXPECT_DOUBLE_EQ(low.MxEnd, Through(TableBind1Uniform, RowMxEnd, 0, 1.05));

    const CoefficientSet middle = LookupCoefficients(1.55, BindFixedExact, 0);
    EXPECT_DOUBLE_EQ(middle.Dc, Through(TableBind1Uniform, RowDc, 4, 1.55));

    const CoefficientSet high = LookupCoefficients(2.95, BindFixedExact, 0);
    EXPECT_DOUBLE_EQ(high.Dc, Through(TableBind1Uniform, RowDc, 17, 2.95));
    EXPECT_GT(low.Dc, 0.0152);
    EXPECT_LT(low.Dc, 0.018);
}

TEST(Lookup, EqualNeighboursNeedNoInterpolation)
{
    // MxEnd is -0.083 at 2.4 and 2.5: λ 2.45 gives it exactly.
    EXPECT_EQ(LookupCoefficients(2.45, BindFixedExact, 0).MxEnd, -0.083);
    // Dc is always interpolated, even between equal neighbours.
    EXPECT_DOUBLE_EQ(LookupCoefficients(2.55, BindFixedExact, 0).Dc, Through(TableBind1Uniform, RowDc, 14, 2.55));
}

TEST(Lookup, SimplySupportedEndsReadTheCentreRow)
{
    for (double lambda : {1.0, 1.3, 2.6, 4.0}) {
        const CoefficientSet c = LookupCoefficients(lambda, BindSupported4, 0);
        EXPECT_EQ(c.MxEnd, c.MxCentre) << lambda;
        EXPECT_EQ(c.MyEnd, c.MyCentre) << lambda;
    }
    const CoefficientSet five = LookupCoefficients(1.45, BindFixed2LongSupported, 0);
    EXPECT_EQ(five.MyEnd, five.MyCentre);
    const CoefficientSet six = LookupCoefficients(1.45, BindFixed2ShortSupported, 0);
    EXPECT_EQ(six.MxEnd, six.MxCentre);
    // The stored data itself keeps its zero end rows.
    EXPECT_EQ(kCoefficientTables[TableBind7].Row[RowMxEnd][0], 0);
}

TEST(Lookup, StencilNeverReachesAcrossTheBreakColumn)
{
    // Varying load, three edges fixed and a long edge free: the data has a
    // break at column 6 (λ 2.2), step 0.2.
    const StoredTable id = TableBind9Varying;
    const double right = 2.3;  // between the break and the next column
    EXPECT_DOUBLE_EQ(LookupCoefficients(right, BindFixed3LongFree, 1).Qy, Through(id, RowQy, 6, right));
    const double left = 2.1;   // between the column before the break and the break
    EXPECT_DOUBLE_EQ(LookupCoefficients(left, BindFixed3LongFree, 1).Dc, Through(id, RowDc, 3, left));
    const double away = 3.1;   // far from the break: the ordinary stencil
    EXPECT_DOUBLE_EQ(LookupCoefficients(away, BindFixed3LongFree, 1).Dc, Through(id, RowDc, 9, away));
}

TEST(Lookup, ConditionsWithoutAVaryingTableReuseTheUniformOne)
{
    const CoefficientSet uniform = LookupCoefficients(1.35, BindFixed3ShortFree, 0);
    const CoefficientSet noTable = LookupCoefficients(1.35, BindFixed3ShortFree, 2);
    EXPECT_EQ(uniform.MxEnd, noTable.MxEnd);
    EXPECT_EQ(uniform.Dc, noTable.Dc);
    const CoefficientSet same = LookupCoefficients(1.35, BindFixed3LongSupported, 1);
    EXPECT_EQ(same.Dc, LookupCoefficients(1.35, BindFixed3LongSupported, 0).Dc);
}

TEST(Lookup, ApproximateMethodFollowsItsFormulas)
{
    const CoefficientSet square = LookupCoefficients(1, BindFixedApprox, 0);
    EXPECT_DOUBLE_EQ(square.MxEnd, -1.0 / 24);
    EXPECT_DOUBLE_EQ(square.MxCentre, 1.0 / 36);
    EXPECT_DOUBLE_EQ(square.MyEnd, -1.0 / 24);
    EXPECT_DOUBLE_EQ(square.MyCentre, 1.0 / 36);
    EXPECT_DOUBLE_EQ(square.Dc, 1.0 / 64);
    EXPECT_EQ(square.Qx, 0.439);

    const CoefficientSet lng = LookupCoefficients(4, BindFixedApprox, 0);
    const double r = 256.0 / 257;
    EXPECT_DOUBLE_EQ(lng.MxEnd, -r / 12);
    EXPECT_DOUBLE_EQ(lng.Dc, r / 32);
    EXPECT_EQ(lng.Qx, 0.509);  // held at λ 3.0
    EXPECT_EQ(lng.Qy, 0.461);

    // Shears are interpolated even between equal neighbours (0.52 at 1.7 and 1.8).
    EXPECT_DOUBLE_EQ(LookupCoefficients(1.75, BindFixedApprox, 0).Qx, Through(TableBind1Uniform, RowQx, 6, 1.75));
}

TEST(Lookup, BeamSetsOfOneWaySlabsAndCantilever)
{
    const CoefficientSet fixed = LookupCoefficients(0, BindOneWayFixed, 0);
    EXPECT_DOUBLE_EQ(fixed.MxEnd, -1.0 / 12);
    EXPECT_DOUBLE_EQ(fixed.MxCentre, 1.0 / 24);
    EXPECT_DOUBLE_EQ(fixed.Dc, 12.0 / 384);
    const CoefficientSet simple = LookupCoefficients(0, BindOneWaySupported, 0);
    EXPECT_DOUBLE_EQ(simple.MxEnd, 3.0 / 32);
    EXPECT_DOUBLE_EQ(simple.Dc, 5.0 * 12 / 384);
    const CoefficientSet propped = LookupCoefficients(0, BindOneWayPropped, 0);
    EXPECT_DOUBLE_EQ(propped.Qx, 0.625);
    EXPECT_DOUBLE_EQ(propped.MxCentre, 9.0 / 128);
    const CoefficientSet cantilever = LookupCoefficients(0, BindCantilever, 0);
    EXPECT_DOUBLE_EQ(cantilever.MxEnd, -0.5);
    EXPECT_DOUBLE_EQ(cantilever.Dc, 1.5);
    EXPECT_EQ(cantilever.MyEnd, 0);
    EXPECT_EQ(cantilever.Qy, 0);
}

TEST(Interpolate4, ReproducesACubicExactly)
{
    const double xs[4] = {1.0, 1.1, 1.2, 1.3};
    double ys[4];
    auto cubic = [](double x) { return 2 * x * x * x - x * x + 0.5 * x - 3; };
    for (int i = 0; i < 4; ++i)
        ys[i] = cubic(xs[i]);
    for (double x : {1.05, 1.17, 1.29, 1.4})
        EXPECT_NEAR(Interpolate4(xs, ys, x), cubic(x), 1e-12) << x;
}
