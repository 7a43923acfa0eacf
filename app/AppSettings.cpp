#include "app/AppSettings.h"

#include <QDir>
#include <QFileInfo>

#include "datafile/ProfileFile.h"

namespace korvexa::app {

namespace {

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

}  // namespace

QString ReadSetting(const QString& file, const char* section, const char* key, const QString& fallback)
{
    const datafile::ProfileFile profile(PathOf(file));
    return QString::fromStdString(profile.ReadString(section, key, fallback.toStdString()));
}

bool WriteSetting(const QString& file, const char* section, const char* key, const QString& value)
{
    datafile::ProfileFile profile(PathOf(file));
    return profile.WriteString(section, key, value.toStdString());
}

}  // namespace korvexa::app
