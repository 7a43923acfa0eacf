#include "components/DragController.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QBitmap>
#include <QColor>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

TDragObj::TDragObj(QObject* source, TDragController* controller) : QDrag(source), controller_(controller) {}

namespace {
constexpr int kScrollInterval = 50;  // ms between scroll steps

// -1 towards the start, 1 towards the end, 0 when `at` is not within
// `margin` of an edge of `length` or the bar is already there.
int EdgeDirection(int at, int length, int margin, const QScrollBar* bar)
{
    if (!bar || bar->maximum() <= bar->minimum())
        return 0;
    if (at < margin && bar->value() > bar->minimum())
        return -1;
    if (at >= length - margin && bar->value() < bar->maximum())
        return 1;
    return 0;
}
}  // namespace

TDragController::TDragController(QObject* parent) : QObject(parent)
{
    scrollTimer_.setInterval(kScrollInterval);
    connect(&scrollTimer_, &QTimer::timeout, this, &TDragController::AutoScrollStep);
}

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
    StopAutoScroll();
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

void TDragController::AutoScroll(QAbstractScrollArea* area, const QPoint& at, int margin)
{
    const QSize room = area->viewport()->size();
    const QPoint direction(EdgeDirection(at.x(), room.width(), margin, area->horizontalScrollBar()),
                           EdgeDirection(at.y(), room.height(), margin, area->verticalScrollBar()));
    if (direction.isNull()) {
        StopAutoScroll();
        return;
    }
    if (area != scrollArea_ || direction != scrollDirection_)
        scrollSteps_ = 0;
    scrollArea_ = area;
    scrollDirection_ = direction;
    if (!scrollTimer_.isActive())
        scrollTimer_.start();
}

void TDragController::StopAutoScroll()
{
    scrollTimer_.stop();
    scrollArea_ = nullptr;
    scrollDirection_ = QPoint();
    scrollSteps_ = 0;
}

// One step: a line at first, then one more each step, up to a page, so
// that a list of a thousand entries is crossed in a few seconds.
void TDragController::AutoScrollStep()
{
    if (!scrollArea_) {
        StopAutoScroll();
        return;
    }
    ++scrollSteps_;
    bool moved = false;
    const auto scroll = [&](QScrollBar* bar, int direction) {
        if (direction == 0)
            return;
        const int before = bar->value();
        bar->setValue(before + direction * std::min(scrollSteps_ * bar->singleStep(), bar->pageStep()));
        moved = moved || bar->value() != before;
    };
    scroll(scrollArea_->horizontalScrollBar(), scrollDirection_.x());
    scroll(scrollArea_->verticalScrollBar(), scrollDirection_.y());
    if (!moved) {
        StopAutoScroll();
        return;
    }
    if (OnAutoScroll)
        OnAutoScroll();
}
