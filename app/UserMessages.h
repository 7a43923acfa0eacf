// The one door through which the program asks or tells the user something
// in a modal box, and sounds the warning beep.  The program uses real
// message boxes; tests put their own answers in place.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace korvexa::app {

enum class MessageKind { Warning, Information, Error, Question };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct UserMessages {
    // A modal box; a Question offers Yes/No, and Cancel when withCancel.
    std::function<MessageAnswer(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)> show;
    std::function<void()> beep;
    // A question with buttons of its own (the first is the default); the
    // index of the button pressed, or -1 when the box was closed without one.
    std::function<int(QWidget* parent, const QString& text, const QStringList& buttons)> choose;
};

// The program-wide instance, set up with message boxes and the platform beep.
UserMessages& Messages();

// Shorthands: the beep, then the box (the order the user hears and sees).
MessageAnswer Tell(QWidget* parent, MessageKind kind, const QString& text, bool withCancel = false);
void Beep();
int Choose(QWidget* parent, const QString& text, const QStringList& buttons);

}  // namespace korvexa::app
