// The common design settings dialog "共通事項の設定": the steel grade of
// each bar size, the limits and the step of the calculated pitches, the snow
// load data and the input unit of the floor loads, with a set of default
// settings kept in the settings file.
//
// For the main window:
//   * One dialog lives as long as the window.  Its constructor reads the
//     defaults from the settings file and, when the file exists, makes them
//     the current settings.
//   * ApplyDesignDefaults() puts the defaults in force again (new data).
//   * exec() shows it modally.  The number boxes write their setting as soon
//     as they are left, whatever the outcome; the grades and the load unit
//     take effect only on OK.  After exec() returned Accepted, UnitChanged
//     tells whether LoadUnitFactor changed, so that every slab has to be
//     brought into the new unit.
//   * OK is refused, with a message, while the pitch settings would make the
//     design meaningless; Cancel then puts back the pitch settings the
//     dialog was shown with.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "engine/BarData.h"
#include "engine/SlabData.h"

class QButtonGroup;
class TNumberEdit;

namespace korvexa::datafile {
class ProfileFile;
}

namespace Ui {
class TCommonForm;
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
// the choices, pitches above 0 and the pitches together meaningful (see
// PitchSettingsProblem; otherwise all five stay as they are).  Snow values
// below 0 are read as 0.  The load unit index is 0 unless the file says 1.
DesignDefaults ReadDesignDefaults(const datafile::ProfileFile& file, const CommonSettings& current,
                                  const BarData& bars);

// Writes every key of the defaults.  False when a value could not be
// written (the file's LastError() tells why); the keys before it are kept.
bool WriteDesignDefaults(datafile::ProfileFile& file, const DesignDefaults& defaults);

// Puts the defaults in force, the load unit aside.
void ApplyDefaults(const DesignDefaults& defaults, CommonSettings& settings, BarData& bars);

// The pitch setting a problem is about.
enum class PitchField { None, Min0, Max0, Min1, Max1, Step };

struct PitchProblem {
    PitchField field = PitchField::None;
    QString message;  // empty when the settings are usable
    explicit operator bool() const { return field != PitchField::None; }
};

// Pitch settings that make the design meaningless: a largest or smallest
// pitch of 0 or less, a smallest pitch above the largest, or a step above
// the smallest pitch of either direction.
PitchProblem PitchSettingsProblem(const std::array<int, 2>& pitchMin, const std::array<int, 2>& pitchMax,
                                  int pitchStep);
PitchProblem PitchSettingsProblem(const CommonSettings& settings);

}  // namespace korvexa::app

class TCommonForm : public QDialog {
    Q_OBJECT

public:
    // Works on the program's settings, bar table and settings file.
    explicit TCommonForm(QWidget* parent = nullptr);
    // Works on the given ones, which must outlive the dialog.
    TCommonForm(korvexa::CommonSettings& settings, korvexa::BarData& bars, const QString& settingsFile,
                QWidget* parent = nullptr);
    ~TCommonForm() override;

    // The defaults become the current settings: grades, pitches and snow;
    // the load unit box shows the default unit, LoadUnitFactor is left.
    void ApplyDesignDefaults();
    const korvexa::app::DesignDefaults& Defaults() const { return defaults_; }

    // True after OK when the load unit changed.
    bool UnitChanged = false;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetUpControls();
    void LinkBoxes();
    void FormCreate();
    void FormShow();
    void FormClose(int result);
    void RadioGroup1Click(int row, int item);
    void LoadUnitClick(int index);
    void PitchXminInputKeyDown();
    void IniSetButtonClick();
    TNumberEdit* PitchBox(korvexa::app::PitchField field) const;
    void SettingsEdited();

    std::unique_ptr<Ui::TCommonForm> ui;
    korvexa::CommonSettings& settings_;
    korvexa::BarData& bars_;
    QString iniFileName_;

    std::array<QButtonGroup*, 8> gradeGroups_{};
    QButtonGroup* loadUnitGroup_ = nullptr;

    std::array<std::string, 8> WorkGrades;
    int UnitAtShow = 0;
    korvexa::app::DesignDefaults defaults_;
    korvexa::CommonSettings settingsAtShow_;
};
