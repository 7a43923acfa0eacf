// The slab list of the main window: navigation, add, copy and delete, and
// the name box.
#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QUndoStack>

#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/UserMessages.h"
#include "components/SlabNameEdit.h"
#include "dialogs/Udatareplace.h"
#include "components/EventHook.h"
#include "engine/Ukorvexa.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageKind;

void TMainForm::InitSlabList()
{
    FcListReset();
    SlabList.Init(ProgramSettings().LoadUnitFactor);
    ReloadNameBox();
    DrawResultFrame();
    ShowSheet();
    ShowSlab();
}

void TMainForm::ReloadNameBox()
{
    SuppressNameChange = true;
    NameBox->clear();
    for (int i = 1; i <= SlabList.Count(); ++i)
        NameBox->addItem(QString::fromStdString(SlabList.At(i).Name));
    SuppressNameChange = false;
}

// The name box's own keys (Escape, Up, Down) and its entry and exit.
void TMainForm::SetUpNameBox()
{
    HookEvents(NameBox, [this](QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return NameBoxKeyDown(static_cast<QKeyEvent*>(event)->key());
        case QEvent::FocusIn:
            NameAtEntry = NameBox->currentText();  // NameBoxEnter
            SuppressNameChange = false;
            return false;
        case QEvent::FocusOut:
            if (app::LeavesTheControl(*static_cast<QFocusEvent*>(event))) {
                NameBoxExit();
                CommitEdit();
            }
            return false;
        default:
            return false;
        }
    });
    // Only typing renames; picking an item from the list changes the text too.
    connect(NameBox->lineEdit(), &QLineEdit::textEdited, this, &TMainForm::NameBoxChange);
    connect(NameBox, qOverload<int>(&QComboBox::activated), this, &TMainForm::NameBoxSelect);
}

// Add, copy and delete are steps of their own; each takes the value being
// typed first, as a step before it.
void TMainForm::SlabAddButtonClick()
{
    using Result = app::SlabList::AddResult;
    TakeTypedValue();
    switch (SlabList.AddOutcome()) {
    case Result::Refused:
        app::Tell(this, MessageKind::Warning, QStringLiteral("現在のスラブデータが未入力です。"));
        return;
    case Result::MovedToLast:
        SlabList.SetCurrentIndex(SlabList.Count());
        SuppressNameChange = true;
        ShowSlab();
        return;
    case Result::Added: {
        app::SlabList::NewSlab made = SlabList.MakeNewSlab();
        undo_->push(new app::SlabInsertStep(*this, QStringLiteral("スラブの追加"), SlabList.Count() + 1,
                                            std::move(made.slab), SlabList.Template(), std::move(made.model),
                                            CurrentIndex()));
        NameBox->setFocus();
        return;
    }
    }
}

void TMainForm::SlabCopyButtonClick()
{
    using Result = app::SlabList::CopyResult;
    TakeTypedValue();
    const QString text = QStringLiteral("スラブのコピー");
    const int last = SlabList.Count();
    switch (SlabList.CopyOutcome()) {
    case Result::Refused:
        app::Tell(this, MessageKind::Warning, QStringLiteral("現在のスラブデータが未入力です。"));
        return;
    case Result::Appended:
        undo_->push(new app::SlabInsertStep(*this, text, last + 1, SlabList.Current(), SlabList.Template(),
                                            SlabList.Template(), CurrentIndex()));
        NameBox->setFocus();
        return;
    case Result::OverwroteLast:
        undo_->push(new app::SlabEditStep(*this, text, last, SlabList.At(last), SlabList.Current(), CurrentIndex(),
                                          false));
        return;
    }
}

// One click, no question: the step can be undone.
void TMainForm::SlabDeleteButtonClick()
{
    if (SlabList.Count() <= 1)
        return;
    TakeTypedValue();
    const int index = CurrentIndex();
    undo_->push(new app::SlabRemoveStep(*this, QStringLiteral("スラブの削除"), index, SlabList.Current(),
                                        SlabList.Template(), std::min(index, SlabList.Count() - 1)));
}

// The data arrangement: the dialog edits a list of the slabs' names; on
// OK its reordering, renaming and deletions are applied in one step and
// slab 1 is shown.  Nothing changes when the list came back as it went.
void TMainForm::ReplaceButtonClick()
{
    TakeTypedValue();  // a name typed just before belongs to the list
    std::vector<std::string> names;
    for (int i = 1; i <= SlabList.Count(); ++i)
        names.push_back(SlabList.At(i).Name);
    ReplaceForm->Fill(names);
    if (ReplaceForm->exec() != QDialog::Accepted)
        return;
    dialogs::ArrangementResult result =
        dialogs::ApplyArrangement(ReplaceForm->Arrangement().Entries(), SlabList.Slabs());
    if (result.changes == 0 || result.slabs.empty())
        return;
    app::DataState before = CaptureState();
    app::DataState after = before;
    after.records.resize(1);
    after.records.insert(after.records.end(), std::make_move_iterator(result.slabs.begin()),
                         std::make_move_iterator(result.slabs.end()));
    after.current = 1;
    undo_->push(new app::DataStep(*this, QStringLiteral("データの整理"), std::move(before), std::move(after),
                                  app::DataChange::Arrangement, false));
}

void TMainForm::TopButtonClick(int tag)
{
    TakeTypedValue();
    switch (tag) {
    case 0: SlabList.SetCurrentIndex(1); break;
    case 1: SlabList.SetCurrentIndex(CurrentIndex() - 1); break;
    case 2: SlabList.SetCurrentIndex(CurrentIndex() + 1); break;
    default: SlabList.SetCurrentIndex(SlabList.Count()); break;
    }
    SuppressNameChange = true;
    ShowSlab();
}

void TMainForm::UpdateNavigator()
{
    const QString name = NameBox->itemText(CurrentIndex() - 1);
    AllowSlabName(NameBox->lineEdit(), name);
    SuppressNameChange = true;
    NameBox->setCurrentIndex(CurrentIndex() - 1);
    NameBox->setEditText(name);
    SuppressNameChange = false;
    InfoPanel->setText(QStringLiteral("%1/%2").arg(CurrentIndex()).arg(NameBox->count()));
    ui->ReplaceButton->setEnabled(SlabList.Count() >= 2);
    const bool single = NameBox->count() == 1;
    for (QAction* button : {ui->TopButton, ui->BeforButton, ui->NextButton, ui->LastButton, ui->SlabDeleteButton})
        button->setEnabled(!single);
    if (!single) {
        if (NameBox->currentIndex() == 0) {
            ui->TopButton->setEnabled(false);
            ui->BeforButton->setEnabled(false);
        } else if (NameBox->currentIndex() == NameBox->count() - 1) {
            ui->LastButton->setEnabled(false);
            ui->NextButton->setEnabled(false);
        }
    }
}

void TMainForm::NameBoxChange(const QString& text)
{
    if (!SuppressNameChange && NameBox->count() > 0) {
        QLineEdit* edit = NameBox->lineEdit();
        const int caret = edit->cursorPosition();
        SlabList.Current().Name = text.toStdString();
        SuppressNameChange = true;
        NameBox->setItemText(CurrentIndex() - 1, text);
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
    SuppressNameChange = false;
}

void TMainForm::NameBoxSelect(int index)
{
    if (index < 0 || index == CurrentIndex() - 1)
        return;
    CommitEdit();  // a name typed before the other slab was picked
    SlabList.SetCurrentIndex(index + 1);
    NameAtEntry = NameBox->itemText(index);
    SuppressNameChange = true;
    ShowSlab();
}

// Escape, Up and Down in the name box; true when the key was consumed.
bool TMainForm::NameBoxKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        SuppressNameChange = true;
        NameBox->lineEdit()->setText(NameAtEntry);
        SuppressNameChange = false;
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int target = CurrentIndex() + (key == Qt::Key_Up ? -1 : 1);
        if (target >= 1 && target <= SlabList.Count()) {
            CommitEdit();
            SlabList.SetCurrentIndex(target);
            NameAtEntry = QString::fromStdString(SlabList.Current().Name);
            ShowSlab();
        }
        return true;
    }
    default:
        return false;
    }
}

void TMainForm::NameBoxExit()
{
    const QString text = NameBox->currentText();
    if (QString::fromStdString(SlabList.Current().Name) != text) {
        SlabList.Current().Name = text.toStdString();
        SuppressNameChange = true;
        NameBox->setItemText(CurrentIndex() - 1, text);
        SuppressNameChange = false;
    }
}

int TMainForm::CountCalculatedSlabs(bool tell)
{
    const int count = SlabList.CountCalculated();
    if (count == 0 && tell)
        app::Tell(this, MessageKind::Information, QStringLiteral("計算されたスラブがありません"));
    return count;
}
