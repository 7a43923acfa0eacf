#include "print/PageCopy.h"

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QSvgGenerator>
#include <cmath>
#include <functional>

#include "print/PreviewLayout.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"

namespace korvexa::print {

namespace {

// The resolution of both pictures: a pasted page prints sharp.
constexpr double kPicturePpi = 300;

// The page laid out at true size for `ppi` pixels an inch, from the
// picture's corner: blocks one pixel in, the first line at the top, the
// indent only before the blocks under the title.  Fonts are named as this
// machine draws them: a font missing here (the default Windows names) by
// the font that stands in for it, which the program pasted into can find.
PrinterInfomation PictureLayout(const PrinterInfomation& printer, const PageContent& content, int page, double ppi)
{
    PrinterInfomation layout = ScaleLayout(printer, 1, ppi, nullptr);
    for (QFont* font : {&layout.TitleFont, &layout.BodyFont, &layout.HeaderFont})
        font->setFamily(QFontInfo(*font).family());
    layout.OddLeftX = layout.EvenLeftX = 1;
    layout.TopY = 0;
    if (page != 1 || !content.Title.Printed())
        layout.IndentPx = 0;
    return layout;
}

// The picture's size: the blocks' width, and 2 px below the last block,
// found by drawing once where nothing is rasterised.
QSize PictureSize(PrinterInfomation& layout, const std::function<int(QPainter&, PrinterInfomation&)>& draw)
{
    QPicture probe;
    QPainter canvas(&probe);
    const int bottom = draw(canvas, layout);
    return {layout.TableWidth + layout.IndentPx + 4, bottom + 2};
}

}  // namespace

std::unique_ptr<QMimeData> CopyOfPage(const PrinterInfomation& printer, const PageContent& content,
                                      const Pagination& pages, int page)
{
    const int number = PrintedPageNumber(content.Title, page);
    PrinterInfomation layout = PictureLayout(printer, content, page, kPicturePpi);
    auto draw = [&](QPainter& canvas, PrinterInfomation& l) {
        return DrawPage(canvas, l, content, pages, page, number, true);
    };
    const QSize size = PictureSize(layout, draw);
    const QRect whole(QPoint(0, 0), size);

    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(kPicturePpi / 0.0254));
    bitmap.setDotsPerMeterX(dotsPerMeter);
    bitmap.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter canvas(&bitmap);
        draw(canvas, layout);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    bitmap.save(&png, "PNG");

    QBuffer svg;
    QSvgGenerator vector;
    vector.setOutputDevice(&svg);
    vector.setSize(size);
    vector.setViewBox(whole);
    vector.setResolution(static_cast<int>(kPicturePpi));
    {
        QPainter canvas(&vector);
        canvas.fillRect(whole, Qt::white);
        draw(canvas, layout);
    }

    auto copy = std::make_unique<QMimeData>();
    copy->setData(QStringLiteral("image/svg+xml"), svg.data());
    copy->setData(QStringLiteral("image/png"), png.data());
    return copy;
}

}  // namespace korvexa::print
