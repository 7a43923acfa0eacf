// The printers of the system through Qt Print Support, plus the PDF
// printer, which writes a PDF file and is the current printer when no
// printer is installed (A4 portrait, no unprintable strips).
//
// The printer works at its high resolution with the margins at the
// printer's minimum, so that the printable area is all the printer can
// reach and the painter's origin is its top left corner.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "printer/PrinterDevice.h"

namespace korvexa::printer {

class QtPrinterDevice : public PrinterDevice {
public:
    // The system's default printer; the PDF printer when there is none.
    QtPrinterDevice();
    // The PDF printer writing to `pdfFile` (the command-line tool's).
    explicit QtPrinterDevice(const QString& pdfFile);
    ~QtPrinterDevice() override;

    QPrinter& Printer() { return printer_; }

    QStringList GetPrinterNames() const override;
    int GetIndex() const override;
    QSize GetDPI() const override;
    QSize GetPaperExtent() const override;
    QPoint GetOffset() const override;
    QSize GetPageExtent() const override;
    int GetAvailInfos() const override { return kPaperSizeNamesAvailable; }
    QStringList GetPaperSizeNames() const override;
    int GetPaperSizeIndex() const override;
    QPageLayout::Orientation GetOrientation() const override;

    void SelectPrinter(int index) override;
    QList<QPageSize> PaperSizes() const override;
    void SetPaperSize(const QPageSize& size) override;
    void SetOrientation(QPageLayout::Orientation orientation) override;
    QString OutputFileName() const override { return printer_.outputFileName(); }
    void SetOutputFileName(const QString& fileName) override;

    QPaintDevice* GetCanvas() override { return &printer_; }
    QPainter* Painter() override { return painter_.isActive() ? &painter_ : nullptr; }

    int GetPrintCaps() const override;
    void SetCopies(int copies) override { printer_.setCopyCount(copies); }
    void ApplySettings() override {}
    bool BeginDoc(const QString& jobName) override;
    bool NewPage() override;
    bool EndDoc() override;
    QString ErrorText() const override { return errorText_; }

    bool PrinterSetupDialog(QWidget* parent) override;
    std::optional<PrintChoice> PrintDialog(QWidget* parent, int pageCount, const QString& pdfFileName) override;

    // The margins at the printer's minimum again, after anything that may
    // have changed printer or paper.
    void UseMinimumMargins();

private:
    void UsePdfPrinter();
    QRect PaperRect() const;
    QRect PageRect() const;
    QString CurrentName() const;

    // Declared before the painter, which is ended before the printer goes.
    QPrinter printer_{QPrinter::HighResolution};
    QPainter painter_;
    QString errorText_;
};

// Makes the program's printer at start-up: a QtPrinterDevice unless a test
// has put another maker in place.
std::function<std::unique_ptr<PrinterDevice>()>& PrinterFactory();

}  // namespace korvexa::printer
