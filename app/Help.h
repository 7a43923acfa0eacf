// The user guide: where its pages are and how the Help command opens them.
#pragma once

#include <QString>
#include <QStringList>
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

// The Help command: shows the start page with `showPage` (the program's
// help window, which needs no browser).  A missing guide is told in a
// message box naming where it belongs.
void ShowHelp(QWidget* parent, const QString& programFolder, const std::function<void(const QString&)>& showPage);

}  // namespace korvexa::app
