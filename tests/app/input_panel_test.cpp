// The input panel driven as a user would: enabling and captions, load
// units, the strength box, the pitch buttons and the settings dialog.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowDriver.h"
#include "app/Ucomform.h"
#include "engine/Ukorvexa.h"

class InputPanelTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    WindowDriver w;
    const QString sample_ = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

    korvexa::SlabData& Slab() { return w.form->SlabList.Current(); }
    QComboBox* Fc() { return w.Find<QComboBox>("FcInput"); }

    void TypeFc(const QString& text)
    {
        QTest::keyClicks(Fc(), text);
    }

private slots:
    void initTestCase()
    {
        qputenv("KORVEXA_CONFIG_DIR", config_.path().toUtf8());
        w.AnswerMessages();
    }

    void init()
    {
        korvexa::ProgramSettings() = korvexa::CommonSettings{};
        w.shown.clear();
        w.Open();
    }

    void cleanup() { w.form.reset(); }

    void oneWaySlabHasNoLongSpan()
    {
        w.Type("LyInput", QStringLiteral("6"));
        w.Pick("BindComboBox", korvexa::BindOneWaySupported);
        QCOMPARE(Slab().Ly, 0.0);
        QVERIFY(!w.Box("LyInput")->isEnabled());
        QCOMPARE(w.Box("LyInput")->text(), QString());
        QVERIFY(w.Box("PInput")->isEnabled());
        QCOMPARE(w.Find<QLabel>("LabelMainDirection")->text(), QStringLiteral("主　筋"));
        QCOMPARE(w.Find<QLabel>("LabelBendPosition")->text(), QStringLiteral("圧縮筋"));
        QVERIFY(!w.Find<QComboBox>("LoadComboBox")->isEnabled());
        QCOMPARE(w.Find<QLabel>("LabelP")->text(), QStringLiteral("集中荷重"));

        w.Pick("BindComboBox", korvexa::BindFixedExact);
        w.Pick("LoadComboBox", 2);
        QCOMPARE(Slab().LoadShape, 2);
        w.Pick("BindComboBox", korvexa::BindFixedExact);  // picking again rebuilds the list
        QCOMPARE(Slab().LoadShape, 0);
    }

    void shortTermSwitchesTheDeflectionCheckOff()
    {
        QCheckBox* deflection = w.Find<QCheckBox>("DeltCheckBox");
        w.Find<QRadioButton>("LoadTimeShort")->click();
        QCOMPARE(Slab().LoadTime, 2);
        QVERIFY(!deflection->isChecked());
        QVERIFY(!deflection->isEnabled());
        QVERIFY(!Slab().DeltCheck);
        QCOMPARE(w.Find<QLabel>("LabelLoad")->text(), QStringLiteral("短　期"));
        QVERIFY(!w.Box("LLEInput")->isEnabled());
        w.Find<QRadioButton>("LoadTimeLong")->click();
        QVERIFY(deflection->isEnabled());
        QVERIFY(!deflection->isChecked());
    }

    void directTotalsWithoutDeflection()
    {
        w.Find<QCheckBox>("DeltCheckBox")->click();
        w.Find<QCheckBox>("TLDirect")->click();
        QCheckBox* own = w.Find<QCheckBox>("OwnDirect");
        QVERIFY(!own->isEnabled());
        QVERIFY(!own->isChecked());
        QVERIFY(w.Box("TLInput")->isEnabled());
        QVERIFY(!w.Box("LLInput")->isEnabled());
        QVERIFY(!w.Box("FLInput")->isEnabled());
        QCOMPARE(Slab().Own, 0.0);
    }

    void snowCaseShowsItsColumn()
    {
        w.Find<QRadioButton>("LoadTimeSnow")->click();
        QVERIFY(w.Box("LLSInput")->isEnabled());
        QCOMPARE(w.Box("SLInput")->text(), QStringLiteral("2940"));
        QCOMPARE(w.Box("Own1")->text(), QStringLiteral("3600"));
        w.Find<QRadioButton>("LoadTimeLong")->click();
        QCOMPARE(w.Box("Own1")->text(), QString());
    }

    void loadsAreRoundedInEitherUnit()
    {
        w.Type("FLInput", QStringLiteral("1234"));
        QCOMPARE(w.Box("FLInput")->text(), QStringLiteral("1240"));
        QCOMPARE(Slab().FL, 1240.0);

        w.Open(sample_);  // a data file in kN/m²
        QCOMPARE(w.Find<QGroupBox>("LoadGroup")->title(), QStringLiteral("床荷重 (kN/m2)"));
        w.Type("FLInput", QStringLiteral("1.234"));
        QCOMPARE(w.Box("FLInput")->text(), QStringLiteral("1.23"));
        QCOMPARE(Slab().FL, 1.23);

        w.Type("TInput", QString());  // emptied: 15 cm and its self weight
        QCOMPARE(w.Box("TInput")->text(), QStringLiteral("15.0"));
        QCOMPARE(Slab().Own, 3.6);
    }

    void strengthBoxRules()
    {
        w.DesignCurrent();
        WindowDriver::Focus(Fc());
        Fc()->lineEdit()->clear();
        TypeFc(QStringLiteral("0."));
        QCOMPARE(Fc()->currentText(), QString());  // no leading zero or point
        TypeFc(QStringLiteral("2"));
        QCOMPARE(Slab().Fc, 21.0);  // a single digit is not applied
        TypeFc(QStringLiteral("7"));
        QCOMPARE(Slab().Fc, 27.0);
        TypeFc(QStringLiteral(".5"));
        QCOMPARE(Slab().Fc, 27.5);
        TypeFc(QStringLiteral("1"));
        QCOMPARE(Fc()->currentText(), QStringLiteral("27.5"));  // four characters at most

        Fc()->lineEdit()->clear();
        TypeFc(QStringLiteral("65"));
        QCOMPARE(Fc()->currentText(), QStringLiteral("27.5"));  // above 60: back to the last accepted
        Fc()->lineEdit()->clear();
        TypeFc(QStringLiteral("40"));
        QCOMPARE(Slab().Gamma, 24.5);
        QTest::keyClick(Fc(), Qt::Key_Tab);  // Tab is not a typed character: it leaves the box
        QTRY_VERIFY(!Fc()->hasFocus());
        QCOMPARE(w.form->FcList().FcListIndexOf(40), 8);  // joins the choices on leaving

        WindowDriver::Focus(Fc());
        Fc()->lineEdit()->end(false);
        QTest::keyClick(Fc(), Qt::Key_Backspace);
        QCOMPARE(Fc()->currentText(), QStringLiteral("4"));
        Fc()->lineEdit()->home(false);
        QTest::keyClick(Fc(), Qt::Key_Delete);
        QCOMPARE(Fc()->currentText(), QString());
        TypeFc(QStringLiteral("40"));

        Slab().Fc = 39;
        w.Pick("ConcreatInput", korvexa::ConcreteLight2);
        QCOMPARE(Fc()->count(), 4);  // 18, 21, 24, 27
        QCOMPARE(Slab().Fc, 21.0);
        QCOMPARE(Slab().Gamma, 18.0);

        // Another slab of normal concrete offers every strength again.
        w.Action("SlabAddButton")->trigger();
        w.Pick("ConcreatInput", korvexa::ConcreteNormal);
        w.Action("SlabAddButton")->trigger();
        QVERIFY(Fc()->count() >= 15);
    }

    // A file may hold a longer pitch or strength than the boxes let one
    // type; showing the slab and passing through the boxes keeps them.
    void valuesLongerThanTheTypingLimitSurvive()
    {
        w.DesignCurrent();
        Slab().Pitch[0][1] = 12500;
        Slab().Fc = 100.25;
        w.form->ShowSlab();
        QCOMPARE(w.Box("PitchBox2")->text(), QStringLiteral("12500"));
        QCOMPARE(Fc()->currentText(), QStringLiteral("100.25"));
        WindowDriver::Focus(w.Box("PitchBox2"));
        WindowDriver::Focus(Fc());
        WindowDriver::Focus(w.Box("LxInput"));
        QCOMPARE(Slab().Pitch[0][1], 12500);
        QCOMPARE(Slab().Fc, 100.25);
    }

    void pitchButtons()
    {
        w.DesignCurrent();
        QVERIFY(w.Find<QPushButton>("ReadPitchButton")->isEnabled());
        w.Find<QPushButton>("ReadPitchButton")->click();
        QCOMPARE(Slab().Pitch, Slab().CalcPitch);
        QCOMPARE(w.Box("PitchBox1")->text(), QString::number(Slab().CalcPitch[0][0]));
        w.Find<QPushButton>("CalcPitchButton")->click();
        QCOMPARE(w.Box("PitchBox1")->text(), QString());
        QCOMPARE(Slab().Pitch[0][0], 0);

        w.Type("LxInput", QStringLiteral("5"));  // status 2: the buttons wait
        QVERIFY(!w.Find<QPushButton>("ReadPitchButton")->isEnabled());
    }

    void simplySupportedSpanTakesTheCentrePitch()
    {
        w.Pick("BindComboBox", korvexa::BindSupported4);
        w.DesignCurrent();
        QVERIFY(!w.Box("PitchBox1")->isEnabled());
        w.Type("PitchBox2", QStringLiteral("150"));
        QCOMPARE(Slab().Pitch[0][0], 150);
        QVERIFY(Slab().Calculated);
        QCOMPARE(Slab().CalcPitch[0][0], 150);
    }

    void barBoxesWriteTheirBar()
    {
        w.DesignCurrent();
        w.Pick("BarBox2", 3);
        QCOMPARE(Slab().Bar[0][0][1], 3);  // D16
        w.Pick("BarBox2", 0);
        QCOMPARE(Slab().Bar[0][0][1], 0);  // none
        w.Pick("BarBox7", 1);
        QCOMPARE(Slab().Bar[1][1][0], 2);  // D13
    }

    void unitChangeConvertsEverySlab()
    {
        w.Type("FLInput", QStringLiteral("600"));
        w.DesignCurrent();
        w.Action("SlabAddButton")->trigger();  // undesigned, FL 600 inherited
        w.ChooseLoadUnit(1);
        QCOMPARE(korvexa::ProgramSettings().LoadUnitFactor, 1000.0);
        QCOMPARE(w.form->SlabList.At(1).FL, 0.6);
        QCOMPARE(w.form->SlabList.At(2).FL, 0.6);  // not designed, converted all the same
        QCOMPARE(w.form->SlabList.Template().LoadUnit, 1000.0);
        QCOMPARE(w.Find<QGroupBox>("LoadGroup")->title(), QStringLiteral("床荷重 (kN/m2)"));
    }
};

QTEST_MAIN(InputPanelTest)
#include "input_panel_test.moc"
