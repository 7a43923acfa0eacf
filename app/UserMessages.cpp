#include "app/UserMessages.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

UserMessages& Messages()
{
    static UserMessages messages{ShowMessageBox, [] { QApplication::beep(); }};
    return messages;
}

MessageAnswer Tell(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)
{
    Beep();
    return Messages().show(parent, kind, text, withCancel);
}

void Beep() { Messages().beep(); }

}  // namespace korvexa::app
