// Drives the main window in tests as a user would: finds controls by
// name, types into boxes and leaves them, and answers the message boxes
// and file dialogs.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/Ucomform.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"
#include "printer/FakePrinterDevice.h"
#include "printer/QtPrinterDevice.h"

class WindowDriver {
public:
    std::unique_ptr<TMainForm> form;
    QStringList shown;  // texts of the message boxes, in order
    int beeps = 0;
    // Answers to the next questions (Yes when none is queued).
    QList<korvexa::app::MessageAnswer> answers;
    QList<bool> questionHadCancel;
    // Buttons pressed in the next boxes with buttons of their own (the
    // first, the default, when none is queued).
    QList<int> choices;
    // Names chosen in the next open and save dialogs (cancelled when none).
    QStringList openNames, saveNames;
    QStringList openFolders;  // where the open dialogs started
    QList<TMainForm::SaveDialogSetup> saveDialogs;

    void AnswerMessages()
    {
        korvexa::app::Messages().show = [this](QWidget*, korvexa::app::MessageKind kind, const QString& text,
                                               bool withCancel) {
            shown << text;
            if (kind != korvexa::app::MessageKind::Question)
                return korvexa::app::MessageAnswer::Ok;
            questionHadCancel << withCancel;
            return answers.isEmpty() ? korvexa::app::MessageAnswer::Yes : answers.takeFirst();
        };
        korvexa::app::Messages().beep = [this] { ++beeps; };
        korvexa::app::Messages().choose = [this](QWidget*, const QString& text, const QStringList&) {
            shown << text;
            return choices.isEmpty() ? 0 : choices.takeFirst();
        };
    }

    // The window's printer: the recording printer of fixed geometry, whatever the machine has.
    std::function<std::unique_ptr<korvexa::printer::PrinterDevice>()> printer = [] {
        return std::unique_ptr<korvexa::printer::PrinterDevice>(std::make_unique<korvexa::printer::FakePrinterDevice>());
    };

    void Open(const QString& file = QString())
    {
        korvexa::printer::PrinterFactory() = printer;
        form = std::make_unique<TMainForm>();
        form->ChooseOpenFile = [this](QWidget*, const QString& folder) {
            openFolders << folder;
            return openNames.isEmpty() ? QString() : openNames.takeFirst();
        };
        form->ChooseSaveFile = [this](QWidget*, const TMainForm::SaveDialogSetup& setup) {
            saveDialogs << setup;
            return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
        };
        form->show();
        form->activateWindow();  // no window manager activates it under Xvfb
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->FormShow(file);
    }

    template <typename T>
    T* Find(const char* name) const
    {
        T* child = form->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    TNumberEdit* Box(const char* name) const { return Find<TNumberEdit>(name); }
    QString Message() const { return Find<QLabel>("MessageBar")->text(); }
    // The caption as the window system shows it, with "*" while modified.
    QString Caption() const
    {
        return form->windowTitle().replace(QStringLiteral("[*]"), form->isWindowModified() ? QStringLiteral("*") : QString());
    }
    QString Info() const { return Find<QLabel>("InfoPanel")->text(); }

    static void Focus(QWidget* widget)
    {
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
    }

    // Types into a number box and leaves it with Tab.
    void Type(const char* box, const QString& text)
    {
        TNumberEdit* edit = Box(box);
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
    }

    // Types any text, one key event a character (keyClicks takes Latin-1 only).
    static void TypeText(QWidget* widget, const QString& text)
    {
        for (char32_t c : text.toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(widget, &release);
        }
    }

    // Picks an item of a combo box as the user does.
    void Pick(const char* combo, int index)
    {
        QComboBox* box = Find<QComboBox>(combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // "基本設定": chooses the load unit item (0 N/m², 1 kN/m²) and OK.
    void ChooseLoadUnit(int item)
    {
        QTimer::singleShot(0, form.get(), [this, item] {
            TCommonForm* dialog = form->CommonForm;
            dialog->findChild<QRadioButton*>(QStringLiteral("LoadUnitItem%1").arg(item))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        Action("EnvironButton")->trigger();
        form->activateWindow();  // back from the modal dialog
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void DesignCurrent(const QString& lx = QStringLiteral("3"), const QString& ly = QStringLiteral("4"))
    {
        Type("LxInput", lx);
        Type("LyInput", ly);
    }
};
