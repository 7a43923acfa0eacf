// Printing on a real print server: a private cupsd of the test's own
// (configuration, spool and socket in a temporary folder; CUPS_SERVER
// names its socket, so the machine's printers are never asked), with a
// queue of the cups-pdf driver as its default printer.  The window's print
// command prints the sample file there through the print dialog; the job
// must complete with every page, and cups-pdf's PDF must hold them.
// Skipped, with the reason, where CUPS or cups-pdf is missing, except in
// CI, where make test installs them.
#include <QPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include "WindowDriver.h"
#include "print/Uprintsetup.h"

namespace {

const QString kQueue = QStringLiteral("KorvexaTest");
const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

// Standard output of a tool, which must succeed.
QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return QStringLiteral("<failed>");
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool WriteFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Where cups-pdf writes for this user: its "Out" setting with ${HOME} and
// ${USER} filled in from the user's entry.
QString CupsPdfFolder()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray& line : conf.readAll().split('\n'))
            if (line.startsWith("Out "))
                out = QString::fromUtf8(line.mid(4).trimmed());
    const passwd* user = ::getpwuid(::getuid());
    return out.replace(QStringLiteral("${HOME}"), QString::fromUtf8(user->pw_dir))
        .replace(QStringLiteral("${USER}"), QString::fromUtf8(user->pw_name));
}

// cupsd in the foreground, in its own folder, ended with the test.
class PrivateCups {
public:
    QTemporaryDir dir;
    QProcess cupsd;

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Socket() const { return Path(QStringLiteral("cups.sock")); }

    bool Start()
    {
        for (const char* folder : {"conf", "spool/tmp", "cache", "state", "log"})
            QDir().mkpath(Path(QString::fromUtf8(folder)));
        // Filters run as the lp user: the folder must be open to it.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QString conf = QStringLiteral("Listen %1\nLogLevel info\nBrowsing No\nWebInterface No\n"
                                            "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                                            "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                            "  </Limit>\n</Policy>\n")
                                 .arg(Socket());
        const QString files = QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                             "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                             "Printcap %1/printcap\nServerBin /usr/lib/cups\n"
                                             "DataDir /usr/share/cups\nSystemGroup root\n")
                                  .arg(dir.path());
        if (!WriteFile(Path(QStringLiteral("conf/cupsd.conf")), conf) ||
            !WriteFile(Path(QStringLiteral("conf/cups-files.conf")), files))
            return false;
        cupsd.setProcessChannelMode(QProcess::MergedChannels);
        cupsd.start(kCupsd, {QStringLiteral("-f"), QStringLiteral("-c"), Path(QStringLiteral("conf/cupsd.conf")),
                             QStringLiteral("-s"), Path(QStringLiteral("conf/cups-files.conf"))});
        if (!cupsd.waitForStarted())
            return false;
        for (int i = 0; i < 100 && !QFileInfo::exists(Socket()); ++i)
            QTest::qWait(50);
        return QFileInfo::exists(Socket());
    }
    ~PrivateCups()
    {
        cupsd.terminate();
        if (!cupsd.waitForFinished(5000))
            cupsd.kill();
    }
    QString Log(const char* name) const
    {
        QFile log(Path(QStringLiteral("log/") + QString::fromUtf8(name)));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

}  // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT

private slots:
    void theSamplePrintsEveryPageOnAQueueOfAPrivateServer()
    {
        QStringList missing;
        for (const QString& tool : {kCupsd, kBackend, kPpd})
            if (!QFileInfo(tool).isExecutable() && !(tool == kPpd && QFileInfo::exists(tool)))
                missing << tool;
        for (const char* tool : {"lpadmin", "lpstat", "pdfinfo"})
            if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty())
                missing << QString::fromUtf8(tool);
        if (!missing.isEmpty()) {
            const QString reason = QStringLiteral("CUPS or cups-pdf missing or not usable by this user "
                                                  "(the cups-pdf backend runs as root): ") +
                                   missing.join(QStringLiteral(", "));
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(qPrintable(reason));
            QSKIP(qPrintable(reason));
        }

        PrivateCups cups;
        QVERIFY2(cups.Start(), cups.cupsd.readAll().constData());
        qputenv("CUPS_SERVER", cups.Socket().toUtf8());  // for libcups here and for the tools
        QVERIFY(Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                                                QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), kPpd}) !=
                QStringLiteral("<failed>"));
        QVERIFY(Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kQueue}) != QStringLiteral("<failed>"));

        // What cups-pdf leaves outside the server's folder is removed after.
        const QString pdfFolder = CupsPdfFolder();
        const bool folderExisted = QFileInfo::exists(pdfFolder);
        const QString queueLog = QStringLiteral("/var/log/cups/cups-pdf-%1_log").arg(kQueue);
        const bool logExisted = QFileInfo::exists(queueLog);
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
        QStringList written;
        const auto cleanUp = qScopeGuard([&] {
            for (const QString& pdf : written)
                QFile::remove(pdf);
            if (!folderExisted)
                QDir().rmdir(pdfFolder);
            if (!logExisted)
                QFile::remove(queueLog);
        });

        QTemporaryDir files;
        const QString data = files.filePath(QStringLiteral("sample.slab"));
        QVERIFY(QFile::copy(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"), data));
        QTemporaryDir config;
        qputenv("KORVEXA_CONFIG_DIR", config.path().toUtf8());
        WindowDriver w;
        w.AnswerMessages();
        w.printer = [] {
            return std::unique_ptr<korvexa::printer::PrinterDevice>(
                std::make_unique<korvexa::printer::QtPrinterDevice>());
        };
        w.Open(data);
        korvexa::printer::PrinterDevice& printer = w.form->PrintSetup->Printer();
        QCOMPARE(printer.GetPrinterNames().value(printer.GetIndex()), kQueue);

        // The print dialog as it opens: OK.
        bool dialogSeen = false;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                dialog->accept();
            }
        });
        answer.start(50);
        QTest::keySequence(w.form.get(), QKeySequence::Print);
        answer.stop();
        QVERIFY(dialogSeen);
        QVERIFY2(w.shown.isEmpty(), qPrintable(w.shown.join(QLatin1Char('\n'))));
        const int pages = w.form->PrintSetup->Pages.PageCount;
        QVERIFY(pages >= 2);

        // The job, completed with every page; nothing left in the queue.
        QTRY_VERIFY_WITH_TIMEOUT(Run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                                                QStringLiteral("-o"), kQueue})
                                     .contains(kQueue + QStringLiteral("-1 ")),
                                 60000);
        QCOMPARE(Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), kQueue}), QString());
        QVERIFY2(cups.Log("page_log").contains(QStringLiteral(" total %1 ").arg(pages)),
                 qPrintable(cups.Log("page_log")));
        QVERIFY2(!cups.Log("error_log").contains(QStringLiteral("Job stopped")), qPrintable(cups.Log("error_log")));

        // The PDF the queue wrote holds them all; no PDF beside the data file.
        for (const QFileInfo& pdf : QDir(pdfFolder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            if (pdf.lastModified() >= started)
                written << pdf.absoluteFilePath();
        QCOMPARE(written.size(), 1);
        QVERIFY(Run(QStringLiteral("pdfinfo"), {written[0]}).contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(pages))));
        QVERIFY(!QFileInfo::exists(files.filePath(QStringLiteral("sample.pdf"))));
    }
};

QTEST_MAIN(CupsPrintTest)
#include "cups_print_test.moc"
