// Korvexa: design of reinforced-concrete floor slabs.

#include <QApplication>
#include <QFont>
#include <exception>

#include "app/CommandLine.h"
#include "app/Icons.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "print/PrintFonts.h"

int main(int argc, char* argv[])
{
    korvexa::app::AnswerTextOptions(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvexa"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korvexa"));
    QApplication::setApplicationVersion(QStringLiteral(KORVEXA_VERSION_TEXT));
    QApplication::setWindowIcon(korvexa::app::ProgramIcon());
    korvexa::print::SubstituteFonts();
    try {
        const QString fileToOpen = korvexa::app::DataFileArgument(application);
        TMainForm mainForm;
        mainForm.show();
        mainForm.FormShow(fileToOpen);
        return QApplication::exec();
    } catch (const std::exception& e) {
        korvexa::app::Tell(nullptr, korvexa::app::MessageKind::Error, QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
