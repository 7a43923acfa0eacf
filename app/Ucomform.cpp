#include "app/Ucomform.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/UserMessages.h"
#include "components/ConfigFolder.h"
#include "components/NumberEdit.h"
#include "datafile/ProfileFile.h"
#include "engine/Ukorvexa.h"
#include "ui_Ucomform.h"

using namespace korvexa;
using korvexa::app::DesignDefaults;
using korvexa::app::MessageKind;
using korvexa::app::PitchField;
using korvexa::app::PitchProblem;

namespace korvexa::app {

namespace {

const char* DirectionName(int dir) { return dir == 0 ? "短辺（主筋）方向" : "長辺（配力筋）方向"; }

}  // namespace

PitchProblem PitchSettingsProblem(const std::array<int, 2>& pitchMin, const std::array<int, 2>& pitchMax,
                                  int pitchStep)
{
    const PitchCheck check = CheckPitchSettings(pitchMin, pitchMax, pitchStep);
    const QString where = QString::fromUtf8(DirectionName(check.dir));
    const int lo = pitchMin[static_cast<std::size_t>(check.dir)];
    const int hi = pitchMax[static_cast<std::size_t>(check.dir)];
    switch (check.fault) {
    case PitchFault::MaxNotPositive:
        return {check.field, where + QStringLiteral("の最大間隔が 0 です。\n1 mm 以上の間隔を入力してください。")};
    case PitchFault::MinNotPositive:
        return {check.field, where + QStringLiteral("の最小間隔が 0 です。\n1 mm 以上の間隔を入力してください。")};
    case PitchFault::MinAboveMax:
        return {check.field, where + QStringLiteral("の最小間隔 (%1 mm) が最大間隔 (%2 mm) を越えています。\n"
                                                    "最小間隔は最大間隔以下にしてください。")
                                         .arg(lo)
                                         .arg(hi)};
    case PitchFault::StepAboveMin:
        return {check.field, QStringLiteral("配筋間隔の算定刻み (%1 mm) が%2の最小間隔 (%3 mm) を越えています。\n"
                                            "算定刻みは最小間隔以下にしてください。")
                                 .arg(pitchStep)
                                 .arg(where)
                                 .arg(lo)};
    case PitchFault::None: break;
    }
    return {};
}

PitchProblem PitchSettingsProblem(const CommonSettings& settings)
{
    return PitchSettingsProblem(settings.PitchMin, settings.PitchMax, settings.PitchStep);
}

}  // namespace korvexa::app

// ---------------------------------------------------------------- dialog

TCommonForm::TCommonForm(QWidget* parent)
    : TCommonForm(ProgramSettings(), ProgramBars(), korvexa::SettingsFilePath(), parent)
{
}

TCommonForm::TCommonForm(CommonSettings& settings, BarData& bars, const QString& settingsFile, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCommonForm>()), settings_(settings), bars_(bars),
      iniFileName_(settingsFile), settingsAtShow_(settings)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetUpControls();
    FormCreate();
}

TCommonForm::~TCommonForm() = default;

void TCommonForm::SetUpControls()
{
    // One group of grade choices per bar size, four to a row.
    QWidget* previous = nullptr;
    for (int row = 1; row <= 8; ++row) {
        auto* group = new QGroupBox(QString::fromStdString(bars_[row].Name), ui->TabSheet1);
        group->setObjectName(QStringLiteral("RadioGroup%1").arg(row));
        auto* layout = new QVBoxLayout(group);
        auto* buttons = new QButtonGroup(group);
        for (int item = 0; item < static_cast<int>(korvexa::app::kGradeChoices.size()); ++item) {
            auto* radio = new QRadioButton(QString::fromUtf8(korvexa::app::kGradeChoices[static_cast<std::size_t>(item)]), group);
            radio->setObjectName(QStringLiteral("RadioGroup%1Item%2").arg(row).arg(item));
            layout->addWidget(radio);
            buttons->addButton(radio, item);
            if (previous)
                setTabOrder(previous, radio);
            previous = radio;
        }
        ui->GradeGrid->addWidget(group, (row - 1) / 4, (row - 1) % 4);
        connect(buttons, &QButtonGroup::idClicked, this, [this, row](int item) { RadioGroup1Click(row, item); });
        gradeGroups_[static_cast<std::size_t>(row - 1)] = buttons;
    }
    for (QWidget* next : std::initializer_list<QWidget*>{
             ui->PitchXminInput, ui->PitchXmaxInput, ui->PitchYminInput, ui->PitchYmaxInput, ui->CalcPitchUnit,
             ui->SnowDepthInput, ui->SnowUnitInput, ui->SnowC1Input, ui->SnowC2Input, ui->SnowC3Input,
             ui->LoadUnitItem0, ui->LoadUnitItem1, ui->IniSetButton, ui->OKButton, ui->CancelButton}) {
        setTabOrder(previous, next);
        previous = next;
    }

    loadUnitGroup_ = new QButtonGroup(ui->LoadUnit);
    loadUnitGroup_->addButton(ui->LoadUnitItem0, 0);
    loadUnitGroup_->addButton(ui->LoadUnitItem1, 1);
    connect(loadUnitGroup_, &QButtonGroup::idClicked, this, &TCommonForm::LoadUnitClick);

    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;
    for (TNumberEdit* box : {ui->PitchXminInput, ui->PitchXmaxInput, ui->PitchYminInput, ui->PitchYmaxInput,
                             ui->CalcPitchUnit, ui->SnowDepthInput, ui->SnowUnitInput, ui->SnowC1Input,
                             ui->SnowC2Input, ui->SnowC3Input}) {
        box->SetSignState(TNumberEdit::numUnSigned);
        box->setFixedWidth(boxWidth);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(box, &TNumberEdit::keyPressed, this, &TCommonForm::PitchXminInputKeyDown);
        connect(box, &TNumberEdit::exited, this, &TCommonForm::SettingsEdited);
    }
    for (TNumberEdit* box : {ui->SnowC1Input, ui->SnowC2Input, ui->SnowC3Input}) {
        box->SetType(TNumberEdit::numDOUBLE);
        box->SetDigits(2);
    }
    LinkBoxes();

    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->IniSetButton, &QPushButton::clicked, this, &TCommonForm::IniSetButtonClick);
}

void TCommonForm::LinkBoxes()
{
    ui->PitchXminInput->Link(&settings_.PitchMin[0]);
    ui->PitchXmaxInput->Link(&settings_.PitchMax[0]);
    ui->PitchYminInput->Link(&settings_.PitchMin[1]);
    ui->PitchYmaxInput->Link(&settings_.PitchMax[1]);
    ui->CalcPitchUnit->Link(&settings_.PitchStep);
    ui->SnowDepthInput->Link(&settings_.SnowDepth);
    ui->SnowUnitInput->Link(&settings_.SnowUnitWeight);
    ui->SnowC1Input->Link(&settings_.SnowCoef[0]);
    ui->SnowC2Input->Link(&settings_.SnowCoef[1]);
    ui->SnowC3Input->Link(&settings_.SnowCoef[2]);
}

void TCommonForm::FormCreate()
{
    const korvexa::datafile::ProfileFile file(iniFileName_.toStdString());
    if (file.Exists()) {
        defaults_ = korvexa::app::ReadDesignDefaults(file, settings_, bars_);
        ApplyDesignDefaults();
    } else {
        defaults_ = korvexa::app::DefaultsOf(settings_, bars_, settings_.LoadUnitFactor != 1 ? 1 : 0);
        UnitAtShow = defaults_.LoadUnitIndex;
        loadUnitGroup_->button(UnitAtShow)->setChecked(true);
    }
}

void TCommonForm::ApplyDesignDefaults()
{
    korvexa::app::ApplyDefaults(defaults_, settings_, bars_);
    loadUnitGroup_->button(defaults_.LoadUnitIndex)->setChecked(true);
    UnitAtShow = defaults_.LoadUnitIndex;
}

void TCommonForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TCommonForm::FormShow()
{
    ui->IniSetButton->setEnabled(true);
    WorkGrades = bars_.Grades();
    for (std::size_t i = 0; i < WorkGrades.size(); ++i)
        gradeGroups_[i]->button(korvexa::app::GradeChoiceIndex(WorkGrades[i]))->setChecked(true);
    LinkBoxes();
    settingsAtShow_ = settings_;
    UnitChanged = false;
    UnitAtShow = settings_.LoadUnitFactor != 1 ? 1 : 0;
    loadUnitGroup_->button(UnitAtShow)->setChecked(true);
}

void TCommonForm::RadioGroup1Click(int row, int item)
{
    WorkGrades[static_cast<std::size_t>(row - 1)] = std::string(korvexa::app::kGradeChoices[static_cast<std::size_t>(item)]);
    SettingsEdited();
}

void TCommonForm::LoadUnitClick(int index)
{
    UnitChanged = index != UnitAtShow;
    SettingsEdited();
}

void TCommonForm::PitchXminInputKeyDown()
{
    auto* box = qobject_cast<TNumberEdit*>(sender());
    if (box && box->GetPressKey() == '\r')
        focusNextChild();
}

// Anything changed may be registered again.
void TCommonForm::SettingsEdited() { ui->IniSetButton->setEnabled(true); }

TNumberEdit* TCommonForm::PitchBox(PitchField field) const
{
    switch (field) {
    case PitchField::Min0: return ui->PitchXminInput;
    case PitchField::Max0: return ui->PitchXmaxInput;
    case PitchField::Min1: return ui->PitchYminInput;
    case PitchField::Max1: return ui->PitchYmaxInput;
    case PitchField::Step: return ui->CalcPitchUnit;
    case PitchField::None: break;
    }
    return nullptr;
}

void TCommonForm::done(int result)
{
    if (result == Accepted) {
        // A box still being edited (OK pressed without leaving it) counts.
        if (auto* box = qobject_cast<TNumberEdit*>(focusWidget()))
            box->ValueUpdate();
        if (const PitchProblem problem = korvexa::app::PitchSettingsProblem(settings_)) {
            korvexa::app::Tell(this, MessageKind::Warning, problem.message);
            ui->PageControl1->setCurrentWidget(ui->TabSheet1);
            PitchBox(problem.field)->setFocus();
            return;
        }
    }
    FormClose(result);
    QDialog::done(result);
}

void TCommonForm::FormClose(int result)
{
    if (result == Accepted) {
        for (int row = 1; row <= 8; ++row)
            bars_.SetGrade(row, WorkGrades[static_cast<std::size_t>(row - 1)]);
        if (UnitChanged) {
            const int index = loadUnitGroup_->checkedId();
            settings_.LoadUnitFactor = index == 0 ? 1.0 : 1000.0;
            UnitAtShow = index;
        }
        return;
    }
    // Typed numbers stay in force, unless they leave the pitches meaningless.
    UnitChanged = false;
    if (korvexa::app::PitchSettingsProblem(settings_)) {
        settings_.PitchMin = settingsAtShow_.PitchMin;
        settings_.PitchMax = settingsAtShow_.PitchMax;
        settings_.PitchStep = settingsAtShow_.PitchStep;
    }
}

void TCommonForm::IniSetButtonClick()
{
    DesignDefaults d;
    d.Grades = WorkGrades;
    // Whole numbers, held within range as the boxes write their settings.
    auto whole = [](const TNumberEdit* box) {
        const long double v = box->Value();
        return v >= INT_MAX ? INT_MAX : v <= INT_MIN ? INT_MIN : static_cast<int>(v);
    };
    d.PitchMin = {whole(ui->PitchXminInput), whole(ui->PitchYminInput)};
    d.PitchMax = {whole(ui->PitchXmaxInput), whole(ui->PitchYmaxInput)};
    d.PitchStep = whole(ui->CalcPitchUnit);
    d.SnowDepth = whole(ui->SnowDepthInput);
    d.SnowUnitWeight = whole(ui->SnowUnitInput);
    d.SnowCoef = {static_cast<double>(ui->SnowC1Input->Value()), static_cast<double>(ui->SnowC2Input->Value()),
                  static_cast<double>(ui->SnowC3Input->Value())};
    d.LoadUnitIndex = loadUnitGroup_->checkedId() == 1 ? 1 : 0;

    if (const PitchProblem problem = korvexa::app::PitchSettingsProblem(d.PitchMin, d.PitchMax, d.PitchStep)) {
        korvexa::app::Tell(this, MessageKind::Warning,
                           problem.message + QStringLiteral("\nデフォルトの設定として登録できません。"));
        ui->PageControl1->setCurrentWidget(ui->TabSheet1);
        PitchBox(problem.field)->setFocus();
        return;
    }
    korvexa::datafile::ProfileFile file(iniFileName_.toStdString());
    if (!korvexa::app::WriteDesignDefaults(file, d)) {
        korvexa::app::Tell(this, MessageKind::Error,
                           QString::fromStdString(file.LastError()) + QStringLiteral("\n") + iniFileName_);
        return;
    }
    ui->IniSetButton->setEnabled(false);
}
