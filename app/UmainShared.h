// Small helpers shared by the files of the main window.
#pragma once

#include <QString>
#include <string_view>

namespace korvexa::app {

// Characters that may be typed into the name box.  A longer name read from
// a file (up to 50 bytes) is still shown whole.
inline constexpr int kNameBoxMaxLength = 30;

inline QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvexa::app
