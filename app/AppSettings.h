// Single values of the settings file.
#pragma once

#include <QString>

namespace korvexa::app {

// One value of a section, or `fallback` when the file or key is missing.
QString ReadSetting(const QString& file, const char* section, const char* key, const QString& fallback);
// Writes one value; false when the file could not be written.
bool WriteSetting(const QString& file, const char* section, const char* key, const QString& value);

}  // namespace korvexa::app
