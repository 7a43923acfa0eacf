#include "datafile/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvexa::datafile {

namespace {

const char* KindName(unsigned mode)
{
    if (S_ISDIR(mode))
        return "フォルダ";
    if (S_ISFIFO(mode))
        return "パイプ";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "デバイス";
    if (S_ISSOCK(mode))
        return "ソケット";
    return "特殊なファイル";
}

bool Accepted(unsigned mode, InputKind kind)
{
    return S_ISREG(mode) || (kind == InputKind::RegularFileOrPipe && S_ISFIFO(mode));
}

std::string Refusal(unsigned mode, InputKind kind)
{
    return kind == InputKind::RegularFile
               ? NotRegularFileText(mode)
               : std::string("通常のファイルでもパイプでもありません（") + KindName(mode) + "）";
}

// The system's reason in the words of the program's messages, where there
// are any.
std::string Reason(int error)
{
    switch (error) {
    case ENOENT: return "ファイルがありません";
    case EACCES:
    case EPERM: return "読み取りを許可されていません";
    case ENOTDIR: return "途中にフォルダでないものがあるパスです";
    default: return std::strerror(error);
    }
}

std::string TooLarge(std::uint64_t limit) { return "大きすぎます（" + ByteCountText(limit) + " まで）"; }

}  // namespace

std::string NotRegularFileText(unsigned mode)
{
    return std::string("通常のファイルではありません（") + KindName(mode) + "）";
}

std::string ByteCountText(std::uint64_t bytes)
{
    for (auto [shift, unit] : {std::pair{30, " GiB"}, std::pair{20, " MiB"}, std::pair{10, " KiB"}})
        if (bytes >= (std::uint64_t{1} << shift) && bytes % (std::uint64_t{1} << shift) == 0)
            return std::to_string(bytes >> shift) + unit;
    return std::to_string(bytes) + " バイト";
}

InputFile::InputFile(const std::filesystem::path& path, InputKind kind, std::uint64_t limit) : limit_(limit)
{
    if (std::string problem = Open(path, kind); !problem.empty())
        Fail(std::move(problem));
}

std::string InputFile::Open(const std::filesystem::path& path, InputKind kind)
{
    // The kind first, so that a device or a folder is never opened; then
    // again on what was opened, in case the name changed in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Reason(errno);
    if (!Accepted(st.st_mode, kind))
        return Refusal(st.st_mode, kind);
    // Without O_NONBLOCK, opening a FIFO waits for a writer, for ever if
    // there is none.  Opened, a FIFO without a writer reads as empty.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return Reason(errno);
    if (!Accepted(st.st_mode, kind))
        return Refusal(st.st_mode, kind);
    if (S_ISREG(st.st_mode))
        sizeHint_ = static_cast<std::uint64_t>(st.st_size);
    if (sizeHint_ > limit_)
        return TooLarge(limit_);
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return Reason(errno);
    return {};
}

InputFile::~InputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void InputFile::Fail(std::string text)
{
    error_ = std::move(text);
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::size_t InputFile::Read(char* buffer, std::size_t size)
{
    if (fd_ < 0)
        return 0;
    // One byte beyond the limit tells an input of exactly the limit from a
    // longer one.
    size = static_cast<std::size_t>(std::min<std::uint64_t>(size, limit_ + 1 - done_));
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Fail(Reason(errno));
            return 0;
        }
        done_ += static_cast<std::uint64_t>(n);
        if (done_ > limit_) {
            Fail(TooLarge(limit_));
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
}

bool InputFile::ReadAll(std::string& bytes)
{
    bytes.reserve(bytes.size() + static_cast<std::size_t>(std::min(sizeHint_, limit_)));
    char buffer[1 << 16];
    while (const std::size_t n = Read(buffer, sizeof buffer))
        bytes.append(buffer, n);
    return ok();
}

}  // namespace korvexa::datafile
