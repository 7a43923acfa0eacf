// An output stream buffer over a file descriptor that remembers why a
// write failed (a full disk, /dev/full, a closed pipe), so that a command
// can say so and fail instead of reporting success over a truncated file.
#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace korvexa::datafile {

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

}  // namespace korvexa::datafile
