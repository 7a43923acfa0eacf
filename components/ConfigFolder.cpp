#include "components/ConfigFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace korvexa {

QString ConfigFolder()
{
    QString folder = qEnvironmentVariable("KORVEXA_CONFIG_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    QDir().mkpath(folder);
    return folder;
}

QString SettingsFilePath()
{
    return QDir(ConfigFolder()).filePath(QStringLiteral("#Korvexa#.ini"));
}

}  // namespace korvexa
