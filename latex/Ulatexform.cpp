#include "latex/Ulatexform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "components/BackslashFont.h"
#include "datafile/ProfileFile.h"
#include "engine/Ucommon.h"
#include "latex/LatexHeader.h"
#include "latex/ToolRun.h"
#include "ui_Ulatexform.h"

using namespace korvexa;

namespace {

constexpr std::string_view kSection = "LaTeX2e";

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// A path from the settings file counts when it names an existing file.
bool NamesFile(const std::string& path)
{
    return !path.empty() && QFileInfo(Utf8(path)).isFile();
}

// Shows folders and, while `onlyPrograms` is on, only the files that may be
// run: a convenience the file dialog's filter "実行ファイル" offers.
class ProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetOnlyPrograms(bool on)
    {
        onlyPrograms_ = on;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (!onlyPrograms_)
            return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool onlyPrograms_ = false;
};

}  // namespace

QString TLatexForm::ChooseExecutable(QWidget* parent, const QString& current, const QString& filterName)
{
    // Every file is listed: where a program lies, and what may be run, is
    // the user's to see (a filter on the execute bit once listed nothing).
    QFileDialog dialog(parent, filterName);
    dialog.setObjectName(QStringLiteral("ProgramDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // for the filter below
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString all = QStringLiteral("すべてのファイル (*)");
    const QString programs = QStringLiteral("実行ファイル (*)");
    dialog.setNameFilters({all, programs});
    auto* filter = new ProgramFilter(&dialog);
    dialog.setProxyModel(filter);
    connect(&dialog, &QFileDialog::filterSelected, filter,
            [filter, programs](const QString& name) { filter->SetOnlyPrograms(name == programs); });
    const QFileInfo info(current);
    dialog.setDirectory(!current.isEmpty() && info.absoluteDir().exists() ? info.absolutePath()
                                                                          : QStringLiteral("/usr/bin"));
    if (!current.isEmpty())
        dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

namespace {

void ShowErrorBox(QWidget* parent, const QString& text)
{
    QApplication::beep();
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

}  // namespace

TLatexForm::TLatexForm(const QString& settingsFile, const QString& headerFile, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TLatexForm>()), settingsFile_(settingsFile), headerFile_(headerFile)
{
    ui->setupUi(this);
    ChooseProgram = ChooseExecutable;
    ShowError = ShowErrorBox;
    // The header is LaTeX: its backslashes must look like backslashes.
    ui->Edit->setFont(WithTrueBackslash(QFont(QStringLiteral("ＭＳ ゴシック")), true));
    SetUpActions();
    connect(ui->CompilerButton, &QPushButton::clicked, this, &TLatexForm::CompilerButtonClick);
    connect(ui->ViewerButton, &QPushButton::clicked, this, &TLatexForm::ViewerButtonClick);
    connect(ui->CheckBox1, &QCheckBox::toggled, this, &TLatexForm::CheckBox1Click);
    connect(ui->HeaderSaveButton, &QToolButton::clicked, this, &TLatexForm::HeaderSaveButtonClick);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &QWidget::close);
    FormCreate();
}

TLatexForm::~TLatexForm() { FormDestroy(); }

void TLatexForm::SetUpActions()
{
    const std::pair<QAction*, QToolButton*> actions[] = {
        {ui->EditCopy, ui->CopyButton}, {ui->EditCut, ui->CutButton},
        {ui->EditPaste, ui->PasteButton}, {ui->EditUndo, ui->UndoButton}};
    for (const auto& [action, button] : actions) {
        addAction(action);
        const QString tip = button->toolTip();
        button->setDefaultAction(action);
        button->setToolTip(tip);
    }
    connect(ui->EditCopy, &QAction::triggered, ui->Edit, &QPlainTextEdit::copy);
    connect(ui->EditCut, &QAction::triggered, ui->Edit, &QPlainTextEdit::cut);
    connect(ui->EditPaste, &QAction::triggered, ui->Edit, &QPlainTextEdit::paste);
    connect(ui->EditUndo, &QAction::triggered, ui->Edit, &QPlainTextEdit::undo);
}

void TLatexForm::FormCreate()
{
    const datafile::ProfileFile settings(PathOf(settingsFile_));
    bool compileAndPreview = true;
    if (settings.Exists()) {
        const std::string compiler = settings.ReadString(kSection, "Compiler", "");
        if (NamesFile(compiler))
            Shared().LatexCompilerPath = compiler;
        // xdvi, stored by earlier versions, would show the report without
        // its Japanese: the desktop's PDF viewer is taken instead.
        const std::string viewer = settings.ReadString(kSection, "Viewer", "");
        if (NamesFile(viewer) && !latex::DrawsNoJapanese(Utf8(viewer)))
            Shared().LatexViewerPath = viewer;
        compileAndPreview = settings.ReadInteger(kSection, "Mode", 1) != 0;
    }
    ui->CheckBox1->setChecked(compileAndPreview);
    CheckBox1Click();
    ui->CompilerEdit->setText(Utf8(Shared().LatexCompilerPath));
    ui->ViewerEdit->setText(Utf8(Shared().LatexViewerPath));

    const auto header = latex::ReadHeaderFile(PathOf(headerFile_));
    if (!header) {
        FillDefaultHeader();
        return;
    }
    QStringList lines;
    for (const std::string& line : *header)
        lines << Utf8(line);
    ui->Edit->setPlainText(lines.join(QLatin1Char('\n')));
    ui->Edit->document()->setModified(false);
}

void TLatexForm::FillDefaultHeader()
{
    QStringList lines;
    for (const std::string& line : latex::DefaultHeaderLines())
        lines << Utf8(line);
    ui->Edit->setPlainText(lines.join(QLatin1Char('\n')));
    ui->Edit->document()->setModified(true);
}

std::vector<std::string> TLatexForm::HeaderLines() const
{
    std::vector<std::string> lines;
    const QString text = ui->Edit->toPlainText();
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdString());
    return lines;
}

bool TLatexForm::CompileAndPreview() const { return ui->CheckBox1->isChecked(); }

void TLatexForm::CompilerButtonClick()
{
    const QString chosen = ChooseProgram(this, ui->CompilerEdit->text(), QStringLiteral("Compiler"));
    if (!chosen.isEmpty())
        ui->CompilerEdit->setText(chosen);
}

void TLatexForm::ViewerButtonClick()
{
    const QString chosen = ChooseProgram(this, ui->ViewerEdit->text(), QStringLiteral("Viewer"));
    if (!chosen.isEmpty())
        ui->ViewerEdit->setText(chosen);
}

void TLatexForm::CheckBox1Click()
{
    const bool on = ui->CheckBox1->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(ui->CompilerButton), static_cast<QWidget*>(ui->CompilerEdit),
                             static_cast<QWidget*>(ui->ViewerButton), static_cast<QWidget*>(ui->ViewerEdit)})
        control->setEnabled(on);
}

void TLatexForm::HeaderSaveButtonClick()
{
    std::string error;
    if (latex::WriteHeaderFile(PathOf(headerFile_), HeaderLines(), error)) {
        ui->Edit->document()->setModified(false);
        return;
    }
    ShowError(this, QStringLiteral("Header Save Error: \n") + headerFile_ + QStringLiteral("\n") + Utf8(error));
}

void TLatexForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TLatexForm::FormClose()
{
    ui->CompilerEdit->setText(ui->CompilerEdit->text().trimmed());
    ui->ViewerEdit->setText(ui->ViewerEdit->text().trimmed());
    Shared().LatexCompilerPath = ui->CompilerEdit->text().toStdString();
    Shared().LatexViewerPath = ui->ViewerEdit->text().toStdString();
}

void TLatexForm::FormDestroy()
{
    datafile::ProfileFile settings(PathOf(settingsFile_));
    if (!settings.Exists())
        return;
    // An emptied box keeps the old value in the file.
    if (!ui->CompilerEdit->text().isEmpty())
        settings.WriteString(kSection, "Compiler", ui->CompilerEdit->text().toStdString());
    if (!ui->ViewerEdit->text().isEmpty())
        settings.WriteString(kSection, "Viewer", ui->ViewerEdit->text().toStdString());
    settings.WriteInteger(kSection, "Mode", CompileAndPreview() ? 1 : 0);
}
