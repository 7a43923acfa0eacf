#include "app/RecoveryCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>

#include "datafile/DataFile.h"
#include "datafile/SafeFile.h"

namespace korvexa::app {

namespace {

const QString kPrefix = QStringLiteral("recovery-");

QString DataOf(const QString& base) { return base + QStringLiteral(".slab"); }
QString NameOf(const QString& base) { return base + QStringLiteral(".name"); }
QString LockOf(const QString& base) { return base + QStringLiteral(".lock"); }

// A lock that only a process that still runs keeps: one left by a process
// that ended is stale at once, however young.
std::unique_ptr<QLockFile> NewLock(const QString& base)
{
    auto lock = std::make_unique<QLockFile>(LockOf(base));
    lock->setStaleLockTime(0);
    return lock;
}

void RemoveFiles(const QString& base)
{
    QFile::remove(DataOf(base));
    QFile::remove(NameOf(base));
}

// When the window started, in ms, told apart from every other window of
// this process.
qint64 StartStamp()
{
    static qint64 last = 0;
    last = std::max(last + 1, QDateTime::currentMSecsSinceEpoch());
    return last;
}

}  // namespace

RecoveryCopy::RecoveryCopy(const QString& folder)
    : base_(QDir(folder).filePath(kPrefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                                  QString::number(StartStamp())))
{
}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::DataPath() const { return DataOf(base_); }

bool RecoveryCopy::Write(const datafile::DataSet& data, const QString& fileName, QString& error)
{
    // Locked before the copy appears, so that no starting window takes it.
    if (!lock_) {
        lock_ = NewLock(base_);
        if (!lock_->tryLock(0)) {
            lock_.reset();
            error = QStringLiteral("復元用データのロックを作れません");
            return false;
        }
    }
    std::string reason;
    const QByteArray name = fileName.toUtf8();
    if (!datafile::ReplaceFileContents(NameOf(base_).toStdString(), std::string_view(name.constData(), name.size()),
                                       reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    const datafile::WriteResult written = datafile::WriteDataFile(DataPath().toStdString(), data);
    if (!written.ok)
        error = QString::fromStdString(written.error.detail);
    return written.ok;
}

void RecoveryCopy::Remove()
{
    RemoveFiles(base_);
    lock_.reset();
}

LeftCopy::LeftCopy(QString base, std::unique_ptr<QLockFile> lock) : base_(std::move(base)), lock_(std::move(lock)) {}
LeftCopy::~LeftCopy() = default;
LeftCopy::LeftCopy(LeftCopy&&) noexcept = default;
LeftCopy& LeftCopy::operator=(LeftCopy&&) noexcept = default;

QString LeftCopy::DataPath() const { return DataOf(base_); }

QString LeftCopy::FileName() const
{
    QFile file(NameOf(base_));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QDateTime LeftCopy::Time() const { return QFileInfo(DataPath()).lastModified(); }

void LeftCopy::Discard()
{
    RemoveFiles(base_);
    lock_.reset();
}

std::vector<LeftCopy> TakeLeftCopies(const QString& folder)
{
    const QDir dir(folder);
    std::vector<LeftCopy> copies;
    for (const QString& entry : dir.entryList({kPrefix + QStringLiteral("*.slab")}, QDir::Files)) {
        const QString base = dir.filePath(entry.chopped(5));
        std::unique_ptr<QLockFile> lock = NewLock(base);
        // A window that runs holds its lock; one that ended, cleanly or not,
        // does not.  The copy may have gone while the lock was taken.
        if (lock->tryLock(0) && QFileInfo::exists(DataOf(base)))
            copies.emplace_back(base, std::move(lock));
    }
    std::sort(copies.begin(), copies.end(), [](const LeftCopy& a, const LeftCopy& b) { return a.Time() > b.Time(); });
    return copies;
}

}  // namespace korvexa::app
