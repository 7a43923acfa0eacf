// Opening a named file for reading without ever blocking, and reading it
// with a size limit.  A FIFO, a device or a folder named where a file was
// expected is refused at once with what it is; an endless source stops at
// the limit.  Plain C++ on POSIX calls; no Qt.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace korvexa::datafile {

// What may be read: a data file only from a regular file; JSON also from a
// pipe (a FIFO, or standard input given as /dev/stdin).
enum class InputKind { RegularFile, RegularFileOrPipe };

// No data file or JSON input comes near this; a larger one is refused.
inline constexpr std::uint64_t kLargestInputBytes = std::uint64_t{1} << 30;

// "通常のファイルではありません（フォルダ）" and the like, for a stat mode.
std::string NotRegularFileText(unsigned mode);

// "1 GiB", "64 MiB", "512 バイト".
std::string ByteCountText(std::uint64_t bytes);

class InputFile {
public:
    // Opens `path` for reading.  Its kind is checked before it is opened
    // (nothing but a regular file or a pipe is ever opened), and a FIFO is
    // opened without waiting for a writer.  On failure ok() is false and
    // error() says what is wrong, in Japanese.
    InputFile(const std::filesystem::path& path, InputKind kind, std::uint64_t limit = kLargestInputBytes);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Reads up to `size` bytes into `buffer`; 0 at the end of the input or
    // after a failure (then ok() is false).  More than `limit` bytes in all
    // is a failure.
    std::size_t Read(char* buffer, std::size_t size);
    // Reads the rest of the input; false after a failure.
    bool ReadAll(std::string& bytes);

private:
    std::string Open(const std::filesystem::path& path, InputKind kind);  // the problem, or empty
    void Fail(std::string text);

    int fd_ = -1;
    std::uint64_t limit_;
    std::uint64_t done_ = 0;
    std::uint64_t sizeHint_ = 0;  // of a regular file
    std::string error_;
};

}  // namespace korvexa::datafile
