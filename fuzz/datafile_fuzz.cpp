// libFuzzer target: any bytes given to the data file reader are either
// refused with a message or read into a data set that designs, writes and
// reads back to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "datafile/DataFile.h"

using namespace korvexa::datafile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadResult r = DecodeDataFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!r.ok()) {
        if (r.error.message.empty() || r.error.detail.empty())
            std::abort();
        return 0;
    }
    DesignDataSet(*r.data);
    const std::string written = EncodeDataFile(*r.data);
    ReadResult again = DecodeDataFile(written);
    if (!again.ok()) {
        std::fprintf(stderr, "written file does not read: %s\n", again.error.detail.c_str());
        std::abort();
    }
    DesignDataSet(*again.data);
    if (EncodeDataFile(*again.data) != written) {
        std::fprintf(stderr, "written file does not write back the same\n");
        std::abort();
    }
    return 0;
}
