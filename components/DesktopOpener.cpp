#include "components/DesktopOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

bool OpenWithDesktop(const QUrl& url, QObject* context, std::function<void()> failed)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    // Without a parent: where no desktop session takes the file, xdg-open
    // waits for the viewer it started, which must outlive the window (and
    // the program) as a detached one would.
    auto* process = new QProcess;
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::finished, context,
                     [failed = std::move(failed)](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             failed();
                     });
    process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
    if (process->waitForStarted())
        return true;
    delete process;
    return false;
}
