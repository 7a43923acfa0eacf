// The copy of a window's unsaved data that survives a crash.  While the
// data is modified, the window writes it a few seconds after each edit into
// the settings folder, atomically as a save writes, and removes it when the
// data is saved, discarded or the window closes cleanly:
//   recovery-PID-STAMP.slab   the data, a data file
//   recovery-PID-STAMP.name   the file the data belongs to (UTF-8; empty: untitled)
//   recovery-PID-STAMP.lock   held while the window runs (QLockFile)
// A copy whose lock is free, or was left by a process that no longer runs,
// belongs to no window: the next window to start offers it.  A window takes
// such a copy by taking its lock, so two windows never offer the same one.
#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

#include "datafile/DataSet.h"

class QLockFile;

namespace korvexa::app {

// The copy of this window's data.
class RecoveryCopy {
public:
    explicit RecoveryCopy(const QString& folder);
    ~RecoveryCopy();  // releases the lock and leaves the copy for the next start
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Writes the data and the name of its file (empty: untitled); false
    // with the reason in `error`.
    bool Write(const datafile::DataSet& data, const QString& fileName, QString& error);
    // Removes the copy and releases the lock.
    void Remove();
    QString DataPath() const;

private:
    QString base_;  // the folder and "recovery-PID-STAMP"
    std::unique_ptr<QLockFile> lock_;
};

// A copy left by a window that no longer runs, held locked by this one.
class LeftCopy {
public:
    LeftCopy(QString base, std::unique_ptr<QLockFile> lock);
    ~LeftCopy();  // releases the lock; the copy stays
    LeftCopy(LeftCopy&&) noexcept;
    LeftCopy& operator=(LeftCopy&&) noexcept;

    QString DataPath() const;
    QString FileName() const;  // of the data; empty: untitled
    QDateTime Time() const;    // when it was written
    // Deletes the copy.
    void Discard();

private:
    QString base_;
    std::unique_ptr<QLockFile> lock_;
};

// The copies in `folder` that belong to no running window, newest first.
std::vector<LeftCopy> TakeLeftCopies(const QString& folder);

}  // namespace korvexa::app
