// platecoef: computes the coefficient tables of the two-way slabs from
// Kirchhoff plate theory and writes the engine's data file.
//
//   platecoef write FILE      write the data file
//   platecoef check FILE      regenerate and compare with FILE byte for byte
//   platecoef print           every table, unrounded
//   platecoef compare         generated four-edges-fixed table against the published one
//   platecoef convergence     selected columns on three meshes
//   platecoef series          four-edges-simply-supported table against the series solution
//   platecoef corner          end moments near the free corners: along the edge, convergence
// Options: --elements N (coarse mesh, default 16), --no-extrapolate.
#include "Coefficients.h"
#include "DataFile.h"
#include "SeriesSolution.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace platecoef;

namespace {

const char* const kRowNames[kRows] = {"MxEnd", "MxCentre", "MyEnd", "MyCentre", "Qx", "Qy", "Dc"};

int Usage() {
    std::cerr << "usage: platecoef write FILE | check FILE | print | compare | convergence | series | corner\n"
                 "                 [--elements N] [--no-extrapolate]\n";
    return 2;
}

int Write(const std::string& path, const MeshSettings& mesh) {
    const std::string text = DataFileText(GenerateAll(mesh), mesh);
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) {
        std::cerr << "platecoef: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}

int Check(const std::string& path, const MeshSettings& mesh) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "platecoef: cannot read " << path << "\n";
        return 1;
    }
    std::stringstream buffer;
    buffer << file.rdbuf();
    const std::string stored = buffer.str();
    const std::string fresh = DataFileText(GenerateAll(mesh), mesh);
    if (stored == fresh) return 0;
    std::istringstream a(stored), b(fresh);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ga = static_cast<bool>(std::getline(a, la));
        const bool gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) break;
        if (la != lb || ga != gb) {
            std::cerr << path << ":" << line << ": differs from the generated text\n"
                      << "  stored:    " << (ga ? la : "<end of file>") << "\n"
                      << "  generated: " << (gb ? lb : "<end of file>") << "\n";
            break;
        }
    }
    return 1;
}

int Print(const MeshSettings& mesh) {
    for (const GeneratedTable& t : GenerateAll(mesh)) {
        std::printf("%s\n", t.Definition->Name.c_str());
        for (int r = 0; r < kRows; ++r) {
            std::printf("  %-8s", kRowNames[r]);
            for (int j = 0; j <= t.Definition->LastColumn; ++j) std::printf(" %9.5f", t.Columns[j][r]);
            std::printf("\n");
        }
    }
    return 0;
}

int Compare(const MeshSettings& mesh) {
    // One line per λ: published / generated for each coefficient; a value
    // outside the tolerance is marked with "!".
    const TableDefinition& def = TableDefinitions()[0];
    std::printf("| λ |");
    for (int r = 0; r < kRows; ++r) std::printf(" %s |", kRowNames[r]);
    std::printf("\n|---|---|---|---|---|---|---|---|\n");
    int failures = 0;
    double worstMoment = 0.0, worstShear = 0.0;
    for (int j = 0; j <= def.LastColumn; ++j) {
        const Column c = ComputeColumns({&def}, LambdaOf(def, j), mesh)[0];
        std::printf("| %.1f |", LambdaOf(def, j));
        for (int r = 0; r < kRows; ++r) {
            const double published = kPublishedFourEdgesFixed[r][j];
            const double diff = c[r] - published;
            const bool shear = (r == 4 || r == 5);
            const double limit = shear ? 0.02 * std::abs(published)
                                       : std::max(0.02 * std::abs(published), 0.0005);
            const bool ok = std::abs(diff) <= limit;
            failures += ok ? 0 : 1;
            double& worst = shear ? worstShear : worstMoment;
            worst = std::max(worst, 100.0 * std::abs(diff) / std::abs(published));
            std::printf(" %s / %.*f%s |", FormatNumber(published, RowDecimals(r)).c_str(),
                        RowDecimals(r) + 1, c[r], ok ? "" : " !");
        }
        std::printf("\n");
    }
    std::printf("\nlargest relative deviation: moments and Dc %.1f %%, shears %.1f %%; "
                "%d values outside the tolerance\n",
                worstMoment, worstShear, failures);
    return failures == 0 ? 0 : 1;
}

int Convergence() {
    struct Probe {
        size_t Table;
        double Lambda;
    };
    const std::vector<Probe> probes = {{0, 1.0}, {0, 2.0}, {0, 3.0}, {3, 1.5}, {4, 2.0}, {8, 4.0},
                                       {11, 1.0}, {11, 4.0}, {12, 2.2}, {13, 2.0}};
    const auto& defs = TableDefinitions();
    std::printf("| table | λ | mesh | MxEnd | MxCentre | MyEnd | MyCentre | Qx | Qy | Dc |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Probe& p : probes) {
        const TableDefinition& def = defs[p.Table];
        auto row = [&](const char* label, const Column& c) {
            std::printf("| %s | %.1f | %s |", def.Name.c_str(), p.Lambda, label);
            for (int r = 0; r < kRows; ++r) std::printf(" %.5f |", c[r]);
            std::printf("\n");
        };
        for (int n : {8, 16, 32})
            row(("n = " + std::to_string(n)).c_str(),
                ComputeColumns({&def}, p.Lambda, {n, false})[0]);
        row("8/16 extrap.", ComputeColumns({&def}, p.Lambda, {8, true})[0]);
        row("16/32 extrap.", ComputeColumns({&def}, p.Lambda, {16, true})[0]);
        row("32/64 extrap.", ComputeColumns({&def}, p.Lambda, {32, true})[0]);
    }
    return 0;
}

// End moments of the clamped edges that meet a free edge (docs/coefficients.md):
//  1. along the edge towards the free corner, against the middle;
//  2. Bind 10's MxEnd near the free corner against its two reference values;
//  3. the moment at kFreeCornerFraction on the graded meshes of the tables,
//     split once and twice, and extrapolated.
int Corner(const MeshSettings& mesh) {
    const auto& defs = TableDefinitions();
    const std::vector<double> fractions = {0.5, 0.8, 0.9, 0.95, 0.96, 0.965, 0.97, 0.98};
    auto moment = [](const TableDefinition& def, int row, const PlateSolution& s, double f) {
        double x = 0, y = 0;
        FreeCornerPoint(def, row, s.Case().Ly, f, x, y);
        return row == 0 ? s.Mx(x, y) : s.My(x, y);
    };
    auto uniform = [](const TableDefinition& def, double lambda, int n) {
        PlateCase plate;
        plate.Ly = lambda;
        plate.Edges = def.Edges;
        return SolvePlate(plate, {def.Load}, n, 2 * static_cast<int>(std::lround(lambda * n / 2)))[0];
    };
    std::printf("Along the edge (uniform mesh, 100 elements across the short span; 0.5 is the middle):\n\n");
    std::printf("| table | row | λ |");
    for (double f : fractions) std::printf(" %g |", f);
    std::printf(" %g / middle |\n|---|---|---|", kFreeCornerFraction);
    for (size_t i = 0; i <= fractions.size(); ++i) std::printf("---|");
    std::printf("\n");
    for (const TableDefinition& def : defs) {
        for (int row : {0, 2}) {
            double x, y;
            if (!FreeCornerPoint(def, row, 1.0, 0.5, x, y)) continue;
            for (double lambda = 1.0; lambda <= LambdaOf(def, def.LastColumn) + 1e-9; lambda += 1.0) {
                const PlateSolution s = uniform(def, lambda, 100);
                std::printf("| %s | %s | %.1f |", def.Name.c_str(), kRowNames[row], lambda);
                for (double f : fractions) std::printf(" %.4f |", moment(def, row, s, f));
                std::printf(" %.2f |\n", moment(def, row, s, kFreeCornerFraction) / moment(def, row, s, 0.5));
                std::fflush(stdout);
            }
        }
    }
    const TableDefinition& bind10 = defs.back();
    std::printf("\nBind 10 MxEnd near the free corner against the reference values "
                "(uniform mesh, 200 elements across the short span at λ 1, 100 at λ 4):\n\n"
                "| fraction | λ 1.0 | against −0.29 | λ 4.0 | against −0.49 |\n|---|---|---|---|---|\n");
    const PlateSolution square = uniform(bind10, 1.0, 200), longest = uniform(bind10, 4.0, 100);
    for (int k = 188; k <= 196; ++k) {
        const double f = k / 200.0, a = moment(bind10, 0, square, f), b = moment(bind10, 0, longest, f);
        std::printf("| %.3f | %.4f | %+.1f %% | %.4f | %+.1f %% |\n", f, a, 100 * (a / -0.29 - 1), b,
                    100 * (b / -0.49 - 1));
    }
    std::printf("\nAt %g of the edge on the graded meshes (%d elements across the short span away from\n"
                "the corner), split once and twice; extrapolated from each pair:\n\n"
                "| table | row | λ | mesh | split once | split twice | extrapolated 0/1 (stored) | 1/2 |\n"
                "|---|---|---|---|---|---|---|---|\n",
                kFreeCornerFraction, mesh.Elements);
    for (const TableDefinition& def : defs) {
        for (int row : {0, 2}) {
            if (!(row == 0 ? def.CornerMx : def.CornerMy)) continue;
            for (double lambda : {1.0, 2.0, 4.0}) {
                if (lambda > LambdaOf(def, def.LastColumn) + 1e-9) continue;
                const int i = row == 0 ? 0 : 1;
                std::vector<double> m;
                for (int split = 0; split <= 2; ++split)
                    m.push_back(FreeCornerMoments({&def}, lambda, mesh.Elements, split, false)[0][i]);
                std::printf("| %s | %s | %.1f |", def.Name.c_str(), kRowNames[row], lambda);
                for (double v : m) std::printf(" %.5f |", v);
                for (size_t k = 1; k < m.size(); ++k) std::printf(" %.5f |", (4 * m[k] - m[k - 1]) / 3);
                std::printf("\n");
                std::fflush(stdout);
            }
        }
    }
    return 0;
}

int Series(const MeshSettings& mesh) {
    GeneratedTable t{&TableDefinitions()[8], {}};
    for (int j = 0; j <= t.Definition->LastColumn; ++j)
        t.Columns[j] = ComputeColumns({t.Definition}, LambdaOf(*t.Definition, j), mesh)[0];
    std::printf("| λ | row | series | generated | stored | agree to 3 significant figures |\n");
    std::printf("|---|---|---|---|---|---|\n");
    int failures = 0;
    for (int j = 0; j <= t.Definition->LastColumn; ++j) {
        SimplePlate p;
        p.B = LambdaOf(*t.Definition, j);
        const double series[kRows] = {0.0,
                                      NavierMx(p, 0.5, p.B / 2),
                                      0.0,
                                      NavierMaxMyOnCentreLine(p),
                                      LevyLargestReactionEdgeX(p),
                                      LevyReactionEdgeY(p),
                                      12.0 * NavierDeflection(p, 0.5, p.B / 2)};
        for (int r : {1, 3, 4, 5, 6}) {
            const double generated = t.Columns[j][r];
            const double magnitude = std::pow(10.0, std::floor(std::log10(std::abs(series[r]))));
            const bool ok = std::abs(generated - series[r]) <= 0.5e-2 * magnitude;
            failures += ok ? 0 : 1;
            std::printf("| %.2f | %s | %.5f | %.5f | %s | %s |\n", p.B, kRowNames[r], series[r],
                        generated, FormatNumber(StoredValue(t, r, j), RowDecimals(r)).c_str(),
                        ok ? "yes" : "NO");
        }
    }
    std::printf("\n%d values disagree\n", failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    MeshSettings mesh;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--elements" && i + 1 < args.size()) {
            mesh.Elements = std::stoi(args[++i]);
            if (mesh.Elements < 2 || mesh.Elements % 2 != 0) return Usage();
        } else if (args[i] == "--no-extrapolate") {
            mesh.Extrapolate = false;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.empty()) return Usage();
    const auto start = std::chrono::steady_clock::now();
    int status;
    try {
        if (rest[0] == "write" && rest.size() == 2) status = Write(rest[1], mesh);
        else if (rest[0] == "check" && rest.size() == 2) status = Check(rest[1], mesh);
        else if (rest[0] == "print" && rest.size() == 1) status = Print(mesh);
        else if (rest[0] == "compare" && rest.size() == 1) status = Compare(mesh);
        else if (rest[0] == "convergence" && rest.size() == 1) status = Convergence();
        else if (rest[0] == "series" && rest.size() == 1) status = Series(mesh);
        else if (rest[0] == "corner" && rest.size() == 1) status = Corner(mesh);
        else return Usage();
    } catch (const std::exception& e) {
        std::cerr << "platecoef: " << e.what() << "\n";
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << "platecoef: " << rest[0] << " took " << std::fixed << std::setprecision(1)
              << seconds << " s\n";
    return status;
}
