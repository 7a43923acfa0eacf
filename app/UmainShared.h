// Small helpers shared by the files of the main window.
#pragma once

#include <QString>
#include <string_view>

namespace korvexa::app {

inline QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvexa::app
