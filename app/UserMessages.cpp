#include "app/UserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace korvexa::app {

namespace {

MessageAnswer ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)
{
    const QString title = QApplication::applicationDisplayName();
    switch (kind) {
    case MessageKind::Warning:
        QMessageBox::warning(parent, title, text);
        return MessageAnswer::Ok;
    case MessageKind::Information:
        QMessageBox::information(parent, title, text);
        return MessageAnswer::Ok;
    case MessageKind::Error:
        QMessageBox::critical(parent, title, text);
        return MessageAnswer::Ok;
    case MessageKind::Question: {
        const auto buttons = withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                        : QMessageBox::Yes | QMessageBox::No;
        switch (QMessageBox::question(parent, title, text, buttons, QMessageBox::Yes)) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
        }
    }
    }
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
