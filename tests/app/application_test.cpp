// The application object as the program builds it: the titles the window
// system shows, Qt's texts in Japanese, and an exception escaping an event
// handler.  The titles are read from the X server, so CTest runs this
// under Xvfb with the xcb platform.
#include <QAbstractButton>
#include <QMessageBox>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <stdexcept>
#include <xcb/xcb.h>

#include "app/Application.h"
#include "app/Ucomform.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "dialogs/Uabout.h"

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The title the window manager shows: the window's _NET_WM_NAME.
QString WindowSystemTitle(QWidget* window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()), Atom(connection, "_NET_WM_NAME"),
                         Atom(connection, "UTF8_STRING"), 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    QString title;
    if (reply)
        title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                  xcb_get_property_value_length(reply));
    std::free(reply);
    return title;
}

// Throws from its event handler.
class Thrower : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("壊れた記録");
        return QObject::event(event);
    }
};

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private:
    QStringList shown_;

private slots:
    void initTestCase()
    {
        korvexa::app::Messages().show = [this](QWidget*, korvexa::app::MessageKind, const QString& text, bool) {
            shown_ << text;
            return korvexa::app::MessageAnswer::Ok;
        };
        korvexa::app::Messages().beep = [] {};
    }

    void titlesAreTheCaptionsAlone()
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            QSKIP("the titles of the window system are read from an X server");
        TMainForm form;
        form.show();
        form.FormShow(QString());
        QTRY_COMPARE(WindowSystemTitle(&form), QStringLiteral("Korvexa  (無題)"));
        form.CommonForm->show();
        QTRY_COMPARE(WindowSystemTitle(form.CommonForm), QStringLiteral("共通事項の設定"));
        TAboutBox about;
        about.show();
        QTRY_COMPARE(WindowSystemTitle(&about), QStringLiteral("バージョン情報"));
    }

    void messageBoxButtonsAreJapanese()
    {
        QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("現在のデータを保存しますか？"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto caption = [&box](QMessageBox::StandardButton which) {
            return box.button(which)->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        };
        QCOMPARE(caption(QMessageBox::Yes), QStringLiteral("はい"));
        QCOMPARE(caption(QMessageBox::No), QStringLiteral("いいえ"));
        QCOMPARE(caption(QMessageBox::Cancel), QStringLiteral("キャンセル"));
    }

    // The window opens within the screen, no taller than 90 % of it, and as
    // large as its contents when they fit; the tool bar, the message bar and
    // every input stay reachable (the panels scroll).  CTest runs this also
    // on a 1920 x 1080 screen at scale 1.5, and on 1366 x 768.
    void windowFitsTheScreen()
    {
        TMainForm form;
        form.show();
        form.FormShow(QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab"));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QRect area = form.screen()->availableGeometry();
        QVERIFY(area.contains(form.frameGeometry()));
        QVERIFY(form.frameGeometry().height() <= area.height() * 0.9);
        if (form.sizeHint().height() < area.height() * 0.8)
            QCOMPARE(form.size(), form.sizeHint());

        const auto shown = [&form](QWidget* widget, QWidget* within) {
            return widget->isVisible() && within->rect().contains(QRect(widget->mapTo(within, QPoint()), widget->size()));
        };
        QVERIFY(shown(form.findChild<QWidget*>(QStringLiteral("MessageBar")), &form));
        QVERIFY(shown(form.findChild<QWidget*>(QStringLiteral("NameBox")), &form));
        QWidget* panels = form.findChild<QScrollArea*>(QStringLiteral("InputScroll"))->viewport();
        int inputs = 0;
        for (QWidget* input : form.findChild<QWidget*>(QStringLiteral("InputPage"))->findChildren<QWidget*>()) {
            if (!(input->focusPolicy() & Qt::TabFocus) || !input->isVisibleTo(&form) || !input->isEnabled())
                continue;
            input->setFocus();
            QTRY_VERIFY(input->hasFocus());
            QVERIFY2(shown(input, panels), qPrintable(input->objectName()));
            ++inputs;
        }
        QVERIFY(inputs > 30);
    }

    // Last: leaving the event loops ends every later loop of the test too.
    void exceptionInAHandlerIsShownAndEndsTheProgram()
    {
        Thrower thrower;
        QTimer::singleShot(0, &thrower, [&thrower] { QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User)); });
        QEventLoop loop;
        QCOMPARE(loop.exec(), 1);
        QCOMPARE(shown_.size(), 1);
        QVERIFY(shown_.first().endsWith(QStringLiteral("\n壊れた記録")));
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir config;
    qputenv("KORVEXA_CONFIG_DIR", config.path().toUtf8());
    korvexa::app::Application application(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
