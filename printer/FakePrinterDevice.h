// A printer of fixed geometry for tests.  Nothing is rasterised: its paint
// engine records what is drawn (texts with their positions and fonts,
// lines, rectangles) page by page, and the device counts BeginDoc, NewPage
// and EndDoc.  Its dialogs answer what the test has put in place.
//
// The default geometry is a 600 dpi laser printer with A4 paper, 4960 x
// 7016 px, and unprintable strips of 149 px (6.3 mm) left and right and
// 99 px (4.2 mm) at the top and the bottom.  Text is measured with the
// fonts installed (fonts-ipafont stands in for the Japanese fonts), as on
// a real printer: QFontMetricsF(font, device.GetCanvas()).
//
// Typical use:
//   FakePrinterDevice printer;
//   RunPrintJob(printer, 2, draw);
//   printer.pages[1].texts[0].text, .baseline, .Top(); printer.newPages == 1
// Painting on GetCanvas() with a QPainter of one's own, outside a job, adds
// one page per painter.
#pragma once

#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <memory>

#include "printer/PrinterDevice.h"

namespace korvexa::printer {

struct FakeGeometry {
    QStringList printerNames{QStringLiteral("Laser A4"), kPdfPrinterName};
    int index = 0;
    QSize dpi{600, 600};
    QSize paper{4960, 7016};
    QPoint offset{149, 99};
    QSize page{4960 - 2 * 149, 7016 - 2 * 99};
    bool paperNamesAvailable = true;
    QList<QPageSize> paperSizes{QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)};
    int paperSizeIndex = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool makesCopies = true;
};

// One text as drawn.  Qt hands a string over in pieces (one per script);
// pieces that continue one another on the same baseline in the same font
// are joined again, so that one drawText is one text.
struct DrawnText {
    QString text;
    QPointF baseline;  // left end of the baseline
    qreal ascent = 0;
    qreal width = 0;
    QFont font;
    qreal Top() const { return baseline.y() - ascent; }
};

struct DrawnLine {
    QLineF line;
    qreal penWidth = 0;
};

struct DrawnRect {
    QRectF rect;
    qreal penWidth = 0;  // 0 without a pen
    bool filled = false;
};

struct DrawnPage {
    QVector<DrawnText> texts;
    QVector<DrawnLine> lines;
    QVector<DrawnRect> rects;
    int otherShapes = 0;  // polygons, paths, ellipses, points, images
};

struct FakeJob {
    QString name;
    int firstPage = 0;  // index into pages
    int pageCount = 0;
    int copies = 1;     // the driver's copy count when the job began
    bool ended = false;
};

class FakePrinterDevice : public PrinterDevice {
public:
    explicit FakePrinterDevice(FakeGeometry geometry = {});
    ~FakePrinterDevice() override;

    FakeGeometry geometry;

    // What happened.
    QVector<DrawnPage> pages;
    QVector<FakeJob> jobs;
    int beginDocs = 0;
    int newPages = 0;
    int endDocs = 0;
    int copies = 1;
    int settingsApplied = 0;
    int setupDialogs = 0;
    int printDialogs = 0;
    int printDialogPageCount = 0;
    QString printDialogPdfName;

    // What the test lets happen.
    bool refuseBegin = false;                          // BeginDoc fails
    std::function<bool(FakePrinterDevice&)> setupAnswer;  // the setup dialog; none: cancelled
    std::optional<PrintChoice> printAnswer;            // the print dialog; none: cancelled
    std::function<void(FakePrinterDevice&)> duringPrintDialog;  // what the user changes in it (paper)

    QStringList GetPrinterNames() const override { return geometry.printerNames; }
    int GetIndex() const override { return geometry.index; }
    QSize GetDPI() const override { return geometry.dpi; }
    QSize GetPaperExtent() const override { return geometry.paper; }
    QPoint GetOffset() const override { return geometry.offset; }
    QSize GetPageExtent() const override { return geometry.page; }
    int GetAvailInfos() const override { return geometry.paperNamesAvailable ? kPaperSizeNamesAvailable : 0; }
    QStringList GetPaperSizeNames() const override;
    int GetPaperSizeIndex() const override { return geometry.paperSizeIndex; }
    QPageLayout::Orientation GetOrientation() const override { return geometry.orientation; }

    void SelectPrinter(int index) override { geometry.index = index; }
    QList<QPageSize> PaperSizes() const override { return geometry.paperSizes; }
    void SetPaperSize(const QPageSize& size) override;
    // Turns the sheet: extents and offsets swap their axes.
    void SetOrientation(QPageLayout::Orientation orientation) override;
    QString OutputFileName() const override { return outputFileName_; }
    void SetOutputFileName(const QString& fileName) override { outputFileName_ = fileName; }

    QPaintDevice* GetCanvas() override;
    QPainter* Painter() override { return painter_.isActive() ? &painter_ : nullptr; }

    int GetPrintCaps() const override { return geometry.makesCopies ? kPrinterMakesCopies : 0; }
    void SetCopies(int n) override { copies = n; }
    void ApplySettings() override { ++settingsApplied; }
    bool BeginDoc(const QString& jobName) override;
    bool NewPage() override;
    bool EndDoc() override;
    QString ErrorText() const override { return errorText_; }

    bool PrinterSetupDialog(QWidget* parent) override;
    std::optional<PrintChoice> PrintDialog(QWidget* parent, int pageCount, const QString& pdfFileName) override;

    // The page being drawn on (a new one when painting starts outside a job).
    DrawnPage& CurrentPage();
    void PainterStarted();

private:
    class Canvas;
    std::unique_ptr<Canvas> canvas_;
    QPainter painter_;
    bool inJob_ = false;
    QString outputFileName_;
    QString errorText_;
};

}  // namespace korvexa::printer
