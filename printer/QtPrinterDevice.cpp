#include "printer/QtPrinterDevice.h"

#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "printer/PrinterSetupDialog.h"

namespace korvexa::printer {

namespace {

// The papers of the PDF printer.
QList<QPageSize> PdfPaperSizes()
{
    QList<QPageSize> sizes;
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::JisB4, QPageSize::JisB5,
                                     QPageSize::Letter, QPageSize::Legal})
        sizes << QPageSize(id);
    return sizes;
}

int IndexOfSize(const QList<QPageSize>& sizes, const QPageSize& size)
{
    for (int i = 0; i < sizes.size(); ++i)
        if (sizes[i].isEquivalentTo(size))
            return i;
    return -1;
}

}  // namespace

QtPrinterDevice::QtPrinterDevice()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name)) {
        UsePdfPrinter();
        return;
    }
    printer_.setOutputFormat(QPrinter::NativeFormat);
    printer_.setPrinterName(name);
    UseMinimumMargins();
}

QtPrinterDevice::QtPrinterDevice(const QString& pdfFile)
{
    UsePdfPrinter();
    SetOutputFileName(pdfFile);
}

void QtPrinterDevice::SetOutputFileName(const QString& fileName)
{
    // QPrinter takes a name ending in .pdf for a switch to the PDF printer,
    // and an empty one for a switch to the system's printer: the printer
    // stays the one chosen, so that a PDF without a name is refused
    // instead of printed on the default printer.
    const QPrinter::OutputFormat format = printer_.outputFormat();
    const QString name = printer_.printerName();
    printer_.setOutputFileName(fileName);
    if (printer_.outputFormat() != format) {
        printer_.setOutputFormat(format);
        if (format == QPrinter::NativeFormat)
            printer_.setPrinterName(name);
        UseMinimumMargins();
    }
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrinterDevice::UsePdfPrinter()
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(QPageLayout::Portrait);
    UseMinimumMargins();
}

void QtPrinterDevice::UseMinimumMargins()
{
    printer_.setFullPage(false);
    QPageLayout layout = printer_.pageLayout();
    layout.setMargins(layout.minimumMargins());
    printer_.setPageLayout(layout);
}

QStringList QtPrinterDevice::GetPrinterNames() const
{
    return QPrinterInfo::availablePrinterNames() << kPdfPrinterName;
}

int QtPrinterDevice::GetIndex() const
{
    const QStringList names = GetPrinterNames();
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        return static_cast<int>(names.size()) - 1;
    return std::max(0, static_cast<int>(names.indexOf(printer_.printerName())));
}

QString QtPrinterDevice::CurrentName() const { return GetPrinterNames().value(GetIndex()); }

QSize QtPrinterDevice::GetDPI() const { return {printer_.resolution(), printer_.resolution()}; }

QRect QtPrinterDevice::PaperRect() const { return printer_.paperRect(QPrinter::DevicePixel).toRect(); }

QRect QtPrinterDevice::PageRect() const { return printer_.pageRect(QPrinter::DevicePixel).toRect(); }

QSize QtPrinterDevice::GetPaperExtent() const { return PaperRect().size(); }

QPoint QtPrinterDevice::GetOffset() const { return PageRect().topLeft() - PaperRect().topLeft(); }

QSize QtPrinterDevice::GetPageExtent() const { return PageRect().size(); }

QList<QPageSize> QtPrinterDevice::PaperSizes() const
{
    QList<QPageSize> sizes = printer_.outputFormat() == QPrinter::PdfFormat
                                 ? PdfPaperSizes()
                                 : QPrinterInfo(printer_).supportedPageSizes();
    const QPageSize current = printer_.pageLayout().pageSize();
    if (IndexOfSize(sizes, current) < 0)
        sizes << current;
    return sizes;
}

QStringList QtPrinterDevice::GetPaperSizeNames() const
{
    QStringList names;
    for (const QPageSize& size : PaperSizes())
        names << size.name();
    return names;
}

int QtPrinterDevice::GetPaperSizeIndex() const
{
    return IndexOfSize(PaperSizes(), printer_.pageLayout().pageSize());
}

QPageLayout::Orientation QtPrinterDevice::GetOrientation() const { return printer_.pageLayout().orientation(); }

void QtPrinterDevice::SelectPrinter(int index)
{
    const QStringList names = GetPrinterNames();
    if (index < 0 || index >= names.size() || index == GetIndex())
        return;
    if (index == names.size() - 1) {
        UsePdfPrinter();
        return;
    }
    printer_.setOutputFormat(QPrinter::NativeFormat);
    printer_.setPrinterName(names[index]);
    UseMinimumMargins();
}

void QtPrinterDevice::SetPaperSize(const QPageSize& size)
{
    printer_.setPageSize(size);
    UseMinimumMargins();
}

void QtPrinterDevice::SetOrientation(QPageLayout::Orientation orientation)
{
    printer_.setPageOrientation(orientation);
    UseMinimumMargins();
}

int QtPrinterDevice::GetPrintCaps() const { return printer_.supportsMultipleCopies() ? kPrinterMakesCopies : 0; }

bool QtPrinterDevice::BeginDoc(const QString& jobName)
{
    errorText_.clear();
    const bool pdf = IsPdfPrinter();
    if (pdf && printer_.outputFileName().isEmpty()) {
        errorText_ = QStringLiteral("PDF ファイルの名前がありません。");
        return false;
    }
    printer_.setDocName(jobName);
    if (painter_.isActive() || !painter_.begin(&printer_)) {
        errorText_ = pdf ? QStringLiteral("PDF ファイルに書き込めませんでした。\n%1").arg(printer_.outputFileName())
                         : QStringLiteral("プリンタ「%1」で印刷を開始できませんでした。").arg(CurrentName());
        return false;
    }
    return true;
}

bool QtPrinterDevice::NewPage()
{
    if (printer_.newPage())
        return true;
    errorText_ = QStringLiteral("プリンタ「%1」で次のページを始められませんでした。").arg(CurrentName());
    return false;
}

bool QtPrinterDevice::EndDoc()
{
    const bool ended = painter_.isActive() && painter_.end();
    if (ended && printer_.printerState() != QPrinter::Error)
        return true;
    errorText_ = QStringLiteral("プリンタ「%1」での印刷を終えられませんでした。").arg(CurrentName());
    return false;
}

bool QtPrinterDevice::PrinterSetupDialog(QWidget* parent)
{
    korvexa::printer::PrinterSetupDialog dialog(*this, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PrintChoice> QtPrinterDevice::PrintDialog(QWidget* parent, int pageCount, const QString& pdfFileName)
{
    pageCount = std::max(1, pageCount);
    // The PDF printer's file (the dialog's "..." button is the save dialog)
    // starts beside the current data file.  A system printer gets no file,
    // which would turn its job into a file.
    if (!pdfFileName.isEmpty() && IsPdfPrinter())
        printer_.setOutputFileName(pdfFileName);
    QPrintDialog dialog(&printer_, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    UseMinimumMargins();  // the dialog may have changed printer or paper
    if (!accepted)
        return std::nullopt;
    PrintChoice choice{1, pageCount, printer_.copyCount(), printer_.collateCopies(),
                       printer_.pageOrder() == QPrinter::LastPageFirst};
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        choice.fromPage = std::clamp(dialog.fromPage(), 1, pageCount);
        choice.toPage = std::clamp(dialog.toPage(), choice.fromPage, pageCount);
    }
    return choice;
}

std::function<std::unique_ptr<PrinterDevice>()>& PrinterFactory()
{
    static std::function<std::unique_ptr<PrinterDevice>()> factory = [] {
        return std::unique_ptr<PrinterDevice>(std::make_unique<QtPrinterDevice>());
    };
    return factory;
}

}  // namespace korvexa::printer
