#include "latex/ToolRun.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

QString PdfFileName(const QString& texFile) { return SiblingWithSuffix(texFile, QStringLiteral(".pdf")); }

namespace {
// A file's bare name, for a tool working in the file's folder; a name the
// tool would take for an option, a format or a command gets "./".
QString BareName(const QString& file)
{
    QString name = QFileInfo(file).fileName();
    if (name.startsWith(QLatin1Char('-')) || name.startsWith(QLatin1Char('&')) || name.startsWith(QLatin1Char('\\')))
        name.prepend(QStringLiteral("./"));
    return name;
}
}  // namespace

QStringList CompilerArguments(const QString& texFile)
{
    return {QStringLiteral("-kanji=sjis"), QStringLiteral("-interaction=nonstopmode"), BareName(texFile)};
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

QString FindDvipdfmx(const QString& compiler)
{
    const QString name = QStringLiteral("dvipdfmx");
    if (!compiler.isEmpty()) {
        const QFileInfo beside(QDir(QFileInfo(compiler).absolutePath()).filePath(name));
        if (beside.isFile() && beside.isExecutable())
            return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

bool ViewsDvi(const QString& viewer)
{
    return QFileInfo(viewer).fileName().contains(QStringLiteral("dvi"), Qt::CaseInsensitive);
}

bool DrawsNoJapanese(const QString& viewer)
{
    static const QStringList kWithoutJapanese{QStringLiteral("xdvi"), QStringLiteral("xdvi-xaw"),
                                              QStringLiteral("xdvi.bin")};
    return kWithoutJapanese.contains(QFileInfo(viewer).fileName());
}

ToolCall CompilerCall(const QString& compiler, const QString& texFile)
{
    return {compiler,
            CompilerArguments(texFile),
            QFileInfo(texFile).absolutePath(),
            DviFileName(texFile),
            SiblingWithSuffix(texFile, QStringLiteral(".log")),
            QStringLiteral("コンパイラ")};
}

ToolCall DvipdfmxCall(const QString& dvipdfmx, const QString& texFile)
{
    const QFileInfo dvi(DviFileName(texFile));
    return {dvipdfmx,
            {QStringLiteral("-o"), BareName(PdfFileName(texFile)), BareName(dvi.filePath())},
            dvi.absolutePath(),
            PdfFileName(texFile),
            QString(),
            QStringLiteral("dvipdfmx")};
}

ToolRun::ToolRun(ToolCall call, QObject* parent) : QObject(parent), call_(std::move(call))
{
    process_.setProgram(call_.program);
    process_.setArguments(call_.arguments);
    process_.setWorkingDirectory(call_.folder);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // A group of its own, so that Cancel also ends what the tool started
    // (the compiler's font generation runs further programs).
    process_.setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(&process_, &QProcess::readyRead, this, [this] {
        output_ += process_.readAll();
        if (output_.size() > kOutputKept)
            output_.remove(0, output_.size() - kOutputKept);
    });
    connect(&process_, &QProcess::finished, this, &ToolRun::ProcessFinished);
}

ToolRun::~ToolRun()
{
    if (process_.state() != QProcess::NotRunning) {
        disconnect(&process_, nullptr, this, nullptr);
        KillGroup();
        process_.waitForFinished(5000);
    }
}

bool ToolRun::Start()
{
    QFile::remove(call_.output);
    if (!call_.log.isEmpty())
        QFile::remove(call_.log);
    process_.start();
    if (!process_.waitForStarted()) {
        outcome_.status = ToolOutcome::Status::NotStarted;
        outcome_.reason = process_.errorString();
        return false;
    }
    started_ = true;
    return true;
}

void ToolRun::KillGroup()
{
    const qint64 pid = process_.processId();
    if (pid > 0)
        ::kill(static_cast<pid_t>(-pid), SIGKILL);
    process_.kill();
}

void ToolRun::Cancel()
{
    if (!IsRunning())
        return;
    cancelled_ = true;
    KillGroup();
}

void ToolRun::ProcessFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    output_ += process_.readAll();
    outcome_.exitCode = exitCode;
    using Status = ToolOutcome::Status;
    if (cancelled_) {
        outcome_.status = Status::Cancelled;
    } else if (exitStatus == QProcess::NormalExit && exitCode == 0 && QFileInfo::exists(call_.output)) {
        outcome_.status = Status::Succeeded;
    } else {
        outcome_.status = Status::Failed;
        if (exitStatus != QProcess::NormalExit)
            outcome_.reason = QStringLiteral("%1が異常終了しました。").arg(call_.name);
        else if (exitCode != 0)
            outcome_.reason = QStringLiteral("%1がエラーで終了しました（終了コード %2）。").arg(call_.name).arg(exitCode);
        else
            outcome_.reason =
                QStringLiteral("%1 ファイルができませんでした。").arg(QFileInfo(call_.output).suffix().toUpper());
        QFile log(call_.log);
        const bool hasLog = !call_.log.isEmpty() && log.open(QIODevice::ReadOnly);
        outcome_.log = CompilerLogSummary(FromCompiler(hasLog ? log.readAll() : output_));
    }
    emit Finished();
}

ToolOutcome ToolRun::Wait()
{
    if (!Start())
        return outcome_;
    QEventLoop loop;
    connect(this, &ToolRun::Finished, &loop, &QEventLoop::quit);
    if (IsRunning())
        loop.exec();
    return outcome_;
}

bool StartViewer(const QString& viewer, const QString& file)
{
    return QProcess::startDetached(viewer, {file}, QFileInfo(file).absolutePath());
}

}  // namespace korvexa::latex
