// Drives the data arrangement dialog as the user does.  Qt's real drag
// runs an event loop of its own, so the dialog's drag runner is answered
// here by delivering the drag's moves and drop to the list directly.
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

#include "components/DragController.h"
#include "dialogs/Udatareplace.h"

struct DragRecord {
    bool begun = false;
    bool accepted = false;  // the last move over the list
    QPixmap picture;
    QPoint hotSpot;
};

inline QListWidget* ListBox(TReplaceForm& form) { return form.findChild<QListWidget*>(QStringLiteral("SlabListBox")); }

inline QPoint EntryCentre(TReplaceForm& form, int row)
{
    QListWidget* list = ListBox(form);
    return list->visualItemRect(list->item(row)).center();
}

// Presses on entry `from`, moves past the drag distance, and drops at
// `to` (list coordinates).
inline DragRecord DragEntry(TReplaceForm& form, int from, QPoint to)
{
    QListWidget* list = ListBox(form);
    QWidget* viewport = list->viewport();
    DragRecord record;
    const auto realDrag = form.ExecDrag;
    form.ExecDrag = [&](TDragObj* drag) {
        record.begun = true;
        record.picture = drag->pixmap();
        record.hotSpot = drag->hotSpot();
        const QMimeData* what = drag->mimeData();
        QDragEnterEvent enter(to, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(to, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        record.accepted = move.isAccepted();
        if (record.accepted) {  // Qt drops only where the last move was accepted
            QDropEvent drop(to, Qt::MoveAction, what, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &drop);
        }
    };
    const QPoint start = EntryCentre(form, from);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(viewport, start + QPoint(0, QApplication::startDragDistance() + 1));
    form.ExecDrag = realDrag;
    return record;
}

inline QStringList EntryTexts(TReplaceForm& form)
{
    QStringList texts;
    QListWidget* list = ListBox(form);
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}
