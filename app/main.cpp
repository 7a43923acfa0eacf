// Korvexa: design of reinforced-concrete floor slabs.

#include <exception>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Umain.h"
#include "app/UserMessages.h"

int main(int argc, char* argv[])
{
    korvexa::app::AnswerTextOptions(argc, argv);
    korvexa::app::Application application(argc, argv);
    try {
        const QString fileToOpen = korvexa::app::DataFileArgument(application);
        TMainForm mainForm;
        mainForm.show();
        mainForm.FormShow(fileToOpen);
        mainForm.OfferRecovery();
        return QApplication::exec();
    } catch (const std::exception& e) {
        korvexa::app::Tell(nullptr, korvexa::app::MessageKind::Error, QString::fromUtf8(e.what()));
        return 1;
    }
}
