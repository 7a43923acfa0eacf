// The report of the sample data compiled by the real platex and turned into
// a PDF whose text holds every designed slab's name.  Skipped, with the
// reason, where the TeX tools are missing, except in CI, which installs them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

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
    // Every text as typed: signs that LaTeX or its fonts would turn into
    // others, and a control character, which would stop platex.
    const char* tricky = "t<15 | a>b \"q\" --- ``x''";
    for (const char* name : {"S1_A&B 50%", "②通路 5㎡", tricky, "S9\x07 ~^\\{}"}) {
        SlabData extra = data.slabs.front();
        extra.Name = name;
        data.slabs.push_back(extra);
    }

    QTemporaryDir dir;
    const QString tex = dir.filePath(QStringLiteral("report.tex"));
    const latex::LatexFileResult written = latex::WriteLatexFile(tex.toStdString(), data, latex::DefaultHeaderLines());
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_NE(std::find(written.replaced.begin(), written.replaced.end(), "［制御文字 U+0007］"), written.replaced.end());

    latex::ToolRun run(latex::CompilerCall(tools[0], tex));
    QTimer::singleShot(120000, &run, &latex::ToolRun::Cancel);
    const latex::ToolOutcome outcome = run.Wait();
    ASSERT_EQ(outcome.status, latex::ToolOutcome::Status::Succeeded)
        << outcome.reason.toStdString() << "\n" << outcome.log.toStdString();

    RunTool(tools[1], {QStringLiteral("-q"), QStringLiteral("report.dvi")}, dir.path());
    const QString whole = QString::fromUtf8(RunTool(tools[2], {QStringLiteral("report.pdf"), QStringLiteral("-")}, dir.path()));
    EXPECT_TRUE(whole.contains(QString::fromUtf8(tricky))) << whole.toStdString();
    const QString text = Squeezed(whole);
    int designed = 0;
    for (SlabData& slab : data.slabs) {
        if (!slab.Calculated)
            continue;
        ++designed;
        if (slab.Name.starts_with("②"))
            slab.Name = "(2)通路 5m2";
        if (slab.Name.starts_with("S9"))
            slab.Name = "S9? ~^\\{}";
        const QString name = Squeezed(QString::fromStdString(slab.Name));
        EXPECT_TRUE(text.contains(name)) << slab.Name;
    }
    EXPECT_GE(designed, 3);
    if (qEnvironmentVariableIsSet("KORVEXA_KEEP_PDF"))
        QFile::copy(dir.filePath(QStringLiteral("report.pdf")), qEnvironmentVariable("KORVEXA_KEEP_PDF"));
}
