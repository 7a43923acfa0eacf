// "プリンタの設定": the printer, its paper and the orientation.  Choices
// take effect on the printer at once, so that the paper list follows the
// printer; Cancel puts back what was chosen when the dialog opened.  The
// printer's own page setup (QPageSetupDialog) is offered for installed
// printers; Qt offers none for the PDF printer.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <memory>

namespace Ui {
class PrinterSetupDialog;
}

namespace korvexa::printer {

class QtPrinterDevice;

class PrinterSetupDialog : public QDialog {
    Q_OBJECT

public:
    PrinterSetupDialog(QtPrinterDevice& device, QWidget* parent = nullptr);
    ~PrinterSetupDialog() override;

    void done(int result) override;

private:
    void ShowChoices();
    void PrinterChosen(int index);
    void PaperChosen(int index);
    void DetailsClicked();

    std::unique_ptr<Ui::PrinterSetupDialog> ui;
    QtPrinterDevice& device_;
    int printerAtStart_;
    QPageSize paperAtStart_;
    QPageLayout::Orientation orientationAtStart_;
};

}  // namespace korvexa::printer
