// The settings folder: from the environment or the per-user folder,
// created when missing.
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "components/ConfigFolder.h"

class ConfigFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void environmentFolderIsCreated()
    {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString folder = temp.filePath(QStringLiteral("a/b"));
        qputenv("KORVEXA_CONFIG_DIR", QFile::encodeName(folder));
        QCOMPARE(korvexa::ConfigFolder(), folder);
        QVERIFY(QDir(folder).exists());
        QCOMPARE(korvexa::SettingsFilePath(), folder + QStringLiteral("/#Korvexa#.ini"));
    }

    void perUserFolderOtherwise()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(false);
        for (const char* unset : std::initializer_list<const char*>{"", nullptr}) {
            if (unset)
                qputenv("KORVEXA_CONFIG_DIR", unset);
            else
                qunsetenv("KORVEXA_CONFIG_DIR");
            const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
            QVERIFY(expected.startsWith(home.path()));
            QCOMPARE(korvexa::ConfigFolder(), expected);
            QVERIFY(QDir(expected).exists());
        }
    }
};

QTEST_GUILESS_MAIN(ConfigFolderTest)
#include "config_folder_test.moc"
