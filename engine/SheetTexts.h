// What every calculation sheet of a slab states alike, on screen, printed
// and in the LaTeX report: the verdicts of the thickness and deflection
// checks and the pieces of text they are built from.  Each sheet dresses
// them in its own form (full-width signs, math mode), but the decision is
// made here once, with the decimal-safe comparisons of Ucommon.
#pragma once

#include <string>
#include <string_view>

#include "engine/SlabData.h"

namespace korvexa {

// The edge condition as the heading of a sheet names it: "四辺固定" +
// "スラブ" + the method note ("(略算)", "(精算)") that conditions 0 and 1
// carry in their names, the note only when `withMethod`.
std::string SlabConditionText(int bind, bool withMethod);

// t against the span rule: t ≥ Lx/30, for the cantilever t ≥ L/10 (t in
// cm, Lx in m).  The sheets state this rule instead of 16δ/Lx when it is
// met and the slab is not set to the deflection check alone.
bool ShowsSpanThicknessCheck(const SlabData& slab);
// The 1/n of t/Lx: n = 100·Lx/t, halves rounded up.
int SpanThicknessRatio(const SlabData& slab);
// 10 for the cantilever, else 30.
int SpanThicknessLimit(const SlabData& slab);

// 16δ/Lx ≤ 1/250.
bool DeflectionOk(const SlabData& slab);

// The slab's thickness against the required thickness TReq.
enum class ThicknessComparison { Thicker, Equal, Thinner };
ThicknessComparison CompareWithRequired(const SlabData& slab);
inline bool ThicknessOk(const SlabData& slab) { return CompareWithRequired(slab) != ThicknessComparison::Thinner; }

// A number with `decimals` places as C's printf writes it with %.Nf: the
// binary value rounded once, an exact tie to the even digit (0.625 gives
// "0.62", 0.375 "0.38"), a leading minus on every negative value (-0.001
// gives "-0.00").  Every number of the screen sheet, the printed sheet, the
// LaTeX report and korvexa-cli show is written through it, so that the
// same value reads the same everywhere.  The point is always ".", whatever
// the locale the window runs in.
std::string FixedNumber(double value, int decimals);

// The natural frequency's number: one decimal below 100 Hz, from 100 Hz on
// the whole number, fraction cut off ("12.3", "123").
std::string FrequencyNumber(double fv);

}  // namespace korvexa
