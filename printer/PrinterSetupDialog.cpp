#include "printer/PrinterSetupDialog.h"

#include <QPageSetupDialog>

#include "printer/QtPrinterDevice.h"
#include "ui_PrinterSetupDialog.h"

namespace korvexa::printer {

PrinterSetupDialog::PrinterSetupDialog(QtPrinterDevice& device, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::PrinterSetupDialog>()), device_(device),
      printerAtStart_(device.GetIndex()), paperAtStart_(device.Printer().pageLayout().pageSize()),
      orientationAtStart_(device.GetOrientation())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ShowChoices();
    connect(ui->PrinterBox, qOverload<int>(&QComboBox::activated), this, &PrinterSetupDialog::PrinterChosen);
    connect(ui->PaperBox, qOverload<int>(&QComboBox::activated), this, &PrinterSetupDialog::PaperChosen);
    connect(ui->PortraitButton, &QRadioButton::clicked, this, [this] { device_.SetOrientation(QPageLayout::Portrait); });
    connect(ui->LandscapeButton, &QRadioButton::clicked, this, [this] { device_.SetOrientation(QPageLayout::Landscape); });
    connect(ui->DetailsButton, &QPushButton::clicked, this, &PrinterSetupDialog::DetailsClicked);
    connect(ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PrinterSetupDialog::~PrinterSetupDialog() = default;

void PrinterSetupDialog::ShowChoices()
{
    ui->PrinterBox->clear();
    ui->PrinterBox->addItems(device_.GetPrinterNames());
    ui->PrinterBox->setCurrentIndex(device_.GetIndex());
    ui->PaperBox->clear();
    ui->PaperBox->addItems(device_.GetPaperSizeNames());
    ui->PaperBox->setCurrentIndex(device_.GetPaperSizeIndex());
    const bool landscape = device_.GetOrientation() == QPageLayout::Landscape;
    ui->LandscapeButton->setChecked(landscape);
    ui->PortraitButton->setChecked(!landscape);
    ui->DetailsButton->setEnabled(!device_.IsPdfPrinter());
}

void PrinterSetupDialog::PrinterChosen(int index)
{
    device_.SelectPrinter(index);
    ShowChoices();
}

void PrinterSetupDialog::PaperChosen(int index)
{
    const QList<QPageSize> sizes = device_.PaperSizes();
    if (index >= 0 && index < sizes.size())
        device_.SetPaperSize(sizes[index]);
    ShowChoices();
}

void PrinterSetupDialog::DetailsClicked()
{
    QPageSetupDialog details(&device_.Printer(), this);
    details.exec();
    device_.UseMinimumMargins();
    ShowChoices();
}

void PrinterSetupDialog::done(int result)
{
    if (result != Accepted) {
        device_.SelectPrinter(printerAtStart_);
        device_.SetPaperSize(paperAtStart_);
        device_.SetOrientation(orientationAtStart_);
    }
    QDialog::done(result);
}

}  // namespace korvexa::printer
