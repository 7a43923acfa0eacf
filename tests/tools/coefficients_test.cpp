// Where the coefficients are read off the plate, and how the tables of one
// plate relate to each other.
#include "Coefficients.h"
#include "DataFile.h"
#include "SeriesSolution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace platecoef {
namespace {

enum { MxEnd, MxCentre, MyEnd, MyCentre, Qx, Qy, Dc };

const TableDefinition& Table(size_t index) { return TableDefinitions().at(index); }

Column Coefficients(size_t table, double lambda, int elements = 8) {
    return ComputeColumns({&Table(table)}, lambda, {elements, true})[0];
}

// The same coefficients with the two directions exchanged.
Column Turned(const Column& c) {
    return {c[MyEnd], c[MyCentre], c[MxEnd], c[MxCentre], c[Qy], c[Qx], c[Dc]};
}

void ExpectColumnsNear(const Column& a, const Column& b, double tolerance) {
    for (int r = 0; r < kRows; ++r) EXPECT_NEAR(a[r], b[r], tolerance) << "row " << r;
}

TEST(TableDefinitions, FollowTheStoredTableLayout) {
    const auto& defs = TableDefinitions();
    ASSERT_EQ(defs.size(), 14u);
    const int last[] = {20, 10, 10, 10, 10, 10, 10, 10, 12, 10, 5, 30, 15, 30};
    const double step[] = {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.25, 0.1, 0.2, 0.1, 0.2, 0.1};
    for (size_t i = 0; i < defs.size(); ++i) {
        EXPECT_EQ(defs[i].LastColumn, last[i]) << defs[i].Name;
        EXPECT_DOUBLE_EQ(defs[i].Step, step[i]) << defs[i].Name;
        EXPECT_EQ(defs[i].Published, i == 0) << defs[i].Name;
        EXPECT_EQ(defs[i].UnitShears, i == 13) << defs[i].Name;
    }
    EXPECT_DOUBLE_EQ(LambdaOf(defs[12], 15), 4.0);
    EXPECT_DOUBLE_EQ(LambdaOf(defs[8], 12), 4.0);
}

TEST(Coefficients, ReproduceThePublishedFourEdgesFixedTable) {
    // A coarse mesh is enough to hold the published figures to the tolerance
    // (moments and Dc 2 % or 0.0005, shears 2 %).
    for (int j : {0, 5, 10, 20}) {
        const Column c = Coefficients(0, LambdaOf(Table(0), j));
        for (int r = 0; r < kRows; ++r) {
            const double published = kPublishedFourEdgesFixed[r][j];
            const bool shear = (r == Qx || r == Qy);
            const double limit = shear ? 0.02 * std::abs(published)
                                       : std::max(0.02 * std::abs(published), 0.0005);
            EXPECT_NEAR(c[r], published, limit) << "column " << j << " row " << r;
        }
    }
}

TEST(Coefficients, AgreeBetweenTablesOfTheSameSquarePlateTurned) {
    // At λ = 1 the tables of the short-edge and long-edge variants describe
    // the same square turned by a right angle.
    ExpectColumnsNear(Coefficients(3, 1.0), Turned(Coefficients(4, 1.0)), 2e-5);    // Bind 2 / 3
    ExpectColumnsNear(Coefficients(6, 1.0), Turned(Coefficients(7, 1.0)), 2e-5);    // Bind 5 / 6
    ExpectColumnsNear(Coefficients(9, 1.0), Turned(Coefficients(11, 1.0)), 2e-5);   // Bind 8 / 9
    ExpectColumnsNear(Coefficients(10, 1.0), Turned(Coefficients(12, 1.0)), 2e-5);  // varying
    ExpectColumnsNear(Coefficients(1, 1.0), Turned(Coefficients(2, 1.0)), 2e-5);    // Bind 1
}

TEST(Coefficients, VaryingLoadIsReadAtItsLargestEdge) {
    // The varying part is largest at the West edge: more than half the
    // uniform-load end moment and reaction are found there.
    const Column uniform = Coefficients(0, 1.5);
    const Column varying = Coefficients(1, 1.5);
    EXPECT_LT(varying[MxEnd], 0.5 * uniform[MxEnd]);
    EXPECT_GT(varying[Qx], 0.5 * uniform[Qx]);
    // On the line where the load is half its largest value, the part of the
    // load that varies is antisymmetric and adds nothing: exactly half.  The
    // largest reaction along the edge across that line lies towards the
    // loaded side, above half.
    EXPECT_NEAR(varying[MyEnd], 0.5 * uniform[MyEnd], 1e-9);
    EXPECT_GT(varying[Qy], 0.5 * uniform[Qy] + 0.01);
    const Column along = Coefficients(2, 1.5);
    EXPECT_LT(along[MyEnd], 0.5 * uniform[MyEnd]);
    EXPECT_GT(along[Qy], 0.5 * uniform[Qy]);
    EXPECT_NEAR(along[MxEnd], 0.5 * uniform[MxEnd], 1e-9);
    EXPECT_GT(along[Qx], 0.5 * uniform[Qx] + 0.01);
}

TEST(Coefficients, ShearsAreTheLargestReactionAlongTheEdge) {
    // Long plates carry the largest reaction away from the edge middle: the
    // published four-edges-fixed Qx at λ 3 (0.509; 0.503 at the middle), and
    // the series solution of the simply supported plate at λ 4.
    EXPECT_NEAR(Coefficients(0, 3.0)[Qx], 0.509, 0.001);
    SimplePlate simple;
    simple.B = 4.0;
    EXPECT_NEAR(Coefficients(8, 4.0)[Qx], LevyLargestReactionEdgeX(simple), 0.001);
    EXPECT_GT(LevyLargestReactionEdgeX(simple), LevyReactionEdgeX(simple) + 0.005);
    // Bind 3: the reaction of the short clamped edge is largest towards the
    // opposite, simply supported long edge.
    EXPECT_NEAR(Coefficients(4, 2.0)[Qy], 0.576, 0.002);
    // Bind 9: the short edges rise without bound into the corner with the
    // free edge; there the middle of the edge is taken.
    EXPECT_NEAR(Coefficients(11, 2.0)[Qy], 0.537, 0.002);
}

TEST(Coefficients, FreeEdgeTablesTakeTheDeflectionAtTheFreeEdge) {
    // Long edge free, λ = 4: close to a cantilever of the short span
    // (Dc 1.5, end moment −0.5), held back by the short edges.
    const Column c = Coefficients(11, 4.0);
    EXPECT_NEAR(c[Dc], 1.0716, 0.0005);
    EXPECT_NEAR(c[MxEnd], -0.4148, 0.0005);
    // Two adjacent edges fixed: the free corner deflects most.
    const Column corner = Coefficients(13, 1.0);
    EXPECT_NEAR(corner[Dc], 0.4343, 0.0005);
    EXPECT_EQ(corner[Qx], 1.0);
    EXPECT_EQ(corner[Qy], 1.0);
}

TEST(Coefficients, EdgesMeetingAFreeEdgeTakeTheMomentNearTheFreeCorner) {
    // Bind 10 at λ 2: at 96.5 % of each fixed edge towards the free corner,
    // against a uniform mesh.
    const Column c = Coefficients(13, 2.0);
    PlateCase plate;
    plate.Ly = 2.0;
    plate.Edges = Table(13).Edges;
    const PlateSolution s = SolvePlate(plate, {Table(13).Load}, 50, 100)[0];
    EXPECT_NEAR(c[MxEnd], s.Mx(0.0, 1.93), 0.002);
    EXPECT_NEAR(c[MyEnd], s.My(0.965, 0.0), 0.002);
    EXPECT_LT(c[MxEnd], s.Mx(0.0, 1.0) - 0.1);  // far beyond the middle's
}

TEST(Coefficients, SimplySupportedDirectionsHaveNoEndMoment) {
    const Column c = Coefficients(8, 2.0);
    EXPECT_EQ(c[MxEnd], 0.0);
    EXPECT_EQ(c[MyEnd], 0.0);
    EXPECT_GT(c[Qx], 0.5);
    EXPECT_EQ(Coefficients(6, 1.5)[MyEnd], 0.0);  // Bind 5
    EXPECT_EQ(Coefficients(7, 1.5)[MxEnd], 0.0);  // Bind 6
}

TEST(Coefficients, ExtrapolationConvergesAndSharedSolvesMatchSingleOnes) {
    const Column coarse = Coefficients(5, 1.7, 8);
    const Column fine = Coefficients(5, 1.7, 16);
    ExpectColumnsNear(coarse, fine, 2e-4);
    const auto together = ComputeColumns({&Table(9), &Table(10)}, 1.4, {8, true});
    ExpectColumnsNear(together[0], Coefficients(9, 1.4), 1e-12);
    ExpectColumnsNear(together[1], Coefficients(10, 1.4), 1e-12);
}

TEST(Coefficients, MeshHasEvenCountsSoTheMidLinesAreNodes) {
    for (double lambda : {1.0, 1.1, 1.25, 2.2, 3.75, 4.0}) {
        for (int n : {8, 16}) {
            const int ny = ElementsAlong(lambda, n);
            EXPECT_EQ(ny % 2, 0);
            EXPECT_NEAR(lambda / ny, 1.0 / n, 0.5 / n);
        }
    }
}

}  // namespace
}  // namespace platecoef
