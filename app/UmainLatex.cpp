// The LaTeX report of the main window: the output command, the settings
// window, and the runs of the compiler and the viewer.
#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>

#include "app/Umain.h"
#include "app/UmainShared.h"
#include "app/UserMessages.h"
#include "components/ConfigFolder.h"
#include "engine/Ucommon.h"
#include "latex/LatexHeader.h"
#include "latex/LatexWriter.h"
#include "latex/ToolRun.h"
#include "latex/Ulatexform.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageKind;

namespace {

// The characters written differently, for the message bar.
QString ReplacedNote(const std::vector<std::string>& replaced)
{
    if (replaced.empty())
        return QString();
    QString characters;
    for (const std::string& c : replaced)
        characters += app::Utf8(c);
    return QStringLiteral("　TeX で使えない文字を置き換えました：") + characters;
}

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

}  // namespace

void TMainForm::SetUpLatex()
{
    LatexForm = new TLatexForm(iniFileName_, QDir(ConfigFolder()).filePath(QString::fromUtf8(latex::kHeaderFileName)),
                               this);
    LatexForm->ShowError = [](QWidget* parent, const QString& text) { app::Tell(parent, MessageKind::Error, text); };
    connect(ui->MenuTeXOut, &QAction::triggered, this, &TMainForm::MenuTeXOutClick);
    connect(ui->LatexSetting, &QAction::triggered, this, &TMainForm::LatexSettingClick);
}

void TMainForm::LatexSettingClick() { LatexForm->exec(); }

void TMainForm::MenuTeXOutClick()
{
    TakeTypedValue();
    if (CountCalculatedSlabs(true) == 0)
        return;
    const QString chosen = ChooseSaveFile(this, PrepareSaveDialog(TexFileName, 1));
    if (chosen.isEmpty())
        return;
    const QString target = app::WithExtension(chosen, QStringLiteral(".tex"));
    if (!ConfirmRenamedTarget(chosen, target))
        return;
    TexFileName = target;

    const latex::LatexFileResult written =
        latex::WriteLatexFile(TexFileName.toStdString(), CurrentData(), LatexForm->HeaderLines());
    if (!written.ok) {
        app::Tell(this, MessageKind::Error,
                  QStringLiteral("File Open Error: \n") + TexFileName + QStringLiteral("\n") + app::Utf8(written.error));
        return;
    }
    ui->MessageBar->clear();
    TellLeftOut();
    ui->MessageBar->setText(ui->MessageBar->text() + ReplacedNote(written.replaced));

    const QString compiler = app::Utf8(Shared().LatexCompilerPath);
    if (!LatexForm->CompileAndPreview() || !IsFile(compiler)) {
        QString text = QStringLiteral("TeXファイルを作成しました。");
        if (LatexForm->CompileAndPreview())
            text += compiler.isEmpty()
                        ? QStringLiteral("\nLaTeXコンパイラ (platex) が見つからないため、コンパイルしていません。")
                        : QStringLiteral("\nLaTeXコンパイラ %1 が見つからないため、コンパイルしていません。").arg(compiler);
        app::Tell(this, MessageKind::Information, text);
        return;
    }
    RunLatexTools();
}

// Runs the compiler with a progress dialog, whose Cancel ends it, and opens
// the compiled file in the viewer.
void TMainForm::RunLatexTools()
{
    const QString compiler = app::Utf8(Shared().LatexCompilerPath);
    latex::CompileRun run(compiler, TexFileName);
    QProgressDialog progress(QStringLiteral("LaTeX のコンパイル中です：") + QFileInfo(TexFileName).fileName(),
                             QStringLiteral("中止"), 0, 0, this);
    progress.setObjectName(QStringLiteral("LatexProgress"));
    progress.setWindowTitle(QStringLiteral("LaTeX"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    connect(&progress, &QProgressDialog::canceled, &run, &latex::CompileRun::Cancel);
    QEventLoop loop;
    connect(&run, &latex::CompileRun::Finished, &loop, &QEventLoop::quit);
    if (run.Start()) {
        progress.show();
        if (run.IsRunning())
            loop.exec();
        progress.hide();
    }

    const latex::CompileOutcome& outcome = run.Outcome();
    const QString note = ui->MessageBar->text();
    using Status = latex::CompileOutcome::Status;
    switch (outcome.status) {
    case Status::NotStarted:
        app::Tell(this, MessageKind::Error,
                  QStringLiteral("LaTeXコンパイラを起動できませんでした。\n") + compiler + QStringLiteral("\n") +
                      outcome.reason);
        return;
    case Status::Failed:
        app::Tell(this, MessageKind::Error,
                  QStringLiteral("LaTeXのコンパイルに失敗しました。\n") + TexFileName + QStringLiteral("\n") +
                      outcome.reason + QStringLiteral("\n\n") + outcome.log);
        return;
    case Status::Cancelled:
    case Status::Running:
        ui->MessageBar->setText(note + QStringLiteral("　LaTeXのコンパイルを中止しました。"));
        return;
    case Status::Succeeded:
        break;
    }
    const QString dvi = latex::DviFileName(TexFileName);
    const QString viewer = app::Utf8(Shared().LatexViewerPath);
    if (!IsFile(viewer)) {
        ui->MessageBar->setText(note + QStringLiteral("　コンパイルしました：") + dvi);
        return;
    }
    if (!latex::StartViewer(viewer, dvi))
        app::Tell(this, MessageKind::Error, QStringLiteral("ビュワーを起動できませんでした。\n") + viewer);
}
