// Running the external LaTeX tools: the compiler on the report and
// dvipdfmx on its DVI, each waited for in the caller's event loop and
// ended on request, then the viewer on the DVI or the PDF.  Programs are
// started directly, never through a shell.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace korvexa::latex {

// The compiled file of a LaTeX file: the same name with ".dvi".
QString DviFileName(const QString& texFile);
// Its PDF: the same name with ".pdf".
QString PdfFileName(const QString& texFile);

// The compiler's arguments: Shift_JIS input, no stop on errors (it would
// wait for an answer on its prompt) and the file's bare name, which the
// compiler finds in its working directory, the file's folder.
QStringList CompilerArguments(const QString& texFile);

// What to show of a compiler's log: its error messages ("! ...") with the
// line each occurred in, or the last lines when there is none.
QString CompilerLogSummary(const QString& log);

// dvipdfmx, which turns the DVI into a PDF that any PDF viewer shows with
// its Japanese text: the one beside the compiler (the same TeX
// installation), else the first on PATH; empty when there is none.
QString FindDvipdfmx(const QString& compiler);

// Whether a viewer takes the DVI file (xdvi, pxdvi, dviout: "dvi" in its
// name); any other viewer, like the desktop, gets the PDF.
bool ViewsDvi(const QString& viewer);
// Whether a viewer draws no Japanese: xdvi (and its builds xdvi-xaw,
// xdvi.bin), which start-up once found on PATH and the settings window
// stored as the viewer.
bool DrawsNoJapanese(const QString& viewer);

// One call of an external tool: the program, its arguments and folder, the
// file it must make (deleted before the run), its log file (read for the
// summary when it fails; may be empty) and its name in messages.
struct ToolCall {
    QString program;
    QStringList arguments;
    QString folder;
    QString output;
    QString log;
    QString name;
};
ToolCall CompilerCall(const QString& compiler, const QString& texFile);
ToolCall DvipdfmxCall(const QString& dvipdfmx, const QString& texFile);

struct ToolOutcome {
    enum class Status { Running, Succeeded, NotStarted, Failed, Cancelled };
    Status status = Status::Running;
    int exitCode = 0;
    QString reason;   // NotStarted, Failed: what went wrong (Japanese)
    QString log;      // Failed: CompilerLogSummary of the log, or of the output without a log
};

// One run of a tool.  Its standard input is the null device, so that a
// compiler asking a question gets an end of file instead of waiting for
// ever; Cancel ends it together with the programs it started.  It has
// succeeded when it ended normally with code 0 and its output exists.
class ToolRun : public QObject {
    Q_OBJECT

public:
    explicit ToolRun(ToolCall call, QObject* parent = nullptr);
    ~ToolRun() override;  // ends a tool still running

    // Deletes the old output and log, then starts the tool.  False, with
    // the outcome NotStarted, when it could not be started.
    bool Start();
    void Cancel();
    bool IsRunning() const { return outcome_.status == ToolOutcome::Status::Running && started_; }
    const ToolOutcome& Outcome() const { return outcome_; }

    // Starts, waits in a local event loop and returns the outcome.
    ToolOutcome Wait();

signals:
    void Finished();

private:
    void ProcessFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void KillGroup();

    ToolCall call_;
    QProcess process_;
    QByteArray output_;
    ToolOutcome outcome_;
    bool started_ = false;
    bool cancelled_ = false;
};

// Starts the viewer on a file without waiting for it.
bool StartViewer(const QString& viewer, const QString& file);

}  // namespace korvexa::latex
