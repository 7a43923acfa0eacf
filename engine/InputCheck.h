// What stops the design of a slab, and the limits of the values a slab and
// the design-wide settings may hold.  The design, the data file (reader and
// writer) and the command line take their limits from here, so that what
// designs can be saved and what is saved opens again.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/BarData.h"
#include "engine/SlabData.h"

namespace korvexa {

// No number an input box can hold (seven characters), nor a load derived
// from such numbers, comes near these; larger values come from a damaged
// file or another program, never from an engineer.
inline constexpr double kLargestInputValue = 1e9;  // absolute value, any unit
inline constexpr int kLargestPitch = 9'999'999;    // mm, seven digits; entered pitches and the pitch settings

// The steel grades the bar table knows (the settings dialog offers these).
inline constexpr std::array<std::string_view, 3> kKnownGrades = {"SD295", "SD345", "SD390"};
bool IsKnownGrade(std::string_view grade);

struct InputProblem {
    std::string field;   // as the record names it, with indices: "Lx", "Pitch[0][1]", "settings.PitchMin[0]"
    std::string reason;  // what is wrong, in Japanese, with the value
    std::string Text() const { return field.empty() ? reason : field + ": " + reason; }
};

// The first input of the record or of the settings that the design cannot
// use: an enumeration out of range, a number that is not finite or beyond
// the limits above, a missing span, a strength, weight or thickness that the
// design divides by, an increase factor of 0 or less, bars without an
// allowable stress or grade, pitches the design cannot use, bars that lie
// outside the section.  None when the slab
// can be designed (DesignSlab may still report Lx > Ly or λ too large).
std::optional<InputProblem> FindInputProblem(const SlabData& slab, const CommonSettings& settings,
                                             const BarData& bars);

// Whether FindInputProblem finds nothing, without making any text: the
// check before every design.
bool CanDesign(const SlabData& slab, const CommonSettings& settings, const BarData& bars);

// Only the enumerations (Bind, LoadShape, LoadTime, Concrete, BarOutside,
// CompMode, Bar) against their ranges.
std::optional<InputProblem> CheckEnumerations(const SlabInputData& slab);

// Only the limits of the values a data file stores for a slab (numbers
// finite and within kLargestInputValue, pitches within kLargestPitch, the
// enumerations and the load unit).
std::optional<InputProblem> CheckStoredValues(const SlabInputData& slab);

// Why DesignSlab returned `status` (not DesignOk) for this record.
InputProblem DescribeDesignFailure(const SlabData& slab, int status, const CommonSettings& settings,
                                   const BarData& bars);

// A number as a person reads it: "21", "0.35", "1e+308" (never 309 digits).
std::string ReadableNumber(double v);

}  // namespace korvexa
