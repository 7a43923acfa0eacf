#include "SeriesSolution.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace platecoef {

namespace {

constexpr double kPi = std::numbers::pi;

// Σ over odd m, n of W_mn · f(m, n) · sin(mπx/a) · sin(nπy/b), where
// W_mn = 16 q / (π⁶ D m n ((m/a)² + (n/b)²)²).
template <class F>
double NavierSum(const SimplePlate& p, double x, double y, int terms, F&& f) {
    std::vector<double> sx, sy;
    for (int m = 1; m <= terms; m += 2) {
        sx.push_back(std::sin(m * kPi * x / p.A));
        sy.push_back(std::sin(m * kPi * y / p.B));
    }
    const double scale = 16.0 * p.Q / (std::pow(kPi, 6) * p.D);
    double sum = 0.0;
    for (int m = 1, i = 0; m <= terms; m += 2, ++i) {
        const double am = m / p.A;
        for (int n = 1, j = 0; n <= terms; n += 2, ++j) {
            const double bn = n / p.B;
            const double s = am * am + bn * bn;
            sum += f(am * kPi, bn * kPi) / (m * n * s * s) * sx[i] * sy[j];
        }
    }
    return scale * sum;
}

// Levy series: w = Σ_m sin(kx)·Y_m(η) with k = mπ/a and η measured from the
// centre line y = b/2; t = k|η|, β = kb/2.  Returns the terms needed at η
// (Y, Y', Y'', Y''' with derivatives in η), all scaled so that the
// hyperbolic functions cannot overflow.
struct LevyTerm {
    double Y, Y1, Y2, Y3;
};

LevyTerm Levy(const SimplePlate& p, int m, double eta) {
    const double k = m * kPi / p.A;
    const double beta = k * p.B / 2;
    const double t = k * std::abs(eta);
    const double sign = eta < 0 ? -1.0 : 1.0;
    const double P = 4.0 * p.Q * std::pow(p.A, 4) / (std::pow(kPi, 5) * p.D * std::pow(m, 5));
    const double th = std::tanh(beta);
    // cosh(t)/cosh(β) and sinh(t)/cosh(β)
    const double e = std::exp(t - beta) / (1.0 + std::exp(-2.0 * beta));
    const double C = e * (1.0 + std::exp(-2.0 * t));
    const double S = e * (1.0 - std::exp(-2.0 * t));
    LevyTerm r;
    r.Y = P * (1.0 - (2.0 + beta * th) / 2.0 * C + t / 2.0 * S);
    r.Y1 = sign * k * P * (-S - beta * th * S + t * C) / 2.0;
    r.Y2 = k * k * P * (-beta * th * C + t * S) / 2.0;
    r.Y3 = sign * k * k * k * P * (S - beta * th * S + t * C) / 2.0;
    return r;
}

}  // namespace

double NavierDeflection(const SimplePlate& p, double x, double y, int terms) {
    return NavierSum(p, x, y, terms, [](double, double) { return 1.0; });
}

double NavierMx(const SimplePlate& p, double x, double y, int terms) {
    return p.D * NavierSum(p, x, y, terms, [&](double kx, double ky) {
               return kx * kx + p.Nu * ky * ky;
           });
}

double NavierMy(const SimplePlate& p, double x, double y, int terms) {
    return p.D * NavierSum(p, x, y, terms, [&](double kx, double ky) {
               return ky * ky + p.Nu * kx * kx;
           });
}

double NavierMaxMyOnCentreLine(const SimplePlate& p) {
    // Coarse scan, then golden-section refinement around the best sample.
    const int samples = 64;
    const double half = p.B / 2;
    double best = -1e300;
    int bestIndex = 0;
    for (int i = 0; i <= samples; ++i) {
        const double v = NavierMy(p, p.A / 2, half * i / samples, 201);
        if (v > best) {
            best = v;
            bestIndex = i;
        }
    }
    double lo = half * std::max(bestIndex - 1, 0) / samples;
    double hi = half * std::min(bestIndex + 1, samples) / samples;
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = hi - g * (hi - lo), d = lo + g * (hi - lo);
    double fc = NavierMy(p, p.A / 2, c), fd = NavierMy(p, p.A / 2, d);
    for (int it = 0; it < 40; ++it) {
        if (fc > fd) {
            hi = d; d = c; fd = fc;
            c = hi - g * (hi - lo);
            fc = NavierMy(p, p.A / 2, c);
        } else {
            lo = c; c = d; fc = fd;
            d = lo + g * (hi - lo);
            fd = NavierMy(p, p.A / 2, d);
        }
    }
    return std::max(fc, fd);
}

namespace {

// V_x = −D (w_xxx + (2 − ν) w_xyy) at x = 0 and η; the support pushes back
// with −V_x (positive for a positive load).
double LevyReactionEdgeXAt(const SimplePlate& p, double eta, int terms) {
    double sum = 0.0;
    for (int m = terms - (terms % 2 == 0); m >= 1; m -= 2) {  // small terms first
        const double k = m * kPi / p.A;
        const LevyTerm t = Levy(p, m, eta);
        sum += -k * k * k * t.Y + (2.0 - p.Nu) * k * t.Y2;
    }
    return -p.D * sum;
}

}  // namespace

double LevyReactionEdgeX(const SimplePlate& p, int terms) { return LevyReactionEdgeXAt(p, 0.0, terms); }

double LevyLargestReactionEdgeX(const SimplePlate& p) {
    // Coarse scan of the half edge from the middle, then golden-section
    // refinement around the best sample (the reaction is symmetric in η);
    // the search takes fewer terms than the value at the point found.
    const int samples = 64, terms = 20001;
    const double half = p.B / 2;
    auto at = [&](double eta) { return LevyReactionEdgeXAt(p, eta, terms); };
    int bestIndex = 0;
    double best = at(0.0);
    for (int i = 1; i < samples; ++i) {
        const double v = at(half * i / samples);
        if (v > best) {
            best = v;
            bestIndex = i;
        }
    }
    double lo = half * std::max(bestIndex - 1, 0) / samples;
    double hi = half * (bestIndex + 1) / samples;
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = hi - g * (hi - lo), d = lo + g * (hi - lo);
    double fc = at(c), fd = at(d);
    for (int it = 0; it < 40; ++it) {
        if (fc > fd) {
            hi = d; d = c; fd = fc;
            c = hi - g * (hi - lo);
            fc = at(c);
        } else {
            lo = c; c = d; fc = fd;
            d = lo + g * (hi - lo);
            fd = at(d);
        }
    }
    double eta = half * bestIndex / samples;
    if (std::max(fc, fd) > best)
        eta = fc > fd ? c : d;
    return LevyReactionEdgeXAt(p, eta, 200001);
}

double LevyReactionEdgeY(const SimplePlate& p, int terms) {
    // V_y = −D (w_yyy + (2 − ν) w_xxy) at x = a/2, y = 0 (η = −b/2).
    double sum = 0.0;
    for (int m = terms - (terms % 2 == 0); m >= 1; m -= 2) {
        const double k = m * kPi / p.A;
        const LevyTerm t = Levy(p, m, -p.B / 2);
        const double s = std::sin(m * kPi / 2);
        sum += s * (t.Y3 - (2.0 - p.Nu) * k * k * t.Y1);
    }
    return -p.D * sum;
}

}  // namespace platecoef
