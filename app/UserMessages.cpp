#include "app/UserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "components/BackslashFont.h"

namespace korvexa::app {

namespace {

MessageAnswer ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)
{
    QMessageBox box(parent);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    // Messages quote LaTeX logs and paths: a backslash is shown as one.
    box.setFont(WithTrueBackslash(QApplication::font("QMessageBox")));
    switch (kind) {
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageKind::Question: {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                          : QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
        }
    }
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

int ChooseInBox(QWidget* parent, const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text, QMessageBox::NoButton, parent);
    // No button is the escape button: Esc does not choose for the user.
    QList<QAbstractButton*> shown;
    for (const QString& caption : buttons)
        shown << box.addButton(caption, shown.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::DestructiveRole);
    if (!shown.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(shown.first()));
    box.exec();
    return static_cast<int>(shown.indexOf(box.clickedButton()));
}

}  // namespace

UserMessages& Messages()
{
    static UserMessages messages{ShowMessageBox, [] { QApplication::beep(); }, ChooseInBox};
    return messages;
}

MessageAnswer Tell(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)
{
    Beep();
    return Messages().show(parent, kind, text, withCancel);
}

void Beep() { Messages().beep(); }

int Choose(QWidget* parent, const QString& text, const QStringList& buttons)
{
    Beep();
    return Messages().choose(parent, text, buttons);
}

}  // namespace korvexa::app
