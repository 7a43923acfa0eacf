#include "app/Help.h"

#include <QDir>
#include <QFileInfo>

#include "app/UserMessages.h"

namespace korvexa::app {

QStringList HelpIndexCandidates(const QString& programFolder)
{
    const QDir folder(programFolder);
    return {QDir::cleanPath(folder.filePath(QStringLiteral(KORVEXA_HELP_FROM_BIN "/index.html"))),
            QDir::cleanPath(folder.filePath(QStringLiteral(KORVEXA_HELP_IN_BUILD "/index.html")))};
}

QString FindHelpIndex(const QString& programFolder)
{
    for (const QString& candidate : HelpIndexCandidates(programFolder))
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

void ShowHelp(QWidget* parent, const QString& programFolder, const std::function<void(const QString&)>& showPage)
{
    const QString index = FindHelpIndex(programFolder);
    if (index.isEmpty()) {
        // Named where an installed program keeps it: the place to look first.
        Tell(parent, MessageKind::Error,
             QStringLiteral("ヘルプファイルが見つかりません。\n") + HelpIndexCandidates(programFolder).constFirst());
        return;
    }
    showPage(index);
}

}  // namespace korvexa::app
