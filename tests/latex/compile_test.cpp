// The report of the sample data compiled by the real platex and turned into
// a PDF whose text holds every designed slab's name.  Skipped, with the
// reason, where the TeX tools are missing, except in CI, which installs them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "datafile/DataFile.h"
#include "latex/LatexHeader.h"
#include "latex/LatexWriter.h"
#include "latex/ToolRun.h"

using namespace korvexa;

namespace {

QString Squeezed(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

// Runs a tool in `folder` and returns its standard output; fails the test when it fails.
QByteArray RunTool(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

}  // namespace

TEST(PlatexCompile, SampleReportWithAwkwardNamesMakesAPdf)
{
    QStringList missing;
    QStringList tools;
    for (const char* name : {"platex", "dvipdfmx", "pdftotext"}) {
        tools << QStandardPaths::findExecutable(QString::fromUtf8(name));
        if (tools.last().isEmpty())
            missing << QString::fromUtf8(name);
    }
    if (!missing.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "missing in CI: " << missing.join(QLatin1Char(' ')).toStdString();
        GTEST_SKIP() << "not installed: " << missing.join(QLatin1Char(' ')).toStdString()
                     << " (make test installs them)";
    }

    datafile::ReadResult read = datafile::ReadDataFile(KORVEXA_SOURCE_DIR "/examples/sample.slab");
    ASSERT_TRUE(read.ok());
    datafile::DataSet data = *read.data;
    for (const char* name : {"S1_A&B 50%", "②通路 5㎡"}) {
        SlabData extra = data.slabs.front();
        extra.Name = name;
        data.slabs.push_back(extra);
    }

    QTemporaryDir dir;
    const QString tex = dir.filePath(QStringLiteral("report.tex"));
    const latex::LatexFileResult written = latex::WriteLatexFile(tex.toStdString(), data, latex::DefaultHeaderLines());
    ASSERT_TRUE(written.ok) << written.error;

    latex::CompileRun run(tools[0], tex);
    QTimer::singleShot(120000, &run, &latex::CompileRun::Cancel);
    const latex::CompileOutcome outcome = run.Wait();
    ASSERT_EQ(outcome.status, latex::CompileOutcome::Status::Succeeded)
        << outcome.reason.toStdString() << "\n" << outcome.log.toStdString();

    RunTool(tools[1], {QStringLiteral("-q"), QStringLiteral("report.dvi")}, dir.path());
    const QString text = Squeezed(QString::fromUtf8(RunTool(tools[2], {QStringLiteral("report.pdf"), QStringLiteral("-")}, dir.path())));
    int designed = 0;
    for (SlabData& slab : data.slabs) {
        if (!slab.Calculated)
            continue;
        ++designed;
        if (slab.Name.starts_with("②"))
            slab.Name = "(2)通路 5m2";
        // The default fonts draw "\_" as a rule, which has no text.
        const QString name = Squeezed(QString::fromStdString(slab.Name)).remove(QLatin1Char('_'));
        EXPECT_TRUE(text.contains(name)) << slab.Name;
    }
    EXPECT_GE(designed, 3);
    if (qEnvironmentVariableIsSet("KORVEXA_KEEP_PDF"))
        QFile::copy(dir.filePath(QStringLiteral("report.pdf")), qEnvironmentVariable("KORVEXA_KEEP_PDF"));
}
