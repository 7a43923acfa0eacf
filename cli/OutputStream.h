// Standard output as a stream that remembers why a write failed (a full
// disk, /dev/full, a closed pipe), so that the command can say so and fail
// instead of reporting success over a truncated output.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace korvexa::cli {

class FdStreamBuf : public std::streambuf {
public:
    explicit FdStreamBuf(int fd);
    ~FdStreamBuf() override;
    // The system's reason of the first failed write; empty while none failed.
    const std::string& error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    bool WriteAll(const char* data, std::size_t size);

    int fd_;
    std::vector<char> buffer_;
    std::string error_;
};

class OutputStream {
public:
    explicit OutputStream(int fd) : buffer_(fd), stream_(&buffer_) {}
    std::ostream& stream() { return stream_; }
    // Flushes what is left; false (with the reason in `error`) when any
    // write failed.
    bool Finish(std::string& error);

private:
    FdStreamBuf buffer_;
    std::ostream stream_;
};

}  // namespace korvexa::cli
