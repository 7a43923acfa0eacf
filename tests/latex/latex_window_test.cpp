// The LaTeX settings window and the output command of the main window, with
// fake compilers, dvipdfmx and viewers written by the test, and once with
// the real TeX tools.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QStandardPaths>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

#include "FakeTools.h"
#include "WindowDriver.h"
#include "app/DialogFolders.h"
#include "datafile/ProfileFile.h"
#include "datafile/TextCodec.h"
#include "engine/Ucommon.h"
#include "latex/ToolRun.h"
#include "latex/Ulatexform.h"

using korvexa::Shared;

namespace {

const QString kMade = QStringLiteral("TeXファイルを作成しました。");

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Utf8Of(const QByteArray& cp932)
{
    return QString::fromStdString(korvexa::datafile::Cp932ToUtf8(cp932.toStdString()).text);
}

}  // namespace

class LatexWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;

    QString Path(const char* name) const { return files_.filePath(QString::fromUtf8(name)); }
    QString Ini() const { return config_.filePath(QStringLiteral("#Korvexa#.ini")); }
    QString Header() const { return config_.filePath(QStringLiteral("LatexHeader.txt")); }
    template <typename T>
    static T* In(QWidget* parent, const char* name)
    {
        T* child = parent->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }

    // Designs the current slab under `name` and writes the report to out.tex
    // (named `chosen` in the save dialog).
    void Output(const QString& name = QStringLiteral("S1"), const char* chosen = "out.tex")
    {
        w.DesignCurrent();
        w.form->SlabList.Current().Name = name.toStdString();
        w.saveNames << Path(chosen);
        w.Action("MenuTeXOut")->trigger();
    }
    void UseTools(const QString& compiler, const QString& viewer = QString())
    {
        Shared().LatexCompilerPath = compiler.toStdString();
        Shared().LatexViewerPath = viewer.toStdString();
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }

    void init()
    {
        QFile::remove(Ini());
        QFile::remove(Header());
        w.shown.clear();
        w.saveNames.clear();
        w.saveDialogs.clear();
        w.Open();
    }

    void cleanup() { w.form.reset(); }

    void settingsWindowWithoutSettingsFile()
    {
        Shared().LatexCompilerPath = "/found/on/path/platex";
        {
            TLatexForm form(Ini(), Header());
            QVERIFY(In<QCheckBox>(&form, "CheckBox1")->isChecked());
            QCOMPARE(In<QLineEdit>(&form, "CompilerEdit")->text(), QStringLiteral("/found/on/path/platex"));
            auto* memo = In<QPlainTextEdit>(&form, "Edit");
            QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')).size(), 5);
            QVERIFY(memo->document()->isModified());

            In<QToolButton>(&form, "HeaderSaveButton")->click();  // saving creates the file
            QVERIFY(Bytes(Header()).startsWith("\\documentclass[a4j]{jarticle}\r\n\\usepackage{amsmath}"));
            QVERIFY(!memo->document()->isModified());
        }
        QVERIFY(!QFile::exists(Ini()));  // nothing written at exit

        TLatexForm again(Ini(), Header());
        QVERIFY(!In<QPlainTextEdit>(&again, "Edit")->document()->isModified());
    }

    void settingsFileKeysAndClosing()
    {
        const QString compiler = WriteScript(Path("my-platex"), "exit 0");
        korvexa::datafile::ProfileFile ini(Ini().toStdString());
        QVERIFY(ini.WriteString("LaTeX2e", "Compiler", compiler.toStdString()));
        QVERIFY(ini.WriteString("LaTeX2e", "Viewer", "/no/such/viewer"));
        QVERIFY(ini.WriteInteger("LaTeX2e", "Mode", 0));
        Shared().LatexViewerPath = "/usr/bin/xdvi-from-path";
        {
            TLatexForm form(Ini(), Header());
            QCOMPARE(QString::fromStdString(Shared().LatexCompilerPath), compiler);
            QCOMPARE(Shared().LatexViewerPath, std::string("/usr/bin/xdvi-from-path"));  // a missing file is ignored
            QVERIFY(!form.CompileAndPreview());
            for (const char* control : {"CompilerButton", "CompilerEdit", "ViewerButton", "ViewerEdit"})
                QVERIFY(!In<QWidget>(&form, control)->isEnabled());
            In<QCheckBox>(&form, "CheckBox1")->click();
            QVERIFY(In<QWidget>(&form, "ViewerEdit")->isEnabled());
            QStringList asked;
            form.ChooseProgram = [&](QWidget*, const QString& current, const QString& filter) {
                asked << current << filter;
                return QStringLiteral("/chosen/pxdvi");
            };
            In<QPushButton>(&form, "ViewerButton")->click();
            QCOMPARE(asked, (QStringList{QStringLiteral("/usr/bin/xdvi-from-path"), QStringLiteral("Viewer")}));
            QCOMPARE(In<QLineEdit>(&form, "ViewerEdit")->text(), QStringLiteral("/chosen/pxdvi"));

            In<QLineEdit>(&form, "CompilerEdit")->setText(QStringLiteral("  /opt/tex/platex  "));
            In<QLineEdit>(&form, "ViewerEdit")->clear();
            form.show();
            In<QToolButton>(&form, "SpeedButton1")->click();
            QCOMPARE(In<QLineEdit>(&form, "CompilerEdit")->text(), QStringLiteral("/opt/tex/platex"));
            QCOMPARE(Shared().LatexCompilerPath, std::string("/opt/tex/platex"));
            QVERIFY(Shared().LatexViewerPath.empty());  // no viewer for the rest of the run
        }
        QCOMPARE(ini.ReadString("LaTeX2e", "Compiler", ""), std::string("/opt/tex/platex"));
        QCOMPARE(ini.ReadString("LaTeX2e", "Viewer", ""), std::string("/no/such/viewer"));
        QCOMPARE(ini.ReadInteger("LaTeX2e", "Mode", -1), 1);
    }

    // xdvi, which earlier versions found on PATH and stored, draws no
    // Japanese: the stored path is not taken.
    void storedXdviIsNotTaken()
    {
        QVERIFY(QDir().mkpath(Path("bin")));
        korvexa::datafile::ProfileFile ini(Ini().toStdString());
        QVERIFY(ini.WriteString("LaTeX2e", "Viewer", WriteScript(Path("bin/xdvi"), "exit 0").toStdString()));
        Shared().LatexViewerPath.clear();
        TLatexForm form(Ini(), Header());
        QVERIFY(Shared().LatexViewerPath.empty());
        QCOMPARE(In<QLineEdit>(&form, "ViewerEdit")->text(), QString());
    }

    // The "..." buttons' dialog lists every file and folder; "実行ファイル"
    // narrows it to what may be run and the folders.
    void programDialogListsEveryFile()
    {
        QDir(Path("progs")).removeRecursively();
        QVERIFY(QDir().mkpath(Path("progs/sub")));
        const QString program = WriteScript(Path("progs/platex"), "exit 0");
        QFile notes(Path("progs/notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        QStringList listed[2];
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            [&] {
                auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
                const auto names = [&] {
                    QStringList shown;
                    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                        shown << view->model()->index(row, 0, view->rootIndex()).data().toString();
                    shown.sort();
                    return shown;
                };
                QTRY_COMPARE(names().size(), 3);
                listed[0] = names();
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types->setCurrentIndex(1);  // as a click on the item does
                emit types->activated(1);
                emit types->textActivated(types->currentText());
                QTRY_COMPARE(names().size(), 2);
                listed[1] = names();
            }();
            // Closed whatever was seen, with the file chosen at the start.
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(TLatexForm::ChooseExecutable(nullptr, program, QStringLiteral("Compiler")), program);
        QCOMPARE(listed[0], (QStringList{QStringLiteral("notes.txt"), QStringLiteral("platex"), QStringLiteral("sub")}));
        QCOMPARE(listed[1], (QStringList{QStringLiteral("platex"), QStringLiteral("sub")}));
    }

    void headerSaveFailureIsShown()
    {
        QVERIFY(QDir().mkpath(Header()));  // a folder where the file should be
        w.form->LatexForm->findChild<QToolButton*>(QStringLiteral("HeaderSaveButton"))->click();
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("Header Save Error: \n") + Header()));
        QDir(Header()).removeRecursively();
    }

    void outputWithoutCompilerTellsSo()
    {
        w.Action("MenuTeXOut")->trigger();
        QCOMPARE(w.shown, QStringList{QStringLiteral("計算されたスラブがありません")});
        w.shown.clear();

        // Untitled data, no folder used yet: the documents folder.
        const QString offered = QDir(korvexa::app::DocumentsFolder()).filePath(QStringLiteral("Korvexa.tex"));
        UseTools(QString());
        Output(QStringLiteral("①S1_x"), "out.txt");
        QCOMPARE(w.saveDialogs.last().fileName, offered);
        QCOMPARE(w.saveDialogs.last().filter, QStringLiteral("LaTeXファイル(*.tex)"));
        QCOMPARE(w.form->TexFileName, Path("out.tex"));
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(kMade + QStringLiteral("\nLaTeXコンパイラ (platex) が見つからない")));
        QVERIFY(Utf8Of(Bytes(Path("out.tex"))).contains(QStringLiteral("{(1)S1{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char95}x\\hfill ")));
        QVERIFY(w.Message().contains(QStringLiteral("置き換えました：①")));

        w.shown.clear();
        w.form->LatexForm->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(false);
        UseTools(WriteScript(Path("platex"), QByteArray("touch ran")));
        w.saveNames << Path("out.tex");
        w.Action("MenuTeXOut")->trigger();
        QCOMPARE(w.shown, QStringList{kMade});
        QVERIFY(!QFile::exists(Path("ran")));

        // A name whose extension is replaced asks before replacing that file.
        const QByteArray before = Bytes(Path("out.tex"));
        w.shown.clear();
        w.answers << korvexa::app::MessageAnswer::No;
        w.saveNames << Path("out.txt");
        w.Action("MenuTeXOut")->trigger();
        QCOMPARE(w.shown, QStringList{Path("out.tex") + QStringLiteral(" は既に存在します。\n上書きしますか？")});
        QCOMPARE(Bytes(Path("out.tex")), before);
        QCOMPARE(w.saveDialogs.last().defaultSuffix, QStringLiteral("tex"));
    }

    void failingCompilerIsReportedWithItsLog()
    {
        const QByteArray log = "printf 'x\\n! LaTeX Error: File `default2.sty'\\'' not found.\\n\\nl.5 \\\\begin\\n' "
                               "> \"${3%.tex}.log\"; exit 1";
        UseTools(WriteScript(Path("platex"), log), WriteScript(Path("viewer"), "touch viewed"));
        Output();
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("LaTeXのコンパイルに失敗しました。\n") + Path("out.tex")));
        QVERIFY(w.shown[0].contains(QStringLiteral("（終了コード 1）")));
        QVERIFY(w.shown[0].contains(QStringLiteral("! LaTeX Error: File `default2.sty' not found.\nl.5 \\begin")));
        QTest::qWait(200);
        QVERIFY(!QFile::exists(Path("viewed")));
    }

    void cancelInTheProgressDialogEndsTheCompiler()
    {
        UseTools(WriteScript(Path("platex"), "sleep 30"));
        QTimer::singleShot(300, this, [this] {
            auto* progress = w.form->findChild<QProgressDialog*>(QStringLiteral("LatexProgress"));
            QVERIFY(progress && progress->isVisible() && progress->isModal());
            progress->findChild<QPushButton*>()->click();
        });
        QElapsedTimer clock;
        clock.start();
        Output();
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY(w.shown.isEmpty());
        QVERIFY(w.Message().contains(QStringLiteral("コンパイルを中止しました")));
    }

    // A DVI viewer gets the DVI; any other viewer, or the desktop's opener
    // when none is set, the PDF that dvipdfmx beside the compiler makes.
    void compiledReportIsShown_data()
    {
        QTest::addColumn<QString>("viewer");  // a script of that name, or none
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QString>("shown");   // the file the viewer or the desktop got
        QTest::addColumn<QString>("told");    // the start of a message, or empty
        QTest::newRow("DVI viewer") << QStringLiteral("pxdvi") << true << QStringLiteral("out.dvi") << QString();
        QTest::newRow("PDF viewer") << QStringLiteral("evince") << true << QStringLiteral("out.pdf") << QString();
        QTest::newRow("desktop") << QString() << true << QStringLiteral("out.pdf") << QString();
        QTest::newRow("no desktop opener") << QString() << false << QStringLiteral("out.pdf")
                                           << QStringLiteral("PDF を開くアプリケーションを起動できませんでした。");
    }
    void compiledReportIsShown()
    {
        QFETCH(QString, viewer);
        QFETCH(bool, desktopOpens);
        QFETCH(QString, shown);
        QFETCH(QString, told);
        QDir(Path("tools")).removeRecursively();
        QVERIFY(QDir().mkpath(Path("tools")));
        WriteScript(Path("tools/dvipdfmx"), "echo \"$@\" > " + Path("converted").toUtf8() + "; : > \"$2\"");
        const QString view = viewer.isEmpty() ? QString()
                                              : WriteScript(Path("tools/") + viewer,
                                                            "echo \"$1\" > " + Path("viewed").toUtf8());
        UseTools(WriteScript(Path("tools/platex"), kMakeDvi), view);
        QFile::remove(Path("viewed"));
        QStringList opened;
        w.form->OpenBrowser = [&](const QUrl& url) { return opened << url.toLocalFile(), desktopOpens; };
        Output();
        QCOMPARE(w.shown.isEmpty(), told.isEmpty());
        if (!told.isEmpty())
            QVERIFY(w.shown[0].startsWith(told));
        if (viewer.isEmpty()) {
            QCOMPARE(opened, QStringList{Path(qPrintable(shown))});
        } else {
            QVERIFY(opened.isEmpty());
            QTRY_COMPARE(QString::fromUtf8(Bytes(Path("viewed"))).trimmed(), Path(qPrintable(shown)));
        }
        QCOMPARE(QFile::exists(Path("converted")), shown.endsWith(QStringLiteral(".pdf")));
        QFile::remove(Path("converted"));
    }

    void failingDvipdfmxIsReported()
    {
        QDir(Path("tools")).removeRecursively();
        QVERIFY(QDir().mkpath(Path("tools")));
        WriteScript(Path("tools/dvipdfmx"), "echo 'dvipdfmx:fatal: Cannot proceed without .vf or \"physical\" font.'; exit 1");
        UseTools(WriteScript(Path("tools/platex"), kMakeDvi));
        int opened = 0;
        w.form->OpenBrowser = [&](const QUrl&) { return ++opened, true; };
        Output();
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("PDF への変換に失敗しました。\n") + Path("out.tex")));
        QVERIFY(w.shown[0].contains(QStringLiteral("physical\" font.")));
        QCOMPARE(opened, 0);
    }

    // The real platex and dvipdfmx: the PDF handed to the desktop holds the
    // slab's name in Japanese.  Skipped where TeX is missing, except in CI.
    void realToolsMakeAPdfThatShowsJapanese()
    {
        const QString platex = QStandardPaths::findExecutable(QStringLiteral("platex"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (platex.isEmpty() || pdftotext.isEmpty() || korvexa::latex::FindDvipdfmx(platex).isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("platex, dvipdfmx or pdftotext missing in CI");
            QSKIP("platex, dvipdfmx or pdftotext not installed (make test installs them)");
        }
        UseTools(platex);
        QStringList opened;
        w.form->OpenBrowser = [&](const QUrl& url) { return opened << url.toLocalFile(), true; };
        Output(QStringLiteral("三階床スラブ"));
        QVERIFY2(w.shown.isEmpty(), qPrintable(w.shown.join(QLatin1Char('\n'))));
        QCOMPARE(opened, QStringList{Path("out.pdf")});
        QProcess text;
        text.start(pdftotext, {Path("out.pdf"), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("三階床スラブ")));
    }

    void fullDiskStopsBeforeAnyTool()
    {
        UseTools(WriteScript(Path("platex"), "touch ran"));
        const QString tex = Path("out.tex");
        QFile::remove(tex);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1000;  // the report is several kilobytes
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        Output();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("File Open Error: \n") + tex));
        QVERIFY(!QFile::exists(tex));
        QVERIFY(!QFile::exists(Path("ran")));
    }
};

QTEST_MAIN(LatexWindowTest)
#include "latex_window_test.moc"
