#include "print/PageImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

TPageImage::TPageImage(QWidget* parent) : QWidget(parent), image_(1, 1, QImage::Format_RGB32)
{
    image_.fill(Qt::white);
}

void TPageImage::Reset(QSize size, double ratio)
{
    ratio_ = ratio > 0 ? ratio : 1;
    if (image_.size() != size)
        image_ = QImage(size, QImage::Format_RGB32);
    setFixedSize(static_cast<int>(std::ceil(size.width() / ratio_ - 1e-9)),
                 static_cast<int>(std::ceil(size.height() / ratio_ - 1e-9)));
}

void TPageImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size()) / ratio_), image_);
}

void TPageImage::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->position().toPoint());
    event->accept();
}
