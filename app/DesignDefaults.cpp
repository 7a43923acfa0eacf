#include "app/DesignDefaults.h"

#include <algorithm>
#include <cmath>

#include "datafile/ProfileFile.h"
#include "engine/InputCheck.h"

namespace korvexa::app {

namespace {

constexpr std::string_view kBarSection = "Bar Materials";
constexpr std::string_view kPitchSection = "Bar Pitch";
constexpr std::string_view kSnowSection = "Snow Load";
constexpr std::string_view kOtherSection = "Other";
constexpr std::array<std::string_view, 3> kCoefKeys{"Coefficient0", "Coefficient1", "Coefficient2"};

std::string RowKey(int row) { return std::to_string(row); }

bool IsGradeChoice(std::string_view grade)
{
    for (std::string_view choice : kGradeChoices)
        if (grade == choice)
            return true;
    return false;
}

}  // namespace

int GradeChoiceIndex(std::string_view grade)
{
    for (std::size_t i = 0; i + 1 < kGradeChoices.size(); ++i)
        if (grade == kGradeChoices[i])
            return static_cast<int>(i);
    return static_cast<int>(kGradeChoices.size()) - 1;
}

DesignDefaults DefaultsOf(const CommonSettings& settings, const BarData& bars, int loadUnitIndex)
{
    DesignDefaults d;
    d.Grades = bars.Grades();
    d.PitchMax = settings.PitchMax;
    d.PitchMin = settings.PitchMin;
    d.PitchStep = settings.PitchStep;
    d.SnowDepth = settings.SnowDepth;
    d.SnowUnitWeight = settings.SnowUnitWeight;
    d.SnowCoef = settings.SnowCoef;
    d.LoadUnitIndex = loadUnitIndex;
    return d;
}

DesignDefaults ReadDesignDefaults(const datafile::ProfileFile& file, const CommonSettings& current,
                                  const BarData& bars)
{
    DesignDefaults d = DefaultsOf(current, bars, 0);
    for (int row = 1; row <= 8; ++row) {
        std::string& grade = d.Grades[static_cast<std::size_t>(row - 1)];
        std::string read = file.ReadString(kBarSection, RowKey(row), grade);
        if (IsGradeChoice(read))
            grade = std::move(read);
    }

    // A pitch of 0 or less stops every design, and one beyond what a box
    // holds is refused by it: such a value is not taken.
    auto pitch = [&](std::string_view key, int& value) {
        const int read = file.ReadInteger(kPitchSection, key, value);
        if (read > 0 && read <= kLargestPitch)
            value = read;
    };
    pitch("Min0", d.PitchMin[0]);
    pitch("Max0", d.PitchMax[0]);
    pitch("Min1", d.PitchMin[1]);
    pitch("Max1", d.PitchMax[1]);
    pitch("CalcUnit", d.PitchStep);
    if (CheckPitchSettings(d.PitchMin, d.PitchMax, d.PitchStep)) {
        d.PitchMin = current.PitchMin;
        d.PitchMax = current.PitchMax;
        d.PitchStep = current.PitchStep;
    }

    auto snow = [&](std::string_view key, int& value) { value = std::max(0, file.ReadInteger(kSnowSection, key, value)); };
    snow("Depth", d.SnowDepth);
    snow("UnitWeight", d.SnowUnitWeight);
    // A factor beyond what a data file holds would stop every design and
    // every save: it leaves the setting in force.
    for (std::size_t k = 0; k < 3; ++k) {
        const double read = file.ReadReal(kSnowSection, kCoefKeys[k], d.SnowCoef[k]);
        if (read <= kLargestInputValue)
            d.SnowCoef[k] = std::isfinite(read) && read >= 0 ? read : 0.0;
    }

    d.LoadUnitIndex = file.ReadInteger(kOtherSection, "LoadUnitIndex", 0) == 1 ? 1 : 0;
    return d;
}

bool WriteDesignDefaults(datafile::ProfileFile& file, const DesignDefaults& d)
{
    for (int row = 1; row <= 8; ++row)
        if (!file.WriteString(kBarSection, RowKey(row), d.Grades[static_cast<std::size_t>(row - 1)]))
            return false;
    return file.WriteInteger(kPitchSection, "Min0", d.PitchMin[0]) &&
           file.WriteInteger(kPitchSection, "Max0", d.PitchMax[0]) &&
           file.WriteInteger(kPitchSection, "Min1", d.PitchMin[1]) &&
           file.WriteInteger(kPitchSection, "Max1", d.PitchMax[1]) &&
           file.WriteInteger(kPitchSection, "CalcUnit", d.PitchStep) &&
           file.WriteInteger(kSnowSection, "Depth", d.SnowDepth) &&
           file.WriteInteger(kSnowSection, "UnitWeight", d.SnowUnitWeight) &&
           file.WriteReal(kSnowSection, kCoefKeys[0], d.SnowCoef[0]) &&
           file.WriteReal(kSnowSection, kCoefKeys[1], d.SnowCoef[1]) &&
           file.WriteReal(kSnowSection, kCoefKeys[2], d.SnowCoef[2]) &&
           file.WriteInteger(kOtherSection, "LoadUnitIndex", d.LoadUnitIndex);
}

void ApplyDefaults(const DesignDefaults& d, CommonSettings& settings, BarData& bars)
{
    for (int row = 1; row <= 8; ++row)
        bars.SetGrade(row, d.Grades[static_cast<std::size_t>(row - 1)]);
    settings.PitchMax = d.PitchMax;
    settings.PitchMin = d.PitchMin;
    settings.PitchStep = d.PitchStep;
    settings.SnowDepth = d.SnowDepth;
    settings.SnowUnitWeight = d.SnowUnitWeight;
    settings.SnowCoef = d.SnowCoef;
}

PitchCheck CheckPitchSettings(const std::array<int, 2>& pitchMin, const std::array<int, 2>& pitchMax, int pitchStep)
{
    const PitchField minField[2] = {PitchField::Min0, PitchField::Min1};
    const PitchField maxField[2] = {PitchField::Max0, PitchField::Max1};
    for (int dir = 0; dir < 2; ++dir) {
        const int lo = pitchMin[static_cast<std::size_t>(dir)];
        const int hi = pitchMax[static_cast<std::size_t>(dir)];
        if (hi <= 0)
            return {maxField[dir], PitchFault::MaxNotPositive, dir};
        if (lo <= 0)
            return {minField[dir], PitchFault::MinNotPositive, dir};
        if (lo > hi)
            return {minField[dir], PitchFault::MinAboveMax, dir};
    }
    for (int dir = 0; dir < 2; ++dir)
        if (pitchStep > pitchMin[static_cast<std::size_t>(dir)])
            return {PitchField::Step, PitchFault::StepAboveMin, dir};
    return {};
}

}  // namespace korvexa::app
