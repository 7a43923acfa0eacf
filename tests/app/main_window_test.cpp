// The main window driven as a user would: start-up state, slab list and
// navigation, messages, the name box, opening a file and the sheet colour.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/Umain.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"
#include "datafile/ProfileFile.h"

using korvexa::app::MessageAnswer;
using korvexa::app::MessageKind;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    std::unique_ptr<TMainForm> form_;
    QStringList shown_;  // texts of the message boxes
    int beeps_ = 0;

    template <typename T>
    T* Find(const char* name) const
    {
        T* child = form_->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }

    // Types any text, one key event a character (keyClicks takes Latin-1 only).
    static void TypeText(QWidget* widget, const QString& text)
    {
        for (const QString& character : text.toUcs4().isEmpty() ? QStringList() : SplitCharacters(text)) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(widget, &release);
        }
    }
    static QStringList SplitCharacters(const QString& text)
    {
        QStringList characters;
        for (char32_t c : text.toUcs4())
            characters << QString::fromUcs4(&c, 1);
        return characters;
    }
    QString Message() const { return Find<QLabel>("MessageBar")->text(); }
    QString Info() const { return Find<QLabel>("InfoPanel")->text(); }

    // Types into a number box and leaves it with Tab.
    void Type(const char* box, const QString& text)
    {
        TNumberEdit* edit = Find<TNumberEdit>(box);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
    }

    void DesignCurrent(const QString& lx = QStringLiteral("3"), const QString& ly = QStringLiteral("4"))
    {
        Type("LxInput", lx);
        Type("LyInput", ly);
    }

    void NewWindow(const QString& file = QString())
    {
        form_ = std::make_unique<TMainForm>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        form_->FormShow(file);
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        korvexa::app::Messages().show = [this](QWidget*, MessageKind, const QString& text, bool) {
            shown_ << text;
            return MessageAnswer::Ok;
        };
        korvexa::app::Messages().beep = [this] { ++beeps_; };
    }

    void init()
    {
        shown_.clear();
        beeps_ = 0;
        NewWindow();
    }

    void cleanup() { form_.reset(); }

    void startsWithOneUntitledSlab()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Korvexa  (無題)"));
        QCOMPARE(form_->SlabList.Count(), 1);
        QCOMPARE(Find<QComboBox>("NameBox")->currentText(), QStringLiteral("S1"));
        QCOMPARE(Info(), QStringLiteral("1/1"));
        for (const char* button : {"TopButton", "BeforButton", "NextButton", "LastButton", "SlabDeleteButton"})
            QVERIFY2(!Action(button)->isEnabled(), button);
        QCOMPARE(Message(), QString());
        QCOMPARE(beeps_, 0);
    }

    void addNeedsADesignedSlab()
    {
        Action("SlabAddButton")->trigger();
        QCOMPARE(shown_, QStringList{QStringLiteral("現在のスラブデータが未入力です。")});
        QCOMPARE(beeps_, 1);
        QCOMPARE(form_->SlabList.Count(), 1);

        DesignCurrent();
        QVERIFY(form_->SlabList.Current().Calculated);
        Action("SlabAddButton")->trigger();
        QCOMPARE(form_->SlabList.Count(), 2);
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
        QCOMPARE(form_->SlabList.Count(), 2);
        QCOMPARE(Find<QComboBox>("NameBox")->itemText(1), QStringLiteral("S1"));

        Action("SlabDeleteButton")->trigger();
        QCOMPARE(form_->SlabList.Count(), 1);
        QCOMPARE(Info(), QStringLiteral("1/1"));
    }

    void enterMovesToTheNextBoxAndTakesTheValue()
    {
        TNumberEdit* lx = Find<TNumberEdit>("LxInput");
        lx->setFocus();
        QTRY_VERIFY(lx->hasFocus());
        QTest::keyClicks(lx, QStringLiteral("2.5"));
        QTest::keyClick(lx, Qt::Key_Return);
        QTRY_VERIFY(Find<TNumberEdit>("LyInput")->hasFocus());
        QCOMPARE(form_->SlabList.Current().Lx, 2.5);
    }

    void messagesOfTheDesignStatus()
    {
        DesignCurrent(QStringLiteral("5"), QStringLiteral("4"));
        QCOMPARE(Message(), QStringLiteral("　Error : Lx が Ly よりも大きい"));
        QVERIFY(beeps_ > 0);
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
        beeps_ = 0;
        Type("LxInput", QStringLiteral("0"));
        QCOMPARE(Message(), QString());
        QCOMPARE(beeps_, 0);
    }

    void lowSteelWarningKeepsTheSlabDesigned()
    {
        DesignCurrent(QStringLiteral("2"), QStringLiteral("2"));
        Type("TInput", QStringLiteral("40"));
        QVERIFY(form_->SlabList.Current().Calculated);
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
        TypeText(edit, QStringLiteral("床A"));
        QCOMPARE(form_->SlabList.Current().Name, std::string("床A"));
        QCOMPARE(names->itemText(0), QStringLiteral("床A"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("S1"));
        Find<TNumberEdit>("LxInput")->setFocus();
        QTRY_COMPARE(form_->SlabList.Current().Name, std::string("S1"));

        // Up and Down move between slabs.
        DesignCurrent();
        Action("SlabAddButton")->trigger();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(form_->CurrentIndex(), 1);
        QTest::keyClick(edit, Qt::Key_Up);  // nothing above the first
        QCOMPARE(form_->CurrentIndex(), 1);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(form_->CurrentIndex(), 2);

        // Characters the data file cannot hold are refused.
        edit->selectAll();
        TypeText(edit, QStringLiteral("😀"));
        QCOMPARE(edit->text().contains(QStringLiteral("😀")), false);
    }

    void opensTheFileNamedAtStartUp()
    {
        const QString sample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");
        NewWindow(sample);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Korvexa  ") + sample);
        QVERIFY(form_->SlabList.Count() > 5);
        QCOMPARE(Info(), QStringLiteral("1/%1").arg(form_->SlabList.Count()));
        QVERIFY(form_->SlabList.Current().Calculated);

        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("view.slab"));
        QVERIFY(QFile::copy(sample, copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner);
        NewWindow(copy);
        QVERIFY(form_->windowTitle().endsWith(QStringLiteral("view.slab(閲覧)")));

        shown_.clear();
        NewWindow(dir.filePath(QStringLiteral("missing.slab")));
        QCOMPARE(shown_.size(), 1);
        QVERIFY(shown_.first().startsWith(QStringLiteral("ファイルを開くことが出来ませんでした。\n")));
        QCOMPARE(form_->SlabList.Count(), 1);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Korvexa  (無題)"));
    }

    void sheetShowsTheDesignOnTheBackColour()
    {
        QVERIFY(!form_->SheetImage().isNull());
        DesignCurrent();
        const QImage& sheet = form_->SheetImage();
        int drawn = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                drawn += qAlpha(sheet.pixel(x, y)) != 0;
        QVERIFY(drawn > 500);  // grid and values
        QVERIFY(drawn < sheet.width() * sheet.height() / 2);  // the rest shows the panel
        QCOMPARE(form_->BackColor(), QColor(192, 220, 192));
    }

    void backColourIsStoredAtExit()
    {
        const QString ini = config_.filePath(QStringLiteral("#Korvexa#.ini"));
        form_->close();
        korvexa::datafile::ProfileFile settings(ini.toStdString());
        QVERIFY(settings.HasKey("Color", "BackColor"));
        QCOMPARE(settings.ReadString("Color", "BackColor", "x"), std::string());

        QVERIFY(settings.WriteString("Color", "BackColor", "255"));
        NewWindow();
        QCOMPARE(form_->BackColor(), QColor(255, 0, 0));
        form_->close();
        QCOMPARE(settings.ReadString("Color", "BackColor", ""), std::string("255"));

        QVERIFY(settings.WriteString("Color", "BackColor", "green"));
        NewWindow();
        QCOMPARE(form_->BackColor(), QColor(192, 220, 192));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
