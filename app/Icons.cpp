#include "app/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>

namespace korvexa::app {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(30, 90, 170);
const QColor kFolder(222, 180, 60);

void Page(QPainter& p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
}

// A triangle pointing left or right, with an optional bar at its tip.
void Arrow(QPainter& p, bool right, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    QPolygonF triangle;
    if (right)
        triangle << QPointF(5, 3) << QPointF(11, 8) << QPointF(5, 13);
    else
        triangle << QPointF(11, 3) << QPointF(5, 8) << QPointF(11, 13);
    p.drawPolygon(triangle);
    if (bar)
        p.drawRect(right ? QRectF(11.5, 3, 2, 10) : QRectF(2.5, 3, 2, 10));
}

// A curved arrow turning back to the left (undo) or on to the right (redo).
void TurnArrow(QPainter& p, bool right)
{
    if (right) {  // the mirror image of undo
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(4, 7);
    curve.cubicTo(8, 3, 14, 5, 13, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF() << QPointF(1.5, 8.5) << QPointF(7, 3) << QPointF(8, 10));
}

void Draw(QPainter& p, ToolIcon which)
{
    switch (which) {
    case ToolIcon::NewData:
        Page(p);
        break;
    case ToolIcon::Open:
        p.setPen(kInk);
        p.setBrush(kFolder.darker(115));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(kFolder);
        p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5)
                                  << QPointF(1.5, 13.5));
        break;
    case ToolIcon::Save:
        p.setPen(kInk);
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case ToolIcon::Print:
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case ToolIcon::Preview:
        Page(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kBlue, 1.5));
        p.drawEllipse(QPointF(8, 8), 3, 3);
        p.drawLine(QPointF(10.2, 10.2), QPointF(14, 14));
        break;
    case ToolIcon::Copy:  // two sheets, one over the other
        p.translate(-2, -1);
        Page(p);
        p.translate(3, 2);
        Page(p);
        break;
    case ToolIcon::First: Arrow(p, false, true); break;
    case ToolIcon::Previous: Arrow(p, false, false); break;
    case ToolIcon::Next: Arrow(p, true, false); break;
    case ToolIcon::Last: Arrow(p, true, true); break;
    case ToolIcon::Undo: TurnArrow(p, false); break;
    case ToolIcon::Redo: TurnArrow(p, true); break;
    }
}

// One tool image at `size` pixels, drawn on its 16-unit grid.
QPixmap Render(int size, ToolIcon which)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    Draw(p, which);
    return pixmap;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon which)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(Render(size, which));
    return icon;
}

// The icon of the desktop entry, drawn once as SVG (app/korvexa.svg).
QImage RenderProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/korvexa.svg"));
    QPainter p(&image);
    svg.render(&p);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(RenderProgramIcon(size)));
    return icon;
}

}  // namespace korvexa::app
