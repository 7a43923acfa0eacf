// `korvexa-cli show | json | slab | latex`: the data file from the command line.
// Each returns the exit status: 0, or 2 after a message on `err`.
#pragma once

#include <iosfwd>
#include <string>

#include "datafile/DataFile.h"

namespace korvexa::cli {

// Reads and designs FILE.slab and prints a summary per slab.
int ShowCommand(const std::string& path, std::ostream& out, std::ostream& err);
// Reads and designs FILE.slab and prints the whole data set as JSON.
int JsonCommand(const std::string& path, std::ostream& out, std::ostream& err);
// Builds FILE.slab from the JSON of a data set; only designed slabs are written.
int SlabCommand(const std::string& input, const std::string& output, std::ostream& err);

// Writes the LaTeX report of FILE.slab with the default header, or with the
// lines of the header file `header` when it is not empty.
int LatexCommand(const std::string& path, const std::string& output, const std::string& header, std::ostream& err);

// The summary of one designed data set, as `show` prints it.
void PrintSummary(const datafile::DataSet& data, const std::vector<int>& status, std::ostream& out);

}  // namespace korvexa::cli
