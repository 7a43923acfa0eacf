// The program's command line: `korvexa [FILE.slab]`, `--help`, `--version`.
#pragma once

#include <QString>

class QCoreApplication;

namespace korvexa::app {

// Answers --help and --version (printed to standard output, then the
// program ends) before any window system is opened, so that they also work
// without a display.  Returns when neither is asked for (--help-all, which
// lists the window system's options too, is answered by the application).
void AnswerTextOptions(int argc, char* argv[]);

// The data file named on the command line of the running application, or
// empty.  An unknown option ends the program with a message on standard
// error.
QString DataFileArgument(const QCoreApplication& application);

}  // namespace korvexa::app
