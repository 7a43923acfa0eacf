// TDragController: the drag of one item of a control, with a picture of
// the item hanging below the pointer while it moves.
//
// Qt's drag and drop (QDrag) carries the drag; the controller gives it the
// picture, tells when a press has moved far enough to start one, and
// passes the moves over a target on to its owner.  Use by an owner (the
// data arrangement dialog's list box):
//
//   // mouse move with the button held since pressedAt:
//   if (TDragController::PassedStartDistance(pressedAt, pos)) {
//       DragCnt->SetDragImage(picture, Qt::white, QPoint(0, -picture.height()));
//       TDragObj* drag = DragCnt->BeginDrag(listBox);
//       drag->setMimeData(what);
//       drag->exec(Qt::MoveAction);   // runs until the drop or the cancel
//       DragCnt->EndDrag();
//   }
//   // a target's drag-move handler, once it has decided:
//   DragCnt->DragMoved(accepted, globalPos);
//   // a scrolling target's drag-move handler (and StopAutoScroll at its
//   // drop and when the drag leaves it):
//   DragCnt->AutoScroll(listBox, viewportPos, margin);
//
// Every BeginDrag is matched by an EndDrag before the next drag begins.
// Qt shows the picture in a window of its own above every other, so
// nothing needs hiding while a target repaints under it.
#pragma once

#include <QDrag>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <functional>

class QAbstractScrollArea;
class QColor;
class QWidget;
class TDragController;

// The drag object of one drag; Qt deletes it once the drag is over.
class TDragObj : public QDrag {
    Q_OBJECT

public:
    TDragObj(QObject* source, TDragController* controller);
    TDragController* Controller() const { return controller_; }

private:
    TDragController* controller_;
};

class TDragController : public QObject {
    Q_OBJECT

public:
    explicit TDragController(QObject* parent = nullptr);
    ~TDragController() override;

    // Hears of each move of the drag over a target: whether the target
    // would take a drop there, and the pointer in screen coordinates.
    // Not set by default.
    std::function<void(bool accepted, int x, int y)> OnDragMove;

    // Whether a pointer pressed at `from` and now at `to` has moved more
    // than the platform's drag distance, in x or in y.
    static bool PassedStartDistance(const QPoint& from, const QPoint& to);

    // A new drag of `control`, carrying the image set so far.  No drag may
    // be in progress.
    TDragObj* BeginDrag(QWidget* control);
    // The drag is over: forgets its drag object and its image.  Harmless
    // without a drag.
    void EndDrag();
    // The picture of the dragged item: pixels of `transparent` are left
    // out; `hotSpot` is where the pointer stands in the picture (a negative
    // y hangs the picture below the pointer).  Takes effect at once when a
    // drag is in progress.
    void SetDragImage(const QPixmap& picture, const QColor& transparent, const QPoint& hotSpot);
    // A target reports a move of the drag over it (see OnDragMove).
    void DragMoved(bool accepted, const QPoint& at);

    // A drag over `area` at `at` (viewport coordinates): within `margin`
    // pixels of an edge that has more to show, the area scrolls that way
    // until the drag moves off the edge, faster the longer it rests there.
    // The drag's moves alone would scroll only while the hand moves.
    void AutoScroll(QAbstractScrollArea* area, const QPoint& at, int margin);
    void StopAutoScroll();
    bool AutoScrolling() const { return scrollTimer_.isActive(); }
    // Hears of each scroll step: what lies under the pointer has changed.
    std::function<void()> OnAutoScroll;

    bool Dragging() const { return dragging_; }
    TDragObj* DragObject() const { return dragObj_; }
    // The current picture (null: none is shown) and its hot spot.
    QPixmap DragImage() const { return image_; }
    QPoint HotSpot() const { return hotSpot_; }

private:
    void AutoScrollStep();

    QPointer<TDragObj> dragObj_;
    QPointer<QAbstractScrollArea> scrollArea_;
    QPoint scrollDirection_;  // -1, 0 or 1 on each axis
    int scrollSteps_ = 0;     // since the drag came to the edge
    QTimer scrollTimer_;
    bool dragging_ = false;
    QPixmap image_;
    QPoint hotSpot_;
};
