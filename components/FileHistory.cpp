#include "components/FileHistory.h"

#include "components/ConfigFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>
#include <cstdio>

namespace {

// File names go to the plain list as the bytes the file system uses.
std::string Encode(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString Decode(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

// "&1 /path": the number is the mnemonic; an ampersand of the path is
// doubled so that it shows as itself and takes no mnemonic.
QString EntryText(int number, const QString& path)
{
    QString shown = path;
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&") + QString::number(number) + u' ' + shown;
}

}  // namespace

TFileHistory::TFileHistory(QObject* parent) : QObject(parent) {}

TFileHistory::~TFileHistory()
{
    if (autoSave_ && changedSinceSave_)
        Save();
}

QString TFileHistory::DataFileHistoryPath()
{
    return QDir(korvexa::ConfigFolder()).filePath(QStringLiteral("Korvexa~DataFile.history"));
}

int TFileHistory::ItemsMax() const { return static_cast<int>(list_.ItemsMax()); }

void TFileHistory::SetItemsMax(int itemsMax)
{
    list_.SetItemsMax(static_cast<std::size_t>(std::max(itemsMax, 0)));
    if (!made_.isEmpty() || !list_.Entries().empty())
        RebuildHistory();
}

void TFileHistory::AttachMenu(QMenu* menu, QAction* anchor, QAction* before)
{
    DeleteItems();
    menu_ = menu;
    anchor_ = anchor;
    before_ = before;
    RebuildHistory();
}

void TFileHistory::Init(const QString& historyFile, OpenCallback callback)
{
    callback_ = std::move(callback);
    historyFile_ = historyFile.isEmpty()
                       ? QDir(korvexa::ConfigFolder()).filePath(QStringLiteral("FileHistory.save"))
                       : historyFile;
    list_.Load(Encode(historyFile_));
    // A loaded list is written back at the end, without the names dropped.
    changedSinceSave_ = !list_.Entries().empty();
    RebuildHistory();
}

void TFileHistory::Remake(const QString& fileName, bool rebuild)
{
    const QString name = fileName.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    const std::string before = list_.Current();
    const bool listChanged = list_.Remake(Encode(name));
    if (listChanged || list_.Current() != before)
        changedSinceSave_ = true;
    if (rebuild && listChanged)
        RebuildHistory();
}

QString TFileHistory::NowOpenFileName() const { return Decode(list_.Current()); }

QStringList TFileHistory::Items() const
{
    QStringList items;
    for (const std::string& entry : list_.Entries())
        items.append(Decode(entry));
    return items;
}

bool TFileHistory::Save()
{
    changedSinceSave_ = false;
    if (historyFile_.isEmpty())  // never initialised: nothing was loaded, nothing to keep
        return true;
    std::string error;
    if (list_.Save(Encode(historyFile_), error))
        return true;
    ReportFailure(error);
    return false;
}

void TFileHistory::ReportFailure(const std::string& reason)
{
    if (failureReported_)
        return;
    failureReported_ = true;
    std::fprintf(stderr, "korvexa: 最近使ったファイルの一覧を保存できません: %s: %s\n",
                 QFile::encodeName(historyFile_).constData(), reason.c_str());
    std::fflush(stderr);
}

void TFileHistory::DeleteItems()
{
    for (const QPointer<QAction>& action : std::as_const(made_)) {
        if (!action)
            continue;
        if (menu_)
            menu_->removeAction(action);
        // Later, not now: this may run inside the click of one of these entries.
        action->deleteLater();
    }
    made_.clear();
    entries_.clear();
}

void TFileHistory::RebuildHistory()
{
    DeleteItems();
    if (!menu_ || list_.Entries().empty())
        return;

    const QList<QAction*> actions = menu_->actions();
    QAction* at = nullptr;  // the entries go before this one; null: at the end
    if (before_ && actions.contains(before_.data())) {
        at = before_;
    } else {
        const qsizetype anchorAt = anchor_ ? actions.indexOf(anchor_.data()) : -1;
        at = actions.value(anchorAt + 1, nullptr);
    }
    const qsizetype atIndex = at ? actions.indexOf(at) : actions.size();
    QAction* above = actions.value(atIndex - 1, nullptr);

    const auto insert = [&](QAction* action) {
        made_.append(action);
        menu_->insertAction(at, action);
    };
    const auto separator = [&] {
        auto* action = new QAction(this);
        action->setSeparator(true);
        insert(action);
    };

    if (above && !above->isSeparator())
        separator();
    int number = 0;
    for (const std::string& entry : list_.Entries()) {
        const QString path = Decode(entry);
        auto* action = new QAction(EntryText(++number, path), this);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { HistoryItemClick(path); });
        entries_.append(action);
        insert(action);
    }
    separator();
}

QList<QAction*> TFileHistory::EntryActions() const
{
    QList<QAction*> actions;
    for (const QPointer<QAction>& action : entries_)
        if (action)
            actions.append(action);
    return actions;
}

void TFileHistory::HistoryItemClick(const QString& fileName)
{
    // A copy: the callback may call Init, which replaces callback_.
    const OpenCallback callback = callback_;
    if (callback)
        callback(fileName);
}
