#include "print/PreviewLayout.h"

#include <QFont>
#include <algorithm>
#include <cmath>

#include "engine/Ucommon.h"
#include "print/BlockColumns.h"
#include "print/PrinterInfomation.h"

namespace korvexa::print {

namespace {

constexpr int kFrame = 2 * kPaperBorder + kShadowOffset;  // beside the sheet on the screen

// A zoom cut to a whole pixel of the font height h (px, negative):
// trunc(h·z)/h, so that the body text of every step has a whole height.
double Snapped(double zoom, int h) { return std::trunc(h * zoom) / h; }

// v·s rounded half up to a whole pixel.
int Scaled(double v, double s) { return static_cast<int>(std::floor(v * s + 0.5)); }

}  // namespace

int ScreenFontHeight(const QFont& font, double ppi)
{
    const double points = font.pointSize() > 0 ? font.pointSize() : std::max(1.0, font.pointSizeF());
    return -static_cast<int>(std::floor(points * ppi / 72 + 0.5));
}

std::vector<double> ComputeZoomSteps(const PrinterInfomation& printer, QSize viewport, double ppi,
                                     int scrollBarExtent)
{
    const int h = std::min(-1, ScreenFontHeight(printer.BodyFont, ppi));
    // The sheet at zoom 1.
    const double width = printer.DpiX > 0 ? ppi * printer.PaperWidth / printer.DpiX : 0;
    const double height = printer.DpiY > 0 ? ppi * printer.PaperHeight / printer.DpiY : 0;

    // The zoom that fills `room` along one side, less the scroll bar that
    // the other side then needs when it overflows `acrossRoom`.
    auto fit = [&](int room, double along, int acrossRoom, double across) {
        if (along <= 0)
            return 0.0;
        const double zoom = Snapped((room - kFrame) / along, h);
        if (across * zoom + kFrame <= acrossRoom)
            return zoom;
        return Snapped((room - scrollBarExtent - kFrame) / along, h);
    };
    const double fitHeight = fit(viewport.height(), height, viewport.width(), width);
    const double fitWidth = fit(viewport.width(), width, viewport.height(), height);

    std::vector<double> steps{1};
    auto keep = [&steps](double zoom) {
        if (zoom > 0 && RoundHalfUp(zoom, 1) != 1.0)
            steps.push_back(zoom);
    };
    keep(fitHeight);
    if (RoundHalfUp(fitWidth, 1) != RoundHalfUp(fitHeight, 1))
        keep(fitWidth);
    std::sort(steps.begin(), steps.end());
    if (steps.size() == 1) {
        const double larger = Snapped(1.5, h);
        steps.push_back(larger > 1 ? larger : 1.5);  // a 1-pixel font cuts 1.5 down to 1
    }
    return steps;
}

PrinterInfomation ScaleLayout(const PrinterInfomation& printer, double zoom, double ppi, const QPaintDevice* canvas)
{
    PrinterInfomation s = printer;
    const double sx = printer.DpiX > 0 ? zoom * ppi / printer.DpiX : 0;
    const double sy = printer.DpiY > 0 ? zoom * ppi / printer.DpiY : 0;
    auto x = [sx](double v) { return Scaled(v, sx); };
    auto y = [sy](double v) { return Scaled(v, sy); };

    // Positions from the sheet's corner: the whole sheet is shown.
    s.TopY = y(printer.TopY + printer.OffsetY);
    s.PageNoY = y(printer.PageNoY + printer.OffsetY);
    s.OddLeftX = x(printer.OddLeftX + printer.OffsetX);
    s.EvenLeftX = x(printer.EvenLeftX + printer.OffsetX);
    s.PageNoLeftX = x(printer.PageNoLeftX + printer.OffsetX);
    s.PageNoRightX = x(printer.PageNoRightX + printer.OffsetX);
    const int left = x(printer.OffsetX);
    const int top = y(printer.OffsetY);
    s.PrintableRect = QRect(left, top, x(printer.OffsetX + printer.PageWidth) - left,
                            y(printer.OffsetY + printer.PageHeight) - top);
    s.PaperWidth = x(printer.PaperWidth);
    s.PaperHeight = y(printer.PaperHeight);

    s.IndentPx = x(printer.IndentPx);
    s.ParagraphGap = printer.ParagraphGap * sy;
    s.LineGap = printer.LineGap * sy;
    // The screen's own font heights at the zoom, half away from zero.
    auto height = [zoom, ppi](const QFont& font) {
        return static_cast<int>(std::lround(zoom * ScreenFontHeight(font, ppi)));
    };
    s.BodyFontHeight = height(printer.BodyFont);
    s.TitleFontHeight = height(printer.TitleFont);
    s.HeaderFontHeight = height(printer.HeaderFont);
    s.BodyPitch = std::abs(s.BodyFontHeight) + s.LineGap;
    s.TitlePitch = std::abs(s.TitleFontHeight) + s.LineGap;
    s.ThinPen = x(printer.ThinPen);
    s.ThickPen = x(printer.ThickPen);

    MeasureBlockColumns(s, canvas);
    return s;
}

PaperPlace PlacePaper(QSize paper, QSize viewport, int scrollBarExtent, double ratio)
{
    PaperPlace place;
    place.border = std::max(1, static_cast<int>(std::lround(kPaperBorder * ratio)));
    place.shadow = static_cast<int>(std::lround(kShadowOffset * ratio));
    const int frame = 2 * place.border + place.shadow;
    const QSize framed = paper + QSize(frame, frame);

    // Each scroll bar narrows the room of the other side.
    bool horizontal = framed.width() > viewport.width();
    const bool vertical = framed.height() > viewport.height() - (horizontal ? scrollBarExtent : 0);
    horizontal = framed.width() > viewport.width() - (vertical ? scrollBarExtent : 0);
    const QSize room(viewport.width() - (vertical ? scrollBarExtent : 0),
                     viewport.height() - (horizontal ? scrollBarExtent : 0));

    auto start = [&place](int framedLength, int roomLength) {
        return framedLength < roomLength ? (roomLength - framedLength) / 2 + place.border : place.border;
    };
    place.image = framed.expandedTo(room);
    place.sheet = QRect(QPoint(start(framed.width(), room.width()), start(framed.height(), room.height())), paper);
    return place;
}

void MoveLayout(PrinterInfomation& layout, QPoint by)
{
    layout.PrintableRect.translate(by);
    layout.TopY += by.y();
    layout.PageNoY += by.y();
    for (int* x : {&layout.OddLeftX, &layout.EvenLeftX, &layout.PageNoLeftX, &layout.PageNoRightX})
        *x += by.x();
}

QString ViewScaleText(double zoom)
{
    return QStringLiteral("表示倍率　") + QString::number(static_cast<int>(RoundHalfUp(zoom * 100, 0))) +
           QStringLiteral("%");
}

}  // namespace korvexa::print
