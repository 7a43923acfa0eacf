// The file commands of the main window: new, open (also from the recent
// files), save, save as, and the question whether to save the current data.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QUndoStack>

#include "app/DataNotifier.h"
#include "app/Ucomform.h"
#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/UserMessages.h"
#include "components/FileHistory.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "print/Uprintsetup.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageAnswer;
using app::MessageKind;

namespace {

const QString kDataFilter = QStringLiteral("データファイル(*.slab)");
const QString kAllFilesFilter = QStringLiteral("全てのファイル(*)");

bool IsReadOnly(const QString& fileName)
{
    return !fileName.isEmpty() && datafile::IsReadOnlyFile(fileName.toStdString());
}

}  // namespace

void TMainForm::SetUpFiles()
{
    ChooseOpenFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QString(), folder, kDataFilter);
    };
    ChooseSaveFile = [](QWidget* parent, const SaveDialogSetup& setup) {
        const QString start = setup.fileName.isEmpty() ? setup.directory : setup.fileName;
        QFileDialog dialog(parent, QString(), start, setup.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without the extension is asked about (overwriting)
        // under the name it is written to.
        dialog.setDefaultSuffix(setup.defaultSuffix);
        dialog.selectNameFilter(setup.filter.split(QStringLiteral(";;")).value(setup.filterIndex - 1));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };

    FileHistory = new TFileHistory(this);
    FileHistory->AttachMenu(ui->MenuFile, ui->Sep1, ui->MenuClose);
    FileHistory->Init(TFileHistory::DataFileHistoryPath(), [this](const QString& file) { HistoryOpen(file); });
    PrintSetup = new TPrintSetup(this);
    PrintSetup->ShowError = [](QWidget* parent, const QString& text) { app::Tell(parent, MessageKind::Error, text); };
    PrintSetup->Warn = [](QWidget* parent, const QString& text) { app::Tell(parent, MessageKind::Warning, text); };
    PrintSetup->AskToFix = [](QWidget* parent, const QString& text) {
        return app::Tell(parent, MessageKind::Question, text) == app::MessageAnswer::Yes;
    };
    CommonForm = new TCommonForm(this);

    connect(ui->NewDataButton, &QAction::triggered, this, &TMainForm::NewDataButtonClick);
    connect(ui->DataOpenButton, &QAction::triggered, this, &TMainForm::MenuOpenClick);
    connect(ui->MenuOpen, &QAction::triggered, this, &TMainForm::MenuOpenClick);
    connect(ui->DataSaveButton, &QAction::triggered, this, &TMainForm::MenuSaveClick);
    connect(ui->MenuSave, &QAction::triggered, this, &TMainForm::MenuSaveClick);
    connect(ui->MenuSaveAs, &QAction::triggered, this, &TMainForm::MenuSaveAsClick);
    connect(ui->EnvironButton, &QAction::triggered, this, &TMainForm::EnvironButtonClick);
    connect(ui->MenuFile, &QMenu::aboutToShow, this, &TMainForm::MenuFileClick);
    connect(ui->MenuPrintSetup, &QAction::triggered, this, &TMainForm::MenuPrintSetupClick);
    // The enabling shows what the commands would do while the menu is open;
    // afterwards the shortcuts act as the tool buttons do, and the commands
    // test for themselves.
    connect(ui->MenuFile, &QMenu::aboutToHide, this, [this] {
        ui->MenuSave->setEnabled(true);
        ui->MenuSaveAs->setEnabled(true);
        ui->MenuPreview->setEnabled(true);
        ui->MenuPrint->setEnabled(true);
    });

    // The usual keys of a Linux desktop, whatever the platform theme says;
    // none is a key the number boxes edit with.
    ui->NewDataButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    ui->MenuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ui->MenuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ui->MenuSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

// A value typed into a box is taken when the box is left.  A command that
// works on the data takes it first, as leaving the box would, and gives
// the box its focus back; the edit becomes a step of its own.
void TMainForm::TakeTypedValue()
{
    QWidget* box = QApplication::focusWidget();
    if (box && box->window() == this) {
        box->clearFocus();
        box->setFocus(Qt::OtherFocusReason);
    }
    CommitEdit();
}

QString TMainForm::CurrentFileName() const { return FileHistory->NowOpenFileName(); }

datafile::PrintLayout TMainForm::PrintLayout() const { return PrintSetup->Layout(); }

TMainForm::SaveDialogSetup TMainForm::PrepareSaveDialog(const QString& fileName, int kind) const
{
    SaveDialogSetup setup;
    setup.filter = kind == 1 ? QStringLiteral("LaTeXファイル(*.tex)") : kDataFilter + QStringLiteral(";;") + kAllFilesFilter;
    setup.filterIndex = 1;
    setup.directory = fileName.isEmpty() ? folders_.StartFolder(CurrentFileName()) : QFileInfo(fileName).path();
    setup.fileName = fileName;
    setup.defaultSuffix = kind == 1 ? QStringLiteral("tex") : QStringLiteral("slab");
    return setup;
}

// The name chosen in the save dialog gets its extension replaced: a file of
// that other name is only replaced when the user says so.
bool TMainForm::ConfirmRenamedTarget(const QString& chosen, const QString& name)
{
    if (name == chosen || !QFileInfo::exists(name))
        return true;
    return app::Tell(this, MessageKind::Question, name + QStringLiteral(" は既に存在します。\n上書きしますか？")) ==
           MessageAnswer::Yes;
}

// Only a data set with nothing typed at all (new data, not edited) needs
// no saving.
bool TMainForm::HasDataToSave() const { return !CurrentFileName().isEmpty() || IsModified(); }

// Asks whether to save the current data before it is replaced, when it was
// changed.  Only No gives the changes up: a save dialog that is cancelled,
// or a save that fails, abandons the command with the data as it was.
TMainForm::Continuation TMainForm::AskSaveCurrent(bool withCancel, QString* savedName)
{
    TakeTypedValue();
    if (!IsModified())
        return Continuation::Go;
    switch (app::Tell(this, MessageKind::Question, QStringLiteral("現在のデータを保存しますか？"), withCancel)) {
    case MessageAnswer::Cancel:
        return Continuation::Abandon;
    case MessageAnswer::Yes: {
        const QString chosen = ChooseSaveFile(this, PrepareSaveDialog(CurrentFileName(), 0));
        if (chosen.isEmpty())
            return Continuation::Abandon;
        const QString name = app::WithExtension(chosen, QStringLiteral(".slab"));
        if (!ConfirmRenamedTarget(chosen, name) || !WriteData(name))
            return Continuation::Abandon;
        folders_.Used(name);
        MarkSaved();
        if (savedName)
            *savedName = name;
        return Continuation::Go;
    }
    default:
        return Continuation::Go;
    }
}

void TMainForm::TellWarnings(const QString& heading, const std::vector<std::string>& warnings)
{
    // A damaged file may give a warning for every slab: the box lists the
    // first ones and counts the rest.
    constexpr std::size_t kListed = 20;
    QString text = heading;
    for (std::size_t i = 0; i < warnings.size() && i < kListed; ++i)
        text += QStringLiteral("\n") + app::Utf8(warnings[i]);
    if (warnings.size() > kListed)
        text += QStringLiteral("\nほか %1 件").arg(warnings.size() - kListed);
    app::Tell(this, MessageKind::Warning, text);
}

datafile::DataSet TMainForm::CurrentData() const
{
    datafile::DataSet data;
    data.settings = ProgramSettings();
    data.grades = ProgramBars().Grades();
    data.slabs = SlabList.Slabs();
    data.layout = PrintLayout();
    return data;
}

bool TMainForm::WriteData(const QString& fileName)
{
    const datafile::WriteResult result = datafile::WriteDataFile(fileName.toStdString(), CurrentData());
    if (!result.ok) {
        QString text = app::Utf8(result.error.message);
        if (!result.error.detail.empty())
            text += QStringLiteral("\n") + app::Utf8(result.error.detail);
        app::Tell(this, MessageKind::Error, text);
    } else if (!result.warnings.empty()) {
        // Saved, but not every text as it is on screen: say what changed.
        TellWarnings(QStringLiteral("データを保存しましたが、ファイルに収まらない文字を変更しました。"), result.warnings);
    }
    return result.ok;
}

void TMainForm::NewDataButtonClick()
{
    if (AskSaveCurrent(true) == Continuation::Abandon)
        return;
    CommonForm->ApplyDesignDefaults();
    UpdateLoadUnit();
    InitSlabList();
    FileHistory->Remake(QString(), true);
    PrintSetup->ApplyDefaults();
    SetCaption(QString(), false);
    StartNewData();
}

// A data set read from a file (or a recovery copy) in place of the one in
// the window, under the name `fileName` (empty: untitled).
void TMainForm::ApplyDataSet(datafile::DataSet& data, const QString& fileName)
{
    ProgramSettings() = data.settings;
    ProgramBars().SetGrades(data.grades);
    PrintSetup->ApplyLayout(data.layout);
    FcListReset();
    for (const SlabData& slab : data.slabs)
        FcListAdd(slab.Fc);
    SlabList.Replace(std::move(data.slabs), data.settings.LoadUnitFactor);
    ReloadNameBox();
    UpdateLoadUnit();
    FileHistory->Remake(fileName, true);
    folders_.Used(fileName);
    SetCaption(fileName, IsReadOnly(fileName));
    ShowSlab();
    StartNewData();
}

void TMainForm::MenuOpenClick()
{
    if (AskSaveCurrent(true) == Continuation::Abandon)
        return;
    const QString chosen = ChooseOpenFile(this, folders_.StartFolder(CurrentFileName()));
    if (chosen.isEmpty())
        return;
    folders_.Used(chosen);
    OpenParamFile(chosen);
}

int TMainForm::HistoryOpen(const QString& fileName)
{
    if (AskSaveCurrent(false) == Continuation::Abandon)
        return 1;
    return OpenParamFile(fileName) ? 0 : 1;
}

void TMainForm::MenuSaveClick()
{
    TakeTypedValue();
    const QString current = CurrentFileName();
    if (current.isEmpty() || IsReadOnly(current)) {
        MenuSaveAsClick();
        return;
    }
    if (WriteData(current))
        MarkSaved();
}

void TMainForm::MenuSaveAsClick()
{
    TakeTypedValue();
    if (!HasDataToSave()) {
        app::Tell(this, MessageKind::Information, QStringLiteral("保存するデータがありません"));
        return;
    }
    const QString current = CurrentFileName();
    const QString chosen = ChooseSaveFile(this, PrepareSaveDialog(current, 0));
    if (chosen.isEmpty())
        return;
    const QString name = app::WithExtension(chosen, QStringLiteral(".slab"));
    if (!ConfirmRenamedTarget(chosen, name) || !WriteData(name))
        return;
    folders_.Used(name);
    MarkSaved();
    if (name == current)
        return;
    FileHistory->Remake(name, true);
    SetCaption(name, false);
}

void TMainForm::MenuFileClick()
{
    const int count = CountCalculatedSlabs(false);
    ui->MenuSave->setEnabled(HasDataToSave() && !IsReadOnly(CurrentFileName()));
    ui->MenuSaveAs->setEnabled(HasDataToSave());
    ui->MenuPreview->setEnabled(count > 0);
    ui->MenuPrint->setEnabled(count > 0);
    ui->MenuSelectPrint->setEnabled(count >= 2);
}

// The design settings dialog is one step: what it changed, with the loads
// of every slab when the load unit changed.  Its number boxes write their
// settings even when it is cancelled, so the step is made either way.
void TMainForm::EnvironButtonClick()
{
    TakeTypedValue();
    const app::DataState before = CaptureState();
    if (CommonForm->exec() == QDialog::Accepted) {
        if (CommonForm->UnitChanged) {
            UpdateLoadUnit();
            ConvertLoadUnit(SlabList.Template());
            for (int i = 1; i <= SlabList.Count(); ++i)
                ConvertLoadUnit(SlabList.At(i));
        }
        RefreshLoads();
    }
    app::DataState after = CaptureState();
    SnapshotCurrent();
    if (app::SameData(before, after))
        return;
    undo_->push(new app::DataStep(*this, QStringLiteral("基本設定の変更"), before, std::move(after),
                                  app::DataChange::Settings, true));
    emit notifier_->SettingsChanged();
}

// The print layout dialog is one step when it changed the layout (see
// TPrintSetup::LayoutEdited).
void TMainForm::MenuPrintSetupClick()
{
    TakeTypedValue();
    PrintSetup->exec();
}
