#include "dialogs/Udatareplace.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <cmath>

#include "components/DragController.h"
#include "components/SlabEntryList.h"
#include "dialogs/Uinputdlg.h"
#include "ui_Udatareplace.h"

using korvexa::dialogs::ArrangementEntry;

TReplaceForm::TReplaceForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TReplaceForm>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (parent)
        setFont(parent->font());
    InputDlg = new TInputDlg(this);
    DragCnt = new TDragController(this);
    PopupAt = [](QMenu* menu, const QPoint& at) { menu->exec(at); };
    ExecDrag = [](TDragObj* drag) { drag->exec(Qt::MoveAction); };

    ui->SlabDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    ui->DeleteUndo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    ui->ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (auto* button = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(ui->NameChange))) {
        button->setObjectName(QStringLiteral("SpeedButton1"));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->addAction(ui->NameChange);
    PopupMenu->addSeparator();
    PopupMenu->addAction(ui->SlabDelete);
    PopupMenu->addAction(ui->DeleteUndo);

    QListWidget* list = ui->SlabListBox;
    QPalette white = list->palette();
    white.setColor(QPalette::Base, Qt::white);
    list->setPalette(white);
    list->setItemDelegate(new SlabEntryDelegate(list));
    list->viewport()->installEventFilter(this);
    list->viewport()->setAcceptDrops(true);  // the drops are handled here, not by the view
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        PopupMenuPopup();
        PopupAt(PopupMenu, list->viewport()->mapToGlobal(at));
    });
    connect(list, &QListWidget::itemSelectionChanged, this, &TReplaceForm::UpdateCommands);
    connect(ui->NameChange, &QAction::triggered, this, &TReplaceForm::NameChangeClick);
    connect(ui->SlabDelete, &QAction::triggered, this, &TReplaceForm::SlabDeleteClick);
    connect(ui->DeleteUndo, &QAction::triggered, this, &TReplaceForm::DeleteUndoClick);
    UpdateCommands();
}

TReplaceForm::~TReplaceForm() = default;

QString TReplaceForm::EntryText(const ArrangementEntry& entry)
{
    return SlabEntryText(entry.slab, QString::fromStdString(entry.name));
}

QString TReplaceForm::EntryMimeType() { return QStringLiteral("application/x-korvexa-slab-entry"); }

QListWidgetItem* TReplaceForm::MakeItem(const ArrangementEntry& entry) const
{
    auto* item = new QListWidgetItem(EntryText(entry));
    item->setData(kSlabNumberRole, entry.slab);
    return item;
}

void TReplaceForm::Fill(const std::vector<std::string>& names)
{
    arrangement_.Reset(names);
    QListWidget* list = ui->SlabListBox;
    list->clear();
    for (const ArrangementEntry& entry : arrangement_.Entries())
        list->addItem(MakeItem(entry));
    UpdateCommands();
}

void TReplaceForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TReplaceForm::FormShow()
{
    itemHeight_ = SlabEntryHeight(*this);
    twoColumns_ = arrangement_.Count() >= kTwoColumnsFrom;
    pressed_ = false;
    ArrangeColumns();
    UpdateCommands();
}

void TReplaceForm::ArrangeColumns() { ArrangeSlabColumns(ui->SlabListBox, twoColumns_, itemHeight_); }

int TReplaceForm::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = ui->SlabListBox->selectedItems();
    return selected.isEmpty() ? -1 : ui->SlabListBox->row(selected.first());
}

int TReplaceForm::RowAt(const QPoint& at) const
{
    const QListWidgetItem* item = ui->SlabListBox->itemAt(at);
    return item ? ui->SlabListBox->row(item) : -1;
}

bool TReplaceForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->SlabListBox->viewport())
        return ListEvent(event);
    return QDialog::eventFilter(watched, event);
}

// The list's own mouse and drop handling, replaced where it differs: a
// right click does not select, a held button drags instead of moving the
// selection, and a drop moves one entry.  True: the event is taken.
bool TReplaceForm::ListEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        SlabListBoxMouseDown(mouse->button(), mouse->position().toPoint());
        return mouse->button() != Qt::LeftButton;
    }
    case QEvent::MouseButtonRelease: {
        SlabListBoxMouseUp();
        return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    }
    case QEvent::MouseMove:
        return SlabListBoxMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!enter->mimeData()->hasFormat(EntryMimeType())) {
            enter->ignore();
            return true;
        }
        SlabListBoxDragOver(enter);
        enter->accept();  // else no moves follow; each move decides for itself
        return true;
    }
    case QEvent::DragMove:
        SlabListBoxDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::Drop:
        SlabListBoxDragDrop(static_cast<QDropEvent*>(event));
        return true;
    case QEvent::Resize:
        ArrangeColumns();
        return false;
    default:
        return false;
    }
}

void TReplaceForm::SlabListBoxMouseDown(Qt::MouseButton button, const QPoint& at)
{
    pressed_ = button == Qt::LeftButton;
    pressedAt_ = at;
}

void TReplaceForm::SlabListBoxMouseUp() { pressed_ = false; }

bool TReplaceForm::SlabListBoxMouseMove(const QPoint& at)
{
    if (!pressed_)
        return false;
    if (TDragController::PassedStartDistance(pressedAt_, at))
        SlabListBoxStartDrag();
    return true;
}

void TReplaceForm::SlabListBoxStartDrag()
{
    pressed_ = false;  // the drag takes the button's release
    const int row = RowAt(pressedAt_);
    if (arrangement_.Count() <= 1 || row < 0)
        return;
    const QPixmap picture = EntryPicture(row);
    DragCnt->SetDragImage(picture, Qt::white, QPoint(0, -picture.height()));
    TDragObj* drag = DragCnt->BeginDrag(ui->SlabListBox);
    auto* what = new QMimeData;
    what->setData(EntryMimeType(), QByteArray::number(row));
    drag->setMimeData(what);
    ExecDrag(drag);
    DragCnt->EndDrag();
}

// The entry's text in the dialog's font, black on white, exactly its size.
QPixmap TReplaceForm::EntryPicture(int row) const
{
    const QString text = ui->SlabListBox->item(row)->text();
    const QFontMetrics metrics(font());
    QPixmap picture(std::max(metrics.horizontalAdvance(text), 1), metrics.height());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
}

bool TReplaceForm::SlabListBoxDragOver(QDragMoveEvent* event)
{
    const QPoint at = event->position().toPoint();
    const int row = RowAt(at);
    const bool accepted = row >= 0 && event->mimeData()->hasFormat(EntryMimeType());
    if (accepted) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        ui->SlabListBox->setCurrentRow(row);
    } else {
        event->ignore();
    }
    DragCnt->DragMoved(accepted, ui->SlabListBox->viewport()->mapToGlobal(at));
    return accepted;
}

void TReplaceForm::SlabListBoxDragDrop(QDropEvent* event)
{
    bool ok = false;
    const int from = event->mimeData()->data(EntryMimeType()).toInt(&ok);
    const int to = RowAt(event->position().toPoint());
    if (!ok || from < 0 || from >= arrangement_.Count() || to < 0) {
        event->ignore();
        return;
    }
    QListWidget* list = ui->SlabListBox;
    if (arrangement_.Move(from, to))
        list->insertItem(to, list->takeItem(from));
    list->clearSelection();
    list->setCurrentRow(-1);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TReplaceForm::NameChangeClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const ArrangementEntry& entry = arrangement_.Entries()[static_cast<std::size_t>(row)];
    QString name = QString::fromStdString(entry.name);
    if (!InputDlg->AskName(name))
        return;
    arrangement_.Rename(row, name.toStdString());
    ui->SlabListBox->item(row)->setText(EntryText(arrangement_.Entries()[static_cast<std::size_t>(row)]));
}

void TReplaceForm::SlabDeleteClick()
{
    const int row = SelectedRow();
    if (!arrangement_.Delete(row))
        return;
    delete ui->SlabListBox->takeItem(row);
    ui->SlabListBox->clearSelection();
    UpdateCommands();
}

void TReplaceForm::DeleteUndoClick()
{
    const int row = arrangement_.Undo();
    if (row < 0)
        return;
    ui->SlabListBox->insertItem(row, MakeItem(arrangement_.Entries()[static_cast<std::size_t>(row)]));
    ui->SlabListBox->setCurrentRow(row);
    UpdateCommands();
}

void TReplaceForm::PopupMenuPopup() { UpdateCommands(); }

// Rename needs a selected entry; delete also a second entry to be left;
// restore a deletion to undo.
void TReplaceForm::UpdateCommands()
{
    const int row = SelectedRow();
    ui->NameChange->setEnabled(row >= 0);
    ui->SlabDelete->setEnabled(arrangement_.CanDelete(row));
    ui->DeleteUndo->setEnabled(arrangement_.CanUndo());
}
