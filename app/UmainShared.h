// Small helpers shared by the files of the main window.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QString>
#include <string_view>

namespace korvexa::app {

// A focus change that leaves a control: not the window losing activation
// nor a popup (the control's own list, a menu) taking the focus for a while.
inline bool LeavesTheControl(const QFocusEvent& event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

inline QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The chosen name with its extension, whatever it was, replaced by `extension`
// (".slab", ".tex").
inline QString WithExtension(const QString& fileName, const QString& extension)
{
    const QFileInfo info(fileName);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return QDir(info.path()).filePath(name + extension);
}

}  // namespace korvexa::app
