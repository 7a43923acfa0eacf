#include "print/PageCopy.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QSvgGenerator>
#include <cmath>

#include "print/PreviewLayout.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"

namespace korvexa::print {

std::unique_ptr<QMimeData> CopyOfPage(const PrinterInfomation& printer, const PageContent& content,
                                      const Pagination& pages, int page, double ppi)
{
    // The page from the picture's corner: blocks one pixel in, the first
    // line at the top, the indent only before the blocks under the title.
    PrinterInfomation layout = ScaleLayout(printer, 1, ppi, nullptr);
    layout.OddLeftX = layout.EvenLeftX = 1;
    layout.TopY = 0;
    if (page != 1 || !content.Title.Printed())
        layout.IndentPx = 0;
    const int number = PrintedPageNumber(content.Title, page);
    auto draw = [&](QPainter& canvas) { return DrawPage(canvas, layout, content, pages, page, number, true); };

    // Drawn once where nothing is rasterised, for the bottom of the page.
    QPicture probe;
    int bottom = 0;
    {
        QPainter canvas(&probe);
        bottom = draw(canvas);
    }
    const QSize size(layout.TableWidth + layout.IndentPx + 4, bottom + 2);
    const QRect whole(QPoint(0, 0), size);

    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(ppi / 0.0254));
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter canvas(&bitmap);
        draw(canvas);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    bitmap.save(&png, "PNG");

    QBuffer svg;
    QSvgGenerator vector;
    vector.setOutputDevice(&svg);
    vector.setSize(size);
    vector.setViewBox(whole);
    vector.setResolution(static_cast<int>(std::lround(ppi)));
    {
        QPainter canvas(&vector);
        canvas.fillRect(whole, Qt::white);
        draw(canvas);
    }

    auto copy = std::make_unique<QMimeData>();
    copy->setData(QStringLiteral("image/svg+xml"), svg.data());
    copy->setData(QStringLiteral("image/png"), png.data());
    return copy;
}

}  // namespace korvexa::print
