#include "app/DialogFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace korvexa::app {

namespace {

bool IsFolder(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }

}  // namespace

QString DialogFolders::StartFolder(const QString& dataFile) const
{
    if (!dataFile.isEmpty()) {
        const QString folder = QFileInfo(dataFile).absolutePath();
        if (IsFolder(folder))
            return folder;
    }
    return IsFolder(last_) ? last_ : DocumentsFolder();
}

void DialogFolders::Used(const QString& file)
{
    if (!file.isEmpty())
        last_ = QFileInfo(file).absolutePath();
}

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return IsFolder(documents) ? documents : QDir::homePath();
}

QString OfferedOutputFile(const QString& folder, const QString& dataFile, const QString& extension)
{
    const QString base = dataFile.isEmpty() ? QStringLiteral("Korvexa") : QFileInfo(dataFile).completeBaseName();
    return QDir(folder).filePath(base + extension);
}

}  // namespace korvexa::app
