// The common design settings dialog driven as a user would: grades and the
// load unit on OK only, typed numbers at once, the defaults in the settings
// file, and the refusal of pitch settings that make the design meaningless.
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/Ucomform.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"
#include "datafile/ProfileFile.h"
#include "engine/Ukorvexa.h"

using korvexa::BarData;
using korvexa::CommonSettings;
using korvexa::app::MessageAnswer;
using korvexa::app::MessageKind;
using korvexa::datafile::ProfileFile;

class CommonFormTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    CommonSettings settings_;
    BarData bars_;
    std::unique_ptr<TCommonForm> form_;
    QStringList shown_;
    int beeps_ = 0;

    QString IniPath() const { return dir_.filePath(QStringLiteral("#Korvexa#.ini")); }
    ProfileFile Ini() const { return ProfileFile(IniPath().toStdString()); }

    template <typename T>
    T* Find(const QString& name) const
    {
        T* child = form_->findChild<T*>(name);
        if (!child)
            qFatal("no child %s", qPrintable(name));
        return child;
    }
    TNumberEdit* Box(const char* name) const { return Find<TNumberEdit>(QString::fromUtf8(name)); }
    QRadioButton* Grade(int row, int item) const
    {
        return Find<QRadioButton>(QStringLiteral("RadioGroup%1Item%2").arg(row).arg(item));
    }
    QRadioButton* Unit(int item) const { return Find<QRadioButton>(QStringLiteral("LoadUnitItem%1").arg(item)); }

    void Create() { form_ = std::make_unique<TCommonForm>(settings_, bars_, IniPath()); }

    void Open()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void Page(int index) { Find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(index); }

    // Brings up the page that holds the control.
    void ShowPageOf(QWidget* control)
    {
        auto* pages = Find<QTabWidget>(QStringLiteral("PageControl1"));
        pages->setCurrentIndex(pages->widget(0)->isAncestorOf(control) ? 0 : 1);
    }

    // Types into a number box and leaves it with Tab.
    void Type(const char* name, const QString& text)
    {
        TNumberEdit* box = Box(name);
        ShowPageOf(box);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_VERIFY(!box->hasFocus());
    }

    void Click(QAbstractButton* button)
    {
        ShowPageOf(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void Ok() { QTest::mouseClick(Find<QPushButton>(QStringLiteral("OKButton")), Qt::LeftButton); }
    void Cancel() { QTest::mouseClick(Find<QPushButton>(QStringLiteral("CancelButton")), Qt::LeftButton); }

    void WriteIni(const QString& text)
    {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("KORVEXA_CONFIG_DIR", dir_.path().toUtf8());
        korvexa::app::Messages().show = [this](QWidget*, MessageKind, const QString& text, bool) {
            shown_ << text;
            return MessageAnswer::Ok;
        };
        korvexa::app::Messages().beep = [this] { ++beeps_; };
    }

    void init()
    {
        QFile::remove(IniPath());
        settings_ = CommonSettings();
        bars_ = BarData();
        shown_.clear();
        beeps_ = 0;
        Create();
    }

    void cleanup() { form_.reset(); }

    void gradesTakeEffectOnlyOnOk()
    {
        Open();
        QVERIFY(Grade(1, 0)->isChecked());
        QVERIFY(Grade(3, 1)->isChecked());
        QVERIFY(Grade(8, 2)->isChecked());
        Click(Grade(1, 2));
        Cancel();
        QVERIFY(!form_->isVisible());
        QCOMPARE(form_->result(), int(QDialog::Rejected));
        QCOMPARE(bars_[korvexa::BarD10].Grade, std::string("SD295"));

        Open();
        QVERIFY2(Grade(1, 0)->isChecked(), "the dropped choice is not shown again");
        Click(Grade(1, 2));
        Click(Grade(8, 0));
        Ok();
        QCOMPARE(form_->result(), int(QDialog::Accepted));
        QCOMPARE(bars_[korvexa::BarD10].Grade, std::string("SD390"));
        QCOMPARE(bars_[korvexa::BarD10].FtLong, 215.0);
        QCOMPARE(bars_[korvexa::BarD32].Grade, std::string("SD295"));
        QCOMPARE(bars_[korvexa::BarD13].Grade, std::string("SD295"));
    }

    void typedNumbersStayOnCancelAndEnterMovesOn()
    {
        Open();
        QCOMPARE(Box("CalcPitchUnit")->text(), QStringLiteral("25"));
        QCOMPARE(Box("SnowC3Input")->text(), QStringLiteral("0.35"));
        Type("CalcPitchUnit", QStringLiteral("50"));
        Type("SnowC1Input", QStringLiteral("0.456"));
        Cancel();
        QCOMPARE(settings_.PitchStep, 50);
        QCOMPARE(settings_.SnowCoef[0], 0.46);

        Open();
        TNumberEdit* min = Box("PitchXminInput");
        Page(0);
        min->setFocus();
        QTRY_VERIFY(min->hasFocus());
        min->selectAll();
        QTest::keyClicks(min, QStringLiteral("125"));
        QTest::keyClick(min, Qt::Key_Return);
        QTRY_VERIFY(Box("PitchXmaxInput")->hasFocus());
        QVERIFY2(form_->isVisible(), "Enter in a box does not close the dialog");
        QCOMPARE(settings_.PitchMin[0], 125);
    }

    void escapeDropsTheTextBeingTyped()
    {
        Open();
        TNumberEdit* depth = Box("SnowDepthInput");
        ShowPageOf(depth);
        depth->setFocus();
        QTRY_VERIFY(depth->hasFocus());
        depth->selectAll();
        QTest::keyClicks(depth, QStringLiteral("90"));
        QTest::keyClick(depth, Qt::Key_Escape);
        QTRY_VERIFY(!form_->isVisible());
        QCOMPARE(form_->result(), int(QDialog::Rejected));
        QCOMPARE(settings_.SnowDepth, 140);
    }

    void okTakesTheBoxBeingEdited()
    {
        Open();
        TNumberEdit* depth = Box("SnowDepthInput");
        Page(1);
        depth->setFocus();
        QTRY_VERIFY(depth->hasFocus());
        depth->selectAll();
        QTest::keyClicks(depth, QStringLiteral("90"));
        form_->accept();  // as the default button does, without moving the focus
        QCOMPARE(form_->result(), int(QDialog::Accepted));
        QCOMPARE(settings_.SnowDepth, 90);
    }

    void unitFlagFollowsTheChoiceAtOk()
    {
        Open();
        QVERIFY(Unit(0)->isChecked());
        Click(Unit(1));
        Click(Unit(0));
        Ok();
        QVERIFY(!form_->UnitChanged);
        QCOMPARE(settings_.LoadUnitFactor, 1.0);

        Open();
        Click(Unit(1));
        Cancel();
        QVERIFY2(!form_->UnitChanged, "a dropped choice changes nothing");
        QCOMPARE(settings_.LoadUnitFactor, 1.0);

        Open();
        QVERIFY(Unit(0)->isChecked());
        Click(Unit(1));
        Ok();
        QVERIFY(form_->UnitChanged);
        QCOMPARE(settings_.LoadUnitFactor, 1000.0);

        Open();
        QVERIFY(!form_->UnitChanged);
        QVERIFY(Unit(1)->isChecked());
        Click(Unit(0));
        Ok();
        QVERIFY(form_->UnitChanged);
        QCOMPARE(settings_.LoadUnitFactor, 1.0);
    }

    void execReportsTheOutcome()
    {
        // As the main window uses it: modal, then the result and the flag.
        QTimer::singleShot(0, this, [this] {
            QTRY_VERIFY(form_->isVisible());
            Click(Unit(1));
            Ok();
        });
        QCOMPARE(form_->exec(), int(QDialog::Accepted));
        QVERIFY(form_->UnitChanged);
    }

    void meaninglessPitchesAreRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        QTest::newRow("largest 0") << "PitchXmaxInput" << "0" << "PitchXmaxInput"
                                   << "短辺（主筋）方向の最大間隔が 0 です。\n1 mm 以上の間隔を入力してください。";
        QTest::newRow("smallest 0") << "PitchYminInput" << "0" << "PitchYminInput"
                                    << "長辺（配力筋）方向の最小間隔が 0 です。\n1 mm 以上の間隔を入力してください。";
        QTest::newRow("smallest above largest")
            << "PitchXminInput" << "250" << "PitchXminInput"
            << "短辺（主筋）方向の最小間隔 (250 mm) が最大間隔 (200 mm) を越えています。\n最小間隔は最大間隔以下にしてください。";
        QTest::newRow("step above smallest")
            << "CalcPitchUnit" << "150" << "CalcPitchUnit"
            << "配筋間隔の算定刻み (150 mm) が短辺（主筋）方向の最小間隔 (100 mm) を越えています。\n算定刻みは最小間隔以下にしてください。";
    }

    void meaninglessPitchesAreRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        Open();
        Page(1);
        Type(box.toUtf8().constData(), value);

        Click(Find<QPushButton>(QStringLiteral("IniSetButton")));
        QCOMPARE(shown_, QStringList{message + QStringLiteral("\nデフォルトの設定として登録できません。")});
        QVERIFY(!QFile::exists(IniPath()));

        shown_.clear();
        beeps_ = 0;
        Page(1);
        Ok();
        QCOMPARE(shown_, QStringList{message});
        QCOMPARE(beeps_, 1);
        QVERIFY2(form_->isVisible(), "OK is refused");
        QCOMPARE(Find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(), 0);
        QTRY_VERIFY(Box(focus.toUtf8().constData())->hasFocus());

        Cancel();
        QVERIFY(!form_->isVisible());
        QVERIFY2(settings_ == CommonSettings(), "Cancel puts the pitches back");
    }

    void limitCasesAreAccepted()
    {
        Open();
        Type("PitchXminInput", QStringLiteral("200"));  // equal to the largest
        Type("CalcPitchUnit", QStringLiteral("0"));     // no rounding
        Ok();
        QCOMPARE(shown_, QStringList());
        QCOMPARE(form_->result(), int(QDialog::Accepted));
        QCOMPARE(settings_.PitchMin[0], 200);
        QCOMPARE(settings_.PitchStep, 0);

        Open();
        Type("CalcPitchUnit", QStringLiteral("100"));  // equal to both smallest pitches
        Ok();
        QCOMPARE(shown_, QStringList());
        QCOMPARE(settings_.PitchStep, 100);

        // A fault fixed before OK is no fault; the order of typing is free.
        Open();
        Type("PitchYminInput", QStringLiteral("400"));
        Type("PitchYmaxInput", QStringLiteral("450"));
        Ok();
        QCOMPARE(shown_, QStringList());
        QCOMPARE(settings_.PitchMin[1], 400);
        QCOMPARE(settings_.PitchMax[1], 450);
    }

    void registersEveryKeyFromTheControls()
    {
        Open();
        Click(Grade(2, 1));
        Click(Grade(7, 0));
        Type("PitchXminInput", QStringLiteral("75"));
        Type("PitchXmaxInput", QStringLiteral("250"));
        Type("PitchYminInput", QStringLiteral("80"));
        Type("PitchYmaxInput", QStringLiteral("350"));
        Type("CalcPitchUnit", QStringLiteral("5"));
        Type("SnowDepthInput", QStringLiteral("99999999999"));  // held within range
        Type("SnowUnitInput", QStringLiteral("20"));
        Type("SnowC1Input", QStringLiteral("0.5"));
        Type("SnowC2Input", QStringLiteral("0.9"));
        Type("SnowC3Input", QStringLiteral("0.25"));
        Click(Unit(1));
        QPushButton* iniSet = Find<QPushButton>(QStringLiteral("IniSetButton"));
        Click(iniSet);
        QCOMPARE(shown_, QStringList());
        QVERIFY(!iniSet->isEnabled());

        const ProfileFile ini = Ini();
        const char* grades[] = {"SD295", "SD345", "SD345", "SD345", "SD345", "SD345", "SD295", "SD390"};
        for (int row = 1; row <= 8; ++row)
            QCOMPARE(ini.ReadString("Bar Materials", std::to_string(row), ""), std::string(grades[row - 1]));
        QCOMPARE(ini.ReadString("Bar Pitch", "Min0", ""), std::string("75"));
        QCOMPARE(ini.ReadString("Bar Pitch", "Max0", ""), std::string("250"));
        QCOMPARE(ini.ReadString("Bar Pitch", "Min1", ""), std::string("80"));
        QCOMPARE(ini.ReadString("Bar Pitch", "Max1", ""), std::string("350"));
        QCOMPARE(ini.ReadString("Bar Pitch", "CalcUnit", ""), std::string("5"));
        QCOMPARE(ini.ReadString("Snow Load", "Depth", ""), std::string("2147483647"));
        QCOMPARE(ini.ReadString("Snow Load", "UnitWeight", ""), std::string("20"));
        QCOMPARE(ini.ReadReal("Snow Load", "Coefficient0", -1), 0.5);
        QCOMPARE(ini.ReadReal("Snow Load", "Coefficient1", -1), 0.9);
        QCOMPARE(ini.ReadReal("Snow Load", "Coefficient2", -1), 0.25);
        QCOMPARE(ini.ReadString("Other", "LoadUnitIndex", ""), std::string("1"));

        // Registering changes neither the settings in force nor the dialog.
        QVERIFY(form_->isVisible());
        QCOMPARE(bars_[korvexa::BarD13].Grade, std::string("SD295"));
        QCOMPARE(settings_.LoadUnitFactor, 1.0);
        QVERIFY(Unit(1)->isChecked());
        Click(Grade(1, 1));
        QVERIFY2(iniSet->isEnabled(), "a new choice may be registered again");

        // A later dialog reads back what was registered.
        const korvexa::app::DesignDefaults registered = korvexa::app::ReadDesignDefaults(ini, CommonSettings(), BarData());
        Cancel();
        Create();
        QCOMPARE(form_->Defaults(), registered);
        QCOMPARE(settings_.PitchMin[0], 75);
        QCOMPARE(settings_.SnowCoef[2], 0.25);
        QCOMPARE(bars_[korvexa::BarD29].Grade, std::string("SD295"));
    }

    void registerReportsAFileThatCannotBeWritten()
    {
        form_ = std::make_unique<TCommonForm>(settings_, bars_, dir_.filePath(QStringLiteral("missing/sub/#Korvexa#.ini")));
        Open();
        Click(Find<QPushButton>(QStringLiteral("IniSetButton")));
        QCOMPARE(shown_.size(), 1);
        QVERIFY2(shown_[0].endsWith(QStringLiteral("missing/sub/#Korvexa#.ini")), qPrintable(shown_[0]));
        QVERIFY(Find<QPushButton>(QStringLiteral("IniSetButton"))->isEnabled());
    }

    void readingKeepsOnlyUsableValues()
    {
        WriteIni(QStringLiteral("[Bar Materials]\r\n1=SD390\r\n2=SD500\r\n3=\r\n"
                                "[Bar Pitch]\r\nMin0=0\r\nMax1=-20\r\nCalcUnit=abc\r\nMin1=50\r\nMax0=10000000\r\n"
                                "[Snow Load]\r\nDepth=-5\r\nCoefficient1=-0.5\r\nCoefficient2=0.5\r\n"
                                "Coefficient0=1e300\r\n"
                                "[Other]\r\nLoadUnitIndex=1\r\n"));
        Create();
        QCOMPARE(bars_[korvexa::BarD10].Grade, std::string("SD390"));
        QCOMPARE(bars_[korvexa::BarD10].FtLong, 215.0);
        QCOMPARE(bars_[korvexa::BarD13].Grade, std::string("SD295"));  // not one of the grades
        QCOMPARE(bars_[korvexa::BarD16].Grade, std::string("SD345"));  // empty
        QCOMPARE(settings_.PitchMin, (std::array<int, 2>{100, 50}));   // 0 is not a pitch
        QCOMPARE(settings_.PitchMax, (std::array<int, 2>{200, 300}));  // no box holds 10000000 mm
        QCOMPARE(settings_.PitchStep, 25);
        QCOMPARE(settings_.SnowDepth, 0);
        QCOMPARE(settings_.SnowUnitWeight, 30);  // missing
        QCOMPARE(settings_.SnowCoef, (korvexa::Case3{0.7, 0, 0.5}));  // no data file holds 1e300

        // The default unit is kept but does not change the unit in force.
        QCOMPARE(form_->Defaults().LoadUnitIndex, 1);
        QCOMPARE(settings_.LoadUnitFactor, 1.0);
        Open();
        QVERIFY(Unit(0)->isChecked());
        Ok();
        QVERIFY(!form_->UnitChanged);
    }

    void readPitchesThatDoNotFitTogetherAreLeft()
    {
        WriteIni(QStringLiteral("[Bar Pitch]\r\nMin0=250\r\nMax1=400\r\n[Snow Load]\r\nDepth=80\r\n"));
        Create();
        QCOMPARE(settings_.PitchMin, (std::array<int, 2>{100, 100}));
        QCOMPARE(settings_.PitchMax, (std::array<int, 2>{200, 300}));
        QCOMPARE(settings_.SnowDepth, 80);
    }

    void noSettingsFileKeepsTheSettingsAndApplyRestoresTheDefaults()
    {
        settings_.PitchStep = 10;
        settings_.LoadUnitFactor = 1000;
        bars_.SetGrade(korvexa::BarD19, "SD390");
        const CommonSettings before = settings_;
        Create();
        QVERIFY(settings_ == before);
        QCOMPARE(form_->Defaults(), korvexa::app::DefaultsOf(before, bars_, 1));

        // New data: the defaults come back, the unit in force stays.
        Open();
        Type("CalcPitchUnit", QStringLiteral("20"));
        Click(Grade(4, 0));
        Click(Unit(0));
        Ok();
        QCOMPARE(settings_.LoadUnitFactor, 1.0);
        form_->ApplyDesignDefaults();
        QCOMPARE(settings_.PitchStep, 10);
        QCOMPARE(bars_[korvexa::BarD19].Grade, std::string("SD390"));
        QCOMPARE(settings_.LoadUnitFactor, 1.0);
    }

    void programInstancesAndSettingsFolderByDefault()
    {
        korvexa::ProgramSettings() = CommonSettings();
        WriteIni(QStringLiteral("[Bar Pitch]\r\nCalcUnit=20\r\n"));
        form_ = std::make_unique<TCommonForm>();
        QCOMPARE(korvexa::ProgramSettings().PitchStep, 20);
        Open();
        QCOMPARE(Box("CalcPitchUnit")->text(), QStringLiteral("20"));
        Cancel();
        korvexa::ProgramSettings() = CommonSettings();
    }

    // Every caption fits its control on both pages; the render is kept for
    // a look when KORVEXA_RENDER_DIR names a folder.
    void layoutShowsEveryCaptionWhole()
    {
        Open();
        const QString renderDir = qEnvironmentVariable("KORVEXA_RENDER_DIR");
        for (int page = 0; page < 2; ++page) {
            Page(page);
            QApplication::processEvents();
            for (QWidget* child : form_->findChildren<QWidget*>()) {
                if (!child->isVisible())
                    continue;
                if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) ||
                    qobject_cast<QGroupBox*>(child))
                    QVERIFY2(child->width() >= child->minimumSizeHint().width() &&
                                 child->height() >= child->minimumSizeHint().height(),
                             qPrintable(child->objectName()));
            }
            if (!renderDir.isEmpty())
                QVERIFY(form_->grab().save(QDir(renderDir).filePath(QStringLiteral("common_form_%1.png").arg(page))));
        }
    }
};

QTEST_MAIN(CommonFormTest)
#include "common_form_test.moc"
