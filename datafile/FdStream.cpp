#include "datafile/FdStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvexa::datafile {

FdStreamBuf::FdStreamBuf(int fd) : fd_(fd), buffer_(1 << 16)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdStreamBuf::~FdStreamBuf() { sync(); }

bool FdStreamBuf::WriteAll(const char* data, std::size_t size)
{
    if (!error_.empty())
        return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? std::strerror(errno) : "書き込めません";
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

int FdStreamBuf::sync()
{
    const bool ok = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return ok ? 0 : -1;
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type c)
{
    if (sync() != 0)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize FdStreamBuf::xsputn(const char* data, std::streamsize size)
{
    // Small pieces gather in the buffer; a large one goes out directly.
    if (size <= epptr() - pptr()) {
        std::memcpy(pptr(), data, static_cast<std::size_t>(size));
        pbump(static_cast<int>(size));
        return size;
    }
    if (sync() != 0 || !WriteAll(data, static_cast<std::size_t>(size)))
        return 0;
    return size;
}

}  // namespace korvexa::datafile
