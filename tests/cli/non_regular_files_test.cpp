// korvexa-cli given what is not a regular file, and writing where nothing
// fits: each command answers at once, says what is wrong, and fails.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

const QString kCli = QStringLiteral(KORVEXA_CLI_PATH);
const QString kDesignJson = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/design.json");
const QString kSample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

struct Outcome {
    bool finished = false;
    int status = -1;
    std::string out, err;
};

// Runs the program (under `wrapper` when given), feeding `input` to its
// standard input; gives up after 10 s, which a hang would exceed.
Outcome RunCli(QStringList args, const QByteArray& input = {}, const QStringList& wrapper = {},
           const QString& outputFile = {})
{
    QProcess p;
    if (!outputFile.isEmpty())
        p.setStandardOutputFile(outputFile);
    const QString program = wrapper.isEmpty() ? kCli : wrapper.first();
    if (!wrapper.isEmpty())
        args = wrapper.mid(1) + QStringList{kCli} + args;
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    Outcome run;
    run.finished = p.waitForFinished(10000);
    if (!run.finished)
        p.kill();
    p.waitForFinished();
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput().toStdString();
    run.err = p.readAllStandardError().toStdString();
    return run;
}

// A wrapper that drops the powers by which root reads any file, so that a
// file without read permission is unreadable to the program even when the
// tests run as root; none when that cannot be done.
std::optional<QStringList> WithoutRootReading()
{
    if (::geteuid() != 0)
        return QStringList{};
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return std::nullopt;
    return QStringList{setpriv, QStringLiteral("--inh-caps=-all"),
                       QStringLiteral("--bounding-set=-dac_override,-dac_read_search")};
}

}  // namespace

TEST(SpecialFiles, RefusedAtOnceWithWhatIsWrong)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("named.pipe"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString unreadable = dir.filePath(QStringLiteral("unreadable.json"));
    QFile::copy(kDesignJson, unreadable);
    QFile::setPermissions(unreadable, {});

    const QByteArray json = [] {
        QFile f(kDesignJson);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const std::optional<QStringList> rootless = WithoutRootReading();

    struct Case {
        const char* what;
        QString path;
        QByteArray input;  // standard input of the program
        const char* dataFile;  // json and show; empty: they succeed
        const char* jsonInput;  // design and slab; empty: they succeed
        std::optional<QStringList> wrapper;  // none: the case cannot be made
    };
    const Case cases[] = {
        {"directory", dir.path(), {}, "通常のファイルではありません（フォルダ）",
         "通常のファイルでもパイプでもありません（フォルダ）", QStringList{}},
        {"FIFO without a writer", fifo, {}, "通常のファイルではありません（パイプ）", "the input is empty", QStringList{}},
        {"/dev/null", QStringLiteral("/dev/null"), {}, "通常のファイルではありません（デバイス）",
         "通常のファイルでもパイプでもありません（デバイス）", QStringList{}},
        {"/dev/zero", QStringLiteral("/dev/zero"), {}, "通常のファイルではありません（デバイス）",
         "通常のファイルでもパイプでもありません（デバイス）", QStringList{}},
        {"a pipe", QStringLiteral("/dev/stdin"), json, "通常のファイルではありません（パイプ）", "", QStringList{}},
        {"missing file", dir.filePath(QStringLiteral("missing.slab")), {}, "ファイルがありません",
         "ファイルがありません", QStringList{}},
        {"unreadable file", unreadable, {}, "読み取りを許可されていません", "読み取りを許可されていません", rootless},
    };
    for (const Case& c : cases) {
        if (!c.wrapper) {
            std::printf("[ SKIPPED  ] %s: running as root without setpriv, root reads every file\n", c.what);
            continue;
        }
        const QString target = dir.filePath(QStringLiteral("out.slab"));
        const std::vector<std::pair<QStringList, const char*>> commands = {
            {{QStringLiteral("json"), c.path}, c.dataFile},
            {{QStringLiteral("show"), c.path}, c.dataFile},
            {{QStringLiteral("design"), c.path}, c.jsonInput},
            {{QStringLiteral("slab"), c.path, QStringLiteral("-o"), target}, c.jsonInput},
        };
        for (const auto& [args, expected] : commands) {
            const std::string what = std::string(c.what) + ": " + args.first().toStdString();
            const Outcome run = RunCli(args, c.input, *c.wrapper);
            ASSERT_TRUE(run.finished) << what << " hangs";
            if (*expected == '\0') {
                EXPECT_EQ(run.status, 0) << what << "\n" << run.err;
                QFile::remove(target);
                continue;
            }
            EXPECT_EQ(run.status, 2) << what;
            EXPECT_NE(run.err.find(expected), std::string::npos) << what << "\n" << run.err;
            EXPECT_NE(run.err.find(c.path.toStdString()), std::string::npos) << what << "\n" << run.err;
            EXPECT_EQ(run.out, "") << what;
            EXPECT_FALSE(QFile::exists(target)) << what;
        }
    }
}

TEST(SpecialFiles, FailedWritesToStandardOutputFailTheCommand)
{
    for (const QStringList& args : {QStringList{QStringLiteral("json"), kSample},
                                    QStringList{QStringLiteral("show"), kSample},
                                    QStringList{QStringLiteral("design"), kDesignJson}}) {
        const Outcome run = RunCli(args, {}, {}, QStringLiteral("/dev/full"));
        EXPECT_EQ(run.status, 2) << args.first().toStdString();
        EXPECT_NE(run.err.find("標準出力に書き込めません"), std::string::npos) << run.err;
    }
}

TEST(SpecialFiles, EmptyOutputNameIsRefusedUpFront)
{
    const Outcome run = RunCli({QStringLiteral("slab"), kDesignJson, QStringLiteral("-o"), QString()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("-o の後に"), std::string::npos) << run.err;
}
