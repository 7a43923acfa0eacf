// The reinforcement and concrete part of the input panel: bar and pitch
// boxes, compression-bar arrangement, the pitch buttons, concrete kind,
// strength and unit weight.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/Umain.h"
#include "app/UmainShared.h"
#include "components/EventHook.h"
#include "components/NumberEdit.h"
#include "engine/Ukorvexa.h"
#include "ui_Umain.h"

using namespace korvexa;

namespace {

constexpr int kFcMaxLength = 4;

QString FcString(double fc) { return QString::fromStdString(app::FcText(fc)); }

// Shows a slab's strength whole: the box's length limit is for typing, and
// a file may hold a longer strength than can be typed.
void ShowFcText(QComboBox* box, double fc)
{
    const QString text = FcString(fc);
    if (text.size() > box->lineEdit()->maxLength())
        box->lineEdit()->setMaxLength(static_cast<int>(text.size()));
    box->setEditText(text);
}

// Direction, position and bar of a bar box from its tag 1000 + 100·d + 10·p + n.
struct BarPlace {
    int d, p, n;
};
BarPlace PlaceOf(int tag) { return {(tag / 100) % 10, (tag / 10) % 10, tag % 10}; }

}  // namespace

void TMainForm::SetUpBars()
{
    BarBoxes = {ui->BarBox1, ui->BarBox2, ui->BarBox3, ui->BarBox4, ui->BarBox5, ui->BarBox6, ui->BarBox7, ui->BarBox8};
    PitchBoxes = {ui->PitchBox1, ui->PitchBox2, ui->PitchBox3, ui->PitchBox4};
    const BarData bars;
    for (std::size_t i = 0; i < BarBoxes.size(); ++i) {
        QComboBox* box = BarBoxes[i];
        const int tag = 1000 + 100 * static_cast<int>(i / 4) + 10 * static_cast<int>((i / 2) % 2) + static_cast<int>(i % 2);
        box->setProperty("Tag", tag);
        if (tag % 2 == 1)
            box->addItem(QString());  // the added bar may be none
        for (int size = BarD10; size < BarSizeCount; ++size)
            box->addItem(QString::fromStdString(bars[size].Name));
        connect(box, qOverload<int>(&QComboBox::activated), this, [this, tag](int index) { BarBoxChange(tag, index); });
    }
    for (TNumberEdit* pitch : PitchBoxes) {
        pitch->SetType(TNumberEdit::numINT);
        pitch->SetCutMode(TNumberEdit::numNONE);
        pitch->SetSignState(TNumberEdit::numUnSigned);
        pitch->SetZeroVisible(false);
        pitch->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pitch->setMaxLength(4);
        pitch->setFixedWidth(56);
        connect(pitch, &TNumberEdit::exited, this, &TMainForm::Recalculate);
    }

    for (int mode = 0; mode < CompModeCount; ++mode) {
        if (mode < CompNone)
            ui->ComboBox1->addItem(app::Utf8(CompModeName(mode)));
        ui->ComboBox2->addItem(app::Utf8(CompModeName(mode)));
    }
    connect(ui->ComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int i) { ComboBox1Change(0, i); });
    connect(ui->ComboBox2, qOverload<int>(&QComboBox::activated), this, [this](int i) { ComboBox1Change(1, i); });
    connect(ui->BarPositionCheck, &QCheckBox::clicked, this, &TMainForm::BarPositionCheckClick);
    connect(ui->ReadPitchButton, &QPushButton::clicked, this, &TMainForm::ReadPitchButtonClick);
    connect(ui->CalcPitchButton, &QPushButton::clicked, this, &TMainForm::CalcPitchButtonClick);

    for (int kind = 0; kind < ConcreteKindCount; ++kind)
        ui->ConcreatInput->addItem(QStringLiteral(" ") + app::Utf8(ConcreteKindName(kind)));
    connect(ui->ConcreatInput, qOverload<int>(&QComboBox::activated), this, &TMainForm::ConcreatInputChange);

    ui->FcInput->setEditable(true);
    ui->FcInput->setInsertPolicy(QComboBox::NoInsert);
    ui->FcInput->setCompleter(nullptr);
    ui->FcInput->lineEdit()->setMaxLength(kFcMaxLength);
    connect(ui->FcInput, &QComboBox::editTextChanged, this, &TMainForm::FcInputChange);
    HookEvents(ui->FcInput, [this](QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // Typed characters are filtered; keys that move the focus or
            // edit without typing (Tab, Enter, Esc, Delete, arrows) pass.
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool typed = !text.isEmpty() && (text.front().isPrint() || key->key() == Qt::Key_Backspace);
            return typed && !FcInputKeyPress(text.front());
        }
        case QEvent::FocusIn:
            FcTextAtEntry = ui->FcInput->currentText();  // FcInputEnter
            return false;
        case QEvent::FocusOut:
            if (app::LeavesTheControl(*static_cast<QFocusEvent*>(event))) {
                FcInputExit();
                CommitEdit();  // the strength typed is one step
            }
            return false;
        default:
            return false;
        }
    });

    ui->GammaInput->SetType(TNumberEdit::numDOUBLE);
    ui->GammaInput->SetDigits(-1);
    ui->GammaInput->SetSignState(TNumberEdit::numUnSigned);
    ui->GammaInput->SetZeroValue(21);
    connect(ui->GammaInput, &TNumberEdit::exited, this, &TMainForm::RefreshLoads);
    ui->GammaInput->setMaximumWidth(64);
    ui->CovInput->setMaximumWidth(64);
    ui->CovInput->SetType(TNumberEdit::numDOUBLE);
    ui->CovInput->SetDigits(1);
    ui->CovInput->SetSignState(TNumberEdit::numUnSigned);
    ui->CovInput->SetZeroValue(4);
    connect(ui->CovInput, &TNumberEdit::exited, this, &TMainForm::Recalculate);
}

void TMainForm::ShowBars()
{
    const SlabData& slab = SlabList.Current();
    for (int d = 0; d < 2; ++d)
        for (int p = 0; p < 2; ++p) {
            const std::size_t position = static_cast<std::size_t>(2 * d + p);
            BarBoxes[2 * position]->setCurrentIndex(slab.Bar[d][p][0] - 1);
            BarBoxes[2 * position + 1]->setCurrentIndex(slab.Bar[d][p][1]);
            PitchBoxes[position]->ShowUpdate();
        }
}

void TMainForm::ShowConcrete()
{
    const SlabData& slab = SlabList.Current();
    ui->ComboBox1->setCurrentIndex(slab.CompMode[0]);
    ui->ComboBox2->setCurrentIndex(slab.CompMode[1]);
    ui->ConcreatInput->setCurrentIndex(slab.Concrete);
    // The strength choices follow the concrete of the slab shown, so that a
    // normal-concrete slab offers every strength after a lightweight one.
    FcList_.SetMaxFc(app::MaxFcOf(slab.Concrete));
    FillFcItems();
    ShowFcText(ui->FcInput, slab.Fc);
    FcTextAtEntry = ui->FcInput->currentText();
    ui->BarPositionCheck->setChecked(slab.BarOutside != 0);
}

void TMainForm::BarBoxChange(int tag, int index)
{
    const BarPlace at = PlaceOf(tag);
    SlabList.Current().Bar[at.d][at.p][at.n] = at.n == 0 ? index + 1 : index;
    Recalculate();
}

void TMainForm::ComboBox1Change(int tag, int index)
{
    SlabList.Current().CompMode[tag] = index;
    Recalculate();
}

void TMainForm::BarPositionCheckClick()
{
    SlabList.Current().BarOutside = ui->BarPositionCheck->isChecked() ? 1 : 0;
    Recalculate();
}

void TMainForm::ReadPitchButtonClick()
{
    TakeCalculatedPitches(SlabList.Current());
    ShowBars();
    CommitEdit(QStringLiteral("配筋ピッチの読込み"));
}

void TMainForm::CalcPitchButtonClick()
{
    ClearPitches(SlabList.Current(), false);
    ShowBars();
    Recalculate();
    CommitEdit(QStringLiteral("配筋ピッチの算定"));
}

// ---------------------------------------------------------------- strength

void TMainForm::FcListReset()
{
    FcList_.FcListReset();
    FillFcItems();
}

void TMainForm::FcListAdd(double fc)
{
    if (FcList_.FcListAdd(fc))
        FillFcItems();
}

// The items of the strength box: the choices up to the current limit.
void TMainForm::FillFcItems()
{
    const QString text = ui->FcInput->currentText();
    const bool suppressed = ui->FcInput->blockSignals(true);
    ui->FcInput->clear();
    for (double fc : FcList_.Values())
        if (fc <= FcList_.MaxFc())
            ui->FcInput->addItem(FcString(fc));
    ui->FcInput->setEditText(text);
    ui->FcInput->blockSignals(suppressed);
}

void TMainForm::ConcreatInputChange(int index)
{
    SlabData& slab = SlabList.Current();
    slab.Concrete = index;
    FcList_.SetMaxFc(app::MaxFcOf(index));
    FillFcItems();
    if (slab.Fc > FcList_.MaxFc()) {
        ui->FcInput->setCurrentIndex(1);
        slab.Fc = ui->FcInput->itemText(1).toDouble();
        ui->FcInput->setEditText(ui->FcInput->itemText(1));
    } else {
        ShowFcText(ui->FcInput, slab.Fc);
    }
    FcTextAtEntry = ui->FcInput->currentText();
    UpdateUnitWeight();
}

// Digits and one point; no leading zero or point.  False rejects the key.
bool TMainForm::FcInputKeyPress(QChar key)
{
    QLineEdit* edit = ui->FcInput->lineEdit();
    const bool atStart = edit->cursorPosition() == 0 || edit->text().isEmpty();
    if (key == QLatin1Char('\b') || (key >= QLatin1Char('1') && key <= QLatin1Char('9')))
        return true;
    if (key == QLatin1Char('0'))
        return !atStart;
    if (key == QLatin1Char('.'))
        return !atStart && !edit->text().contains(QLatin1Char('.'));
    return false;
}

void TMainForm::FcInputChange(const QString& text)
{
    if (showing_ || text.size() < 2)
        return;
    bool ok = false;
    const double fc = text.toDouble(&ok);
    SlabData& slab = SlabList.Current();
    if (!ok || fc > FcList_.MaxFc() || fc < app::TFc_List::kLowest) {
        const bool suppressed = ui->FcInput->blockSignals(true);
        ui->FcInput->setEditText(FcTextAtEntry);
        ui->FcInput->blockSignals(suppressed);
        return;
    }
    if (fc != slab.Fc) {
        slab.Fc = fc;
        FcTextAtEntry = text;
        UpdateUnitWeight();
    }
}

void TMainForm::FcInputExit()
{
    if (ui->FcInput->currentText().isEmpty()) {
        ui->FcInput->setEditText(FcTextAtEntry);
        return;
    }
    FcListAdd(SlabList.Current().Fc);
}

void TMainForm::UpdateUnitWeight()
{
    SlabData& slab = SlabList.Current();
    slab.Gamma = app::UnitWeightFor(slab.Concrete, slab.Fc, slab.Gamma);
    ui->GammaInput->ShowUpdate();
    RefreshLoads();
}

void TMainForm::MirrorSupportedPitches()
{
    SlabData& slab = SlabList.Current();
    if (!IsSimplySupportedSpan(slab.Bind))
        return;
    for (int d = 0; d < 2; ++d)
        if (slab.Pitch[d][0] != slab.Pitch[d][1]) {
            slab.Pitch[d][0] = slab.Pitch[d][1];
            PitchBoxes[static_cast<std::size_t>(2 * d)]->ShowUpdate();
        }
}
