#include "datafile/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ostream>

#include "datafile/FdStream.h"
#include "datafile/FileReading.h"

namespace korvexa::datafile {

namespace {

// The temporary files of a save are ".NAME.PID.N.tmp" beside the target.
std::string TemporaryName(const std::string& target, pid_t pid, unsigned n)
{
    return "." + target + "." + std::to_string(pid) + "." + std::to_string(n) + ".tmp";
}

// The writing process of a temporary file of `target`'s pattern; 0 for any
// other name.
pid_t WriterOf(const std::string& name, const std::string& target)
{
    const std::string prefix = "." + target + ".";
    if (!name.starts_with(prefix) || !name.ends_with(".tmp"))
        return 0;
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);  // PID.N
    const std::size_t dot = middle.find('.');
    const auto digits = [](std::string_view t) {
        return !t.empty() && t.size() <= 10 && t.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (dot == std::string::npos || !digits(std::string_view(middle).substr(0, dot)) ||
        !digits(std::string_view(middle).substr(dot + 1)))
        return 0;
    const long long pid = std::stoll(middle.substr(0, dot));
    return pid > 0 && pid <= 0x7FFFFFFF ? static_cast<pid_t>(pid) : 0;
}

// A save killed while it wrote leaves its temporary file behind; remove
// those whose writer no longer runs.  A writer that still runs (or one
// this process may not signal) keeps its file.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& target)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const pid_t pid = WriterOf(entry.path().filename().string(), target);
        if (pid == 0 || pid == ::getpid() || !entry.is_regular_file(ec))
            continue;
        if (::kill(pid, 0) != 0 && errno == ESRCH)
            std::filesystem::remove(entry.path(), ec);
    }
}

}  // namespace

bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
    return ReplaceFileContents(
        path,
        [bytes](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return true;
        },
        error);
}

bool ReplaceFileContents(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                         std::string& error)
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
        error = NotRegularFileText(old.st_mode);
        return false;
    }

    // The temporary file lies beside the target so that the rename stays
    // within one file system.
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaries(folder, target.filename().string());  // first, as they may fill the disk
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / TemporaryName(target.filename().string(), ::getpid(), counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = std::string("一時ファイルを作れません: ") + std::strerror(errno);
        return false;
    }
    const auto abandon = [&](const char* what) {
        const int code = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        error = std::string(what) + ": " + std::strerror(code);
        return false;
    };

    bool written = false;
    std::string writeError;
    {
        FdStreamBuf buffer(fd);  // a failed flush leaves it empty: nothing written on destruction
        std::ostream out(&buffer);
        written = write(out);
        out.flush();
        writeError = buffer.error();
        if (writeError.empty() && !out)
            writeError = "書き込みに失敗しました";
    }
    if (!writeError.empty() || !written) {
        ::close(fd);
        ::unlink(temp.c_str());
        error = writeError.empty() ? std::string("書き込みを中止しました") : "書き込めません: " + writeError;
        return false;
    }
    if (exists && ::fchmod(fd, old.st_mode & 07777) != 0)
        return abandon("ファイルの属性を設定できません");
    if (::fsync(fd) != 0)
        return abandon("ディスクに書き込めません");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon("ファイルを閉じられません");
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return abandon("ファイルを置き換えられません");

    // Make the rename itself durable; the data is already safe either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace korvexa::datafile
