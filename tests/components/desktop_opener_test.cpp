// The desktop's opener: xdg-open (a stand-in on PATH) gets the file's
// path, and an opener that ends with an error is heard of afterwards.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "components/DesktopOpener.h"

class DesktopOpenerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openerEndsWith_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::newRow("opened") << 0;
        QTest::newRow("no application for the file (xdg-open: 3)") << 3;
        QTest::newRow("the application failed (xdg-open: 4)") << 4;
    }
    void openerEndsWith()
    {
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString given = dir.filePath(QStringLiteral("given"));
        QFile opener(dir.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1.part' && mv '%1.part' '%1'\nexit %2\n")
                         .arg(given)
                         .arg(exitCode)
                         .toUtf8());
        opener.close();
        opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8() + ':' + path);

        const QString report = dir.filePath(QStringLiteral("計算書 1.pdf"));
        QObject context;
        int failures = 0;
        QVERIFY(OpenWithDesktop(QUrl::fromLocalFile(report), &context, [&] { ++failures; }));
        qputenv("PATH", path);
        QTRY_VERIFY(QFile::exists(given));
        QFile file(given);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).trimmed(), report);
        if (exitCode != 0) {
            QTRY_COMPARE(failures, 1);
        } else {
            QTest::qWait(300);  // the opener has ended by now: no failure
            QCOMPARE(failures, 0);
        }
    }
};

QTEST_MAIN(DesktopOpenerTest)
#include "desktop_opener_test.moc"
