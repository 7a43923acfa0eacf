// The LaTeX report of the main window: the output command, the settings
// window, and the runs of the compiler, dvipdfmx and the viewer.
#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QUrl>

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
    const QString offered =
        app::OfferedOutputFile(folders_.StartFolder(CurrentFileName()), CurrentFileName(), QStringLiteral(".tex"));
    const QString chosen = ChooseSaveFile(this, PrepareSaveDialog(offered, 1));
    if (chosen.isEmpty())
        return;
    folders_.Used(chosen);
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

namespace {

// Runs a tool with a progress dialog, whose Cancel ends it.
latex::ToolOutcome RunWithProgress(QWidget* parent, latex::ToolRun& run, const QString& text)
{
    QProgressDialog progress(text, QStringLiteral("中止"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("LatexProgress"));
    progress.setWindowTitle(QStringLiteral("LaTeX"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &run, &latex::ToolRun::Cancel);
    QEventLoop loop;
    QObject::connect(&run, &latex::ToolRun::Finished, &loop, &QEventLoop::quit);
    if (run.Start()) {
        progress.show();
        if (run.IsRunning())
            loop.exec();
        progress.hide();
    }
    return run.Outcome();
}

}  // namespace

// Runs the compiler, then dvipdfmx on its DVI, each with a progress dialog
// whose Cancel ends it, and shows the result: the DVI in a DVI viewer, the
// PDF in any other viewer, or with the desktop's opener when no viewer is
// set (a DVI viewer of the desktop draws no Japanese).
void TMainForm::RunLatexTools()
{
    const QString compiler = app::Utf8(Shared().LatexCompilerPath);
    const QString note = ui->MessageBar->text();
    using Status = latex::ToolOutcome::Status;
    // Tells how a run failed; false when it succeeded.  `tool` names the
    // program, `task` what it was doing.
    const auto failed = [&](const latex::ToolOutcome& outcome, const QString& program, const QString& tool,
                            const QString& task) {
        switch (outcome.status) {
        case Status::NotStarted:
            app::Tell(this, MessageKind::Error,
                      tool + QStringLiteral("を起動できませんでした。\n") + program + QStringLiteral("\n") + outcome.reason);
            return true;
        case Status::Failed:
            app::Tell(this, MessageKind::Error,
                      task + QStringLiteral("に失敗しました。\n") + TexFileName + QStringLiteral("\n") + outcome.reason +
                          QStringLiteral("\n\n") + outcome.log);
            return true;
        case Status::Cancelled:
        case Status::Running:
            ui->MessageBar->setText(note + QStringLiteral("　") + task + QStringLiteral("を中止しました。"));
            return true;
        case Status::Succeeded:
            return false;
        }
        return true;
    };

    latex::ToolRun compile(latex::CompilerCall(compiler, TexFileName));
    if (failed(RunWithProgress(this, compile, QStringLiteral("LaTeX のコンパイル中です：") + QFileInfo(TexFileName).fileName()),
               compiler, QStringLiteral("LaTeXコンパイラ"), QStringLiteral("LaTeXのコンパイル")))
        return;

    const QString dvi = latex::DviFileName(TexFileName);
    const QString viewer = app::Utf8(Shared().LatexViewerPath);
    if (!viewer.isEmpty() && !IsFile(viewer)) {  // set, but not there: no preview
        ui->MessageBar->setText(note + QStringLiteral("　コンパイルしました：") + dvi);
        return;
    }
    if (IsFile(viewer) && latex::ViewsDvi(viewer)) {
        if (!latex::StartViewer(viewer, dvi))
            app::Tell(this, MessageKind::Error, QStringLiteral("ビュワーを起動できませんでした。\n") + viewer);
        return;
    }

    const QString dvipdfmx = latex::FindDvipdfmx(compiler);
    if (dvipdfmx.isEmpty()) {
        ui->MessageBar->setText(note + QStringLiteral("　コンパイルしました：") + dvi +
                                QStringLiteral("（dvipdfmx がないため PDF にできませんでした）"));
        return;
    }
    latex::ToolRun convert(latex::DvipdfmxCall(dvipdfmx, TexFileName));
    if (failed(RunWithProgress(this, convert, QStringLiteral("PDF を作成中です：") + QFileInfo(dvi).fileName()),
               dvipdfmx, QStringLiteral("dvipdfmx"), QStringLiteral("PDF への変換")))
        return;

    const QString pdf = latex::PdfFileName(TexFileName);
    ui->MessageBar->setText(note + QStringLiteral("　PDF を作成しました：") + pdf);
    if (IsFile(viewer)) {
        if (!latex::StartViewer(viewer, pdf))
            app::Tell(this, MessageKind::Error, QStringLiteral("ビュワーを起動できませんでした。\n") + viewer);
    } else if (!OpenBrowser(QUrl::fromLocalFile(pdf))) {
        app::Tell(this, MessageKind::Warning,
                  QStringLiteral("PDF を開くアプリケーションを起動できませんでした。\n") + pdf);
    }
}
