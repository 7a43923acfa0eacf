// The recent-file entries of the File menu: placement, numbering, clicks,
// the history file at the end of a run and its write failure.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cstdio>
#include <unistd.h>

#include "components/FileHistory.h"

namespace {

// Reads what the code under test writes to stderr while it is alive.
class StderrCapture {
public:
    explicit StderrCapture(const QString& path) : path_(path)
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        FILE* file = std::fopen(QFile::encodeName(path).constData(), "w");
        ::dup2(::fileno(file), 2);
        std::fclose(file);
    }
    ~StderrCapture() { Stop(); }
    QString Stop()
    {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, 2);
            ::close(saved_);
            saved_ = -1;
        }
        QFile file(path_);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

private:
    QString path_;
    int saved_ = -1;
};

}  // namespace

class FileHistoryTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp_;
    QMenu* menu_ = nullptr;
    QAction* open_ = nullptr;
    QAction* sep1_ = nullptr;
    QAction* close_ = nullptr;

    QString Data(const QString& name)
    {
        const QString path = temp_->filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("slab");
        return path;
    }

    static QStringList ReadLines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    static void WriteLines(const QString& path, const QStringList& lines)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const QString& line : lines)
            file.write(line.toUtf8() + '\n');
    }

    // The texts of the File menu, separators as "-".
    QStringList MenuTexts() const
    {
        QStringList texts;
        for (QAction* action : menu_->actions())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    // A component attached like the main window's.
    std::unique_ptr<TFileHistory> Make(const QString& history, TFileHistory::OpenCallback callback = {})
    {
        auto files = std::make_unique<TFileHistory>();
        files->AttachMenu(menu_, sep1_, close_);
        files->Init(history, std::move(callback));
        return files;
    }

private Q_SLOTS:
    void init()
    {
        temp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(temp_->isValid());
        qputenv("KORVEXA_CONFIG_DIR", QFile::encodeName(temp_->filePath(QStringLiteral("config"))));
        menu_ = new QMenu;
        open_ = menu_->addAction(QStringLiteral("開く(&O)..."));
        sep1_ = menu_->addSeparator();
        close_ = menu_->addAction(QStringLiteral("終了(&X)"));
    }

    void cleanup()
    {
        delete menu_;
        temp_.reset();
    }

    void openingThreeFilesFillsTheMenuAndTheFile()
    {
        const QString history = TFileHistory::DataFileHistoryPath();
        QCOMPARE(history, temp_->filePath(QStringLiteral("config/Korvexa~DataFile.history")));
        const QString f1 = Data(QStringLiteral("F1.slab")), f2 = Data(QStringLiteral("F2.slab")),
                      f3 = Data(QStringLiteral("F3.slab"));
        auto files = Make(history);
        QCOMPARE(files->ItemsMax(), 10);
        QCOMPARE(MenuTexts(), (QStringList{QStringLiteral("開く(&O)..."), QStringLiteral("-"), QStringLiteral("終了(&X)")}));

        files->Remake(f1, true);
        files->Remake(f2, true);
        files->Remake(f3, true);
        QCOMPARE(files->NowOpenFileName(), f3);
        QCOMPARE(MenuTexts(), (QStringList{QStringLiteral("開く(&O)..."), QStringLiteral("-"),
                                           QStringLiteral("&1 ") + f2, QStringLiteral("&2 ") + f1,
                                           QStringLiteral("-"), QStringLiteral("終了(&X)")}));

        // The close question's save-as: no rebuild, but the file knows it.
        const QString f4 = Data(QStringLiteral("F4.slab"));
        files->Remake(f4, false);
        QCOMPARE(files->EntryActions().size(), 2);
        files.reset();  // the end of the run
        QCOMPARE(ReadLines(history), (QStringList{f4, f3, f2, f1}));
    }

    void relativeNamesAreMadeAbsolute()
    {
        const QString f1 = Data(QStringLiteral("F1.slab"));
        const QString old = QDir::currentPath();
        QDir::setCurrent(temp_->path());
        auto files = Make(QString());
        files->Remake(QStringLiteral("./F1.slab"), true);
        QDir::setCurrent(old);
        QCOMPARE(files->NowOpenFileName(), f1);
        QCOMPARE(files->HistoryFileName(), temp_->filePath(QStringLiteral("config/FileHistory.save")));
    }

    void elevenNamesShowTen()
    {
        QStringList names;
        for (int i = 1; i <= 11; ++i)
            names.append(Data(QStringLiteral("S%1.slab").arg(i)));
        const QString history = TFileHistory::DataFileHistoryPath();
        WriteLines(history, names);
        auto files = Make(history);
        const QList<QAction*> entries = files->EntryActions();
        QCOMPARE(entries.size(), 10);
        QCOMPARE(entries.first()->text(), QStringLiteral("&1 ") + names[0]);
        QCOMPARE(entries.last()->text(), QStringLiteral("&10 ") + names[9]);
        QCOMPARE(files->Items(), names.mid(0, 10));
        files.reset();
        QCOMPARE(ReadLines(history), names.mid(0, 10));
    }

    void deletedFilesAreDroppedAtStart()
    {
        const QString a = Data(QStringLiteral("A.slab")), b = Data(QStringLiteral("B.slab"));
        const QString gone = temp_->filePath(QStringLiteral("gone.slab"));
        const QString history = TFileHistory::DataFileHistoryPath();
        WriteLines(history, {gone, a, b});
        auto files = Make(history);
        QCOMPARE(files->Items(), (QStringList{a, b}));
        QCOMPARE(files->EntryActions().first()->text(), QStringLiteral("&1 ") + a);
        files.reset();
        QCOMPARE(ReadLines(history), (QStringList{a, b}));
    }

    void noHistoryFileWhenNothingWasOpened()
    {
        const QString history = TFileHistory::DataFileHistoryPath();
        {
            auto files = Make(history);
            files->Remake(QString(), true);  // new data
            QVERIFY(files->Save());
        }
        QVERIFY(!QFile::exists(history));
        QCOMPARE(menu_->actions().size(), 3);
    }

    void clickingAnEntryOpensIt()
    {
        const QString f1 = Data(QStringLiteral("F1.slab")), f2 = Data(QStringLiteral("F2.slab")),
                      f3 = Data(QStringLiteral("F3.slab"));
        QStringList opened;
        TFileHistory* self = nullptr;
        // As the main window does: open, then tell the component, still inside the click.
        auto files = Make(TFileHistory::DataFileHistoryPath(), [&](const QString& name) {
            opened.append(name);
            self->Remake(name, true);
        });
        self = files.get();
        files->Remake(f1, true);
        files->Remake(f2, true);
        files->Remake(f3, true);

        files->EntryActions().at(1)->trigger();  // "&2 F1"
        QCOMPARE(opened, QStringList{f1});
        QCOMPARE(files->NowOpenFileName(), f1);
        QCOMPARE(files->Items(), (QStringList{f3, f2}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(MenuTexts().mid(2, 2), (QStringList{QStringLiteral("&1 ") + f3, QStringLiteral("&2 ") + f2}));
        QCOMPARE(menu_->actions().size(), 6);
    }

    void ampersandsInPathsAreShownAsSuch()
    {
        const QString odd = Data(QStringLiteral("R&D.slab"));
        auto files = Make(TFileHistory::DataFileHistoryPath());
        files->Remake(odd, true);
        files->Remake(QString(), true);
        QAction* entry = files->EntryActions().value(0);
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("&1 ") + QString(odd).replace(u'&', QStringLiteral("&&")));
    }

    void leadingSeparatorWhenTheAnchorIsACommand()
    {
        const QString a = Data(QStringLiteral("A.slab"));
        TFileHistory files;
        files.SetAutoSave(false);
        files.AttachMenu(menu_, open_);
        files.Init(TFileHistory::DataFileHistoryPath(), {});
        files.Remake(a, true);
        files.Remake(QString(), true);
        QCOMPARE(MenuTexts(), (QStringList{QStringLiteral("開く(&O)..."), QStringLiteral("-"), QStringLiteral("&1 ") + a,
                                           QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("終了(&X)")}));
        files.DeleteItems();
        QCOMPARE(menu_->actions().size(), 3);
    }

    void writeFailureIsReportedOnce()
    {
        const QString a = Data(QStringLiteral("A.slab")), b = Data(QStringLiteral("B.slab"));
        // The history file would lie under a plain file: every write fails.
        const QString history = a + QStringLiteral("/Korvexa~DataFile.history");
        StderrCapture capture(temp_->filePath(QStringLiteral("stderr.txt")));
        {
            auto files = Make(history);
            files->Remake(a, true);
            QVERIFY(!files->Save());
            files->Remake(b, true);
            QVERIFY(!files->Save());
            files->Remake(a, false);
        }  // the automatic save at the end fails too
        const QString text = capture.Stop();
        QCOMPARE(text.count(u'\n'), 1);
        QVERIFY2(text.contains(history), qPrintable(text));
    }
};

QTEST_MAIN(FileHistoryTest)
#include "file_history_test.moc"
