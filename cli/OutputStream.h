// Standard output as a stream that remembers why a write failed (a full
// disk, /dev/full, a closed pipe), so that the command can say so and fail
// instead of reporting success over a truncated output.
#pragma once

#include <ostream>
#include <string>

#include "datafile/FdStream.h"

namespace korvexa::cli {

class OutputStream {
public:
    explicit OutputStream(int fd) : buffer_(fd), stream_(&buffer_) {}
    std::ostream& stream() { return stream_; }
    // Flushes what is left; false (with the reason in `error`) when any
    // write failed.
    bool Finish(std::string& error);

private:
    datafile::FdStreamBuf buffer_;
    std::ostream stream_;
};

}  // namespace korvexa::cli
