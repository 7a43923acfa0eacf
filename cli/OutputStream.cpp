#include "cli/OutputStream.h"

namespace korvexa::cli {

bool OutputStream::Finish(std::string& error)
{
    stream_.flush();
    error = buffer_.error();
    return error.empty() && stream_.good();
}

}  // namespace korvexa::cli
