// TFileHistory: the recent-file entries of the File menu.
//
// The component keeps the list of recently used data files (the rules are
// those of korvexa::FileHistoryList), shows it as numbered entries
// "&1 /full/path" … in a menu, hands a clicked entry's file name to its
// owner, and keeps the list in a history file between runs.  It also holds
// the name of the file that is open now (NowOpenFileName()).
//
// Use by the main window:
//
//   FileHistory = new TFileHistory(this);
//   FileHistory->AttachMenu(ui->MenuFile, ui->Sep1, ui->MenuClose);
//   FileHistory->Init(TFileHistory::DataFileHistoryPath(),
//                     [this](const QString& name) { HistoryOpen(name); });
//   …
//   FileHistory->Remake(path, true);     // after new (empty path), open, save as
//   FileHistory->Remake(path, false);    // from the close question at exit
//   FileHistory->Save();                 // at exit
//
// Remake's flag says whether the menu is rebuilt: true while the program
// goes on, false once it is closing (the menu is not shown again).  The
// open file never stands among the entries: when another file becomes
// current, the previous one becomes entry 1.
//
// The entries stand between `anchor` and `before` (Sep1 and the exit
// command): a separator follows the last entry, and one precedes the first
// entry when the item above it is not a separator already.  With an empty
// list there are no entries and no separators of the component.
//
// Clicking an entry calls the callback with the entry's full path; the list
// itself does not change until the owner calls Remake.  The callback may
// call Remake (and so rebuild the menu) directly: entries that leave the
// menu are deleted only once control is back in the event loop.
//
// Saving: the history file is written by Save(), and at destruction when
// AutoSave() is on (the default) and the list or the current file changed
// since the last Save().  Nothing is written when there is nothing to list,
// so a run that opened no file creates no history file.  A write failure
// never ends the program: Save() returns false, and the first failure is
// reported on stderr (once per component, however often saving fails).
#pragma once

#include "components/FileHistoryList.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

class TFileHistory : public QObject {
    Q_OBJECT

public:
    using OpenCallback = std::function<void(const QString& fileName)>;

    explicit TFileHistory(QObject* parent = nullptr);
    ~TFileHistory() override;

    // The history file of the data files: "Korvexa~DataFile.history" in
    // korvexa::ConfigFolder().
    static QString DataFileHistoryPath();

    // The most entries shown in the menu (10 unless changed; negative counts
    // as 0).  A longer list is cut at its end; the names cut off are
    // forgotten.
    int ItemsMax() const;
    void SetItemsMax(int itemsMax);

    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool on) { autoSave_ = on; }

    // Where the entries go: into `menu`, right before `before` when it is
    // given and stands in the menu, else right after `anchor` (at the top
    // when `anchor` is null or not in the menu).  Existing entries move to
    // the new place.  The menu and the two actions stay the owner's; the
    // component only adds and removes its own actions.
    void AttachMenu(QMenu* menu, QAction* anchor, QAction* before = nullptr);

    // Stores the callback and the history file (empty: "FileHistory.save"
    // in the config folder), empties the current file name, loads the list
    // (missing files are dropped) and builds the menu entries.
    void Init(const QString& historyFile, OpenCallback callback);

    // The current file changes to `fileName` (empty: none); relative names
    // are made absolute.  Rebuilds the menu when `rebuild` is true and the
    // list changed.
    void Remake(const QString& fileName, bool rebuild);

    QString NowOpenFileName() const;
    QString HistoryFileName() const { return historyFile_; }

    // The entries, most recent first (full paths).
    QStringList Items() const;

    // Writes the history file now.  Returns false when that failed.
    bool Save();

    // Replaces the menu entries by the list.
    void RebuildHistory();
    // Removes the entries and separators of the last rebuild from the menu.
    void DeleteItems();

    // The actions of the component now in the menu: the entries only.
    QList<QAction*> EntryActions() const;

private:
    void HistoryItemClick(const QString& fileName);
    void ReportFailure(const std::string& reason);

    korvexa::FileHistoryList list_;
    QString historyFile_;
    OpenCallback callback_;
    bool autoSave_ = true;
    bool changedSinceSave_ = false;
    bool failureReported_ = false;

    QPointer<QMenu> menu_;
    QPointer<QAction> anchor_;
    QPointer<QAction> before_;
    QList<QPointer<QAction>> entries_;   // the numbered entries
    QList<QPointer<QAction>> made_;      // everything inserted: entries and separators
};
