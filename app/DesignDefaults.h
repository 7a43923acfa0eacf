// The default design settings kept in the settings file (sections
// "Bar Materials", "Bar Pitch", "Snow Load" and "Other"), and the rule that
// keeps pitch settings meaningful.  Plain C++: the settings dialog uses
// it, and so does the fuzz target of the settings file.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/BarData.h"
#include "engine/SlabData.h"

namespace korvexa::datafile {
class ProfileFile;
}

namespace korvexa::app {

// The steel grades offered for every bar size, in the order of the choices.
inline constexpr std::array<std::string_view, 3> kGradeChoices{"SD295", "SD345", "SD390"};

// The index of a grade among the choices; any other text counts as the last.
int GradeChoiceIndex(std::string_view grade);

// The default design settings kept in the settings file.
struct DesignDefaults {
    std::array<std::string, 8> Grades;  // D10 .. D32
    std::array<int, 2> PitchMax{};
    std::array<int, 2> PitchMin{};
    int PitchStep = 0;
    int SnowDepth = 0;
    int SnowUnitWeight = 0;
    Case3 SnowCoef{};
    int LoadUnitIndex = 0;  // 0 = N/m², 1 = kN/m²

    bool operator==(const DesignDefaults&) const = default;
};

// The settings in force taken as defaults.
DesignDefaults DefaultsOf(const CommonSettings& settings, const BarData& bars, int loadUnitIndex);

// Reads the defaults from the settings file.  A value that is missing, or
// that is not usable, leaves the setting in force: grades must be one of
// the choices, pitches above 0 and within kLargestPitch, and the pitches
// together meaningful (see CheckPitchSettings; otherwise all five stay as
// they are), snow factors within kLargestInputValue.  Snow values below 0
// are read as 0.  The load unit index is 0 unless the file says 1.
DesignDefaults ReadDesignDefaults(const datafile::ProfileFile& file, const CommonSettings& current,
                                  const BarData& bars);

// Writes every key of the defaults.  False when a value could not be
// written (the file's LastError() tells why); the keys before it are kept.
bool WriteDesignDefaults(datafile::ProfileFile& file, const DesignDefaults& defaults);

// Puts the defaults in force, the load unit aside.
void ApplyDefaults(const DesignDefaults& defaults, CommonSettings& settings, BarData& bars);

// The pitch setting a problem is about.
enum class PitchField { None, Min0, Max0, Min1, Max1, Step };

// What makes pitch settings meaningless: a largest or smallest pitch of 0
// or less, a smallest pitch above the largest, or a step above the
// smallest pitch of either direction.
enum class PitchFault { None, MaxNotPositive, MinNotPositive, MinAboveMax, StepAboveMin };

struct PitchCheck {
    PitchField field = PitchField::None;
    PitchFault fault = PitchFault::None;
    int dir = 0;  // the direction the fault is found in
    explicit operator bool() const { return fault != PitchFault::None; }
};

// The first fault of the pitch settings, directions in turn, the step last.
PitchCheck CheckPitchSettings(const std::array<int, 2>& pitchMin, const std::array<int, 2>& pitchMax, int pitchStep);

}  // namespace korvexa::app
