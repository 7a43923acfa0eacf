// `cmake --install` of this build into a temporary prefix: the tree holds
// every file the user and the desktop need, the installed programs answer
// --version and --help without a display, the installed program finds its
// help pages, and the desktop knows the data file by its name and content.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <memory>

#include "app/Help.h"

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end, without a display.
Finished RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(Q(name));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class InstallTree : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = std::make_unique<QTemporaryDir>();
        install_ = RunProgram(Q(KORVEXA_CMAKE), {Q("--install"), Q(KORVEXA_BUILD_DIR), Q("--prefix"), prefix_->path()});
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { ASSERT_EQ(install_.exitCode, 0) << install_.out.toStdString() << install_.err.toStdString(); }

    static QString Path(const QString& relative) { return prefix_->path() + QLatin1Char('/') + relative; }

    static std::unique_ptr<QTemporaryDir> prefix_;
    static Finished install_;
};

std::unique_ptr<QTemporaryDir> InstallTree::prefix_;
Finished InstallTree::install_;

TEST_F(InstallTree, HoldsEveryFile)
{
    for (const char* file :
         {"bin/korvexa", "bin/korvexa-cli", "share/korvexa/help/index.html", "share/man/man1/korvexa.1.gz",
          "share/man/man1/korvexa-cli.1.gz", "share/applications/korvexa.desktop", "share/mime/packages/korvexa.xml",
          "share/icons/hicolor/scalable/apps/korvexa.svg"}) {
        const QFileInfo info(Path(Q(file)));
        EXPECT_TRUE(info.isFile() && info.size() > 0) << file;
    }
    EXPECT_TRUE(QFileInfo(Path(Q("bin/korvexa"))).isExecutable());
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = Path(QStringLiteral("share/icons/hicolor/%1x%1/apps/korvexa.png").arg(size));
        const QImage icon(png);
        EXPECT_EQ(icon.size(), QSize(size, size)) << png.toStdString();
        // Drawn, not blank: the centre of the slab is opaque.
        if (!icon.isNull()) {
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        }
    }
}

TEST_F(InstallTree, ProgramsAnswerWithoutADisplay)
{
    const QString version = Q(KORVEXA_VERSION_TEXT);
    const struct {
        const char* program;
        const char* option;
        QString expected;
    } cases[] = {
        {"bin/korvexa", "--version", Q("Korvexa ") + version + Q("\n")},
        {"bin/korvexa-cli", "--version", Q("korvexa-cli ") + version + Q("\n")},
        {"bin/korvexa", "--help", Q("Usage: ")},
    };
    for (const auto& c : cases) {
        const Finished run = RunProgram(Path(Q(c.program)), {Q(c.option)});
        EXPECT_EQ(run.exitCode, 0) << c.program << " " << c.option << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(c.expected)) << c.program << " " << c.option << ": " << run.out.toStdString();
    }
}

TEST_F(InstallTree, InstalledProgramFindsItsHelp)
{
    EXPECT_EQ(QFileInfo(korvexa::app::FindHelpIndex(Path(Q("bin")))).canonicalFilePath(),
              QFileInfo(Path(Q("share/korvexa/help/index.html"))).canonicalFilePath());
}

TEST_F(InstallTree, DesktopEntryIsValid)
{
    const QString validator = QStandardPaths::findExecutable(Q("desktop-file-validate"));
    if (validator.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "desktop-file-validate is missing (scripts/install-deps --test)";
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const Finished run = RunProgram(validator, {Path(Q("share/applications/korvexa.desktop"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out + run.err, QString());
}

// The installed file type, seen as a desktop sees it (shared-mime-info),
// with only the prefix as the data folder.
TEST_F(InstallTree, DataFileIsKnownByNameAndByContent)
{
    qputenv("XDG_DATA_DIRS", Path(Q("share")).toUtf8());
    qputenv("XDG_DATA_HOME", Path(Q("no-user-data")).toUtf8());
    QFile sample(Q(KORVEXA_SOURCE_DIR "/examples/sample.slab"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray data = sample.readAll();

    const struct {
        const char* name;
        QByteArray content;
        QMimeDatabase::MatchMode mode;
        bool isDataFile;
    } cases[] = {
        {"floor.slab", QByteArray(), QMimeDatabase::MatchExtension, true},
        {"renamed.dat", data, QMimeDatabase::MatchContent, true},
        // The magic is ten bytes: the text and its terminating zero.
        {"other.dat", QByteArray("#Korvexa#X", 10) + data.mid(10), QMimeDatabase::MatchContent, false},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        QFile file(folder.filePath(Q(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        const QString type = QMimeDatabase().mimeTypeForFile(file.fileName(), c.mode).name();
        EXPECT_EQ(type == Q("application/x-korvexa-slab"), c.isDataFile) << c.name << ": " << type.toStdString();
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);  // for QProcess
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
