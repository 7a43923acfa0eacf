// korvexa-cli pdf as a whole process: the sheets of a selection, and the
// input it refuses without writing anything.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int status = -1;
    QString out, err;
};

CliRun Cli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KORVEXA_CLI_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

const QString kSample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

// Tests that read the PDF back as text; skipped without pdftotext.
class PdfText : public ::testing::Test {
protected:
    void SetUp() override
    {
        pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext_.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                FAIL() << "pdftotext missing in CI";
            GTEST_SKIP() << "pdftotext not installed (make test installs poppler-utils)";
        }
    }
    // The text of the pages from `first` to `last` (0: all).
    QString Text(const QString& pdf, int first = 0, int last = 0) const
    {
        QStringList arguments;
        if (first > 0)
            arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l") << QString::number(last);
        QProcess text;
        text.start(pdftotext_, arguments << pdf << QStringLiteral("-"));
        text.waitForFinished(60000);
        return QString::fromUtf8(text.readAllStandardOutput());
    }

private:
    QString pdftotext_;
};

}  // namespace

TEST_F(PdfText, PrintsTheSelectedSlabsInListOrder)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("two.pdf"));
    const CliRun run = Cli({QStringLiteral("pdf"), kSample, QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("12,2")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString sheets = Text(pdf);
    const qsizetype second = sheets.indexOf(QStringLiteral("S2 事務室(隅)"));
    EXPECT_GE(second, 0);
    EXPECT_GT(sheets.indexOf(QStringLiteral("S12 デッキ一方向")), second);
    EXPECT_FALSE(sheets.contains(QStringLiteral("S1 事務室")));
    EXPECT_TRUE(sheets.contains(QStringLiteral("両端固定一方向スラブ")));
}

// The summary before the sheets: every designed slab's name once on its
// page, and the count.
TEST_F(PdfText, SummaryTableBeforeTheSheets)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("summary.pdf"));
    const CliRun run = Cli({QStringLiteral("pdf"), kSample, QStringLiteral("-o"), pdf, QStringLiteral("--summary")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString summary = Text(pdf, 1, 1);
    EXPECT_TRUE(summary.contains(QStringLiteral("スラブ一覧表")));
    EXPECT_TRUE(summary.contains(QStringLiteral("計 15 枚、NG 0 枚")));
    for (int n = 1; n <= 15; ++n) {  // S1 事務室 .. S15 バルコニー, each once
        const QRegularExpression name(QStringLiteral("(^|\\s)S%1\\s").arg(n));
        EXPECT_EQ(summary.count(name), 1) << n;
    }
    const QString second = Text(pdf, 2, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("S1 事務室")));  // the sheets follow
    EXPECT_FALSE(second.contains(QStringLiteral("スラブ一覧表")));
}

TEST(PdfCommand, RefusesWhatItCannotPrint)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    struct Case {
        QStringList arguments;
        const char* message;  // a part of standard error
    };
    const Case cases[] = {
        {{kSample, QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("3,16")}, "スラブ 16 はありません"},
        {{kSample, QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("1,,2")}, "--select"},
        {{kSample, QStringLiteral("-o"), pdf, QStringLiteral("--select"), QStringLiteral("0")}, "--select"},
        {{kSample}, "usage"},
        {{dir.filePath(QStringLiteral("missing.slab")), QStringLiteral("-o"), pdf}, "missing.slab"},
        {{kSample, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/folder.pdf"))}, "PDF"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(QStringList{QStringLiteral("pdf")} + c.arguments);
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
    EXPECT_TRUE(Cli({QStringLiteral("--help")}).out.contains(QStringLiteral("pdf FILE.slab -o OUT.pdf [--select 1,3,5]")));
}

TEST(PdfCommand, NeverWritesOverItsInput)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("floor.slab"));
    const QString link = dir.filePath(QStringLiteral("floor.pdf"));
    ASSERT_TRUE(QFile::copy(kSample, input));
    ASSERT_TRUE(QFile::link(input, link));
    const auto bytes = [&] {
        QFile file(input);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    for (const QString& output : {input, link}) {
        const CliRun run = Cli({QStringLiteral("pdf"), input, QStringLiteral("-o"), output});
        EXPECT_EQ(run.status, 2) << output.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("入力ファイルと同じ"))) << run.err.toStdString();
    }
    EXPECT_EQ(bytes(), before);
}

// A print layout the A4 sheet cannot hold: told, and no PDF at all.
TEST(PdfCommand, RefusesALayoutThePaperCannotHold)
{
    QTemporaryDir dir;
    const QString sample = Cli({QStringLiteral("json"), kSample}).out;
    struct Case {
        const char* setting;  // replaced in the sample's layout
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"\"Size\": 9", "\"Size\": 11", "表が右に"},
        {"\"TopMargin\": 15", "\"TopMargin\": 280", "足りません"},
        {"\"HeaderSideMargin\": 15", "\"HeaderSideMargin\": 300", "ページ番号が左に"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        QString json = sample;
        ASSERT_TRUE(json.contains(QString::fromUtf8(c.setting)));
        json.replace(QString::fromUtf8(c.setting), QString::fromUtf8(c.to));
        QFile input(dir.filePath(QStringLiteral("layout.json")));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly) && input.write(json.toUtf8()) > 0);
        input.close();
        const QString slab = dir.filePath(QStringLiteral("layout.slab"));
        ASSERT_EQ(Cli({QStringLiteral("slab"), input.fileName(), QStringLiteral("-o"), slab}).status, 0);
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const CliRun run = Cli({QStringLiteral("pdf"), slab, QStringLiteral("-o"), pdf});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}
