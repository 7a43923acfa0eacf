// `korvexa-cli show | json | slab | latex`: the data file from the command line.
// Each returns the exit status: 0, or 2 after a message on `err`.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/JsonWriter.h"
#include "datafile/DataFile.h"

namespace korvexa::cli {

// Reads and designs FILE.slab and prints a summary per slab.
int ShowCommand(const std::string& path, std::ostream& out, std::ostream& err);
// Reads and designs FILE.slab and prints the whole data set as JSON.
int JsonCommand(const std::string& path, std::ostream& out, std::ostream& err, JsonStyle style = JsonStyle::Indented);
// Builds FILE.slab from the JSON of a data set.  A slab that cannot be
// designed is named with its reason and fails the command, leaving the
// target as it was, unless `designedOnly` asks for the designed ones alone;
// a file without any designed slab is never written.
int SlabCommand(const std::string& input, const std::string& output, bool designedOnly, std::ostream& err);

// Writes the LaTeX report of FILE.slab with the default header, or with the
// lines of the header file `header` when it is not empty.
int LatexCommand(const std::string& path, const std::string& output, const std::string& header, std::ostream& err);

// A data file read whole and checked (its warnings told on `err`), or
// nothing after the error that stops it.
std::optional<datafile::DataFileContents> OpenChecked(const std::string& path, std::ostream& err);

// The messages of the commands: a file error (message, path, detail), the
// warnings of the data file, and why a slab was not designed.
void PrintFileError(std::ostream& err, const datafile::FileError& e, const std::string& path);
void PrintWarnings(std::ostream& err, const std::vector<std::string>& warnings);
void PrintDesignFailure(std::ostream& err, const SlabData& slab, int status, std::size_t index,
                        const CommonSettings& settings, const BarData& bars);

}  // namespace korvexa::cli
