// The number box: key filter, normalisation and display, links, entry and
// exit, Esc and Enter.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <climits>
#include <cmath>
#include <limits>

#include "components/NewEdit.h"
#include "components/NumberEdit.h"

using Box = TNumberEdit;

namespace {
// Types `text` key by key; characters beyond ASCII come as a keyboard
// layout would send them.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
}  // namespace

class NumberEditTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultsAndProperties();
    void filter_data();
    void filter();
    void selectionIsRemovedBeforeTheTest();
    void display_data();
    void display();
    void normalisation();
    void readingText_data();
    void readingText();
    void links();
    void integerLinksHoldTheirRange();
    void modifiedFlagSurvivesFormatting();
    void longerValueThanTheTypingLimitIsKept();
    void entryAndExit();
    void emptiedBoxGivesTheZeroValue();
    void windowFocusChangesAreNoExit();
    void escapeRestoresTheEntryText();
    void enterReachesTheOwnerAsZero();
    void controlKeysAreLeftToShortcuts();
    void paste_data();
    void paste();
    void clipboardKeysAndMenu();
    void decimalPointInAWholeNumberBoxBeeps();
};

void NumberEditTest::defaultsAndProperties()
{
    Box box;
    QCOMPARE(box.alignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(box.width(), 60);
    QVERIFY(!box.testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(box.ValueType(), Box::numINT);
    QCOMPARE(box.ValueSignState(), Box::numSigned);
    QCOMPARE(box.GetDigits(), -1);
    QCOMPARE(box.ValueCutMode(), Box::numROUND);
    QCOMPARE(box.ValueFormat(), Box::numFIXED);
    QVERIFY(box.ZeroVisible() && !box.UseValueMax() && !box.UseValueMin() && box.AutoSelect());
    QVERIFY(box.ValueMax() == 0 && box.ValueMin() == 0 && box.ValueZero() == 0 && box.Value() == 0);
    QCOMPARE(box.GetPressKey(), '\0');
    QVERIFY(!box.IsLinked());

    // A negative number of digits means units in an integer box and no
    // rounding in a real box; more than 18 is 18.
    box.SetDigits(-3);
    QCOMPARE(box.GetDigits(), 0);
    box.SetType(Box::numDOUBLE);
    box.SetDigits(-3);
    QCOMPARE(box.GetDigits(), -1);
    box.SetDigits(25);
    QCOMPARE(box.GetDigits(), 18);

    // The properties as a form file sets them.
    QVERIFY(box.setProperty("ValueType", QVariant::fromValue(Box::numDOUBLE)));
    QVERIFY(box.setProperty("ValueDigits", 2));
    QVERIFY(box.setProperty("ValueCutMode", QVariant::fromValue(Box::numUP)));
    QVERIFY(box.setProperty("UseValueMax", true));
    QVERIFY(box.setProperty("ValueMax", 9.5));
    QVERIFY(box.setProperty("ValueZero", 1.25));
    QCOMPARE(box.GetDigits(), 2);
    QCOMPARE(box.ValueCutMode(), Box::numUP);
    QVERIFY(box.ValueMax() == 9.5L && box.ValueZero() == 1.25L);
    // Setters only store: the text waits for the next display.
    QCOMPARE(box.text(), QString());
    box.SetValue(20);
    QCOMPARE(box.text(), QStringLiteral("9.50"));

    TNewEdit plain;
    QCOMPARE(plain.alignment(), Qt::Alignment(Qt::AlignCenter));
}

void NumberEditTest::filter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    const int i = Box::numINT, d = Box::numDOUBLE, s = Box::numSigned, u = Box::numUnSigned;
    QTest::newRow("second point") << d << s << QStringLiteral("12.3.4") << QStringLiteral("12.34");
    QTest::newRow("integer: no point, no exponent") << i << s << QStringLiteral("1.5e3E") << QStringLiteral("153");
    QTest::newRow("exponent not first") << d << s << QStringLiteral("e5") << QStringLiteral("5");
    QTest::newRow("one exponent") << d << s << QStringLiteral("1e5E3") << QStringLiteral("1e53");
    QTest::newRow("signed exponent") << d << s << QStringLiteral("1E-5") << QStringLiteral("1E-5");
    QTest::newRow("minus first only") << d << s << QStringLiteral("-5-") << QStringLiteral("-5");
    QTest::newRow("minus in integer box") << i << s << QStringLiteral("-12-") << QStringLiteral("-12");
    QTest::newRow("unsigned: no leading minus") << d << u << QStringLiteral("-1e-5") << QStringLiteral("1e-5");
    QTest::newRow("unsigned integer: no minus") << i << u << QStringLiteral("-1-") << QStringLiteral("1");
    QTest::newRow("other characters") << d << s << QStringLiteral("1+2 a,3x") << QStringLiteral("123");
    QTest::newRow("full-width digits") << i << s << QStringLiteral("１2") << QStringLiteral("12");
    QTest::newRow("full-width point and minus") << d << s << QStringLiteral("－１．５") << QStringLiteral("-1.5");
}

void NumberEditTest::filter()
{
    QFETCH(int, type);
    QFETCH(int, sign);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Box box;
    box.SetType(static_cast<Box::TNumTypeIndex>(type));
    box.SetSignState(static_cast<Box::TNumSignIndex>(sign));
    Type(&box, typed);
    QCOMPARE(box.text(), shown);
}

void NumberEditTest::selectionIsRemovedBeforeTheTest()
{
    Box box;
    box.SetType(Box::numDOUBLE);
    QTest::keyClicks(&box, QStringLiteral("12.34"));
    box.setSelection(1, 3);  // "2.3"
    QTest::keyClicks(&box, QStringLiteral("."));
    QCOMPARE(box.text(), QStringLiteral("1.4"));

    // A minus after a selected exponent mark looks at the character before
    // the selection.
    box.setText(QStringLiteral("1e5"));
    box.setSelection(2, 1);  // "5"
    QTest::keyClicks(&box, QStringLiteral("-"));
    QCOMPARE(box.text(), QStringLiteral("1e-"));
    box.setSelection(1, 2);  // "e-": the exponent may be typed again
    QTest::keyClicks(&box, QStringLiteral("E"));
    QCOMPARE(box.text(), QStringLiteral("1E"));
}

void NumberEditTest::display_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("kept");  // the value afterwards

    const int i = Box::numINT, d = Box::numDOUBLE;
    const int none = Box::numNONE, round = Box::numROUND, up = Box::numUP, down = Box::numDOWN;
    const int fixed = Box::numFIXED, general = Box::numGENERAL;
    // Rounding works on the magnitude.
    QTest::newRow("2.125 half up") << d << 2 << round << fixed << 2.125 << QStringLiteral("2.13") << 2.13;
    QTest::newRow("-2.125 half up") << d << 2 << round << fixed << -2.125 << QStringLiteral("-2.13") << -2.13;
    QTest::newRow("-2.129 down") << d << 2 << down << fixed << -2.129 << QStringLiteral("-2.12") << -2.12;
    QTest::newRow("1234 up to tens") << i << 1 << up << fixed << 1234.0 << QStringLiteral("1240") << 1240.0;
    QTest::newRow("1230 up to tens") << i << 1 << up << fixed << 1230.0 << QStringLiteral("1230") << 1230.0;
    QTest::newRow("-1234 up to tens") << i << 1 << up << fixed << -1234.0 << QStringLiteral("-1240") << -1240.0;
    QTest::newRow("7.5 to units") << i << 0 << round << fixed << 7.5 << QStringLiteral("8") << 8.0;
    QTest::newRow("1.5 shown with 2") << d << 2 << round << fixed << 1.5 << QStringLiteral("1.50") << 1.5;
    QTest::newRow("-0.004 is zero") << d << 2 << round << fixed << -0.004 << QStringLiteral("0.00") << 0.0;
    // Doubles that miss their decimal by an ulp round as the decimal.
    QTest::newRow("1.1 up") << d << 1 << up << fixed << 1.1 << QStringLiteral("1.1") << 1.1;
    QTest::newRow("0.29 down") << d << 2 << down << fixed << 0.29 << QStringLiteral("0.29") << 0.29;
    QTest::newRow("2.675 half up") << d << 2 << round << fixed << 2.675 << QStringLiteral("2.68") << 2.68;
    QTest::newRow("kN to N, up to tens") << i << 1 << up << fixed << 1.23 * 1000 << QStringLiteral("1230") << 1230.0;
    // A fraction kept by numNONE is shown rounded half away from zero.
    QTest::newRow("none keeps 7.5") << i << 0 << none << fixed << 7.5 << QStringLiteral("8") << 7.5;
    QTest::newRow("none keeps -2.5") << i << 0 << none << fixed << -2.5 << QStringLiteral("-3") << -2.5;
    QTest::newRow("-1 digits in an integer box: units") << i << -1 << round << fixed << -2.5 << QStringLiteral("-3")
                                                        << -3.0;
    QTest::newRow("none, 2 decimals") << d << 2 << none << fixed << 0.125 << QStringLiteral("0.13") << 0.125;
    // General notation without rounding.
    QTest::newRow("0.1") << d << -1 << round << fixed << 0.1 << QStringLiteral("0.1") << 0.1;
    QTest::newRow("100") << d << -1 << round << fixed << 100.0 << QStringLiteral("100") << 100.0;
    QTest::newRow("-123456.789") << d << -1 << round << fixed << -123456.789 << QStringLiteral("-123456.789")
                                 << -123456.789;
    QTest::newRow("0.00001") << d << -1 << round << fixed << 0.00001 << QStringLiteral("0.00001") << 0.00001;
    QTest::newRow("1.5e-6") << d << -1 << round << fixed << 1.5e-6 << QStringLiteral("1.5E-6") << 1.5e-6;
    QTest::newRow("1e20") << d << -1 << round << fixed << 1e20 << QStringLiteral("1E20") << 1e20;
    QTest::newRow("1e17") << d << -1 << round << fixed << 1e17 << QStringLiteral("100000000000000000") << 1e17;
    // numGENERAL: fixed from 0.0001, else digits + 1 significant digits.
    QTest::newRow("general 0.5") << d << 2 << none << general << 0.5 << QStringLiteral("0.50") << 0.5;
    QTest::newRow("general 1.234e-5") << d << 2 << none << general << 1.234e-5 << QStringLiteral("0.0000123")
                                      << 1.234e-5;
    QTest::newRow("general 1.5e-6") << d << 2 << none << general << 1.5e-6 << QStringLiteral("1.50E-6") << 1.5e-6;
    QTest::newRow("general -2e-7") << d << 1 << none << general << -2e-7 << QStringLiteral("-2.0E-7") << -2e-7;
}

void NumberEditTest::display()
{
    QFETCH(int, type);
    QFETCH(int, digits);
    QFETCH(int, cut);
    QFETCH(int, format);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(double, kept);
    Box box;
    box.SetType(static_cast<Box::TNumTypeIndex>(type));
    box.SetDigits(digits);
    box.SetCutMode(static_cast<Box::TNumCutModeIndex>(cut));
    box.SetFormat(static_cast<Box::TNumFormatIndex>(format));
    box.SetValue(value);
    QCOMPARE(box.text(), shown);
    QCOMPARE(static_cast<double>(box.Value()), kept);
}

void NumberEditTest::normalisation()
{
    Box box;
    box.SetSignState(Box::numUnSigned);
    box.SetValue(-3);
    QCOMPARE(box.text(), QStringLiteral("3"));

    // The preview's page number: unsigned, at least 1, at most the pages.
    Box page;
    page.SetSignState(Box::numUnSigned);
    page.SetUseMin(true);
    page.SetValueMin(1);
    page.SetZeroValue(1);
    page.SetUseMax(true);
    page.SetValueMax(12);
    page.SetValue(0);
    QCOMPARE(page.text(), QStringLiteral("1"));
    page.SetValue(-5);
    QCOMPARE(page.text(), QStringLiteral("5"));
    page.SetValue(40);
    QCOMPARE(page.text(), QStringLiteral("12"));
    QVERIFY(page.Value() == 12);

    // Bounds and the zero value are not rounded again.
    Box bounded;
    bounded.SetType(Box::numDOUBLE);
    bounded.SetDigits(1);
    bounded.SetUseMax(true);
    bounded.SetValueMax(2.25L);
    bounded.SetValue(7);
    QVERIFY(bounded.Value() == 2.25L);
    bounded.SetZeroValue(0.125L);
    bounded.SetValue(0.01);
    QVERIFY(bounded.Value() == 0.125L);

    Box hidden;
    hidden.SetZeroVisible(false);
    hidden.SetValue(0);
    QCOMPARE(hidden.text(), QString());
    hidden.SetValue(4);
    QCOMPARE(hidden.text(), QStringLiteral("4"));

    // No infinity or NaN survives: they are no numbers.
    Box real;
    real.SetType(Box::numDOUBLE);
    real.SetZeroValue(21);
    real.SetValue(std::numeric_limits<long double>::infinity());
    QVERIFY(real.Value() == 21);
    real.SetValue(std::numeric_limits<long double>::quiet_NaN());
    QCOMPARE(real.text(), QStringLiteral("21"));
}

void NumberEditTest::readingText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << QStringLiteral("12") << true << 12.0;
    QTest::newRow("blanks, sign, exponent") << QStringLiteral(" -1.5e3 ") << true << -1500.0;
    QTest::newRow("plus") << QStringLiteral("+2.5") << true << 2.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << true << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << true << 5.0;
    QTest::newRow("negative exponent") << QStringLiteral("1E-5") << true << 1e-5;
    for (const char* bad : {"", "-", ".", "1e", "1e-", "--5", "1.2.3", "1e5000", "inf", "nan", "0x10", "1,5", "12a"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << false << 0.0;
    QTest::newRow("arabic digits") << QStringLiteral("١٢") << false << 0.0;
}

void NumberEditTest::readingText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    long double v = -99;
    QCOMPARE(Box::ReadNumber(text, v), ok);
    if (ok)
        QCOMPARE(static_cast<double>(v), value);
}

void NumberEditTest::links()
{
    // ShowUpdate shows the variable rounded but leaves it alone.
    double lx = 2.125;
    Box real;
    real.SetType(Box::numDOUBLE);
    real.SetDigits(2);
    real.Link(&lx);
    QCOMPARE(real.LinkKind(), Box::linkDouble);
    QCOMPARE(real.text(), QStringLiteral("2.13"));
    QCOMPARE(lx, 2.125);
    real.ValueUpdate();
    QCOMPARE(lx, 2.13);

    // An integer variable receives the value truncated.
    int pitch = 7;
    Box integer;
    integer.SetCutMode(Box::numNONE);
    integer.SetDigits(0);
    integer.Link(&pitch);
    QCOMPARE(integer.text(), QStringLiteral("7"));
    integer.SetValue(7.9);
    QCOMPARE(integer.text(), QStringLiteral("8"));
    QCOMPARE(pitch, 7);
    integer.SetValue(-7.9);
    QCOMPARE(pitch, -7);

    // The unsigned forms make the box unsigned.
    unsigned int count = 3;
    unsigned long big = 4;
    Box unsignedBox;
    unsignedBox.Link(&count);
    QCOMPARE(unsignedBox.ValueSignState(), Box::numUnSigned);
    unsignedBox.SetValue(-9);
    QCOMPARE(count, 9u);
    unsignedBox.Link(&big);
    QCOMPARE(unsignedBox.LinkKind(), Box::linkULong);
    QCOMPARE(unsignedBox.text(), QStringLiteral("4"));
    unsignedBox.SetValue(12);
    QCOMPARE(big, 12ul);
    QCOMPARE(count, 9u);  // the old variable is no longer written

    long distance = 0;
    long double exact = 0;
    Box other;
    other.SetType(Box::numDOUBLE);
    other.Link(&distance);
    other.SetValue(123456.75);
    QCOMPARE(distance, 123456L);
    other.Link(&exact);
    QCOMPARE(other.LinkKind(), Box::linkLongDouble);
    other.SetValue(0.1L);
    QVERIFY(exact == 0.1L);

    // A read-only box shows the variable but never writes it.
    double snow = 30;
    Box shown;
    shown.setReadOnly(true);
    shown.Link(&snow);
    QCOMPARE(shown.text(), QStringLiteral("30"));
    shown.SetValue(45);
    shown.ValueUpdate();
    QCOMPARE(snow, 30.0);
    QVERIFY(!shown.testAttribute(Qt::WA_InputMethodEnabled));

    // LinkOff shows the zero value; the variable keeps what it had.
    real.SetZeroValue(1.5L);
    real.LinkOff();
    QVERIFY(!real.IsLinked());
    QCOMPARE(real.text(), QStringLiteral("1.50"));
    real.SetValue(9);
    QCOMPARE(lx, 2.13);

    // A NaN in a variable is shown as the zero value.
    double broken = std::numeric_limits<double>::quiet_NaN();
    Box guarded;
    guarded.SetZeroValue(5);
    guarded.Link(&broken);
    QCOMPARE(guarded.text(), QStringLiteral("5"));
}

void NumberEditTest::integerLinksHoldTheirRange()
{
    // A number beyond the variable's range is held at its end instead of
    // wrapping around (3000000000 would become a negative int).
    int i = 0;
    unsigned int u = 0;
    double d = 0;
    Box box;
    box.SetType(Box::numDOUBLE);
    box.Link(&i);
    box.SetValue(3e9);
    QCOMPARE(i, INT_MAX);
    box.SetValue(-3e9);
    QCOMPARE(i, INT_MIN);
    box.Link(&u);
    box.SetValue(1e30);
    QCOMPARE(u, UINT_MAX);
    box.SetSignState(Box::numSigned);
    box.Link(&d);
    box.SetValue(1e400L);
    QCOMPARE(d, std::numeric_limits<double>::max());
}

void NumberEditTest::modifiedFlagSurvivesFormatting()
{
    double v = 1;
    Box box;
    box.Link(&v);
    QVERIFY(!box.isModified());
    box.ShowUpdate();
    QVERIFY(!box.isModified());
    QTest::keyClicks(&box, QStringLiteral("5"));
    QVERIFY(box.isModified());
    box.SetValue(3);
    box.ValueUpdate();
    box.ShowUpdate();
    QVERIFY(box.isModified());
}

void NumberEditTest::longerValueThanTheTypingLimitIsKept()
{
    // A pitch box takes four digits; a file may hold a five-digit pitch.
    int pitch = 12500;
    Box box;
    box.SetType(Box::numINT);
    box.setMaxLength(4);
    box.Link(&pitch);
    QCOMPARE(box.text(), QStringLiteral("12500"));
    box.ValueUpdate();  // what leaving the box does
    QCOMPARE(pitch, 12500);
}

namespace {
// A window with a plain box and two number boxes, shown and active, so
// that focus moves.  The plain box has the focus when the window opens.
struct Form {
    QWidget window;
    QLineEdit* start = new QLineEdit(&window);
    Box* first = new Box(&window);
    Box* second = new Box(&window);
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(start);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    bool Ready() { return QTest::qWaitForWindowActive(&window); }
};
}  // namespace

void NumberEditTest::entryAndExit()
{
    Form form;
    QVERIFY(form.Ready());
    Box& box = *form.first;
    box.SetType(Box::numDOUBLE);
    box.SetDigits(2);
    double lx = 3.6;
    box.Link(&lx);

    // Entry: text kept, box refreshed from the variable, text selected,
    // then entered().
    lx = 4.25;
    QString seenOnEntry;
    QString selectedOnEntry;
    connect(&box, &Box::entered, &box, [&] {
        seenOnEntry = box.text();
        selectedOnEntry = box.selectedText();
    });
    // Exit: the variable is written before exited() runs.
    double seenOnExit = 0;
    connect(&box, &Box::exited, &box, [&] { seenOnExit = lx; });
    QSignalSpy entered(&box, &Box::entered);
    QSignalSpy exited(&box, &Box::exited);

    box.setFocus(Qt::TabFocusReason);
    QCOMPARE(entered.count(), 1);
    QCOMPARE(box.EntryText(), QStringLiteral("3.60"));
    QCOMPARE(seenOnEntry, QStringLiteral("4.25"));
    QCOMPARE(selectedOnEntry, QStringLiteral("4.25"));

    QTest::keyClicks(&box, QStringLiteral("5.678"));
    QCOMPARE(lx, 4.25);  // not written while typing
    form.second->setFocus(Qt::TabFocusReason);
    QCOMPARE(exited.count(), 1);
    QCOMPARE(seenOnExit, 5.68);
    QCOMPARE(box.text(), QStringLiteral("5.68"));

    // A box whose text was set directly shows its value when entered.
    Box& plain = *form.second;
    plain.setText(QStringLiteral("abc"));
    box.setFocus(Qt::TabFocusReason);
    plain.setFocus(Qt::TabFocusReason);
    QCOMPARE(plain.text(), QStringLiteral("0"));

    // Without AutoSelect nothing is selected on entry.
    plain.SetAutoSelect(false);
    box.setFocus(Qt::TabFocusReason);
    plain.setFocus(Qt::TabFocusReason);
    QVERIFY(!plain.hasSelectedText());
}

void NumberEditTest::emptiedBoxGivesTheZeroValue()
{
    Form form;
    QVERIFY(form.Ready());
    Box& unitWeight = *form.first;
    double gamma = 24;
    unitWeight.SetZeroValue(21);
    unitWeight.Link(&gamma);
    unitWeight.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&unitWeight, Qt::Key_Backspace);  // removes the selected text
    QCOMPARE(unitWeight.text(), QString());
    form.second->setFocus(Qt::TabFocusReason);
    QCOMPARE(unitWeight.text(), QStringLiteral("21"));
    QCOMPARE(gamma, 21.0);

    Box& load = *form.second;
    double weight = 5;
    load.SetZeroVisible(false);
    load.Link(&weight);
    load.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&load, Qt::Key_Backspace);
    unitWeight.setFocus(Qt::TabFocusReason);
    QCOMPARE(load.text(), QString());
    QCOMPARE(weight, 0.0);

    // A lone minus is no number either.
    load.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&load, QStringLiteral("-"));
    unitWeight.setFocus(Qt::TabFocusReason);
    QCOMPARE(weight, 0.0);
}

void NumberEditTest::windowFocusChangesAreNoExit()
{
    Form form;
    QVERIFY(form.Ready());
    Box& box = *form.first;
    double v = 1;
    box.Link(&v);
    box.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&box, QStringLiteral("7"));
    QSignalSpy entered(&box, &Box::entered);
    QSignalSpy exited(&box, &Box::exited);
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&box, &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(&box, &in);
    }
    QCOMPARE(exited.count(), 0);
    QCOMPARE(entered.count(), 0);
    QCOMPARE(v, 1.0);
    QCOMPARE(box.text(), QStringLiteral("7"));
    QCOMPARE(box.EntryText(), QStringLiteral("1"));

    // A box that has the focus when its window opens is entered.
    QWidget window;
    auto* opening = new Box(&window);
    double lx = 4.5;
    opening->Link(&lx);
    lx = 5;
    QSignalSpy openingEntered(opening, &Box::entered);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(openingEntered.count(), 1);
    QCOMPARE(opening->text(), QStringLiteral("5"));
}

void NumberEditTest::escapeRestoresTheEntryText()
{
    Form form;
    QVERIFY(form.Ready());
    Box& box = *form.first;
    double v = 12;
    box.Link(&v);
    QSignalSpy keys(&box, &Box::keyPressed);

    box.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&box, QStringLiteral("345"));
    QCOMPARE(box.text(), QStringLiteral("345"));
    QTest::keyClick(&box, Qt::Key_Escape);
    QCOMPARE(box.text(), QStringLiteral("12"));
    QVERIFY(!box.isModified());
    QCOMPARE(keys.last().at(0).value<char>(), '\x1B');

    // In an unchanged box Esc changes nothing (the caret stays put too).
    box.setCursorPosition(1);
    QTest::keyClick(&box, Qt::Key_Escape);
    QCOMPARE(box.text(), QStringLiteral("12"));
    QCOMPARE(box.cursorPosition(), 1);
    QCOMPARE(keys.last().at(0).value<char>(), '\x1B');
    QCOMPARE(box.GetPressKey(), '\x1B');

    form.second->setFocus(Qt::TabFocusReason);
    QCOMPARE(v, 12.0);
}

void NumberEditTest::enterReachesTheOwnerAsZero()
{
    Box box;
    QSignalSpy keys(&box, &Box::keyPressed);
    // The owner sees the key as received through GetPressKey().
    char pressedInSlot = 0;
    connect(&box, &Box::keyPressed, &box, [&](char) { pressedInSlot = box.GetPressKey(); });
    QTest::keyClicks(&box, QStringLiteral("4"));
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(keys.count(), 2);
    QCOMPARE(keys.at(0).at(0).value<char>(), '4');
    QCOMPARE(keys.at(1).at(0).value<char>(), '\0');
    QCOMPARE(pressedInSlot, '\r');
    QCOMPARE(box.text(), QStringLiteral("4"));

    QTest::keyClick(&box, Qt::Key_Enter);  // the keypad's
    QCOMPARE(box.GetPressKey(), '\r');
    QTest::keyClicks(&box, QStringLiteral("x"));
    QCOMPARE(box.GetPressKey(), 'x');
    QCOMPARE(keys.last().at(0).value<char>(), '\0');

    // Caret keys type nothing: they do not touch the last key.
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Delete);
    QCOMPARE(box.GetPressKey(), 'x');
    QCOMPARE(box.text(), QString());
    QCOMPARE(keys.count(), 4);
}

void NumberEditTest::controlKeysAreLeftToShortcuts()
{
    Form form;
    QVERIFY(form.Ready());
    Box& box = *form.first;
    QShortcut save(QKeySequence(Qt::CTRL | Qt::Key_S), &form.window);
    QShortcut copyAll(QKeySequence(Qt::CTRL | Qt::Key_C), &form.window);
    QSignalSpy saved(&save, &QShortcut::activated);
    QSignalSpy copied(&copyAll, &QShortcut::activated);
    box.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&box, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved.count(), 1);
    // The clipboard keys are the box's, whatever the window has.
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copied.count(), 0);

    // Without a shortcut another Ctrl key types a control character, which
    // the box refuses.
    QTest::keyClicks(&box, QStringLiteral("12"));
    QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(box.GetPressKey(), '\x02');
    QTest::keyClicks(&box, QStringLiteral("3"));
    QCOMPARE(box.text(), QStringLiteral("123"));
}

namespace {
// The boxes of the paste table.
void SetUpBox(Box& box, const QString& kind, int& link)
{
    if (kind == QLatin1String("real"))
        box.SetType(Box::numDOUBLE);
    if (kind == QLatin1String("unsigned real")) {
        box.SetType(Box::numDOUBLE);
        box.SetSignState(Box::numUnSigned);
    }
    if (kind == QLatin1String("page")) {  // the preview's page number of 12 pages
        box.SetSignState(Box::numUnSigned);
        box.SetUseMin(true);
        box.SetValueMin(1);
        box.SetUseMax(true);
        box.SetValueMax(12);
    }
    if (kind == QLatin1String("pitch"))  // four digits at most
        box.setMaxLength(4);
    if (kind == QLatin1String("int link")) {
        box.SetType(Box::numDOUBLE);
        box.Link(&link);
    }
}
}  // namespace

void NumberEditTest::paste_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("before");  // [ ] marks the selection, | the caret
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");  // the same as before when refused

    const QString all = QStringLiteral("[12]");
    auto row = [&](const char* name, const char* kind, const QString& before, const QString& clip, const char* after) {
        QTest::newRow(name) << QString::fromLatin1(kind) << before << clip << QString::fromUtf8(after);
    };
    row("replaces the selection", "real", all, QStringLiteral("3.5"), "3.5");
    row("blanks and line end around", "real", all, QStringLiteral(" 12.5\r\n"), "12.5");
    row("full-width digits", "whole", all, QStringLiteral("１２０"), "120");
    row("full-width point, minus sign", "real", all, QStringLiteral("\u22121．5"), "-1.5");
    row("exponent", "real", all, QStringLiteral("1e-5"), "1e-5");
    row("thousands groups", "whole", all, QStringLiteral("1,500"), "1500");
    row("into the text", "whole", QStringLiteral("1|2"), QStringLiteral("0"), "102");
    row("sign before the text", "whole", QStringLiteral("|12"), QStringLiteral("-"), "-12");
    row("decimal comma", "real", all, QStringLiteral("1,5"), "[12]");
    row("badly grouped", "whole", all, QStringLiteral("15,00"), "[12]");
    row("beyond a double", "real", all, QStringLiteral("1e400"), "[12]");
    row("nan", "real", all, QStringLiteral("nan"), "[12]");
    row("inf", "real", all, QStringLiteral("inf"), "[12]");
    row("point in a whole number", "whole", all, QStringLiteral("7.9"), "[12]");
    row("minus in an unsigned box", "unsigned real", all, QStringLiteral("-3"), "[12]");
    row("plus sign", "real", all, QStringLiteral("+3"), "[12]");
    row("text around", "real", all, QStringLiteral("12 mm"), "[12]");
    row("empty", "real", all, QStringLiteral("  "), "[12]");
    row("two points in the result", "real", QStringLiteral("1.5|"), QStringLiteral(".2"), "1.5|");
    row("above the maximum", "page", all, QStringLiteral("13"), "[12]");
    row("below the minimum", "page", all, QStringLiteral("0"), "[12]");
    row("within the bounds", "page", all, QStringLiteral("12"), "12");
    row("longer than the box takes", "pitch", all, QStringLiteral("12345"), "[12]");
    row("beyond the linked int", "int link", all, QStringLiteral("3e9"), "[12]");
}

void NumberEditTest::paste()
{
    QFETCH(QString, kind);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    int link = 0;
    Box box;
    SetUpBox(box, kind, link);
    // The box as `before` shows it: text, then the selection or the caret.
    const auto show = [&](QString marked) {
        const qsizetype open = marked.indexOf(QLatin1Char('['));
        const qsizetype caret = marked.indexOf(QLatin1Char('|'));
        marked.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('|'));
        box.setText(marked);
        if (open >= 0)
            box.setSelection(static_cast<int>(open), static_cast<int>(before.indexOf(QLatin1Char(']')) - open - 1));
        else if (caret >= 0)
            box.setCursorPosition(static_cast<int>(caret));
        else
            box.setCursorPosition(static_cast<int>(marked.size()));
    };
    show(before);
    QSignalSpy refused(&box, &Box::refused);
    const bool taken = box.Paste(clipboard);
    QCOMPARE(taken, after != before);
    QCOMPARE(refused.count(), taken ? 0 : 1);
    QString expected = after;
    QCOMPARE(box.text(), expected.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('|')));
    if (!taken)  // nothing changed: the selection neither
        QCOMPARE(box.selectedText(), before.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0));
}

void NumberEditTest::clipboardKeysAndMenu()
{
    Form form;
    QVERIFY(form.Ready());
    Box& box = *form.first;
    box.SetType(Box::numDOUBLE);
    QClipboard* clipboard = QGuiApplication::clipboard();
    QSignalSpy refused(&box, &Box::refused);
    box.setFocus(Qt::TabFocusReason);

    // Shift+Insert and Ctrl+V paste only what the box allows.
    for (const QKeyCombination key : {QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert),
                                      QKeyCombination(Qt::ControlModifier, Qt::Key_V)}) {
        box.setText(QStringLiteral("4"));
        box.selectAll();
        clipboard->setText(QStringLiteral("1e400"));
        QTest::keyClick(&box, key.key(), key.keyboardModifiers());
        QCOMPARE(box.text(), QStringLiteral("4"));
        clipboard->setText(QStringLiteral("２.５"));
        QTest::keyClick(&box, key.key(), key.keyboardModifiers());
        QCOMPARE(box.text(), QStringLiteral("2.5"));
    }
    QCOMPARE(refused.count(), 2);

    // Ctrl+A, Ctrl+C and Ctrl+X act on the text.
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box.selectedText(), QStringLiteral("2.5"));
    clipboard->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("2.5"));
    box.setSelection(0, 2);
    QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(box.text(), QStringLiteral("5"));
    QCOMPARE(clipboard->text(), QStringLiteral("2."));

    // The context menu's paste is checked too.
    clipboard->setText(QStringLiteral("nan"));
    QTimer::singleShot(0, &box, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QStringLiteral("貼り付け")))
                action->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), box.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&box, &menuEvent);
    QCOMPARE(box.text(), QStringLiteral("5"));
    QCOMPARE(refused.count(), 3);
}

void NumberEditTest::decimalPointInAWholeNumberBoxBeeps()
{
    Box indent;  // a whole number of millimetres
    QSignalSpy refused(&indent, &Box::refused);
    QTest::keyClicks(&indent, QStringLiteral("7.9"));
    QCOMPARE(indent.text(), QStringLiteral("79"));
    QCOMPARE(refused.count(), 1);
    QTest::keyClicks(&indent, QStringLiteral("x"));  // other refused keys stay silent
    QCOMPARE(refused.count(), 1);

    Box real;
    real.SetType(Box::numDOUBLE);
    QSignalSpy refusedReal(&real, &Box::refused);
    QTest::keyClicks(&real, QStringLiteral("1.2.3"));
    QCOMPARE(real.text(), QStringLiteral("1.23"));
    QCOMPARE(refusedReal.count(), 1);
}

QTEST_MAIN(NumberEditTest)
#include "number_edit_test.moc"
