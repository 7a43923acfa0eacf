// Where the per-user settings live.
#pragma once

#include <QString>

namespace korvexa {

// The settings folder: $KORVEXA_CONFIG_DIR when it is set and not empty,
// else the application's per-user configuration folder.  The folder is
// created when it is missing; when that fails the path is still returned
// and writing the settings file there reports the failure.
QString ConfigFolder();

// The settings file "#Korvexa#.ini" in ConfigFolder().
QString SettingsFilePath();

}  // namespace korvexa
