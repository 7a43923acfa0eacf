// The finite-element plate solver and the series solutions against each
// other and against classical published plate values.
#include "PlateSolver.h"
#include "SeriesSolution.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace platecoef {
namespace {

constexpr Edge C = Edge::Clamped;
constexpr Edge S = Edge::Simple;
constexpr Edge F = Edge::Free;

PlateSolution Solve(std::array<Edge, 4> edges, double ly, PlateLoad load, int n, double nu = 0.0) {
    PlateCase plate;
    plate.Ly = ly;
    plate.Edges = edges;
    plate.Nu = nu;
    return SolvePlate(plate, {load}, n, static_cast<int>(n * ly))[0];
}

TEST(PlateSolver, ReactionsBalanceTheLoadForEveryKindOfEdge) {
    // Total load of q = Q0 + Qx·x + Qy·y/Ly over 1 × Ly is Ly·(Q0 + Qx/2 + Qy/2).
    const PlateLoad loads[] = {{1.0, 0.0, 0.0}, {1.0, -1.0, 0.0}, {0.0, 0.0, 1.0}};
    const std::array<Edge, 4> edgeSets[] = {
        {C, C, C, C}, {S, S, S, S}, {C, F, C, C}, {C, F, C, F}, {C, S, C, S}};
    for (const auto& edges : edgeSets) {
        for (const PlateLoad& load : loads) {
            const PlateSolution s = Solve(edges, 1.5, load, 8);
            EXPECT_NEAR(s.TotalReaction(), 1.5 * (load.Q0 + load.Qx / 2 + load.Qy / 2), 1e-9);
        }
    }
}

TEST(PlateSolver, ClampedSquareMatchesThePublishedPlateValues) {
    // Clamped square, ν = 0.3: w = 0.00126 q a⁴/D, Mx at the centre 0.0231 q a²,
    // at the edge middle −0.0513 q a² (the classical figures, to their digits).
    const PlateSolution s = Solve({C, C, C, C}, 1.0, {}, 32, 0.3);
    EXPECT_NEAR(s.W(0.5, 0.5), 0.00126, 0.00001);
    EXPECT_NEAR(s.Mx(0.5, 0.5), 0.0231, 0.0003);
    EXPECT_NEAR(s.Mx(0.0, 0.5), -0.0513, 0.0003);
}

TEST(PlateSolver, SimplySupportedPlateAgreesWithTheSeries) {
    for (double ly : {1.0, 2.5}) {
        SimplePlate p;
        p.B = ly;
        const PlateSolution s = Solve({S, S, S, S}, ly, {}, 24);
        const int ny = s.Ny();
        EXPECT_NEAR(s.W(0.5, ly / 2), NavierDeflection(p, 0.5, ly / 2), 1e-7) << ly;
        EXPECT_NEAR(s.Mx(0.5, ly / 2), NavierMx(p, 0.5, ly / 2), 2e-4) << ly;
        EXPECT_NEAR(s.My(0.5, ly / 4), NavierMy(p, 0.5, ly / 4), 2e-4) << ly;
        EXPECT_NEAR(s.EdgeReaction(0, ny / 2), LevyReactionEdgeX(p), 2e-3) << ly;
        EXPECT_NEAR(s.EdgeReaction(12, 0), LevyReactionEdgeY(p), 2e-3) << ly;
    }
}

TEST(PlateSolver, GradedMeshAgreesWithTheSeries) {
    // Elements from 0.02 to 0.2 wide, the centre a node.
    const std::vector<double> sizes = {0.02, 0.03, 0.05, 0.1, 0.15, 0.15, 0.2, 0.15, 0.1, 0.05};
    PlateCase plate;
    plate.Edges = {S, S, S, S};
    const PlateSolution s = SolvePlateOnGrid(plate, {PlateLoad{}}, sizes, sizes)[0];
    const SimplePlate p;
    EXPECT_NEAR(s.TotalReaction(), 1.0, 1e-9);
    EXPECT_NEAR(s.W(0.5, 0.5), NavierDeflection(p, 0.5, 0.5), 1e-6);
    EXPECT_NEAR(s.Mx(0.5, 0.5), NavierMx(p, 0.5, 0.5), 1e-3);
    EXPECT_NEAR(s.My(0.35, 0.5), NavierMy(p, 0.35, 0.5), 1e-3);
    // A reaction between elements of 0.025 and 0.05 against equal ones
    // (shared between unequal neighbours, it is accurate to the first order
    // only: 1 % here, where a wrong share would be a third off).
    std::vector<double> mixed(10, 0.025);
    mixed.insert(mixed.end(), 15, 0.05);
    const PlateSolution m = SolvePlateOnGrid(plate, {PlateLoad{}}, std::vector<double>(40, 0.025), mixed)[0];
    EXPECT_NEAR(m.EdgeReaction(0, 10), Solve({S, S, S, S}, 1.0, {}, 40).EdgeReaction(0, 10), 0.006);  // y = 0.25
}

TEST(PlateSolver, TurningThePlateTurnsTheResults) {
    // The square with the free edge at East equals the one with it at North.
    const PlateSolution east = Solve({C, F, C, C}, 1.0, {1.0, -1.0, 0.0}, 12);
    const PlateSolution north = Solve({C, C, C, F}, 1.0, {1.0, 0.0, -1.0}, 12);
    EXPECT_NEAR(east.W(1.0, 0.5), north.W(0.5, 1.0), 1e-12);
    EXPECT_NEAR(east.Mx(0.0, 0.5), north.My(0.5, 0.0), 1e-10);
    EXPECT_NEAR(east.My(0.75, 0.0), north.Mx(0.0, 0.75), 1e-10);
    EXPECT_NEAR(east.EdgeReaction(0, 6), north.EdgeReaction(6, 0), 1e-10);
}

TEST(PlateSolver, UnsupportedPlateIsRejected) {
    EXPECT_THROW(Solve({F, F, F, F}, 1.0, {}, 4), std::runtime_error);
    EXPECT_THROW(Solve({C, C, C, C}, 1.0, {}, 0), std::invalid_argument);
}

TEST(SeriesSolution, SimplySupportedSquareMatchesThePublishedValues) {
    // ν = 0.3: w = 0.00406 q a⁴/D, M = 0.0479 q a², edge reaction 0.420 q a.
    SimplePlate p;
    p.Nu = 0.3;
    EXPECT_NEAR(NavierDeflection(p, 0.5, 0.5), 0.00406, 0.000005);
    EXPECT_NEAR(NavierMx(p, 0.5, 0.5), 0.0479, 0.00005);
    EXPECT_NEAR(NavierMy(p, 0.5, 0.5), 0.0479, 0.00005);
    EXPECT_NEAR(LevyReactionEdgeX(p), 0.420, 0.0005);
    EXPECT_NEAR(LevyReactionEdgeY(p), 0.420, 0.0005);
    // b/a = 2: w = 0.01013, Mx = 0.1017, My = 0.0464.
    p.B = 2.0;
    EXPECT_NEAR(NavierDeflection(p, 0.5, 1.0), 0.01013, 0.00001);
    EXPECT_NEAR(NavierMx(p, 0.5, 1.0), 0.1017, 0.0001);
    EXPECT_NEAR(NavierMy(p, 0.5, 1.0), 0.0464, 0.0001);
}

}  // namespace
}  // namespace platecoef
