// Undo and redo of the main window's edits, the modified state that
// follows the undo stack, and the recovery copy of modified data.
//
// A step is made when an input is committed: a number box left, a choice
// picked, a box clicked.  The window keeps the current slab as of its last
// step (committed_); CommitEdit compares the slab with it and pushes the
// difference.  Commands that change the list or show another slab first
// take what is being typed (TakeTypedValue, which commits), so that no
// edit is lost between steps.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QUndoStack>

#include "app/DataNotifier.h"
#include "app/EditSteps.h"
#include "app/Icons.h"
#include "app/RecoveryCopy.h"
#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/UserMessages.h"
#include "components/ConfigFolder.h"
#include "components/FileHistory.h"
#include "components/NumberEdit.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "print/Uprintsetup.h"
#include "ui_Umain.h"

using namespace korvexa;

namespace {

// The steps kept: enough for a day's work, with a bound on the memory
// that the steps of whole data sets take.
constexpr int kUndoLimit = 200;

// "元に戻す: Lx の変更 (&U)", or the bare command when there is no step.
QString CommandText(const QString& verb, const QString& step, QChar key)
{
    QString text = verb;
    if (!step.isEmpty())
        text += QStringLiteral(": ") + QString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text + QStringLiteral(" (&") + key + QLatin1Char(')');
}

// The box that keeps the focus through undo or redo shows the value put
// back as its own, so that Esc does not bring the typing back.
void ForgetTyping()
{
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        box->setModified(false);
}

}  // namespace

void TMainForm::SetUpEdit()
{
    undo_ = new QUndoStack(this);
    undo_->setUndoLimit(kUndoLimit);
    notifier_ = new app::DataNotifier(SlabList, this);

    ui->MenuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ui->MenuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    ui->MenuUndo->setIcon(app::MakeToolIcon(app::ToolIcon::Undo));
    ui->MenuRedo->setIcon(app::MakeToolIcon(app::ToolIcon::Redo));
    connect(ui->MenuUndo, &QAction::triggered, this, &TMainForm::UndoClick);
    connect(ui->MenuRedo, &QAction::triggered, this, &TMainForm::RedoClick);
    connect(undo_, &QUndoStack::indexChanged, this, &TMainForm::ShowUndoTexts);
    connect(undo_, &QUndoStack::indexChanged, this, &TMainForm::ModifiedStateChanged);
    connect(undo_, &QUndoStack::cleanChanged, this, &TMainForm::ModifiedStateChanged);
    connect(undo_, &QUndoStack::cleanChanged, notifier_,
            [this](bool clean) { emit notifier_->ModifiedChanged(!clean); });
    ShowUndoTexts();

    // Each committed input of the panel is a step, after its own handler.
    // A value being typed is one to come: undo takes it back.
    const auto typing = [this] { ui->MenuUndo->setEnabled(true); };
    for (QLineEdit* edit : {NameBox->lineEdit(), ui->FcInput->lineEdit()})
        connect(edit, &QLineEdit::textEdited, this, typing);
    for (TNumberEdit* box : ui->centralwidget->findChildren<TNumberEdit*>()) {
        connect(box, &TNumberEdit::exited, this, [this] { CommitEdit(); });
        connect(box, &QLineEdit::textEdited, this, typing);
    }
    for (QComboBox* box : ui->centralwidget->findChildren<QComboBox*>())
        connect(box, qOverload<int>(&QComboBox::activated), this, [this] { CommitEdit(); });
    for (QCheckBox* box : ui->centralwidget->findChildren<QCheckBox*>())
        connect(box, &QCheckBox::clicked, this, [this] { CommitEdit(); });
    connect(LoadTimeButtons, &QButtonGroup::idClicked, this, [this] { CommitEdit(); });

    connect(PrintSetup, &TPrintSetup::LayoutEdited, this,
            [this](const datafile::PrintLayout& before, const datafile::PrintLayout& after) {
                undo_->push(new app::LayoutStep(*this, before, after, true));
                emit notifier_->LayoutChanged();
            });

    recovery_ = std::make_unique<app::RecoveryCopy>(ConfigFolder());
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::WriteRecoveryCopy);
}

bool TMainForm::IsModified() const { return !undo_->isClean(); }

void TMainForm::ShowUndoTexts()
{
    const std::pair<QAction*, std::pair<QString, QString>> commands[] = {
        {ui->MenuUndo, {QStringLiteral("元に戻す"), undo_->undoText()}},
        {ui->MenuRedo, {QStringLiteral("やり直し"), undo_->redoText()}},
    };
    for (const auto& [action, texts] : commands) {
        const auto& [verb, step] = texts;
        action->setText(CommandText(verb, step, action == ui->MenuUndo ? QLatin1Char('U') : QLatin1Char('R')));
        action->setToolTip(step.isEmpty() ? verb : verb + QStringLiteral(": ") + step);
    }
    ui->MenuUndo->setEnabled(undo_->canUndo());
    ui->MenuRedo->setEnabled(undo_->canRedo());
}

// Undo and redo take the value being typed first: Ctrl+Z in a box takes
// back what was typed there.
void TMainForm::UndoClick()
{
    TakeTypedValue();
    undo_->undo();
    ForgetTyping();
}

void TMainForm::RedoClick()
{
    TakeTypedValue();
    undo_->redo();
    ForgetTyping();
}

bool TMainForm::IsUndoKey(const QKeyEvent& key) const
{
    const QKeySequence pressed(key.keyCombination());
    return ui->MenuUndo->shortcuts().contains(pressed) || ui->MenuRedo->shortcuts().contains(pressed);
}

void TMainForm::SnapshotCurrent()
{
    committed_ = SlabList.Current();
    committedIndex_ = CurrentIndex();
}

void TMainForm::CommitEdit(const QString& text)
{
    if (committedIndex_ >= 1 && committedIndex_ <= SlabList.Count()) {
        const SlabData& now = SlabList.At(committedIndex_);
        if (!datafile::SameInputs(committed_, now)) {
            const QString step = text.isEmpty() ? app::Utf8(app::EditStepText(committed_, now)) : text;
            undo_->push(new app::SlabEditStep(*this, step, committedIndex_, committed_, now, committedIndex_, true));
            emit notifier_->SlabChanged(committedIndex_);
        }
    }
    SnapshotCurrent();
}

app::DataState TMainForm::CaptureState() const
{
    return {SlabList.Records(), SlabList.CurrentIndex(), ProgramSettings(), ProgramBars().Grades()};
}

// ---------------------------------------------------------------- what the steps change

void TMainForm::PutSlab(int index, const SlabData& slab, int shown)
{
    SlabList.At(index) = slab;
    SuppressNameChange = true;
    NameBox->setItemText(index - 1, QString::fromStdString(slab.Name));
    SlabList.SetCurrentIndex(shown);
    SuppressNameChange = true;
    ShowSlab();
    emit notifier_->SlabChanged(index);
}

void TMainForm::InsertSlab(int index, const SlabData& slab, const SlabData& model)
{
    SlabList.Template() = model;
    SlabList.Insert(index, slab);
    SuppressNameChange = true;
    NameBox->insertItem(index - 1, QString::fromStdString(slab.Name));
    SuppressNameChange = true;
    ShowSlab();
    emit notifier_->SlabInserted(index);
}

void TMainForm::RemoveSlab(int index, const SlabData& model, int shown)
{
    SlabList.Template() = model;
    SlabList.Remove(index);
    SuppressNameChange = true;
    NameBox->removeItem(index - 1);
    SlabList.SetCurrentIndex(shown);
    SuppressNameChange = true;
    ShowSlab();
    emit notifier_->SlabRemoved(index);
}

void TMainForm::PutData(const app::DataState& state, app::DataChange change)
{
    ProgramSettings() = state.settings;
    ProgramBars().SetGrades(state.grades);
    SlabList.Restore(state.records, state.current);
    UpdateLoadUnit();
    ReloadNameBox();
    SuppressNameChange = true;
    ShowSlab();
    if (change == app::DataChange::Arrangement)
        emit notifier_->SlabsRearranged();
    else
        emit notifier_->SettingsChanged();
}

void TMainForm::PutLayout(const datafile::PrintLayout& layout)
{
    PrintSetup->ApplyLayout(layout);
    emit notifier_->LayoutChanged();
}

// ---------------------------------------------------------------- modified state

// Another data set is in the window: nothing to undo, nothing modified.
void TMainForm::StartNewData()
{
    undo_->clear();
    emit notifier_->DataReplaced();
}

void TMainForm::MarkSaved() { undo_->setClean(); }

// The caption's marker, and the recovery copy: written a while after the
// last change of modified data, removed when the data is as saved.
void TMainForm::ModifiedStateChanged()
{
    setWindowModified(IsModified());
    if (IsModified()) {
        recoveryTimer_->start(RecoveryDelay);
    } else {
        recoveryTimer_->stop();
        recovery_->Remove();
    }
}

QString TMainForm::RecoveryCopyPath() const { return recovery_->DataPath(); }

void TMainForm::WriteRecoveryCopy()
{
    if (!IsModified())
        return;
    QString error;
    if (!recovery_->Write(CurrentData(), CurrentFileName(), error))
        ui->MessageBar->setText(QStringLiteral("　復元用のデータを書き込めません: ") + error);
}

void TMainForm::OfferRecovery()
{
    std::vector<app::LeftCopy> copies = app::TakeLeftCopies(ConfigFolder());
    for (app::LeftCopy& copy : copies) {
        const QString name = copy.FileName();
        const QString text = QStringLiteral("前回、保存されずに終了したデータがあります。復元しますか？\n\nファイル: ") +
                             (name.isEmpty() ? QStringLiteral("(無題)") : name) + QStringLiteral("\n時刻: ") +
                             copy.Time().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        switch (app::Choose(this, text, {QStringLiteral("復元"), QStringLiteral("破棄")})) {
        case 0:
            if (RestoreCopy(copy.DataPath(), name))
                copy.Discard();
            return;
        case 1:
            copy.Discard();
            break;
        default:
            return;  // not answered: the copies stay for the next start
        }
    }
}

// The copy's data as modified data of its own file (or untitled); this
// window's own copy is written at once, before the one taken is deleted.
bool TMainForm::RestoreCopy(const QString& dataPath, const QString& fileName)
{
    datafile::ReadResult result = datafile::ReadDataFile(dataPath.toStdString(), PrintLayout());
    if (!result.ok()) {
        app::Tell(this, app::MessageKind::Error,
                  app::Utf8(result.error.message) + QStringLiteral("\n") + dataPath + QStringLiteral("\n") +
                      app::Utf8(result.error.detail));
        return false;
    }
    ApplyDataSet(*result.data, fileName);
    undo_->resetClean();
    WriteRecoveryCopy();
    return true;
}
