// The shape and load part of the input panel: loading a slab, the rules
// that enable, colour and caption the boxes, and the load unit.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "app/DataNotifier.h"
#include "app/InputState.h"
#include "app/Umain.h"
#include "app/UmainShared.h"
#include "components/NumberEdit.h"
#include "engine/Ukorvexa.h"
#include "ui_Umain.h"

using namespace korvexa;

namespace {

// A real number box: `digits` decimals rounded half up, no sign, `zero`
// in place of an emptied box.
void RealBox(TNumberEdit* box, int digits, double zero, bool zeroVisible = true)
{
    box->SetType(TNumberEdit::numDOUBLE);
    box->SetDigits(digits);
    box->SetCutMode(digits < 0 ? TNumberEdit::numNONE : TNumberEdit::numROUND);
    box->SetSignState(TNumberEdit::numUnSigned);
    box->SetZeroValue(zero);
    box->SetZeroVisible(zeroVisible);
}

}  // namespace

void TMainForm::SetUpPanel()
{
    for (int bind = 0; bind < BindTypeCount; ++bind)
        ui->BindComboBox->addItem(app::Utf8(BindTypeName(bind)));
    ui->LoadComboBox->addItem(app::Utf8(LoadShapeName(0, 0)));

    LoadTimeButtons = new QButtonGroup(this);
    LoadTimeButtons->addButton(ui->LoadTimeLong, LoadLongTerm);
    LoadTimeButtons->addButton(ui->LoadTimeSnow, LoadLongTermSnow);
    LoadTimeButtons->addButton(ui->LoadTimeShort, LoadShortTerm);

    // Number boxes keep room for their longest value; the shape and factor
    // boxes do not grow with the window.
    for (TNumberEdit* box : findChildren<TNumberEdit*>())
        box->setMinimumWidth(56);
    for (TNumberEdit* box : {ui->LxInput, ui->LyInput, ui->TInput, ui->IncreaseSInput, ui->IncreaseDInput})
        box->setMaximumWidth(80);

    RealBox(ui->LxInput, 2, 0, false);
    RealBox(ui->LyInput, 2, 0, false);
    RealBox(ui->TInput, 1, 15);
    RealBox(ui->IncreaseSInput, 2, 1);
    RealBox(ui->IncreaseDInput, 2, 1);

    LoadBoxes = {ui->OwnInput,  ui->FLInput,   ui->LLInput,  ui->SLInput,   ui->TLInput,  ui->PInput,
                 ui->LLSInput,  ui->SLSInput,  ui->TLSInput, ui->PSInput,   ui->LLEInput, ui->SLEInput,
                 ui->TLEInput,  ui->PEInput,   ui->Own1,     ui->Own2,      ui->FL1,      ui->FL2};
    for (TNumberEdit* box : LoadBoxes) {
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setMaxLength(7);
        box->SetZeroVisible(false);
    }
    for (TNumberEdit* mirror : {ui->Own1, ui->Own2, ui->FL1, ui->FL2, ui->SLInput, ui->SLSInput, ui->SLEInput}) {
        mirror->setReadOnly(true);
        mirror->setEnabled(false);
    }
    UpdateLoadUnit();

    connect(ui->LxInput, &TNumberEdit::exited, this, &TMainForm::Recalculate);
    connect(ui->LyInput, &TNumberEdit::exited, this, &TMainForm::Recalculate);
    connect(ui->IncreaseSInput, &TNumberEdit::exited, this, &TMainForm::Recalculate);
    connect(ui->IncreaseDInput, &TNumberEdit::exited, this, &TMainForm::Recalculate);
    connect(ui->TInput, &TNumberEdit::exited, this, &TMainForm::RefreshLoads);
    for (TNumberEdit* box : {ui->OwnInput, ui->FLInput, ui->LLInput, ui->LLSInput, ui->LLEInput, ui->TLInput,
                             ui->TLSInput, ui->TLEInput, ui->PInput, ui->PSInput, ui->PEInput})
        connect(box, &TNumberEdit::exited, this, &TMainForm::RefreshLoads);
    connect(ui->LLEInput, &TNumberEdit::entered, this, [this] { CaseBoxEnter(ui->LLEInput, ui->LLInput); });
    connect(ui->TLEInput, &TNumberEdit::entered, this, [this] { CaseBoxEnter(ui->TLEInput, ui->TLInput); });
    connect(ui->PEInput, &TNumberEdit::entered, this, [this] { CaseBoxEnter(ui->PEInput, ui->PInput); });

    connect(ui->BindComboBox, qOverload<int>(&QComboBox::activated), this, &TMainForm::BindComboBoxSelect);
    connect(ui->LoadComboBox, qOverload<int>(&QComboBox::activated), this, [this] { LoadComboBoxSelect(); });
    connect(LoadTimeButtons, &QButtonGroup::idClicked, this, &TMainForm::LoadTimeChoiceClick);
    connect(ui->DeltCheckBox, &QCheckBox::clicked, this, &TMainForm::DeltCheckBoxClick);
    connect(ui->Conditional, &QCheckBox::clicked, this, &TMainForm::ConditionalClick);
    connect(ui->TLDirect, &QCheckBox::clicked, this, &TMainForm::TLDirectClick);
    connect(ui->OwnDirect, &QCheckBox::clicked, this, &TMainForm::OwnDirectClick);
    connect(ui->FLAddCheckBox, &QCheckBox::clicked, this, &TMainForm::FLAddCheckBoxClick);
}

void TMainForm::ShowSlab()
{
    showing_ = true;
    // The boxes point into the slab list, which may have moved since they
    // were linked: link them to the current slab before anything reads them.
    LinkBoxes();
    SlabData& slab = SlabList.Current();
    ui->BindComboBox->setCurrentIndex(slab.Bind);
    UpdateLoadShapes();
    ui->LoadComboBox->setCurrentIndex(slab.LoadShape < ui->LoadComboBox->count() ? slab.LoadShape : 0);

    LoadTimeButtons->button(slab.LoadTime)->setChecked(true);
    ApplyLoadTimeRule();

    ui->TLDirect->setChecked(slab.TLDirect);
    ui->OwnDirect->setChecked(slab.OwnDirect);
    ui->DeltCheckBox->setChecked(slab.DeltCheck);
    ui->Conditional->setEnabled(slab.DeltCheck);
    ui->Conditional->setChecked(!slab.DeflectionOnly);
    ui->FLAddCheckBox->setChecked(slab.FLAdd);

    ShowBars();
    ShowConcrete();
    UpdateNavigator();
    showing_ = false;
    UpdateInputState();
    // What showing derives or forces (the self weight, Ly of a one-way
    // slab) is part of the slab as shown, not a step.
    SnapshotCurrent();
    emit notifier_->CurrentChanged(CurrentIndex());
}

void TMainForm::LinkBoxes()
{
    SlabData& s = SlabList.Current();
    for (TNumberEdit* mirror : {ui->Own1, ui->Own2, ui->FL1, ui->FL2})  // linked again by UpdateInputState
        mirror->LinkOff();
    ui->IncreaseSInput->Link(&s.IncreaseS);
    ui->IncreaseDInput->Link(&s.IncreaseD);
    ui->TInput->Link(&s.T);
    ui->LxInput->Link(&s.Lx);
    ui->LyInput->Link(&s.Ly);
    ui->OwnInput->Link(&s.Own);
    ui->FLInput->Link(&s.FL);
    const std::array<std::array<TNumberEdit*, 3>, 4> cases = {{{ui->LLInput, ui->LLSInput, ui->LLEInput},
                                                               {ui->SLInput, ui->SLSInput, ui->SLEInput},
                                                               {ui->TLInput, ui->TLSInput, ui->TLEInput},
                                                               {ui->PInput, ui->PSInput, ui->PEInput}}};
    std::array<Case3*, 4> fields = {&s.LL, &s.SL, &s.TL, &s.P};
    for (std::size_t row = 0; row < cases.size(); ++row)
        for (std::size_t k = 0; k < 3; ++k)
            cases[row][k]->Link(&(*fields[row])[k]);
    ui->CovInput->Link(&s.Cov);
    ui->GammaInput->Link(&s.Gamma);
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p)
            PitchBoxes[static_cast<std::size_t>(2 * d + p)]->Link(&s.Pitch[d][p]);
}

void TMainForm::UpdateLoadShapes()
{
    while (ui->LoadComboBox->count() > 1)
        ui->LoadComboBox->removeItem(1);
    const int bind = SlabList.Current().Bind;
    for (int shape = 1; shape < LoadShapeCount(bind); ++shape)
        ui->LoadComboBox->addItem(app::Utf8(LoadShapeName(bind, shape)));
    ui->LoadComboBox->setEnabled(ui->LoadComboBox->count() > 1);
}

void TMainForm::SetBoxColour(QWidget* box, bool used)
{
    // White for a value in use, the button face for one that is not; the
    // same in every state, so that a disabled box still tells which it is.
    QPalette palette = box->palette();
    const QColor colour = used ? QApplication::palette().color(QPalette::Active, QPalette::Base)
                               : QApplication::palette().color(QPalette::Active, QPalette::Button);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    box->setPalette(palette);
}

void TMainForm::UpdateInputState()
{
    SlabData& slab = SlabList.Current();
    app::PanelChoices choices;
    choices.bind = ui->BindComboBox->currentIndex();
    choices.loadShape = ui->LoadComboBox->currentIndex();
    choices.totalsDirect = ui->TLDirect->isChecked();
    choices.deflection = ui->DeltCheckBox->isChecked();
    choices.snowCase = LoadTimeButtons->checkedId() == LoadLongTermSnow;
    choices.ownDirect = ui->OwnDirect->isChecked();
    choices.loadUnitFactor = ProgramSettings().LoadUnitFactor;
    const app::PanelState state = app::ComputePanelState(choices);

    if (!state.twoWay && slab.Ly != 0) {
        slab.Ly = 0;
        ui->LyInput->ShowUpdate();
    }
    ui->LabelMainDirection->setText(app::Utf8(state.mainDirection));
    ui->LabelSubDirection->setText(app::Utf8(state.subDirection));
    ui->LabelBendPosition->setText(app::Utf8(state.bendPosition));
    ui->LabelCenterPosition->setText(app::Utf8(state.centerPosition));
    ui->BarPositionCheck->setText(app::Utf8(state.barPositionCaption));
    ui->LabelP->setText(app::Utf8(state.labelP));
    ui->LabelPload->setText(app::Utf8(state.labelPload));

    if (state.ownDirectForcedOff) {
        ui->OwnDirect->setChecked(false);
        slab.OwnDirect = false;
    }
    ui->OwnDirect->setEnabled(state.ownDirectEnabled);

    const std::pair<TNumberEdit*, app::BoxState> boxes[] = {
        {ui->LyInput, state.Ly},   {ui->PInput, state.P},     {ui->OwnInput, state.Own}, {ui->FLInput, state.FL},
        {ui->LLInput, state.LL},   {ui->TLInput, state.TL},   {ui->LLSInput, state.LLS}, {ui->LLEInput, state.LLE},
        {ui->TLEInput, state.TLE}, {ui->TLSInput, state.TLS}, {ui->PEInput, state.PE},   {ui->PSInput, state.PS},
    };
    for (const auto& [box, boxState] : boxes) {
        box->setEnabled(boxState.enabled);
        SetBoxColour(box, boxState.used);
    }
    for (const auto& [box, used] : {std::pair{ui->SLInput, state.SL.used}, std::pair{ui->SLSInput, state.SLS.used},
                                    std::pair{ui->SLEInput, state.SLE.used}})
        SetBoxColour(box, used);
    ui->FLAddCheckBox->setEnabled(state.flAddEnabled);

    // The snow and deflection columns repeat the self weight and finish
    // where those cases use them.
    const std::pair<TNumberEdit*, bool> mirrors[] = {
        {ui->Own1, state.own1Used}, {ui->FL1, state.own1Used}, {ui->Own2, state.own2Used}, {ui->FL2, state.own2Used}};
    for (const auto& [box, used] : mirrors) {
        SetBoxColour(box, used);
        double* field = (box == ui->Own1 || box == ui->Own2) ? &slab.Own : &slab.FL;
        if (used) {
            box->Link(field);
        } else {
            box->LinkOff();
            box->SetValue(0);
        }
    }

    // A simply supported span is designed with its centre pitch at both
    // positions: the end pitch boxes only show it.
    const bool supported = IsSimplySupportedSpan(choices.bind);
    PitchBoxes[0]->setEnabled(!supported);
    PitchBoxes[2]->setEnabled(!supported);
    RefreshLoads();
}

void TMainForm::RefreshLoads()
{
    if (showing_)
        return;
    DeriveLoads(SlabList.Current());
    for (TNumberEdit* box : LoadBoxes)
        box->ShowUpdate();
    Recalculate();
}

void TMainForm::UpdateLoadUnit()
{
    const bool newtons = ProgramSettings().LoadUnitFactor == 1;
    for (TNumberEdit* box : LoadBoxes) {
        if (newtons) {
            box->SetType(TNumberEdit::numINT);
            box->SetDigits(1);
            box->SetCutMode(TNumberEdit::numUP);
        } else {
            box->SetType(TNumberEdit::numDOUBLE);
            box->SetDigits(2);
            box->SetCutMode(TNumberEdit::numROUND);
        }
    }
    ui->LoadGroup->setTitle(newtons ? QStringLiteral("床荷重 (N/m2)") : QStringLiteral("床荷重 (kN/m2)"));
    if (ui->BindComboBox->currentIndex() > BindFixed2AdjFree)
        ui->LabelPload->setText(newtons ? QStringLiteral("(N/m)") : QStringLiteral("(kN/m)"));
}

void TMainForm::BindComboBoxSelect(int index)
{
    SlabList.Current().Bind = index;
    UpdateLoadShapes();
    LoadComboBoxSelect();
}

void TMainForm::LoadComboBoxSelect()
{
    if (ui->LoadComboBox->currentIndex() < 0)
        ui->LoadComboBox->setCurrentIndex(0);
    SlabList.Current().LoadShape = ui->LoadComboBox->currentIndex();
    UpdateInputState();
}

void TMainForm::ApplyLoadTimeRule()
{
    if (LoadTimeButtons->checkedId() == LoadShortTerm) {
        ui->LabelLoad->setText(QStringLiteral("短　期"));
        ui->DeltCheckBox->setChecked(false);  // no deflection case in a short-term design
        SlabList.Current().DeltCheck = false;
        ui->Conditional->setEnabled(false);
        ui->DeltCheckBox->setEnabled(false);
    } else {
        ui->LabelLoad->setText(QStringLiteral("長　期"));
        ui->DeltCheckBox->setEnabled(true);
    }
}

void TMainForm::LoadTimeChoiceClick(int index)
{
    SlabList.Current().LoadTime = index;
    ApplyLoadTimeRule();
    UpdateInputState();
}

void TMainForm::DeltCheckBoxClick()
{
    SlabList.Current().DeltCheck = ui->DeltCheckBox->isChecked();
    ui->Conditional->setEnabled(ui->DeltCheckBox->isChecked());
    UpdateInputState();
}

void TMainForm::ConditionalClick()
{
    SlabList.Current().DeflectionOnly = !ui->Conditional->isChecked();
    Recalculate();
}

void TMainForm::TLDirectClick()
{
    SlabData& slab = SlabList.Current();
    slab.TLDirect = ui->TLDirect->isChecked();
    slab.TL[1] = slab.TL[2] = 0;  // filled again from the main case
    UpdateInputState();
}

void TMainForm::OwnDirectClick()
{
    SlabList.Current().OwnDirect = ui->OwnDirect->isChecked();
    UpdateInputState();
}

void TMainForm::FLAddCheckBoxClick()
{
    SlabList.Current().FLAdd = ui->FLAddCheckBox->isChecked();
    Recalculate();
}

// An empty deflection-case box starts from the main case's value.
void TMainForm::CaseBoxEnter(TNumberEdit* box, TNumberEdit* source)
{
    if (!box->text().isEmpty())
        return;
    box->setText(source->text());
    box->ValueUpdate();
    RefreshLoads();
    box->selectAll();
}
