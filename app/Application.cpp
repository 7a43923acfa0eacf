#include "app/Application.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

#include "app/Icons.h"
#include "app/UserMessages.h"
#include "print/PrintFonts.h"

namespace korvexa::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // No display name: Qt would append it to every window title, and the
    // titles are the windows' own captions.
    setApplicationName(QStringLiteral("Korvexa"));
    setApplicationVersion(QStringLiteral(KORVEXA_VERSION_TEXT));
    setWindowIcon(ProgramIcon());
    print::SubstituteFonts();
    LoadQtTranslations(*this);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        EndWithError(QString::fromUtf8(e.what()));
    } catch (...) {
        EndWithError(QStringLiteral("不明な例外"));
    }
    return false;
}

void Application::EndWithError(const QString& what)
{
    if (ending_)  // a handler that throws again while the box is shown
        return;
    ending_ = true;
    Tell(activeWindow(), MessageKind::Error,
         QStringLiteral("予期しないエラーが発生しました。プログラムを終了します。\n\n") + what);
    exit(1);
}

bool LoadQtTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace korvexa::app
