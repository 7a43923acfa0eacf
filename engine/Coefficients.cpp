#include "engine/Coefficients.h"

#include <algorithm>
#include <cmath>

#include "engine/CoefficientTable.h"
#include "engine/Ucommon.h"

namespace korvexa {

namespace {

// How a stored table is read: the end row of a simply supported direction
// is stored as zero and read as the centre row, so that the end position is
// designed for the centre moment.  A break column separates two runs of data
// that must not be interpolated across.
struct TableUse {
    StoredTable table;
    bool xEndIsCentre;
    bool yEndIsCentre;
    int breakColumn;  // -1 = none
};

TableUse TableFor(int bind, int loadShape)
{
    switch (bind) {
    case BindFixedExact:
        if (loadShape == 1) return {TableBind1VaryingX, false, false, -1};
        if (loadShape == 2) return {TableBind1VaryingY, false, false, -1};
        return {TableBind1Uniform, false, false, -1};
    case BindFixed3ShortSupported: return {TableBind2, false, false, -1};
    case BindFixed3LongSupported:  return {TableBind3, false, false, -1};
    case BindFixed2AdjSupported:   return {TableBind4, false, false, -1};
    case BindFixed2LongSupported:  return {TableBind5, false, true, -1};
    case BindFixed2ShortSupported: return {TableBind6, true, false, -1};
    case BindSupported4:           return {TableBind7, true, true, -1};
    case BindFixed3ShortFree:
        // No table for a varying part along the short side: the uniform set serves.
        return {loadShape == 1 ? TableBind8Varying : TableBind8Uniform, false, false, -1};
    case BindFixed3LongFree:
        if (loadShape == 1) return {TableBind9Varying, false, false, 6};
        return {TableBind9Uniform, false, false, -1};
    default:
        return {TableBind10, false, false, -1};
    }
}

int SourceRow(const TableUse& use, int row)
{
    if (row == RowMxEnd && use.xEndIsCentre) return RowMxCentre;
    if (row == RowMyEnd && use.yEndIsCentre) return RowMyCentre;
    return row;
}

double ColumnLambda(const CoefficientTable& t, int j) { return 1.0 + j * t.Step; }

// Where λ falls among the columns: an exact column, or the pair h < λ < h+1
// with the four stencil columns starting at `first`.
struct Bracket {
    int exact = -1;
    int h = 0;
    int first = 0;
};

Bracket FindBracket(const CoefficientTable& t, double lambda, int breakColumn)
{
    const int n = t.LastColumn;
    Bracket b;
    // The column at or just below λ, then the exact-column test against it
    // and its right neighbour (λ may lie a hair below a column it equals).
    const double position = (lambda - 1) / t.Step;
    if (position <= 0 || DecimalEqual(lambda, ColumnLambda(t, 0))) {
        b.exact = 0;
        return b;
    }
    if (position >= n) {  // at or above the last column: no extrapolation
        b.exact = n;
        return b;
    }
    b.h = static_cast<int>(position);
    if (DecimalEqual(lambda, ColumnLambda(t, b.h))) {
        b.exact = b.h;
        return b;
    }
    if (DecimalEqual(lambda, ColumnLambda(t, b.h + 1))) {
        b.exact = b.h + 1;
        return b;
    }
    if (ColumnLambda(t, b.h) >= lambda)  // rounding put λ on the wrong side
        --b.h;
    b.first = b.h - 1;
    if (b.first < 0)
        b.first = 0;
    else if (b.h + 2 > n)
        b.first = n - 3;
    if (breakColumn >= 0) {
        if (b.first + 1 == breakColumn)
            b.first = b.h;          // right of the break: start at it
        else if (b.first + 2 == breakColumn)
            b.first = b.h - 2;      // left of the break: end at it
    }
    return b;
}

// Lagrange basis of the four stencil columns at λ: every row of a lookup
// shares it, so it is computed once.
struct Stencil {
    int first = 0;
    double weight[4] = {};
};

Stencil MakeStencil(const CoefficientTable& t, const Bracket& b, double lambda)
{
    Stencil s;
    s.first = b.first;
    double xs[4];
    for (int i = 0; i < 4; ++i)
        xs[i] = ColumnLambda(t, b.first + i);
    for (int i = 0; i < 4; ++i) {
        double w = 1;
        for (int j = 0; j < 4; ++j)
            if (j != i)
                w *= (lambda - xs[j]) / (xs[i] - xs[j]);
        s.weight[i] = w;
    }
    return s;
}

double InterpolateRow(const double* row, const Stencil& s)
{
    const double* y = row + s.first;
    return s.weight[0] * y[0] + s.weight[1] * y[1] + s.weight[2] * y[2] + s.weight[3] * y[3];
}

CoefficientSet FromRows(const double (&v)[kCoefficientRows])
{
    return {v[RowMxEnd], v[RowMxCentre], v[RowMyEnd], v[RowMyCentre], v[RowQx], v[RowQy], v[RowDc]};
}

CoefficientSet LookupTable(double lambda, const TableUse& use)
{
    const CoefficientTable& t = kCoefficientTables[use.table];
    const Bracket b = FindBracket(t, lambda, use.breakColumn);
    const Stencil stencil = b.exact >= 0 ? Stencil{} : MakeStencil(t, b, lambda);
    double v[kCoefficientRows];
    for (int r = 0; r < kCoefficientRows; ++r) {
        const double* row = t.Row[SourceRow(use, r)];
        if (b.exact >= 0)
            v[r] = row[b.exact];
        else if (r != RowDc && row[b.h] == row[b.h + 1])
            v[r] = row[b.h];
        else
            v[r] = InterpolateRow(row, stencil);
    }
    return FromRows(v);
}

// Four edges fixed, approximate method: the load is shared between the
// directions in the ratio λ⁴ : 1 (strip method), the long direction keeps the
// moments of a square slab.  Shears come from the exact table, always
// interpolated, held at λ 3.0 beyond it.
CoefficientSet ApproximateFixed(double lambda)
{
    const double l2 = lambda * lambda;
    const double l4 = l2 * l2;
    const double r = l4 / (1 + l4);
    CoefficientSet c;
    c.MxEnd = -r / 12;
    c.MxCentre = r / 18;
    c.MyEnd = -1.0 / 24;
    c.MyCentre = 1.0 / 36;
    c.Dc = r / 32;

    const CoefficientTable& t = kCoefficientTables[TableBind1Uniform];
    const Bracket b = FindBracket(t, lambda, -1);
    if (b.exact >= 0) {
        c.Qx = t.Row[RowQx][b.exact];
        c.Qy = t.Row[RowQy][b.exact];
    } else {
        const Stencil stencil = MakeStencil(t, b, lambda);
        c.Qx = InterpolateRow(t.Row[RowQx], stencil);
        c.Qy = InterpolateRow(t.Row[RowQy], stencil);
    }
    return c;
}

// One-way slabs and the cantilever: beam coefficients per metre width.  Dc
// is the beam deflection factor times 12 (w = Dc/12 · q·L⁴/EI).
CoefficientSet BeamSet(int bind)
{
    switch (bind) {
    case BindOneWayFixed:     return {-1.0 / 12, 1.0 / 24, 0, 0, 0.5, 0, 1.0 / 32};
    case BindOneWaySupported: return {3.0 / 32, 1.0 / 8, 0, 0, 0.5, 0, 5.0 / 32};  // end = quarter span
    case BindOneWayPropped:   return {-1.0 / 8, 9.0 / 128, 0, 0, 0.625, 0, 12.0 / 185};
    default:                  return {-1.0 / 2, 0, 0, 0, 1.0, 0, 1.5};
    }
}

}  // namespace

double LambdaLimit(int bind, int loadShape)
{
    switch (bind) {
    case BindFixedExact:
        return loadShape == 0 ? 3.0 : 2.0;
    case BindFixed3ShortSupported:
    case BindFixed3LongSupported:
    case BindFixed2AdjSupported:
    case BindFixed2LongSupported:
    case BindFixed2ShortSupported:
    case BindFixed3ShortFree:
        return 2.0;
    case BindSupported4:
    case BindFixed3LongFree:
    case BindFixed2AdjFree:
        return 4.0;
    default:
        return -1;
    }
}

int CheckSpans(SlabData& slab)
{
    slab.Lambda = 0;
    slab.Calculated = false;
    if (slab.Lx <= 0)
        return 1;
    if (slab.Bind >= BindOneWayFixed)
        return 0;
    if (slab.Ly <= 0)
        return 1;
    if (slab.Lx > slab.Ly)
        return 2;
    slab.Lambda = slab.Ly / slab.Lx;
    slab.LambdaMax = LambdaLimit(slab.Bind, slab.LoadShape);
    if (slab.LambdaMax > 0 && DecimalGreater(slab.Lambda, slab.LambdaMax))
        return 3;
    return 0;
}

CoefficientSet LookupCoefficients(double lambda, int bind, int loadShape)
{
    if (bind == BindFixedApprox)
        return ApproximateFixed(lambda);
    if (bind >= BindOneWayFixed)
        return BeamSet(bind);
    return LookupTable(lambda, TableFor(bind, loadShape));
}

double Interpolate4(const double xs[4], const double ys[4], double x)
{
    double p = 1;
    for (int i = 0; i < 4; ++i)
        p *= x - xs[i];
    double sum = 0;
    for (int i = 0; i < 4; ++i) {
        double denominator = 1;
        for (int j = 0; j < 4; ++j)
            if (j != i)
                denominator *= xs[i] - xs[j];
        sum += ys[i] / denominator / (x - xs[i]);
    }
    return p * sum;
}

}  // namespace korvexa
