// The recovery copy: written while the data is modified, removed when it
// is saved or given up, and offered by the next window after a crash (the
// window of a child process killed with SIGKILL), never by a window that
// runs beside the one that wrote it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "WindowDriver.h"
#include "engine/Ukorvexa.h"

using korvexa::app::MessageAnswer;

namespace {

const QString kChild = QStringLiteral("--edit-and-wait");

// The child: a window on FILE whose slab 1 gets Lx 2.5, left running once
// its recovery copy is written.
int EditAndWait(const QString& file)
{
    TMainForm form;
    form.RecoveryDelay = 0;
    form.show();
    form.FormShow(file);
    auto* lx = form.findChild<TNumberEdit*>(QStringLiteral("LxInput"));
    lx->setText(QStringLiteral("2.5"));
    lx->ValueUpdate();
    emit lx->exited();
    while (!QFile::exists(form.RecoveryCopyPath()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir files_;
    WindowDriver w;

    QString CopyOfSample() const
    {
        const QString copy = files_.filePath(QStringLiteral("floor.slab"));
        QFile::remove(copy);
        QFile::copy(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"), copy);
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return copy;
    }
    static int CopiesLeft(const QString& folder)
    {
        return static_cast<int>(QDir(folder).entryList({QStringLiteral("recovery-*.slab")}).size());
    }
    // A window on `file` that crashed after an edit.
    bool KilledAfterAnEdit(const QString& file)
    {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {kChild, file});
        if (!child.waitForReadyRead(60000))
            return false;
        child.kill();  // SIGKILL: no clean-up of any kind
        return child.waitForFinished(10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }
    void init()
    {
        w.shown.clear();
        w.choices.clear();
    }
    // A clean exit: the window's own copy goes.
    void cleanup()
    {
        w.answers << MessageAnswer::No;
        w.form->close();
        w.form.reset();
    }

    void aCopyLeftByAKilledWindowIsOfferedAndRestored()
    {
        const QString file = CopyOfSample();
        QVERIFY(KilledAfterAnEdit(file));
        QCOMPARE(CopiesLeft(config_.path()), 1);

        w.Open();
        w.form->OfferRecovery();  // answered 復元, the default
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("前回、保存されずに終了したデータがあります。復元しますか？")));
        QVERIFY(w.shown[0].contains(QStringLiteral("ファイル: ") + file));
        QCOMPARE(w.form->SlabList.At(1).Lx, 2.5);
        QCOMPARE(w.form->SlabList.Count(), 15);
        QCOMPARE(w.form->CurrentFileName(), file);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  ") + file + QLatin1Char('*'));
        // The copy taken is gone; this window's own holds the data.
        QCOMPARE(CopiesLeft(config_.path()), 1);
        QVERIFY(QFile::exists(w.form->RecoveryCopyPath()));

        // A window beside it does not take it.
        WindowDriver other;
        other.Open();
        other.form->OfferRecovery();
        QVERIFY(w.shown.size() == 1 && other.shown.isEmpty());
    }

    void aDiscardedCopyIsDeleted()
    {
        QVERIFY(KilledAfterAnEdit(CopyOfSample()));
        w.Open();
        w.choices << 1;  // 破棄
        w.form->OfferRecovery();
        QCOMPARE(w.shown.size(), 1);
        QCOMPARE(CopiesLeft(config_.path()), 0);
        QVERIFY(!w.form->IsModified());
        w.form->OfferRecovery();
        QCOMPARE(w.shown.size(), 1);
    }

    // The copy is there while the data differs from the file, and removed
    // when it no longer does and on a clean exit.
    void theCopyFollowsTheModifiedState()
    {
        w.Open(CopyOfSample());
        w.form->RecoveryDelay = 0;
        const QString copy = w.form->RecoveryCopyPath();
        const auto edit = [&](const char* t) {
            w.Type("TInput", QString::fromUtf8(t));
            QTRY_VERIFY(QFile::exists(copy));
        };
        edit("21");
        w.Action("MenuSave")->trigger();
        QVERIFY(!QFile::exists(copy));
        edit("22");
        w.Action("MenuUndo")->trigger();
        QVERIFY(!QFile::exists(copy));
        edit("23");
        w.answers << MessageAnswer::No;
        QVERIFY(w.form->close());
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(CopiesLeft(config_.path()), 0);
    }
};

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (application.arguments().value(1) == kChild)
        return EditAndWait(application.arguments().value(2));
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
