// The main window driven as a user would: start-up state, slab list and
// navigation, messages, the name box, opening a file and the sheet colour.
#include <sys/stat.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

#include "WindowDriver.h"
#include "datafile/DataFile.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/Uabout.h"
#include "dialogs/Udatareplace.h"
#include "engine/Ukorvexa.h"
#include "datafile/ProfileFile.h"


class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    WindowDriver w;

    template <typename T>
    T* Find(const char* name) const { return w.Find<T>(name); }
    QAction* Action(const char* name) const { return w.Action(name); }
    QString Message() const { return w.Message(); }
    QString Info() const { return w.Info(); }
    void Type(const char* box, const QString& text) { w.Type(box, text); }
    void DesignCurrent(const QString& lx = QStringLiteral("3"), const QString& ly = QStringLiteral("4"))
    {
        w.DesignCurrent(lx, ly);
    }
    void NewWindow(const QString& file = QString()) { w.Open(file); }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }

    void init()
    {
        w.shown.clear();
        w.beeps = 0;
        NewWindow();
    }

    void cleanup() { w.form.reset(); }

    void startsWithOneUntitledSlab()
    {
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)"));
        QCOMPARE(w.form->SlabList.Count(), 1);
        QCOMPARE(Find<QComboBox>("NameBox")->currentText(), QStringLiteral("S1"));
        QCOMPARE(Info(), QStringLiteral("1/1"));
        for (const char* button : {"TopButton", "BeforButton", "NextButton", "LastButton", "SlabDeleteButton"})
            QVERIFY2(!Action(button)->isEnabled(), button);
        QCOMPARE(Message(), QString());
        QCOMPARE(w.beeps, 0);
    }

    void addNeedsADesignedSlab()
    {
        Action("SlabAddButton")->trigger();
        QCOMPARE(w.shown, QStringList{QStringLiteral("現在のスラブデータが未入力です。")});
        QCOMPARE(w.beeps, 1);
        QCOMPARE(w.form->SlabList.Count(), 1);

        DesignCurrent();
        QVERIFY(w.form->SlabList.Current().Calculated);
        Action("SlabAddButton")->trigger();
        QCOMPARE(w.form->SlabList.Count(), 2);
        QCOMPARE(Info(), QStringLiteral("2/2"));
        QCOMPARE(Find<QComboBox>("NameBox")->currentText(), QStringLiteral("S2"));
        QVERIFY(Action("TopButton")->isEnabled());
        QVERIFY(Action("BeforButton")->isEnabled());
        QVERIFY(!Action("NextButton")->isEnabled());
        QVERIFY(!Action("LastButton")->isEnabled());
        QCOMPARE(Find<TNumberEdit>("LxInput")->text(), QString());  // spans are not inherited

        Action("TopButton")->trigger();
        QCOMPARE(Info(), QStringLiteral("1/2"));
        QCOMPARE(Find<TNumberEdit>("LxInput")->text(), QStringLiteral("3.00"));
        Action("SlabCopyButton")->trigger();  // overwrites the undesigned S2
        QCOMPARE(w.form->SlabList.Count(), 2);
        QCOMPARE(Find<QComboBox>("NameBox")->itemText(1), QStringLiteral("S1"));

        Action("SlabDeleteButton")->trigger();
        QCOMPARE(w.form->SlabList.Count(), 1);
        QCOMPARE(Info(), QStringLiteral("1/1"));
    }

    // The keys of the スラブ menu pressed in the box being typed into: the
    // value typed is taken, then the command acts.
    void slabCommandsWorkByTheirKeysInTheBoxes()
    {
        NewWindow(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"));
        const int n = w.form->SlabList.Count();
        struct Step {
            const char* key;
            int current, count;
            int keeps;  // the slab that holds the value typed afterwards (0: none)
        };
        const Step steps[] = {
            {"Ctrl+End", n, n, 1},         {"Ctrl+Home", 1, n, n},
            {"Ctrl+PgDown", 2, n, 1},      {"Ctrl+PgUp", 1, n, 2},
            {"Ctrl+Shift+D", n + 1, n + 1, n + 1},  // a copy of slab 1 at the end
            {"Ctrl+Shift+Del", n, n, 0},            // that copy deleted
            {"Ctrl+Shift+N", n + 1, n + 1, n},      // a new slab after a designed one
        };
        int typing = 0;
        for (const Step& step : steps) {
            const QString lx = QString::number(2 + 0.05 * ++typing, 'f', 2);
            TNumberEdit* box = w.Box("LxInput");
            WindowDriver::Focus(box);
            box->selectAll();
            QTest::keyClicks(box, lx);
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(step.key)));
            QCOMPARE(w.form->CurrentIndex(), step.current);
            QCOMPARE(w.form->SlabList.Count(), step.count);
            if (step.keeps)
                QCOMPARE(w.form->SlabList.At(step.keeps).Lx, lx.toDouble());
        }

        bool arranged = false;
        QTimer::singleShot(0, w.form.get(), [&] {
            arranged = QApplication::activeModalWidget() == w.form->ReplaceForm;
            w.form->ReplaceForm->reject();
        });
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QStringLiteral("Ctrl+Shift+R")));
        QVERIFY(arranged);
    }

    // Every tool button is a menu item too (reachable with the keyboard),
    // and no key stands for two commands.
    void everyToolButtonIsInAMenuAndEveryKeyIsOnce()
    {
        QStringList items;
        for (QAction* menu : w.form->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                items << item->objectName();
        // The file commands' and the overview's buttons have menu items of their own.
        const QHash<QString, QString> twins = {
            {QStringLiteral("DataOpenButton"), QStringLiteral("MenuOpen")},
            {QStringLiteral("DataSaveButton"), QStringLiteral("MenuSave")},
            {QStringLiteral("PrintButton"), QStringLiteral("MenuPrint")},
            {QStringLiteral("PreviewButton"), QStringLiteral("MenuPreview")},
            {QStringLiteral("OverviewButton"), QStringLiteral("MenuOverview")},
        };
        for (QAction* button : Find<QToolBar>("ToolBar1")->actions())
            if (!button->isSeparator() && !qobject_cast<QWidgetAction*>(button))
                QVERIFY2(items.contains(twins.value(button->objectName(), button->objectName())),
                         qPrintable(button->objectName()));
        QHash<QKeySequence, QString> owners;
        for (QAction* action : w.form->findChildren<QAction*>()) {
            const auto* owner = qobject_cast<QWidget*>(action->parent());
            if (owner && qobject_cast<const QDialog*>(owner->window()))
                continue;  // a dialog's keys act in the dialog only
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!owners.contains(key), qPrintable(key.toString() + QLatin1Char(' ') + owners.value(key)));
                owners.insert(key, action->objectName());
            }
        }
        QCOMPARE(owners.value(QKeySequence(QStringLiteral("Ctrl+PgDown"))), QStringLiteral("NextButton"));
    }

    void enterMovesToTheNextBoxAndTakesTheValue()
    {
        TNumberEdit* lx = Find<TNumberEdit>("LxInput");
        lx->setFocus();
        QTRY_VERIFY(lx->hasFocus());
        QTest::keyClicks(lx, QStringLiteral("2.5"));
        QTest::keyClick(lx, Qt::Key_Return);
        QTRY_VERIFY(Find<TNumberEdit>("LyInput")->hasFocus());
        QCOMPARE(w.form->SlabList.Current().Lx, 2.5);
    }

    void messagesOfTheDesignStatus()
    {
        DesignCurrent(QStringLiteral("5"), QStringLiteral("4"));
        QCOMPARE(Message(), QStringLiteral("　Error : Lx が Ly よりも大きい"));
        QVERIFY(w.beeps > 0);
        QCOMPARE(Find<QLabel>("LabelLambda")->text(), QString());

        QComboBox* bind = Find<QComboBox>("BindComboBox");
        bind->setCurrentIndex(2);
        emit bind->activated(2);
        DesignCurrent(QStringLiteral("2"), QStringLiteral("7"));
        QCOMPARE(Find<QLabel>("LabelLambda")->text(), QStringLiteral("λ＝3.50"));
        QCOMPARE(Message(), QStringLiteral("　Error : λの値が制限値を越えている。　λ≦2"));

        TNumberEdit* lx = Find<TNumberEdit>("LxInput");
        lx->setFocus();  // leaving the last box recalculates: the error beeps again
        QTRY_VERIFY(lx->hasFocus());
        w.beeps = 0;
        Type("LxInput", QStringLiteral("0"));
        QCOMPARE(Message(), QString());
        QCOMPARE(w.beeps, 0);
    }

    void thicknessWithinTheCoverIsReported_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("message");
        const QString outside = QStringLiteral("　Error : t: 鉄筋の重心がスラブの外にあります（dt = ");
        QTest::newRow("t 3") << "3" << outside + QStringLiteral("4.7 cm ≧ t = 3 cm、かぶり 4 cm）");
        QTest::newRow("t 5") << "5" << outside + QStringLiteral("6.1 cm ≧ t = 5 cm、かぶり 4 cm）");
        QTest::newRow("t 6") << "6" << outside + QStringLiteral("6.1 cm ≧ t = 6 cm、かぶり 4 cm）");
    }

    void thicknessWithinTheCoverIsReported()
    {
        QFETCH(QString, t);
        QFETCH(QString, message);
        DesignCurrent();
        Type("TInput", t);
        QCOMPARE(Message(), message);
        QVERIFY(!w.form->SlabList.Current().Calculated);
        QVERIFY(!Find<QPushButton>("CalcPitchButton")->isEnabled());
        Type("TInput", QStringLiteral("15"));
        QCOMPARE(Message(), QString());
    }

    void lowSteelWarningKeepsTheSlabDesigned()
    {
        DesignCurrent(QStringLiteral("2"), QStringLiteral("2"));
        Type("TInput", QStringLiteral("40"));
        QVERIFY(w.form->SlabList.Current().Calculated);
        QVERIFY2(Message().startsWith(QStringLiteral("　Warning : 以下の箇所で、鉄筋全断面積が 0.2% を下廻っています。　　長辺端部")),
                 qPrintable(Message()));
    }

    void nameBoxRenamesAndEscapeRestores()
    {
        QComboBox* names = Find<QComboBox>("NameBox");
        QLineEdit* edit = names->lineEdit();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        WindowDriver::TypeText(edit, QStringLiteral("床A"));
        QCOMPARE(w.form->SlabList.Current().Name, std::string("床A"));
        QCOMPARE(names->itemText(0), QStringLiteral("床A"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("S1"));
        Find<TNumberEdit>("LxInput")->setFocus();
        QTRY_COMPARE(w.form->SlabList.Current().Name, std::string("S1"));

        // Up and Down move between slabs.
        DesignCurrent();
        Action("SlabAddButton")->trigger();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(w.form->CurrentIndex(), 1);
        QTest::keyClick(edit, Qt::Key_Up);  // nothing above the first
        QCOMPARE(w.form->CurrentIndex(), 1);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(w.form->CurrentIndex(), 2);

        // Characters the data file cannot hold are refused.
        edit->selectAll();
        WindowDriver::TypeText(edit, QStringLiteral("😀"));
        QCOMPARE(edit->text().contains(QStringLiteral("😀")), false);
    }

    void pickingANameShowsThatSlabWithoutRenaming()
    {
        DesignCurrent();
        Action("SlabAddButton")->trigger();
        w.Pick("NameBox", 0);  // the list changes the text before it reports the pick
        QCOMPARE(w.form->CurrentIndex(), 1);
        QCOMPARE(w.form->SlabList.At(2).Name, std::string("S2"));
        QCOMPARE(Find<QComboBox>("NameBox")->itemText(1), QStringLiteral("S2"));
        QCOMPARE(Info(), QStringLiteral("1/2"));
    }

    // A file holds names of up to 50 bytes; 40 letters cannot be typed into
    // the box, but showing and leaving it must not cut the name.
    void longNameFromAFileIsNeitherCutNorRenamed()
    {
        const std::string longName(40, 'F');
        korvexa::datafile::DataSet data;
        korvexa::SlabData slab;
        slab.Lx = 3;
        slab.Ly = 4;
        korvexa::DesignSlab(slab, data.settings, korvexa::BarData{});
        QVERIFY(slab.Calculated);
        slab.Name = "S1";
        data.slabs.push_back(slab);
        slab.Name = longName;
        data.slabs.push_back(slab);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("names.slab"));
        QVERIFY(korvexa::datafile::WriteDataFile(file.toStdString(), data).ok);
        NewWindow(file);

        QLineEdit* edit = Find<QComboBox>("NameBox")->lineEdit();
        w.Pick("NameBox", 1);
        QCOMPARE(edit->text().toStdString(), longName);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        Find<TNumberEdit>("LxInput")->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(w.form->SlabList.Current().Name, longName);

        Action("TopButton")->trigger();
        QCOMPARE(edit->text(), QStringLiteral("S1"));
        QCOMPARE(edit->maxLength(), 30);  // typing is limited again
        Action("LastButton")->trigger();
        QCOMPARE(edit->text().toStdString(), longName);
    }

    void aboutBoxShowsTheVersionTheFilesRecord()
    {
        TAboutBox about;
        const QString version = about.findChild<QLabel*>(QStringLiteral("Version"))->text();
        QCOMPARE(version, QStringLiteral("Version：　") + TAboutBox::VersionText());
        QVERIFY(!TAboutBox::VersionText().isEmpty());
        QCOMPARE(TAboutBox::VersionText().toStdString(), std::string(korvexa::datafile::ProgramVersionText()));
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
    }

    // The test program's folder holds no user guide.
    void helpLooksBesideTheProgramAndSaysWhenItFindsNone()
    {
        int opened = 0;
        w.form->OpenBrowser = [&](const QUrl&) { return ++opened, true; };
        Action("HELP2")->trigger();
        QCOMPARE(opened, 0);
        QCOMPARE(w.shown.size(), 1);
        QVERIFY2(w.shown[0].startsWith(QStringLiteral("ヘルプファイルが見つかりません。\n") +
                                       QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))),
                 qPrintable(w.shown[0]));
    }

    // F1 shows the guide in the program's own window, with no browser at
    // all; its link to a browser says so when none starts.
    void f1OpensTheHelpWindowWithoutABrowser()
    {
        QTemporaryDir tree;
        QVERIFY(QDir().mkpath(tree.filePath(QStringLiteral("x/bin"))) &&
                QDir().mkpath(tree.filePath(QStringLiteral("x/help"))));
        const QString guide = tree.filePath(QStringLiteral("x/help/index.html"));
        QVERIFY(QFile::copy(QStringLiteral(KORVEXA_SOURCE_DIR "/docs/help/index.html"), guide));
        w.form->ProgramFolder = tree.filePath(QStringLiteral("x/bin"));
        QList<QUrl> opened;
        w.form->OpenBrowser = [&](const QUrl& url) { return opened << url, false; };

        QTest::keyClick(w.form.get(), Qt::Key_F1);
        THelpWindow* help = w.form->HelpWindow;
        QVERIFY(help && help->isVisible() && !help->isModal());
        QCOMPARE(help->windowTitle(), QStringLiteral("Korvexa ヘルプ"));
        QCOMPARE(help->Page(), QUrl::fromLocalFile(guide));
        QVERIFY(help->findChild<QTextBrowser*>(QStringLiteral("Browser"))->toPlainText().contains(
            QStringLiteral("Korvexa 操作説明")));
        QVERIFY(opened.isEmpty());
        QVERIFY(w.shown.isEmpty());

        emit help->findChild<QLabel*>(QStringLiteral("BrowserLink"))->linkActivated(QStringLiteral("browser"));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown[0].startsWith(QStringLiteral("ブラウザを起動できませんでした。")));
        QVERIFY(help->isVisible());
    }

    void opensTheFileNamedAtStartUp()
    {
        const QString sample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");
        NewWindow(sample);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  ") + sample);
        QVERIFY(w.form->SlabList.Count() > 5);
        QCOMPARE(Info(), QStringLiteral("1/%1").arg(w.form->SlabList.Count()));
        QVERIFY(w.form->SlabList.Current().Calculated);

        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("view.slab"));
        QVERIFY(QFile::copy(sample, copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner);
        NewWindow(copy);
        QVERIFY(w.Caption().endsWith(QStringLiteral("view.slab(閲覧)")));

        w.shown.clear();
        NewWindow(dir.filePath(QStringLiteral("missing.slab")));
        QCOMPARE(w.shown.size(), 1);
        QVERIFY(w.shown.first().startsWith(QStringLiteral("ファイルを開くことが出来ませんでした。\n")));
        QCOMPARE(w.form->SlabList.Count(), 1);
        QCOMPARE(w.Caption(), QStringLiteral("Korvexa  (無題)"));

        // A FIFO is refused at once (opening it would wait for a writer).
        const QString fifo = dir.filePath(QStringLiteral("pipe.slab"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        w.shown.clear();
        NewWindow(fifo);
        QCOMPARE(w.shown, QStringList{QStringLiteral("ファイルを開くことが出来ませんでした。\n") + fifo +
                                      QStringLiteral("\n通常のファイルではありません（パイプ）")});
    }

    void sheetShowsTheDesignOnTheBackColour()
    {
        QVERIFY(!w.form->SheetImage().isNull());
        DesignCurrent();
        const QImage& sheet = w.form->SheetImage();
        int drawn = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                drawn += qAlpha(sheet.pixel(x, y)) != 0;
        QVERIFY(drawn > 500);  // grid and values
        QVERIFY(drawn < sheet.width() * sheet.height() / 2);  // the rest shows the panel
        QCOMPARE(w.form->BackColor(), QColor(192, 220, 192));
    }

    // A right click on the sheet opens its menu; picks the item `name`.
    // Waits for the popup menu, then lists its items and picks `name`.
    void PickFromPopup(const char* name, QStringList& items, int tries = 100)
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0)
                QTimer::singleShot(10, this, [=, this, &items] { PickFromPopup(name, items, tries - 1); });
            return;
        }
        for (QAction* item : menu->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QAction* chosen = menu->findChild<QAction*>(QString::fromUtf8(name));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    }

    void RightClickSheetAndPick(const char* name, QStringList& items)
    {
        QWidget* sheet = Find<QWidget>("OBord");
        const auto at = [&] { return sheet->mapTo(w.form.get(), sheet->rect().center()); };
        QTRY_COMPARE(w.form->childAt(at()), sheet);  // laid out for the sheet's size
        PickFromPopup(name, items);
        QTest::mouseClick(w.form->windowHandle(), Qt::RightButton, {}, at());
    }

    void sheetMenuChangesTheBackColour()
    {
        w.form->ChooseColour = [](QWidget*, const QColor& initial) {
            return initial == QColor(192, 220, 192) ? QColor(Qt::red) : QColor();
        };
        QStringList items;
        RightClickSheetAndPick("N3", items);
        QCOMPARE(items, (QStringList{QStringLiteral("背景色の変更"), QStringLiteral("-"), QStringLiteral("デフォルトの背景色")}));
        QCOMPARE(w.form->BackColor(), QColor(Qt::red));
        items.clear();
        RightClickSheetAndPick("N5", items);
        QCOMPARE(items.size(), 3);
        QCOMPARE(w.form->BackColor(), QColor(192, 220, 192));
    }

    // The window starts centred; the user may resize and move it, and it
    // opens so again.  Neither a long message nor a cantilever's captions
    // change its size.
    void windowIsResizableAndRemembersItsPlace()
    {
        NewWindow(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"));
        const QRect area = w.form->screen()->availableGeometry();
        QVERIFY((w.form->geometry().center() - area.center()).manhattanLength() <= 2);
        QVERIFY(w.form->minimumSize() != w.form->maximumSize());

        // The ruled table spans its panel (the panel's 2-pixel margins aside).
        QWidget* sheet = Find<QWidget>("OBord");
        QTRY_COMPARE(w.form->SheetImage().width(), sheet->width());
        QCOMPARE(sheet->width(), Find<QWidget>("ViewPanel")->contentsRect().width() - 4);
        const QSize size = w.form->size();
        w.Pick("NameBox", w.form->SlabList.Count() - 1);  // a cantilever: other captions
        Find<QLabel>("MessageBar")->setText(QString(400, QChar(0x3042)));
        QApplication::processEvents();
        QCOMPARE(w.form->size(), size);

        // Made larger, the panels keep their size and leave the room empty.
        QWidget* panels = Find<QWidget>("InputPage");
        w.form->resize(w.form->sizeHint() + QSize(400, 300));
        QApplication::processEvents();
        QTRY_COMPARE(panels->size(), panels->sizeHint());

        const QRect placed(area.topLeft() + QPoint(30, 20), QSize(520, 380));
        w.form->setGeometry(placed);
        QApplication::processEvents();
        w.form->close();
        NewWindow();
        QCOMPARE(w.form->geometry(), placed);
    }

    void backColourIsStoredAtExit()
    {
        const QString ini = config_.filePath(QStringLiteral("#Korvexa#.ini"));
        w.form->close();
        korvexa::datafile::ProfileFile settings(ini.toStdString());
        QVERIFY(settings.HasKey("Color", "BackColor"));
        QCOMPARE(settings.ReadString("Color", "BackColor", "x"), std::string());

        QVERIFY(settings.WriteString("Color", "BackColor", "255"));
        NewWindow();
        QCOMPARE(w.form->BackColor(), QColor(255, 0, 0));
        w.form->close();
        QCOMPARE(settings.ReadString("Color", "BackColor", ""), std::string("255"));

        QVERIFY(settings.WriteString("Color", "BackColor", "green"));
        NewWindow();
        QCOMPARE(w.form->BackColor(), QColor(192, 220, 192));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
