// Numeric helpers shared by the engine, the data file and the user interface.
//
// Inputs are decimals typed by an engineer (T 8.2, Lx 2.8).  Binary doubles
// miss many of them by an ulp or two, which is enough to turn ⌊30·8.2⌋ into
// 245 or 8.4/2.8 into "above 3".  Every floor, rounding and comparison of a
// quantity derived from decimal inputs therefore goes through the helpers
// below, which treat values within a relative 1e-9 of a decimal boundary as
// lying on it.  That tolerance is far above the rounding error of double
// arithmetic, so the results do not depend on carrying extended precision.
#pragma once

#include <string>
#include <string_view>

namespace korvexa {

// Relative tolerance for "equal as decimals".
inline constexpr double kDecimalTolerance = 1e-9;

// Rounding to `digits` decimal places, symmetric about zero (digits may be
// negative: -1 rounds to tens).  Half away from zero, away from zero and
// toward zero respectively.
double RoundHalfUp(double x, int digits);
double RoundUp(double x, int digits);
double RoundDown(double x, int digits);

// x^(1/n); 0 for x = 0 and x itself for n = 1.  Negative x gives 0.
double NthRoot(double x, int n);

// "1.1.0.8" -> 1108: fields weighted 1000, 100, 10, 1, 0.1, ..., the running
// sum truncated to an integer after each field.  Empty text gives 0.
int VersionNumber(std::string_view text);

// Decimal-aware comparisons and floor (see the note at the top).
bool DecimalEqual(double a, double b);
bool DecimalGreater(double a, double b);        // a > b, and not equal as decimals
bool DecimalGreaterEqual(double a, double b);   // a ≥ b, or equal as decimals
long long DecimalFloor(double x);

// Files the whole program shares, set at start-up: the settings file and the
// LaTeX tools found on the search path (the LaTeX settings may replace them).
struct SharedFiles {
    std::string IniFileName = "#Korvexa#.ini";
    std::string LatexCompilerPath;
    std::string LatexViewerPath;
};
SharedFiles& Shared();

}  // namespace korvexa
