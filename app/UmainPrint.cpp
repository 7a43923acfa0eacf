// The print commands of the main window: print, print a selection, the
// print preview, and what they draw from (the open data set).  Each takes
// a value still being typed into a number box first.
#include <QAction>
#include <QKeySequence>
#include <QLabel>

#include "app/Icons.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "datafile/DataSet.h"
#include "engine/Ukorvexa.h"
#include "print/Pagination.h"
#include "print/Upreviewform.h"
#include "print/Uprintsetup.h"
#include "print/Uselectdialog.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageKind;

namespace {

// The slabs of the window's list with the design settings in force.
class WindowSlabs : public print::PrintSource {
public:
    explicit WindowSlabs(const TMainForm& form) : form_(form) {}
    int SlabCount() const override { return form_.SlabList.Count(); }
    const SlabData& Slab(int index) const override { return form_.SlabList.At(index); }
    double LoadUnitFactor() const override { return ProgramSettings().LoadUnitFactor; }
    const BarData& Bars() const override { return ProgramBars(); }
    QString FileName() const override { return form_.CurrentFileName(); }

private:
    const TMainForm& form_;
};

}  // namespace

void TMainForm::SetUpPrint()
{
    PrintSetup->SetPrintSource(std::make_unique<WindowSlabs>(*this));
    SelectDialog = new TSelectDialog(*PrintSetup, this);
    SelectDialog->Inform = [](QWidget* parent, const QString& text) {
        app::Tell(parent, MessageKind::Information, text);
    };
    PreviewForm = new TPreviewForm(*PrintSetup, this);
    using app::MakeToolIcon;
    using app::ToolIcon;
    PreviewForm->SetToolIcons({MakeToolIcon(ToolIcon::Print), MakeToolIcon(ToolIcon::Copy),
                               MakeToolIcon(ToolIcon::First), MakeToolIcon(ToolIcon::Previous),
                               MakeToolIcon(ToolIcon::Next), MakeToolIcon(ToolIcon::Last)});
    SelectDialog->ShowPreview = [this](QWidget*) { PreviewForm->exec(); };
    PrintSetup->OfferPdfFile = [this] {
        return app::OfferedOutputFile(folders_.StartFolder(CurrentFileName()), CurrentFileName(), QStringLiteral(".pdf"));
    };
    connect(PrintSetup, &TPrintSetup::PdfWritten, this, &TMainForm::TellPdfWritten);
    // The File menu enables it while it is open only (UmainFiles.cpp): the
    // command checks for itself.
    ui->MenuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(ui->PrintButton, &QAction::triggered, this, &TMainForm::PrintButtonClick);
    connect(ui->MenuPrint, &QAction::triggered, this, &TMainForm::PrintButtonClick);
    connect(ui->MenuSelectPrint, &QAction::triggered, this, &TMainForm::MenuSelectPrintClick);
    connect(ui->PreviewButton, &QAction::triggered, this, &TMainForm::PreviewButtonClick);
    connect(ui->MenuPreview, &QAction::triggered, this, &TMainForm::PreviewButtonClick);
}

// The slabs that cannot be designed are kept and saved, but have no
// calculation sheet: the message bar names them.
void TMainForm::TellLeftOut()
{
    const std::string note = datafile::LeftOutNote(SlabList.View());
    if (!note.empty())
        ui->MessageBar->setText(QStringLiteral("　") + QString::fromStdString(note));
}

// The PDF printer's file is named where the user looks after printing
// (with the slabs left out, whichever dialog printed).
void TMainForm::TellPdfWritten(const QString& fileName)
{
    folders_.Used(fileName);
    ui->MessageBar->clear();
    TellLeftOut();
    ui->MessageBar->setText(ui->MessageBar->text() + QStringLiteral("　PDFファイルに印刷しました：") + fileName);
}

void TMainForm::PrintButtonClick()
{
    TakeTypedValue();
    if (CountCalculatedSlabs(true) == 0)
        return;
    TellLeftOut();
    PrintSetup->PrintPages(this);
}

void TMainForm::MenuSelectPrintClick()
{
    TakeTypedValue();
    TellLeftOut();
    SelectDialog->exec();
}

void TMainForm::PreviewButtonClick()
{
    TakeTypedValue();
    if (CountCalculatedSlabs(true) == 0)
        return;
    TellLeftOut();
    PreviewForm->exec();
}
