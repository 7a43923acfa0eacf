// PrinterDevice: the program's one door to the current printer, for the
// print layout dialog and the printing run.
//
// Sizes are device pixels of the current printer, pairs are (x, y).  The
// drawing surface has its origin at the top left corner of the printable
// area (not of the sheet), as printer pages do.
//
// Two implementations: QtPrinterDevice (printer/QtPrinterDevice.h) on Qt
// Print Support, and FakePrinterDevice (printer/FakePrinterDevice.h), of
// fixed geometry, which records what is drawn, for tests.
//
// A print job is BeginDoc, NewPage before every page but the first, drawing
// with Painter(), EndDoc; RunPrintJob does exactly that and says what went
// wrong when the printer cannot be opened.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPaintDevice;
class QPainter;
class QWidget;

namespace korvexa::printer {

// GetAvailInfos: the paper size names can be read.
inline constexpr int kPaperSizeNamesAvailable = 0x1;
// GetPrintCaps: the printer makes copies itself.
inline constexpr int kPrinterMakesCopies = 0x20;

// The name of every print job.
inline const QString kJobName = QStringLiteral("Korvexa");
// The printer that writes a PDF file; always offered, and the current one
// when no printer is installed.
inline const QString kPdfPrinterName = QStringLiteral("PDFファイル");

// What the print dialog hands back after OK: a page range within 1..N
// ("all pages" is 1..N), the copies, whether they are collated, and
// whether the pages go out last page first (the dialog's 逆順, which the
// printing run honours itself).
struct PrintChoice {
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
    bool collate = false;
    bool reverse = false;
    bool operator==(const PrintChoice&) const = default;
};

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    // --- the printer and its geometry ------------------------------------
    // The installed printers' names, the PDF printer last.
    virtual QStringList GetPrinterNames() const = 0;
    // Index of the current printer in GetPrinterNames().
    virtual int GetIndex() const = 0;
    virtual QSize GetDPI() const = 0;
    // The whole sheet.
    virtual QSize GetPaperExtent() const = 0;
    // The printable area's top left corner from the sheet's corner.
    virtual QPoint GetOffset() const = 0;
    // The printable area.
    virtual QSize GetPageExtent() const = 0;
    virtual int GetAvailInfos() const = 0;
    virtual QStringList GetPaperSizeNames() const = 0;
    virtual int GetPaperSizeIndex() const = 0;
    virtual QPageLayout::Orientation GetOrientation() const = 0;

    // --- choosing printer and paper ---------------------------------------
    virtual void SelectPrinter(int index) = 0;
    // The paper sizes the current printer offers, in the order of
    // GetPaperSizeNames().
    virtual QList<QPageSize> PaperSizes() const = 0;
    virtual void SetPaperSize(const QPageSize& size) = 0;
    virtual void SetOrientation(QPageLayout::Orientation orientation) = 0;
    bool IsPdfPrinter() const { return GetPrinterNames().value(GetIndex()) == kPdfPrinterName; }
    // The file the PDF printer writes.
    virtual QString OutputFileName() const = 0;
    virtual void SetOutputFileName(const QString& fileName) = 0;

    // --- drawing ------------------------------------------------------------
    // The drawing surface, also for measuring text at the printer's
    // resolution without starting a job: QFontMetricsF(font, GetCanvas()).
    virtual QPaintDevice* GetCanvas() = 0;
    // The painter on the surface between BeginDoc and EndDoc, else null.
    virtual QPainter* Painter() = 0;

    // --- jobs ---------------------------------------------------------------
    virtual int GetPrintCaps() const = 0;
    virtual void SetCopies(int copies) = 0;
    // Makes changed settings take effect (Qt applies them at once).
    virtual void ApplySettings() = 0;
    // False when the printer cannot be opened; ErrorText() says why.
    virtual bool BeginDoc(const QString& jobName) = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDoc() = 0;
    // Why the last BeginDoc, NewPage or EndDoc failed, for the user.
    virtual QString ErrorText() const = 0;

    // --- dialogs --------------------------------------------------------------
    // Printer, paper and orientation; true on OK.
    virtual bool PrinterSetupDialog(QWidget* parent) = 0;
    // Page range 1..pageCount, copies and collation; nothing when cancelled.
    // The PDF printer's file starts as `pdfFileName` (see DefaultPdfFileName)
    // and may be changed in the dialog.
    virtual std::optional<PrintChoice> PrintDialog(QWidget* parent, int pageCount, const QString& pdfFileName) = 0;
};

// "タテ" (portrait) or "ヨコ" (landscape).
QString OrientationText(QPageLayout::Orientation orientation);

// The PDF file offered for a data file: beside it, with ".pdf"; for data
// without a file, "Korvexa.pdf" in the documents folder.
QString DefaultPdfFileName(const QString& dataFileName);

// One print job of `pageCount` pages; drawPage(painter, i) draws page i
// (0-based).  Returns the empty text, or, when the printer could not be
// opened or failed midway, what to tell the user.  A job that failed to
// begin draws nothing.
QString RunPrintJob(PrinterDevice& device, int pageCount, const std::function<void(QPainter&, int)>& drawPage);

}  // namespace korvexa::printer
