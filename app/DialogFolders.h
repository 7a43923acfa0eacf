// Where the main window's file dialogs start (open, save as, the LaTeX
// report, the PDF printer's file): in the folder of the current data file,
// else in the folder last used by any of them, else in the documents
// folder.  A folder that no longer exists is passed over.
#pragma once

#include <QString>

namespace korvexa::app {

class DialogFolders {
public:
    // The folder to start in while `dataFile` is open (empty: untitled).
    QString StartFolder(const QString& dataFile) const;
    // `file` was chosen in a dialog or written: its folder is the last used.
    void Used(const QString& file);
    QString LastFolder() const { return last_; }
    void SetLastFolder(const QString& folder) { last_ = folder; }

private:
    QString last_;
};

// The user's documents folder; the home folder when there is none.
QString DocumentsFolder();

// The output file (extension ".tex", ".pdf") offered in `folder`: the data
// file's name with the extension, or "Korvexa" with it for untitled data.
QString OfferedOutputFile(const QString& folder, const QString& dataFile, const QString& extension);

}  // namespace korvexa::app
