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

#include "app/DesignDefaults.h"
#include "engine/BarData.h"
#include "engine/SlabData.h"

class QButtonGroup;
class TNumberEdit;

namespace Ui {
class TCommonForm;
}

namespace korvexa::app {

struct PitchProblem {
    PitchField field = PitchField::None;
    QString message;  // empty when the settings are usable
    explicit operator bool() const { return field != PitchField::None; }
};

// The first fault of CheckPitchSettings, with its message for the user.
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
