#include "datafile/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace korvexa::datafile {

bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes, std::string& error)
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

    // The temporary file lies beside the target so that the rename stays
    // within one file system.
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
