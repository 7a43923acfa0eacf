// Single values of the settings file, the validator of slab names and
// where the help is.
#pragma once

#include <QString>
#include <QUrl>

class QObject;
class QValidator;

namespace korvexa::app {

// One value of a section, or `fallback` when the file or key is missing.
QString ReadSetting(const QString& file, const char* section, const char* key, const QString& fallback);
// Writes one value; false when the file could not be written.
bool WriteSetting(const QString& file, const char* section, const char* key, const QString& value);

// Slab names are stored in 50 bytes of the Japanese code page: the
// validator refuses characters it lacks and text that would not fit.
QValidator* NameValidator(QObject* parent);

// The start page of the user guide.
QUrl HelpIndexUrl();

}  // namespace korvexa::app
