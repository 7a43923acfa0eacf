// The user guide: where its pages are and how the Help command opens them.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

namespace korvexa::app {

// Where the start page may be, in the order looked at, for the program in
// `programFolder`: beside an installed program (share/korvexa/help next to
// its bin/), then in the build tree (help/ at its top, which the build
// fills from docs/help).
QStringList HelpIndexCandidates(const QString& programFolder);

// The first candidate that exists, or empty.
QString FindHelpIndex(const QString& programFolder);

// The Help command: opens the start page with `openUrl` (the desktop's
// browser).  A missing guide or a browser that does not start is told in a
// message box naming the help file.
void ShowHelp(QWidget* parent, const QString& programFolder, const std::function<bool(const QUrl&)>& openUrl);

}  // namespace korvexa::app
