#include "latex/ToolRun.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

#include "datafile/TextCodec.h"

namespace korvexa::latex {

namespace {

constexpr int kErrorsShown = 5;
constexpr int kTailLines = 12;
constexpr qsizetype kOutputKept = 1 << 20;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// pTeX writes its log in the input's code page.
QString FromCompiler(const QByteArray& bytes)
{
    return Utf8(datafile::Cp932ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))).text);
}

QString SiblingWithSuffix(const QString& texFile, const QString& suffix)
{
    const QFileInfo info(texFile);
    return QDir(info.path()).filePath(info.completeBaseName() + suffix);
}

}  // namespace

QString DviFileName(const QString& texFile) { return SiblingWithSuffix(texFile, QStringLiteral(".dvi")); }

QStringList CompilerArguments(const QString& texFile)
{
    QString name = QFileInfo(texFile).fileName();
    // A name the compiler would take for an option, a format or a command.
    if (name.startsWith(QLatin1Char('-')) || name.startsWith(QLatin1Char('&')) || name.startsWith(QLatin1Char('\\')))
        name.prepend(QStringLiteral("./"));
    return {QStringLiteral("-kanji=sjis"), QStringLiteral("-interaction=nonstopmode"), name};
}

QString CompilerLogSummary(const QString& log)
{
    const QStringList lines = log.split(QLatin1Char('\n'));
    QStringList shown;
    int errors = 0;
    for (qsizetype i = 0; i < lines.size() && errors < kErrorsShown; ++i) {
        if (!lines[i].startsWith(QLatin1Char('!')))
            continue;
        ++errors;
        shown << lines[i].trimmed();
        // The context line "l.12 ..." follows within a few lines.
        for (qsizetype j = i + 1; j < lines.size() && j <= i + 8; ++j)
            if (lines[j].startsWith(QStringLiteral("l."))) {
                shown << lines[j].trimmed();
                break;
            }
    }
    if (shown.isEmpty()) {
        QStringList rest;
        for (const QString& line : lines)
            if (!line.trimmed().isEmpty())
                rest << line.trimmed();
        shown = rest.mid(std::max<qsizetype>(0, rest.size() - kTailLines));
    }
    return shown.join(QLatin1Char('\n'));
}

CompileRun::CompileRun(QString compiler, QString texFile, QObject* parent)
    : QObject(parent), compiler_(std::move(compiler)), texFile_(std::move(texFile))
{
    process_.setProgram(compiler_);
    process_.setArguments(CompilerArguments(texFile_));
    process_.setWorkingDirectory(QFileInfo(texFile_).absolutePath());
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // A group of its own, so that Cancel also ends what the compiler started
    // (font generation runs further programs).
    process_.setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(&process_, &QProcess::readyRead, this, [this] {
        output_ += process_.readAll();
        if (output_.size() > kOutputKept)
            output_.remove(0, output_.size() - kOutputKept);
    });
    connect(&process_, &QProcess::finished, this, &CompileRun::ProcessFinished);
}

CompileRun::~CompileRun()
{
    if (process_.state() != QProcess::NotRunning) {
        disconnect(&process_, nullptr, this, nullptr);
        KillGroup();
        process_.waitForFinished(5000);
    }
}

bool CompileRun::Start()
{
    QFile::remove(DviFileName(texFile_));
    QFile::remove(SiblingWithSuffix(texFile_, QStringLiteral(".log")));
    process_.start();
    if (!process_.waitForStarted()) {
        outcome_.status = CompileOutcome::Status::NotStarted;
        outcome_.reason = process_.errorString();
        return false;
    }
    started_ = true;
    return true;
}

void CompileRun::KillGroup()
{
    const qint64 pid = process_.processId();
    if (pid > 0)
        ::kill(static_cast<pid_t>(-pid), SIGKILL);
    process_.kill();
}

void CompileRun::Cancel()
{
    if (!IsRunning())
        return;
    cancelled_ = true;
    KillGroup();
}

void CompileRun::ProcessFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    output_ += process_.readAll();
    outcome_.exitCode = exitCode;
    if (cancelled_) {
        outcome_.status = CompileOutcome::Status::Cancelled;
    } else if (exitStatus == QProcess::NormalExit && exitCode == 0 && QFileInfo::exists(DviFileName(texFile_))) {
        outcome_.status = CompileOutcome::Status::Succeeded;
    } else {
        outcome_.status = CompileOutcome::Status::Failed;
        if (exitStatus != QProcess::NormalExit)
            outcome_.reason = QStringLiteral("コンパイラが異常終了しました。");
        else if (exitCode != 0)
            outcome_.reason = QStringLiteral("コンパイラがエラーで終了しました（終了コード %1）。").arg(exitCode);
        else
            outcome_.reason = QStringLiteral("DVI ファイルができませんでした。");
        QFile log(SiblingWithSuffix(texFile_, QStringLiteral(".log")));
        outcome_.log = CompilerLogSummary(FromCompiler(log.open(QIODevice::ReadOnly) ? log.readAll() : output_));
    }
    emit Finished();
}

CompileOutcome CompileRun::Wait()
{
    if (!Start())
        return outcome_;
    QEventLoop loop;
    connect(this, &CompileRun::Finished, &loop, &QEventLoop::quit);
    if (IsRunning())
        loop.exec();
    return outcome_;
}

bool StartViewer(const QString& viewer, const QString& dviFile)
{
    return QProcess::startDetached(viewer, {dviFile}, QFileInfo(dviFile).absolutePath());
}

}  // namespace korvexa::latex
