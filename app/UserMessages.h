// The one door through which the program asks or tells the user something
// in a modal box, and sounds the warning beep.  The program uses real
// message boxes; tests put their own answers in place.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvexa::app {

enum class MessageKind { Warning, Information, Error, Question };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct UserMessages {
    // A modal box; a Question offers Yes/No, and Cancel when withCancel.
    std::function<MessageAnswer(QWidget* parent, MessageKind kind, const QString& text, bool withCancel)> show;
    std::function<void()> beep;
};

// The program-wide instance, set up with message boxes and the platform beep.
UserMessages& Messages();

// Shorthands: the beep, then the box (the order the user hears and sees).
MessageAnswer Tell(QWidget* parent, MessageKind kind, const QString& text, bool withCancel = false);
void Beep();

}  // namespace korvexa::app
