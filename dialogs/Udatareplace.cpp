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
    for (QAction* textButton : {ui->NameChange, ui->MoveUp, ui->MoveDown, ui->MoveTop, ui->MoveBottom})
        if (auto* button = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(textButton)))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (QWidget* button = ui->ToolBar1->widgetForAction(ui->NameChange))
        button->setObjectName(QStringLiteral("SpeedButton1"));
    const std::pair<QAction*, QKeySequence> keys[] = {
        {ui->NameChange, QKeySequence(Qt::Key_F2)},
        {ui->SlabDelete, QKeySequence(QKeySequence::Delete)},
        {ui->DeleteUndo, QKeySequence(QKeySequence::Undo)},
        {ui->MoveUp, QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {ui->MoveDown, QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {ui->MoveTop, QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {ui->MoveBottom, QKeySequence(Qt::CTRL | Qt::Key_End)}};
    for (const auto& [action, key] : keys)
        action->setShortcut(key);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->addAction(ui->NameChange);
    PopupMenu->addSeparator();
    PopupMenu->addAction(ui->SlabDelete);
    PopupMenu->addAction(ui->DeleteUndo);
    PopupMenu->addSeparator();
    for (QAction* move : {ui->MoveUp, ui->MoveDown, ui->MoveTop, ui->MoveBottom})
        PopupMenu->addAction(move);

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
    connect(ui->MoveUp, &QAction::triggered, this, [this] { MoveSelectedTo(SelectedRow() - 1); });
    connect(ui->MoveDown, &QAction::triggered, this, [this] {
        const int row = SelectedRow();
        MoveSelectedTo(row < 0 ? row : row + 1);
    });
    connect(ui->MoveTop, &QAction::triggered, this, [this] { MoveSelectedTo(0); });
    connect(ui->MoveBottom, &QAction::triggered, this, [this] { MoveSelectedTo(arrangement_.Count() - 1); });
    // While a drag scrolls the list, the entry under the pointer changes.
    DragCnt->OnAutoScroll = [this] {
        if (const int row = RowAt(dragAt_); row >= 0)
            ui->SlabListBox->setCurrentRow(row);
    };
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
        // The popup's commands act on the entry the right click is on.
        if (mouse->button() == Qt::RightButton)
            SelectRow(RowAt(mouse->position().toPoint()));
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
    case QEvent::DragLeave:
        DragCnt->StopAutoScroll();
        return true;
    case QEvent::Drop:
        DragCnt->StopAutoScroll();
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
    dropped_ = false;
    ExecDrag(drag);
    DragCnt->EndDrag();
    // The drag-over moved the selection along; a refused or cancelled drop
    // leaves it on the entry that was dragged.
    if (!dropped_)
        SelectRow(row);
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
    dragAt_ = at;
    DragCnt->AutoScroll(ui->SlabListBox, at, ui->SlabListBox->autoScrollMargin());
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
    dropped_ = true;
    if (arrangement_.Move(from, to))
        list->insertItem(to, list->takeItem(from));
    list->clearSelection();
    list->setCurrentRow(-1);
    UpdateCommands();
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
    if (!InputDlg->AskName(name) || !arrangement_.Rename(row, name.toStdString()))
        return;
    ui->SlabListBox->item(row)->setText(EntryText(arrangement_.Entries()[static_cast<std::size_t>(row)]));
    UpdateCommands();
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
    const korvexa::dialogs::UndoMember* last = arrangement_.LastStep();
    if (!last)
        return;
    const korvexa::dialogs::UndoMember step = *last;
    const int row = arrangement_.Undo();
    if (row < 0)
        return;
    QListWidget* list = ui->SlabListBox;
    const ArrangementEntry& entry = arrangement_.Entries()[static_cast<std::size_t>(row)];
    switch (step.kind) {
    case korvexa::dialogs::UndoMember::Kind::Delete:
        list->insertItem(row, MakeItem(entry));
        break;
    case korvexa::dialogs::UndoMember::Kind::Move:
        list->insertItem(row, list->takeItem(step.Row));
        break;
    case korvexa::dialogs::UndoMember::Kind::Rename:
        list->item(row)->setText(EntryText(entry));
        break;
    }
    SelectRow(row);
}

void TReplaceForm::MoveSelectedTo(int row)
{
    const int from = SelectedRow();
    if (!arrangement_.Move(from, row))
        return;
    QListWidget* list = ui->SlabListBox;
    list->insertItem(row, list->takeItem(from));
    SelectRow(row);
}

// Selects the entry at `row` and shows it; no entry for -1.
void TReplaceForm::SelectRow(int row)
{
    QListWidget* list = ui->SlabListBox;
    if (row < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
    } else {
        list->setCurrentRow(row);
        list->scrollToItem(list->item(row));
    }
    UpdateCommands();
}

void TReplaceForm::PopupMenuPopup() { UpdateCommands(); }

// Rename needs a selected entry; delete also a second entry to be left;
// the moves room in their direction; undo a step to take back, which its
// caption names.
void TReplaceForm::UpdateCommands()
{
    const int row = SelectedRow();
    ui->NameChange->setEnabled(row >= 0);
    ui->SlabDelete->setEnabled(arrangement_.CanDelete(row));
    ui->MoveUp->setEnabled(row > 0);
    ui->MoveTop->setEnabled(row > 0);
    ui->MoveDown->setEnabled(row >= 0 && row < arrangement_.Count() - 1);
    ui->MoveBottom->setEnabled(row >= 0 && row < arrangement_.Count() - 1);

    using Kind = korvexa::dialogs::UndoMember::Kind;
    const korvexa::dialogs::UndoMember* last = arrangement_.LastStep();
    QString undo = QStringLiteral("削除データの復活");
    if (last && last->kind == Kind::Move)
        undo = QStringLiteral("移動を元に戻す");
    else if (last && last->kind == Kind::Rename)
        undo = QStringLiteral("名称変更を元に戻す");
    ui->DeleteUndo->setText(undo + QStringLiteral(" (&U)"));
    ui->DeleteUndo->setToolTip(undo + QStringLiteral(" (Ctrl+Z)"));
    ui->DeleteUndo->setEnabled(last != nullptr);
}
