// The whole data set at once: the overview window "スラブ一覧" and the CSV
// export of every slab.
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <ostream>

#include "app/DataNotifier.h"
#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/Uoverview.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"
#include "datafile/SafeFile.h"
#include "datafile/SlabCsv.h"
#include "engine/SlabVerdict.h"
#include "engine/Ukorvexa.h"
#include "ui_Umain.h"

using namespace korvexa;

namespace {

const QString kCsvUtf8Filter = QStringLiteral("CSV UTF-8 (*.csv)");
const QString kCsvCp932Filter = QStringLiteral("CSV Shift_JIS (CP932) (*.csv)");

TMainForm::CsvTarget RunCsvDialog(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("CSV出力"), suggested,
                       kCsvUtf8Filter + QStringLiteral(";;") + kCsvCp932Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {dialog.selectedFiles().value(0), dialog.selectedNameFilter() == kCsvCp932Filter
                                                 ? datafile::CsvEncoding::Cp932
                                                 : datafile::CsvEncoding::Utf8};
}

}  // namespace

void TMainForm::SetUpOverview()
{
    ui->MenuOverview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(ui->MenuOverview, &QAction::triggered, this, &TMainForm::OverviewButtonClick);
    connect(ui->OverviewButton, &QAction::triggered, this, &TMainForm::OverviewButtonClick);
    connect(ui->MenuCsvOut, &QAction::triggered, this, &TMainForm::MenuCsvOutClick);
    ChooseCsvFile = RunCsvDialog;
}

// A value typed into a box of this window counts before another slab is
// shown or the data is written, also when the overview window took the
// focus meanwhile (which does not end the typing).
void TMainForm::TakeValueTypedHere()
{
    QWidget* box = isActiveWindow() ? nullptr : focusWidget();
    if (auto* edit = qobject_cast<TNumberEdit*>(box); edit && edit->isModified()) {
        edit->ValueUpdate();
        emit edit->exited();
    } else if (box && box == NameBox->lineEdit()) {
        NameBoxExit();
    }
    TakeTypedValue();
}

void TMainForm::OverviewButtonClick()
{
    TakeValueTypedHere();
    if (!OverviewForm) {
        OverviewForm = new TOverviewForm(*notifier_, iniFileName_, this);
        connect(OverviewForm, &TOverviewForm::SlabChosen, this, &TMainForm::ShowSlabAt);
    }
    OverviewForm->show();
    OverviewForm->raise();
    OverviewForm->activateWindow();
}

void TMainForm::ShowSlabAt(int index)
{
    if (index < 1 || index > SlabList.Count())
        return;
    TakeValueTypedHere();
    SlabList.SetCurrentIndex(index);
    SuppressNameChange = true;
    ShowSlab();
}

// ---------------------------------------------------------------- CSV

void TMainForm::MenuCsvOutClick()
{
    TakeValueTypedHere();
    const QString suggested =
        app::OfferedOutputFile(folders_.StartFolder(CurrentFileName()), CurrentFileName(), QStringLiteral(".csv"));
    const CsvTarget target = ChooseCsvFile(this, suggested);
    if (target.fileName.isEmpty())
        return;
    folders_.Used(target.fileName);
    std::size_t replacedRows = 0;
    std::string error;
    const bool written = datafile::ReplaceFileContents(
        target.fileName.toStdString(),
        [&](std::ostream& out) {
            datafile::SlabCsvWriter csv(out, target.encoding, ProgramSettings(), ProgramBars());
            csv.WriteHeader();
            for (int i = 1; i <= SlabList.Count() && out; ++i)
                csv.WriteSlab(static_cast<std::size_t>(i), SlabList.At(i),
                              JudgeListedSlab(SlabList.At(i), ProgramSettings(), ProgramBars()));
            replacedRows = csv.ReplacedRows();
            return true;
        },
        error);
    if (!written) {
        app::Tell(this, app::MessageKind::Error,
                  QStringLiteral("CSV ファイルを書き込めません。\n") + target.fileName + QStringLiteral("\n") +
                      app::Utf8(error));
        return;
    }
    ui->MessageBar->setText(QStringLiteral("　CSV出力: %1（スラブ %2 枚）").arg(target.fileName).arg(SlabList.Count()));
    if (replacedRows > 0)
        app::Tell(this, app::MessageKind::Warning,
                  QStringLiteral("Shift_JIS にない文字を「?」に置き換えました（%1 行）。").arg(replacedRows));
}
