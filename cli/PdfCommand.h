// `korvexa-cli pdf FILE.slab -o OUT.pdf [--select 1,3,5] [--summary]`: the calculation
// sheets of a data file as a PDF, the pages the window prints on the PDF
// printer (A4 portrait, the file's print layout), without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvexa::cli {

// Whether the command line names the `pdf` command.  It draws text with
// Qt Gui, so it runs with an application object of its own: PdfMain.
bool IsPdfCommand(int argc, char** argv);
// The whole command, its options and exit status (0, or 2 after a message).
int PdfMain(int argc, char** argv);

// Writes the PDF of the designed slabs of `path`, or of the slabs numbered
// in `selection` (printed in list order, as the selection dialog does),
// with the summary table first when `summary` or the file's layout asks
// for it; needs a QGuiApplication.
int PdfCommand(const std::string& path, const std::string& output, const std::vector<int>& selection,
               bool summary, std::ostream& err);

// "1,3,5" -> {1, 3, 5}; nothing when the text is not such a list.
bool ParseSelection(const std::string& text, std::vector<int>& numbers);

}  // namespace korvexa::cli
