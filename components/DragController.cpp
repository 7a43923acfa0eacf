#include "components/DragController.h"

#include <QApplication>
#include <QBitmap>
#include <QColor>
#include <QWidget>
#include <cstdlib>

TDragObj::TDragObj(QObject* source, TDragController* controller) : QDrag(source), controller_(controller) {}

TDragController::TDragController(QObject* parent) : QObject(parent) {}

TDragController::~TDragController() { EndDrag(); }

bool TDragController::PassedStartDistance(const QPoint& from, const QPoint& to)
{
    const int threshold = QApplication::startDragDistance();
    return std::abs(to.x() - from.x()) > threshold || std::abs(to.y() - from.y()) > threshold;
}

TDragObj* TDragController::BeginDrag(QWidget* control)
{
    Q_ASSERT_X(dragObj_ == nullptr, "DragController", "FDragObj == NULL");
    if (dragObj_)  // a release build goes on with a sound state
        EndDrag();
    dragObj_ = new TDragObj(control, this);
    dragging_ = true;
    if (!image_.isNull()) {
        dragObj_->setPixmap(image_);
        dragObj_->setHotSpot(hotSpot_);
    }
    return dragObj_;
}

void TDragController::EndDrag()
{
    // After exec() Qt has already scheduled the drag object's deletion; a
    // drag that never ran is deleted the same way.
    if (dragObj_)
        dragObj_->deleteLater();
    dragObj_ = nullptr;
    dragging_ = false;
    image_ = QPixmap();
    hotSpot_ = QPoint();
}

void TDragController::SetDragImage(const QPixmap& picture, const QColor& transparent, const QPoint& hotSpot)
{
    image_ = picture;
    if (!image_.isNull())
        image_.setMask(image_.createMaskFromColor(transparent, Qt::MaskInColor));
    hotSpot_ = hotSpot;
    if (dragObj_) {
        dragObj_->setPixmap(image_);
        dragObj_->setHotSpot(hotSpot_);
    }
}

void TDragController::DragMoved(bool accepted, const QPoint& at)
{
    if (dragging_ && OnDragMove)
        OnDragMove(accepted, at.x(), at.y());
}
