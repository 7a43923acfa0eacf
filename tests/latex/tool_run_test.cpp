// Runs of the tools against fake ones: the compiler's call, success,
// failures reported with the log, a compiler waiting for input, Cancel;
// dvipdfmx's call and where it is found.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <csignal>

#include "FakeTools.h"
#include "latex/ToolRun.h"

using korvexa::latex::CompilerCall;
using korvexa::latex::ToolOutcome;
using korvexa::latex::ToolRun;
using Status = ToolOutcome::Status;

namespace {

QString Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

struct FakeCase {
    const char* name;
    QByteArray script;
    Status status;
    QString logHas;  // a text the outcome's log must hold
};
void PrintTo(const FakeCase& c, std::ostream* os) { *os << c.name; }

class FakeCompiler : public testing::TestWithParam<FakeCase> {
protected:
    QTemporaryDir dir;
    QString tex = dir.filePath(QStringLiteral("report 1.tex"));
};

}  // namespace

TEST_P(FakeCompiler, Outcome)
{
    const FakeCase& c = GetParam();
    QFile(tex).open(QIODevice::WriteOnly);
    QFile(korvexa::latex::DviFileName(tex)).open(QIODevice::WriteOnly);  // from an earlier run
    const QString program = WriteScript(dir.filePath(QStringLiteral("platex")), c.script);
    const QString cwd = QDir::currentPath();

    ToolRun run(CompilerCall(program, tex));
    QTimer::singleShot(10000, &run, &ToolRun::Cancel);  // a hanging run fails the case, not the suite
    const ToolOutcome outcome = run.Wait();

    EXPECT_EQ(outcome.status, c.status) << outcome.reason.toStdString();
    EXPECT_TRUE(outcome.log.contains(c.logHas)) << outcome.log.toStdString();
    EXPECT_EQ(QDir::currentPath(), cwd);
    if (c.status == Status::Succeeded) {
        EXPECT_EQ(Read(dir.filePath(QStringLiteral("args"))), QStringLiteral("-kanji=sjis -interaction=nonstopmode report 1.tex"));
        EXPECT_EQ(Read(dir.filePath(QStringLiteral("cwd"))), QFileInfo(dir.path()).canonicalFilePath());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FakeCompiler,
    testing::Values(
        FakeCase{"MakesDvi", QByteArray("echo \"$@\" > args; pwd -P > cwd; ") + kMakeDvi, Status::Succeeded, {}},
        // With a pipe for input the read would wait for ever.
        FakeCase{"AsksOnItsPrompt", QByteArray("read answer; ") + kMakeDvi + "; echo \"$@\" > args; pwd -P > cwd",
                 Status::Succeeded, {}},
        FakeCase{"ExitsWithError",
                 QByteArray("printf 'This is pTeX\\n! Undefined control sequence.\\n<argument> x\\nl.12 \\\\foo\\n"
                            "Here is how much\\n' > \"${3%.tex}.log\"; ") + kMakeDvi + "; exit 1",
                 Status::Failed, QStringLiteral("! Undefined control sequence.\nl.12 \\foo")},
        FakeCase{"MakesNoDvi", "echo 'No pages of output.'", Status::Failed, QStringLiteral("No pages of output.")},
        FakeCase{"Crashes", "kill -SEGV $$", Status::Failed, {}}),
    [](const testing::TestParamInfo<FakeCase>& info) { return std::string(info.param.name); });

TEST(ToolRun, CancelEndsTheCompilerAndWhatItStarted)
{
    QTemporaryDir dir;
    const QString tex = dir.filePath(QStringLiteral("a.tex"));
    const QString program = WriteScript(dir.filePath(QStringLiteral("platex")), "sleep 60 & echo $! > child; wait");
    ToolRun run(CompilerCall(program, tex));
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(300, &run, &ToolRun::Cancel);
    EXPECT_EQ(run.Wait().status, Status::Cancelled);
    EXPECT_LT(clock.elapsed(), 5000);

    const pid_t child = Read(dir.filePath(QStringLiteral("child"))).toInt();
    ASSERT_GT(child, 0);
    QElapsedTimer gone;
    gone.start();
    // Killed: gone, or a zombie until its new parent reaps it.
    auto alive = [&] {
        const QString stat = Read(QStringLiteral("/proc/%1/stat").arg(child));
        return !stat.isEmpty() && !stat.section(QLatin1Char(' '), 2, 2).startsWith(QLatin1Char('Z'));
    };
    while (alive() && gone.elapsed() < 3000)
        QThread::msleep(20);
    EXPECT_FALSE(alive());
}

TEST(ToolRun, MissingCompilerIsNotStarted)
{
    QTemporaryDir dir;
    ToolRun run(CompilerCall(dir.filePath(QStringLiteral("no-platex")), dir.filePath(QStringLiteral("a.tex"))));
    const ToolOutcome outcome = run.Wait();
    EXPECT_EQ(outcome.status, Status::NotStarted);
    EXPECT_FALSE(outcome.reason.isEmpty());
}

TEST(ToolRun, NameTakenForAnOptionGetsAFolder)
{
    EXPECT_EQ(korvexa::latex::CompilerArguments(QStringLiteral("/tmp/-x.tex")).last(), QStringLiteral("./-x.tex"));
    EXPECT_EQ(korvexa::latex::CompilerArguments(QStringLiteral("/tmp/報告.tex")).last(), QStringLiteral("報告.tex"));
}

// dvipdfmx makes the PDF beside the report from its DVI, in its folder.
TEST(ToolRun, DvipdfmxBesideTheCompilerMakesThePdf)
{
    QTemporaryDir dir;
    const QString tex = dir.filePath(QStringLiteral("-r.tex"));
    const QString compiler = WriteScript(dir.filePath(QStringLiteral("platex")), "exit 0");
    const QString dvipdfmx =
        WriteScript(dir.filePath(QStringLiteral("dvipdfmx")), "echo \"$@\" > args; : > \"$2\"");
    EXPECT_EQ(korvexa::latex::FindDvipdfmx(compiler), dvipdfmx);
    ToolRun run(korvexa::latex::DvipdfmxCall(korvexa::latex::FindDvipdfmx(compiler), tex));
    EXPECT_EQ(run.Wait().status, Status::Succeeded);
    EXPECT_EQ(Read(dir.filePath(QStringLiteral("args"))), QStringLiteral("-o ./-r.pdf ./-r.dvi"));
    EXPECT_TRUE(QFileInfo::exists(korvexa::latex::PdfFileName(tex)));

    // A failure names the tool and shows its last words.
    WriteScript(dvipdfmx, "echo 'dvipdfmx:fatal: Invalid DVI file.' >&2; exit 1");
    const ToolOutcome failed = ToolRun(korvexa::latex::DvipdfmxCall(dvipdfmx, tex)).Wait();
    EXPECT_EQ(failed.status, Status::Failed);
    EXPECT_EQ(failed.reason, QStringLiteral("dvipdfmxがエラーで終了しました（終了コード 1）。"));
    EXPECT_TRUE(failed.log.contains(QStringLiteral("Invalid DVI file."))) << failed.log.toStdString();
    EXPECT_FALSE(QFileInfo::exists(korvexa::latex::PdfFileName(tex)));  // the old one is gone
}

TEST(ToolRun, DviViewersAreToldByTheirName)
{
    for (const char* viewer : {"/usr/bin/xdvi", "/usr/bin/pxdvi", "C:/dviout/dviout.exe"})
        EXPECT_TRUE(korvexa::latex::ViewsDvi(QString::fromUtf8(viewer))) << viewer;
    for (const char* viewer : {"/usr/bin/evince", "/usr/bin/okular", "/opt/dvi/bin/zathura"})
        EXPECT_FALSE(korvexa::latex::ViewsDvi(QString::fromUtf8(viewer))) << viewer;
    EXPECT_TRUE(korvexa::latex::DrawsNoJapanese(QStringLiteral("/usr/bin/xdvi")));
    EXPECT_FALSE(korvexa::latex::DrawsNoJapanese(QStringLiteral("/usr/bin/pxdvi")));
}
