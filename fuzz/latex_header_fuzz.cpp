// libFuzzer target: any bytes as the LaTeX header file "LatexHeader.txt"
// (CP932 text).  The lines read hold no line break, go into the report as
// they stand, and save back to a file that reads as the same lines: a
// header the program has read can always be saved again.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "datafile/DataSet.h"
#include "latex/LatexHeader.h"
#include "latex/LatexText.h"
#include "latex/LatexWriter.h"

using namespace korvexa;
using korvexa::fuzz::Broken;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzz::WriteFile("LatexHeader.txt", {reinterpret_cast<const char*>(data), size});
    const std::optional<std::vector<std::string>> lines = latex::ReadHeaderFile(path);
    if (!lines)
        Broken("a header file that exists was not read");
    for (const std::string& line : *lines)
        if (line.find_first_of("\r\n") != std::string::npos)
            Broken("a header line holds a line break", line);

    datafile::DataSet set;
    set.slabs.emplace_back();
    const std::string document = latex::LatexDocument(set, *lines);
    std::size_t at = 0;
    for (const std::string& line : *lines) {
        at = document.find(line + "\n", at);
        if (at == std::string::npos)
            Broken("a header line is missing from the report", line);
        at += line.size() + 1;
    }
    latex::ToPtexBytes(document);

    std::string error;
    const auto saved = fuzz::Folder() / "saved.txt";
    if (!latex::WriteHeaderFile(saved, *lines, error))
        Broken("a header read could not be saved", error);
    if (latex::ReadHeaderFile(saved) != lines)
        Broken("the header saved reads back as other lines");
    return 0;
}
