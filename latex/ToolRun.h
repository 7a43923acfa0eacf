// Running the external LaTeX tools: the compiler on the report, waited for
// in the caller's event loop and ended on request, then the viewer on the
// compiled file.  Programs are started directly, never through a shell.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace korvexa::latex {

// The compiled file of a LaTeX file: the same name with ".dvi".
QString DviFileName(const QString& texFile);

// The compiler's arguments: Shift_JIS input, no stop on errors (it would
// wait for an answer on its prompt) and the file's bare name, which the
// compiler finds in its working directory, the file's folder.
QStringList CompilerArguments(const QString& texFile);

// What to show of a compiler's log: its error messages ("! ...") with the
// line each occurred in, or the last lines when there is none.
QString CompilerLogSummary(const QString& log);

struct CompileOutcome {
    enum class Status { Running, Succeeded, NotStarted, Failed, Cancelled };
    Status status = Status::Running;
    int exitCode = 0;
    QString reason;   // NotStarted, Failed: what went wrong (Japanese)
    QString log;      // Failed: CompilerLogSummary of the log, or of the output without a log
};

// One run of the compiler on a LaTeX file.  Its standard input is the null
// device, so that a compiler asking a question gets an end of file instead
// of waiting for ever; Cancel ends it together with the programs it started.
class CompileRun : public QObject {
    Q_OBJECT

public:
    CompileRun(QString compiler, QString texFile, QObject* parent = nullptr);
    ~CompileRun() override;  // ends a compiler still running

    // Deletes the old compiled file and log, then starts the compiler.
    // False, with the outcome NotStarted, when it could not be started.
    bool Start();
    void Cancel();
    bool IsRunning() const { return outcome_.status == CompileOutcome::Status::Running && started_; }
    const CompileOutcome& Outcome() const { return outcome_; }

    // Starts, waits in a local event loop and returns the outcome.
    CompileOutcome Wait();

signals:
    void Finished();

private:
    void ProcessFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void KillGroup();

    QString compiler_;
    QString texFile_;
    QProcess process_;
    QByteArray output_;
    CompileOutcome outcome_;
    bool started_ = false;
    bool cancelled_ = false;
};

// Starts the viewer on the compiled file without waiting for it.
bool StartViewer(const QString& viewer, const QString& dviFile);

}  // namespace korvexa::latex
