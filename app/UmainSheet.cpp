// Recalculation of the current slab: the result sheet, the λ label, the
// message bar and the pitch buttons; the sheet's background colour.
#include <algorithm>

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "app/FieldLabels.h"
#include "app/InputState.h"
#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/UserMessages.h"
#include "components/EventHook.h"
#include "engine/InputCheck.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"
#include "print/ResultSheet.h"
#include "ui_Umain.h"

using namespace korvexa;

namespace {

// Eight rows and three lines of checks below them.
int SheetHeight(const QFont& font)
{
    const int h = QFontMetrics(font).height();
    return 8 * (h + 10) + 3 * (h + 5) + 12;
}

}  // namespace

void TMainForm::SetUpSheet()
{
    ChooseColour = [](QWidget* parent, const QColor& initial) {
        return QColorDialog::getColor(initial, parent, QString());
    };
    connect(ui->OBord, &QWidget::customContextMenuRequested, this, &TMainForm::SheetContextMenu);
    // The sheet spans its panel: at least as wide as its texts need, wider
    // when the bar grid below makes the column wider; drawn again when its
    // width changes.
    ui->OBord->setMinimumWidth(SheetWidth());
    ui->OBord->setFixedHeight(SheetHeight(font()));
    ui->OBord->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);  // not the drawing's width
    HookEvents(ui->OBord, [this](QEvent* event) {
        if (event->type() == QEvent::Resize && !showing_ && sheet_.width() != ui->OBord->width()) {
            DrawResultFrame();
            DrawResultValues();
            ShowSheet();
        }
        return false;
    });
}

int TMainForm::Recalculate()
{
    if (showing_)
        return DesignIncomplete;
    MirrorSupportedPitches();
    ui->LabelLambda->clear();
    ui->MessageBar->clear();
    DrawResultFrame();
    const int status = DrawResultValues();
    ShowSheet();
    const SlabData& slab = SlabList.Current();
    if (slab.Lambda > 0)
        ui->LabelLambda->setText(QStringLiteral("λ＝") + QString::fromStdString(FixedNumber(slab.Lambda, 2)));
    switch (status) {
    case DesignOk:
        ShowBars();
        if (!slab.Message.empty()) {
            app::Beep();
            ui->MessageBar->setText(
                QStringLiteral("　Warning : 以下の箇所で、鉄筋全断面積が 0.2% を下廻っています。　　") +
                app::Utf8(slab.Message));
        }
        break;
    case DesignSpansSwapped:
        app::Beep();
        ui->MessageBar->setText(QStringLiteral("　Error : Lx が Ly よりも大きい"));
        break;
    case DesignLambdaTooLarge:
        app::Beep();
        ui->MessageBar->setText(QStringLiteral("　Error : λの値が制限値を越えている。　λ≦") +
                                QString::number(slab.LambdaMax, 'g', 15));
        break;
    default:
        // Inputs that cannot be designed say why; spans not yet entered are
        // no fault.
        if (!(slab.Lx <= 0 || (IsTwoWay(slab.Bind) && slab.Ly <= 0))) {
            app::Beep();
            InputProblem problem = DescribeDesignFailure(slab, status, ProgramSettings(), ProgramBars());
            app::PanelChoices choices;
            choices.bind = slab.Bind;
            problem.field = app::FieldLabel(problem.field, app::ComputePanelState(choices));
            ui->MessageBar->setText(QStringLiteral("　Error : ") + app::Utf8(problem.Text()));
        }
        break;
    }
    ui->ReadPitchButton->setEnabled(status == DesignOk);
    ui->CalcPitchButton->setEnabled(status == DesignOk);
    return status;
}

int TMainForm::SheetWidth() const
{
    // The narrowest sheet: four value columns and a caption column wide
    // enough for its texts.
    const QFontMetrics metrics(font());
    const int column = metrics.horizontalAdvance(QStringLiteral("D29･D29 @500")) + 8;
    const int captions = metrics.horizontalAdvance(QStringLiteral("必要at ( dt )")) + 12;
    return captions + 4 * column;
}

void TMainForm::DrawResultFrame()
{
    sheet_ = NewSheetImage(std::max(ui->OBord->width(), SheetWidth()), SheetHeight(font()));
    korvexa::DrawResultFrame(sheet_, font(), ui->BindComboBox->currentIndex(), SlabList.Current().LoadTime);
}

int TMainForm::DrawResultValues()
{
    return korvexa::DrawResultValues(sheet_, font(), SlabList.Current(), ProgramSettings(), ProgramBars());
}

void TMainForm::ShowSheet()
{
    ui->OBord->setPixmap(QPixmap::fromImage(sheet_));
}

void TMainForm::SheetContextMenu(const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopupMenu"));
    QAction* change = menu.addAction(QStringLiteral("背景色の変更"));
    change->setObjectName(QStringLiteral("N3"));
    menu.addSeparator();
    QAction* reset = menu.addAction(QStringLiteral("デフォルトの背景色"));
    reset->setObjectName(QStringLiteral("N5"));
    QAction* chosen = menu.exec(ui->OBord->mapToGlobal(at));
    if (chosen == change)
        ChangeBackColour();
    else if (chosen == reset)
        DefaultBackColour();
}

void TMainForm::ChangeBackColour()
{
    const QColor colour = ChooseColour(this, BackColor());
    if (colour.isValid())
        SetPanelColour(colour);
}

void TMainForm::DefaultBackColour() { SetPanelColour(DefaultBackColor); }
