// The data arrangement dialog "データ整理": the slabs as a list of entries
// "  3: name" that the user reorders by drag and drop or by the move
// commands, renames and deletes, each step undone one at a time.  The
// dialog only edits its working list (SlabArrangement); the main window
// applies it on OK.
//
// Keys: Ctrl+↑/↓ move the selected entry one row, Ctrl+Home/End to the
// top or the end; Delete deletes it, F2 renames it, Ctrl+Z undoes the
// latest step.  A right click selects the entry under the pointer before
// the popup menu opens; a drag near the list's edge scrolls it.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/SlabArrangement.h"

class QDragMoveEvent;
class QDropEvent;
class QListWidgetItem;
class QMenu;
class TDragController;
class TDragObj;
class TInputDlg;

namespace Ui {
class TReplaceForm;
}

class TReplaceForm : public QDialog {
    Q_OBJECT

public:
    explicit TReplaceForm(QWidget* parent = nullptr);
    ~TReplaceForm() override;

    // A fresh arrangement of the slabs with these names (slabs 1..n in
    // list order), with nothing to undo.
    void Fill(const std::vector<std::string>& names);
    // The arrangement as the user left it.
    const korvexa::dialogs::SlabArrangement& Arrangement() const { return arrangement_; }

    // "%3d: name": the slab number right-aligned in three places (wider
    // from 1000 on), then the name.
    static QString EntryText(const korvexa::dialogs::ArrangementEntry& entry);
    // What a dragged entry carries: its row.
    static QString EntryMimeType();

    // The rename dialog and the drag controller of the list.
    TInputDlg* InputDlg = nullptr;
    TDragController* DragCnt = nullptr;
    // Opens the popup menu at a screen point; tests answer it.
    std::function<void(QMenu*, const QPoint&)> PopupAt;
    // Runs a drag until the drop or the cancel; tests answer it, as the
    // real one runs an event loop of its own.
    std::function<void(TDragObj*)> ExecDrag;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ArrangeColumns();
    bool ListEvent(QEvent* event);
    void SlabListBoxMouseDown(Qt::MouseButton button, const QPoint& at);
    void SlabListBoxMouseUp();
    bool SlabListBoxMouseMove(const QPoint& at);
    void SlabListBoxStartDrag();
    bool SlabListBoxDragOver(QDragMoveEvent* event);
    void SlabListBoxDragDrop(QDropEvent* event);
    void NameChangeClick();
    void SlabDeleteClick();
    void DeleteUndoClick();
    // Moves the selected entry to `row`, which stays selected.
    void MoveSelectedTo(int row);
    void SelectRow(int row);
    void PopupMenuPopup();
    void UpdateCommands();

    int SelectedRow() const;
    int RowAt(const QPoint& at) const;
    QListWidgetItem* MakeItem(const korvexa::dialogs::ArrangementEntry& entry) const;
    QPixmap EntryPicture(int row) const;

    std::unique_ptr<Ui::TReplaceForm> ui;
    QMenu* PopupMenu = nullptr;
    korvexa::dialogs::SlabArrangement arrangement_;
    int itemHeight_ = 17;
    bool twoColumns_ = false;
    // The left button went down on the list, there.
    bool pressed_ = false;
    QPoint pressedAt_;
    // The drag's latest place over the list, and whether it was dropped.
    QPoint dragAt_;
    bool dropped_ = false;
};
