// The help window over a small guide of two pages: the way through its
// pages, the search in a page, and the page handed to a browser.
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include "dialogs/HelpWindow.h"

class HelpWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString Page(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    static void Write(const QString& path, const QByteArray& html)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(html);
    }

private Q_SLOTS:
    void initTestCase()
    {
        Write(Page("index.html"), "<html><body><h1>目次</h1><p><a href=\"keys.html#preview\">キー操作</a></p>"
                                  "<p>印刷プレビューの説明。</p><p><a href=\"https://example.org/\">外部</a></p>"
                                  "<p>印刷の説明。</p></body></html>");
        Write(Page("keys.html"), "<html><body><h2 id=\"preview\">プレビューのキー</h2><p>Page Down</p></body></html>");
    }

    void linksBackForwardAndContents()
    {
        THelpWindow help;
        help.ShowContents(Page("index.html"));
        auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("Browser"));
        auto* back = help.findChild<QToolButton*>(QStringLiteral("BackButton"));
        auto* forward = help.findChild<QToolButton*>(QStringLiteral("ForwardButton"));
        QVERIFY(help.isVisible());
        QVERIFY(!back->isEnabled() && !forward->isEnabled());

        emit browser->anchorClicked(QUrl(QStringLiteral("keys.html#preview")));
        QCOMPARE(help.Page().fileName(), QStringLiteral("keys.html"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("プレビューのキー")));
        back->click();
        QCOMPARE(help.Page(), QUrl::fromLocalFile(Page("index.html")));
        QVERIFY(forward->isEnabled());
        forward->click();
        QCOMPARE(help.Page().fileName(), QStringLiteral("keys.html"));
        help.findChild<QToolButton*>(QStringLiteral("ContentsButton"))->click();
        QCOMPARE(help.Page(), QUrl::fromLocalFile(Page("index.html")));

        // A web address goes to the desktop's browser.
        QList<QUrl> opened;
        help.OpenUrl = [&](const QUrl& url) { return opened << url, true; };
        emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/"))});
        QCOMPARE(help.Page(), QUrl::fromLocalFile(Page("index.html")));
    }

    void ctrlFFindsForwardAndBackAndAroundTheEnd()
    {
        THelpWindow help;
        help.ShowContents(Page("index.html"));
        QVERIFY(QTest::qWaitForWindowActive(&help));
        auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("Browser"));
        auto* search = help.findChild<QLineEdit*>(QStringLiteral("SearchEdit"));
        browser->setFocus();
        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(search->hasFocus());

        for (const QChar c : QStringLiteral("説明"))
            QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(c), Qt::NoModifier);
        const auto foundAt = [&] { return browser->textCursor().selectionStart(); };
        QTest::keyClick(search, Qt::Key_Return);
        const int first = foundAt();
        QVERIFY(browser->textCursor().hasSelection());
        QTest::keyClick(&help, Qt::Key_F3);
        const int second = foundAt();
        QVERIFY(second > first);
        QTest::keyClick(&help, Qt::Key_F3);  // past the last: from the top again
        QCOMPARE(foundAt(), first);
        QTest::keyClick(&help, Qt::Key_F3, Qt::ShiftModifier);  // before the first: from the end
        QCOMPARE(foundAt(), second);

        search->setText(QStringLiteral("ありません"));
        QVERIFY(!help.Find());
        QCOMPARE(foundAt(), second);  // the place stays
        QCOMPARE(help.findChild<QLabel*>(QStringLiteral("FindStatus"))->text(), QStringLiteral("見つかりません"));
    }

    void theBrowserGetsThePageWithoutItsPlace()
    {
        THelpWindow help;
        help.ShowContents(Page("index.html"));
        emit help.findChild<QTextBrowser*>(QStringLiteral("Browser"))->anchorClicked(
            QUrl(QStringLiteral("keys.html#preview")));
        QList<QUrl> opened;
        QStringList told;
        help.OpenUrl = [&](const QUrl& url) { return opened << url, false; };
        help.ShowError = [&](QWidget*, const QString& text) { told << text; };
        emit help.findChild<QLabel*>(QStringLiteral("BrowserLink"))->linkActivated(QStringLiteral("browser"));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(Page("keys.html"))});
        QCOMPARE(told.size(), 1);
        QVERIFY(told[0].endsWith(QStringLiteral("ヘルプファイル: ") + Page("keys.html")));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
