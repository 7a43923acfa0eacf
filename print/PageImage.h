// The preview's page image: an image in device pixels shown at its
// logical size, so that the page is drawn pixel for pixel also on a
// high-density screen.  It tells of mouse presses on it and where they
// were (logical pixels of the widget).
#pragma once

#include <QImage>
#include <QWidget>

class TPageImage : public QWidget {
    Q_OBJECT

public:
    explicit TPageImage(QWidget* parent = nullptr);

    // A new image of `size` device pixels with `ratio` device pixels to a
    // logical one; the widget takes its logical size.
    void Reset(QSize size, double ratio);
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
    double ratio_ = 1;
};
