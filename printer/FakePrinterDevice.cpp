#include "printer/FakePrinterDevice.h"

#include <QPaintEngine>
#include <QTextItem>
#include <climits>
#include <cmath>
#include <utility>

namespace korvexa::printer {

namespace {

// Records instead of drawing.  It claims every feature, so the painter
// hands primitives over untransformed; they are mapped here.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(FakePrinterDevice& device) : QPaintEngine(AllFeatures), device_(device) {}

    bool begin(QPaintDevice*) override
    {
        device_.PainterStarted();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QPointF at = transform_.map(p);
        QVector<DrawnText>& texts = device_.CurrentPage().texts;
        if (!texts.isEmpty()) {
            DrawnText& last = texts.last();
            const bool continues = last.font == item.font() && std::abs(last.baseline.y() - at.y()) < 1e-6 &&
                                   std::abs(last.baseline.x() + last.width - at.x()) < 1e-3;
            if (continues) {
                last.text += item.text();
                last.width += item.width();
                return;
            }
        }
        texts.append({item.text(), at, item.ascent(), item.width(), item.font()});
    }

    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.CurrentPage().lines.append({transform_.map(lines[i]), PenWidth()});
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.CurrentPage().rects.append(
                {transform_.mapRect(rects[i]), PenWidth(), brush_.style() != Qt::NoBrush});
    }

    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { Other(); }
    void drawPath(const QPainterPath&) override { Other(); }
    void drawPoints(const QPointF*, int) override { Other(); }
    void drawEllipse(const QRectF&) override { Other(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { Other(); }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { Other(); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { Other(); }

private:
    qreal PenWidth() const { return pen_.style() == Qt::NoPen ? 0 : pen_.widthF(); }
    void Other() { ++device_.CurrentPage().otherShapes; }

    FakePrinterDevice& device_;
    QTransform transform_;
    QPen pen_;
    QBrush brush_;
};

}  // namespace

// The printable area as a paint device.
class FakePrinterDevice::Canvas : public QPaintDevice {
public:
    explicit Canvas(FakePrinterDevice& device) : device_(device), engine_(device) {}
    ~Canvas() override = default;

    QPaintEngine* paintEngine() const override { return const_cast<RecordingEngine*>(&engine_); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const FakeGeometry& g = device_.geometry;
        switch (metric) {
        case PdmWidth: return g.page.width();
        case PdmHeight: return g.page.height();
        case PdmWidthMM: return static_cast<int>(std::lround(g.page.width() * 25.4 / g.dpi.width()));
        case PdmHeightMM: return static_cast<int>(std::lround(g.page.height() * 25.4 / g.dpi.height()));
        case PdmDpiX:
        case PdmPhysicalDpiX: return g.dpi.width();
        case PdmDpiY:
        case PdmPhysicalDpiY: return g.dpi.height();
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default: return QPaintDevice::metric(metric);
        }
    }

private:
    FakePrinterDevice& device_;
    RecordingEngine engine_;
};

FakePrinterDevice::FakePrinterDevice(FakeGeometry g)
    : geometry(std::move(g)), canvas_(std::make_unique<Canvas>(*this))
{
}

FakePrinterDevice::~FakePrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

QStringList FakePrinterDevice::GetPaperSizeNames() const
{
    QStringList names;
    for (const QPageSize& size : geometry.paperSizes)
        names << size.name();
    return names;
}

void FakePrinterDevice::SetPaperSize(const QPageSize& size)
{
    for (int i = 0; i < geometry.paperSizes.size(); ++i)
        if (geometry.paperSizes[i].isEquivalentTo(size))
            geometry.paperSizeIndex = i;
}

void FakePrinterDevice::SetOrientation(QPageLayout::Orientation orientation)
{
    if (orientation == geometry.orientation)
        return;
    geometry.orientation = orientation;
    geometry.paper.transpose();
    geometry.page.transpose();
    geometry.offset = QPoint(geometry.offset.y(), geometry.offset.x());
}

QPaintDevice* FakePrinterDevice::GetCanvas() { return canvas_.get(); }

DrawnPage& FakePrinterDevice::CurrentPage()
{
    if (pages.isEmpty())
        pages.append(DrawnPage{});
    return pages.last();
}

void FakePrinterDevice::PainterStarted()
{
    if (!inJob_)
        pages.append(DrawnPage{});
}

bool FakePrinterDevice::BeginDoc(const QString& jobName)
{
    ++beginDocs;
    errorText_.clear();
    if (refuseBegin || inJob_) {
        errorText_ = QStringLiteral("プリンタ「%1」で印刷を開始できませんでした。").arg(geometry.printerNames.value(geometry.index));
        return false;
    }
    pages.append(DrawnPage{});
    jobs.append({jobName, static_cast<int>(pages.size()) - 1, 1, copies, false});
    inJob_ = true;
    painter_.begin(canvas_.get());
    return true;
}

bool FakePrinterDevice::NewPage()
{
    ++newPages;
    if (!inJob_)
        return false;
    pages.append(DrawnPage{});
    ++jobs.last().pageCount;
    return true;
}

bool FakePrinterDevice::EndDoc()
{
    ++endDocs;
    if (!inJob_)
        return false;
    painter_.end();
    jobs.last().ended = true;
    inJob_ = false;
    return true;
}

bool FakePrinterDevice::PrinterSetupDialog(QWidget*)
{
    ++setupDialogs;
    return setupAnswer && setupAnswer(*this);
}

std::optional<PrintChoice> FakePrinterDevice::PrintDialog(QWidget*, int pageCount, const QString& pdfFileName)
{
    ++printDialogs;
    printDialogPageCount = pageCount;
    printDialogPdfName = pdfFileName;
    if (!pdfFileName.isEmpty())
        outputFileName_ = pdfFileName;
    if (duringPrintDialog)
        duringPrintDialog(*this);
    return printAnswer;
}

}  // namespace korvexa::printer
