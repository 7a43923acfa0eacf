// The application object: the program's name, version, icon and fonts,
// Qt's own texts in Japanese, and the last guard of the event loop.
#pragma once

#include <QApplication>

namespace korvexa::app {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // An exception escaping an event handler would unwind through Qt, which
    // cannot take it: it is shown in an error box and the program ends
    // (every event loop is left with code 1).
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void EndWithError(const QString& what);
    bool ending_ = false;
};

// Loads Qt's Japanese translations (buttons of message boxes, the file and
// colour dialogs) from Qt's translations folder; false when they are not
// installed.
bool LoadQtTranslations(QCoreApplication& application);

}  // namespace korvexa::app
