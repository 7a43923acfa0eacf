#include "components/FileHistoryList.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvexa {

namespace {

bool StorableName(const std::string& name)
{
    return !name.empty() && name.find_first_of("\r\n") == std::string::npos;
}

std::string ErrnoText(int code) { return std::strerror(code); }

// Writes `bytes` to a new file beside `target` and renames it over `target`.
// Nothing is opened at `target` itself, so a target that is a FIFO or a
// device cannot block the program.
bool ReplaceFile(const std::filesystem::path& path, const std::string& bytes, std::string& error)
{
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {  // keep the link, replace what it names
        target = std::filesystem::weakly_canonical(path, ec);
        if (ec) {
            error = "リンク先を辿れません: " + ec.message();
            return false;
        }
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        error = "通常のファイルではありません";
        return false;
    }

    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                         std::to_string(counter++) + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = "一時ファイルを作れません: " + ErrnoText(errno);
        return false;
    }
    const auto abandon = [&](const char* what) {
        const int code = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        error = std::string(what) + ": " + ErrnoText(code);
        return false;
    };

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon("書き込めません");
        done += static_cast<std::size_t>(n);
    }
    if (exists && ::fchmod(fd, old.st_mode & 07777) != 0)
        return abandon("属性を設定できません");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon("閉じられません");
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return abandon("置き換えられません");
    return true;
}

}  // namespace

FileHistoryList::FileHistoryList(std::size_t itemsMax) : itemsMax_(itemsMax) {}

void FileHistoryList::SetItemsMax(std::size_t itemsMax)
{
    itemsMax_ = itemsMax;
    Cut();
}

void FileHistoryList::Cut()
{
    if (entries_.size() > itemsMax_)
        entries_.resize(itemsMax_);
}

bool FileHistoryList::FileExists(const std::string& name)
{
    if (name.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(name, ec);
}

void FileHistoryList::Load(const std::filesystem::path& historyFile)
{
    entries_.clear();
    current_.clear();
    // Only a plain file is opened: reading a FIFO named here would block.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(historyFile, ec))
        return;
    std::ifstream in(historyFile, std::ios::binary);
    std::string line;
    while (entries_.size() < itemsMax_ && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!FileExists(line) || std::find(entries_.begin(), entries_.end(), line) != entries_.end())
            continue;
        entries_.push_back(line);
    }
}

bool FileHistoryList::Remake(const std::string& name)
{
    const std::vector<std::string> before = entries_;
    if (FileExists(current_)) {
        // The current file never stands on the list, but a name can come back
        // after it was dropped as missing; keep one copy at the head.
        std::erase(entries_, current_);
        entries_.insert(entries_.begin(), current_);
    }
    if (!name.empty())
        std::erase(entries_, name);
    current_ = name;
    Cut();
    return entries_ != before;
}

std::vector<std::string> FileHistoryList::NamesToSave() const
{
    std::vector<std::string> names;
    if (FileExists(current_) && StorableName(current_))
        names.push_back(current_);
    for (const std::string& entry : entries_)
        if (StorableName(entry) && entry != current_)
            names.push_back(entry);
    return names;
}

bool FileHistoryList::Save(const std::filesystem::path& historyFile, std::string& error) const
{
    error.clear();
    const std::vector<std::string> names = NamesToSave();
    if (names.empty())
        return true;
    std::string bytes;
    for (const std::string& name : names)
        bytes += name + '\n';
    return ReplaceFile(historyFile, bytes, error);
}

}  // namespace korvexa
