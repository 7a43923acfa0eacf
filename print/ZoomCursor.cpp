#include "print/ZoomCursor.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>

namespace korvexa::print {

QCursor ZoomCursor()
{
    // 32 × 32 px: a lens of radius 8 around (12, 12), its handle to the
    // lower right; white with a black edge, to be seen on paper and grey.
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(12, 12);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::white, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 8, 8);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(centre, 8, 8);
    p.end();
    return QCursor(picture, 12, 12);
}

}  // namespace korvexa::print
