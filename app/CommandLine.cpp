#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstring>

namespace korvexa::app {

namespace {

// The program's name and version as --version prints them (and the about
// box shows the version).
void SetIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Korvexa"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVEXA_VERSION_TEXT));
}

void Describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Korvexa: design of reinforced-concrete floor slabs and their calculation sheets."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The data file (.slab) to open."),
                                 QStringLiteral("[FILE.slab]"));
}

bool AsksForText(const char* argument)
{
    for (const char* option : {"-h", "-?", "--help", "-v", "--version"})
        if (std::strcmp(argument, option) == 0)
            return true;
    return false;
}

}  // namespace

void AnswerTextOptions(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (AsksForText(argv[i])) {
            QCoreApplication core(argc, argv);
            SetIdentity();
            QCommandLineParser parser;
            Describe(parser);
            parser.process(core);  // prints and ends the program
            return;
        }
    }
}

QString DataFileArgument(const QCoreApplication& application)
{
    QCommandLineParser parser;
    Describe(parser);
    parser.process(application);
    return parser.positionalArguments().value(0);
}

}  // namespace korvexa::app
